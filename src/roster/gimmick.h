// A gimmick match type of the legacy roster file "\data\gimmicks.dat", and its loader.
#pragma once

#include <cstdint>

#include "store/stamp.h"
#include "store/text.h"

namespace kzo::roster {

// The items of one gimmick match record in "gimmicks.dat".
constexpr int kGimmickRecordItems = 7;

struct GimmickMatchRecord {
  std::int32_t number;  // the record's slot in the roster
  Text match_gname;
  Text match_foreign_object;
  std::int32_t match_foreign_object_whip;
  std::int32_t match_foreign_object_use;
  std::int32_t match_foreign_object_choke;
  std::int32_t match_foreign_object_mobility;  // 0..3
  std::int32_t match_ends_by_pinfall;
  std::int32_t match_ends_by_ten_count;
  std::int32_t match_ends_by_first_blood;
  std::int32_t match_ends_by_hitting_turnbuckles;
  std::int32_t match_ends_by_stuffing_in;
  std::int32_t match_ends_by_putting_on;
  std::int32_t match_ends_by_putting_through_table;
  std::int32_t match_barbed_wire;
  std::int32_t match_starts_in_arena;
  std::int32_t match_starts_in_ring;
  std::int32_t match_taped_fists;
  std::int32_t match_object_on_a_pole;
  store::ImportStamp stamp;  // source, created, importer, modified
};

// Reads the 7 items of one gimmick match record from the open file into record (whose
// number the driver has set) and leaves the file at the next record.
void LoadGimmickRecord(int file, GimmickMatchRecord& record);

}  // namespace kzo::roster
