// A dive (aerial move) of the legacy roster file "\data\dives.dat", and its loader.
#pragma once

#include <cstdint>

#include "store/stamp.h"
#include "store/text.h"

namespace kzo::roster {

// The items of one dive record in "dives.dat".
constexpr int kDiveRecordItems = 10;

// Counters are move numbers (0 = none); flags hold 0 or 1.
struct DiveRecord {
  std::int32_t number;  // the record's slot in the roster
  Text dname;
  Text dname_noarticle;
  std::int32_t damage;  // 0..1023
  std::int32_t throw_off_turnbuckle;
  std::int32_t must_be_sold;
  std::int32_t possible_through_table;
  std::int32_t possible_off_cage;
  std::int32_t possible_off_ladder;
  std::int32_t possible_off_staircase;
  std::int32_t possible_off_chair;
  std::int32_t possible_with_chair;
  std::int32_t opponent_max_weight_class;       // 0..15
  std::int32_t opponent_max_weight_difference;  // 0..15
  std::int32_t opponent_max_height_difference;  // 0..127, as read
  std::int32_t counter1;
  std::int32_t counter2;
  store::ImportStamp stamp;  // source, created, importer, modified
};

// Reads the 10 items of one dive record from the open file into record (whose number the
// driver has set) and leaves the file at the next record.
void LoadDiveRecord(int file, DiveRecord& record);

}  // namespace kzo::roster
