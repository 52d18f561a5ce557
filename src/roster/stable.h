// A stable of a "stables.dat" file (the legacy roster's or a circuit's), and its loader.
#pragma once

#include <array>
#include <cstdint>

#include "store/stamp.h"
#include "store/text.h"

namespace kzo::roster {

constexpr int kStableManagerSlots = 5;
// A limit, not storage: the wrestler list is sized to the members stored.
constexpr int kMaxStableWrestlers = 1000;
// The items of one stable record in "stables.dat" beside its n members (23 + n in all).
constexpr int kStableRecordItems = 23;

struct StableRecord {
  std::int32_t number;  // slot in the legacy roster; 0 for a circuit's stable
  Text sname;
  Text entrance_theme;
  Text exit_theme;
  std::array<std::int32_t, kStableManagerSlots + 1> managers;  // slots 1..managers_count
  std::int32_t managers_count;
  // A heap list with slots 1..wrestlers_count (null when no member is stored); wrestler
  // numbers as read, zeros included.
  std::int32_t* wrestlers;
  // Members stored: at most kMaxStableWrestlers; a negative count is kept as read.
  std::int32_t wrestlers_count;
  store::ImportStamp stamp;  // source, created, importer, modified
};

// Reads one stable record (23 items plus one per member) from the open file into record
// and leaves the file at the next record.
void LoadStableRecord(int file, StableRecord& record);

}  // namespace kzo::roster
