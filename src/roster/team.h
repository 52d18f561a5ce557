// A tag team of a "teams.dat" file (the legacy roster's or a circuit's), and its loader.
#pragma once

#include <cstdint>

#include "store/stamp.h"
#include "store/text.h"

namespace kzo::roster {

// The items (lines) of one tag-team record in "teams.dat".
constexpr int kTeamRecordItems = 10;

// Members are known by name only. The pinner and the lifter are the very same record
// strings as wrestler1 or wrestler2, or null.
struct TeamRecord {
  std::int32_t number;  // slot in the legacy roster; 0 for a circuit's team
  Text tname;
  Text tname_full;
  Text wrestler1;
  Text wrestler2;
  Text finisher;  // empty for a combination finisher
  std::int32_t finisher_is_simple;
  Text finisher_who_pins;
  std::int32_t finisher_has_lift;
  Text finisher_who_lifts;
  std::int32_t finisher_is_combo;
  std::int32_t finisher_combo1;  // move number
  std::int32_t finisher_combo2_is_named;
  std::int32_t finisher_combo2_move;  // move number
  Text finisher_combo2_named;
  store::ImportStamp stamp;  // source, created, importer, modified
  Text entrance_theme;
  Text exit_theme;
};

// Reads the 10 lines of one team record from the open file into record and leaves the
// file at the next record.
void LoadTeamRecord(int file, TeamRecord& record);

}  // namespace kzo::roster
