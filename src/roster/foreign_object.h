// A foreign object (weapon) of the legacy roster file "\data\fobjects.dat", and its loader.
#pragma once

#include <cstdint>

#include "store/stamp.h"
#include "store/text.h"

namespace kzo::roster {

// The items of one foreign object record in "fobjects.dat".
constexpr int kForeignObjectRecordItems = 40;

struct ForeignObjectRecord {
  std::int32_t number;  // the record's slot in the roster
  Text fname;
  Text fname_noarticle;
  // Damage values.
  std::int32_t throw_through;
  std::int32_t ram_into;
  std::int32_t whip_into;
  std::int32_t hit_with;
  std::int32_t use;
  std::int32_t choke_with;
  std::int32_t stab_with;
  std::int32_t slash_with;
  std::int32_t whip_with;
  std::int32_t hang_with;
  std::int32_t move_onto;
  std::int32_t move_through;
  std::int32_t move_with;
  // Properties, as read (0 or 1 in a well-formed file).
  std::int32_t may_break;
  std::int32_t may_draw_blood;
  std::int32_t can_be_tied_to_object;
  std::int32_t can_be_used_to_tie_to_object;
  std::int32_t worn_on_head;
  std::int32_t worn_on_fist;
  std::int32_t worn_on_leg;
  store::ImportStamp stamp;  // source, created, importer, modified
};

// Reads the 40 items of one foreign object record from the open file into record (whose
// number the driver has set) and leaves the file at the next record.
void LoadForeignObjectRecord(int file, ForeignObjectRecord& record);

}  // namespace kzo::roster
