// The referee record that the field dictionary's referee entries describe. The legacy data
// holds no referees, so no such record is ever imported.
#pragma once

#include <cstdint>

#include "store/stamp.h"
#include "store/text.h"

namespace kzo::roster {

struct RefereeRecord {
  std::int32_t number;
  Text rname;
  std::int32_t is_female;
  std::int32_t latitude;
  std::int32_t counts_to_10;
  std::int32_t counts_to_20;
  std::int32_t is_face;
  std::int32_t is_heel;
  std::int32_t is_head_referee;
  std::int32_t is_wrestler;
  store::ImportStamp stamp;  // source, created, importer, modified
};

}  // namespace kzo::roster
