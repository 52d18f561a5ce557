// A manager of the legacy roster file "\data\managers.dat", and its loader.
#pragma once

#include <cstdint>

#include "store/stamp.h"
#include "store/text.h"

namespace kzo::roster {

// The items of one manager record in "managers.dat".
constexpr int kManagerRecordItems = 10;

struct ManagerRecord {
  std::int32_t number;  // the record's slot in the roster
  Text maname;
  Text foreign_object;
  std::int32_t is_female;
  std::int32_t interference_rating;  // 0..15
  std::int32_t toughness_rating;     // 0..15
  std::int32_t stealthiness_rating;  // 5 for every imported manager
  store::ImportStamp stamp;          // source, created, importer, modified
};

// Reads the 10 items of one manager record from the open file into record (whose number
// the driver has set) and leaves the file at the next record.
void LoadManagerRecord(int file, ManagerRecord& record);

}  // namespace kzo::roster
