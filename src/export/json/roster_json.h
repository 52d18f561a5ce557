// The roster records as JSON: each record an object whose members are its fields, named and
// ordered as the record declares them: the fields its dictionary entries describe, its
// number and its import stamp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "export/fields.h"
#include "export/json_writer.h"
#include "export/record_fields.h"

namespace kzo::exporter {

// The number of a roster record that has one beside the fields of its dictionary entries.
extern const Field kRosterNumber;

// A member of a roster record's object: a field its dictionary entry describes, its number
// (kRosterNumber), or its import stamp, whose fields (kImportStampType) are members of the
// record's object.
struct RosterMember {
  enum class Kind { kField, kNumber, kStamp };
  std::size_t offset;  // of the field in the record: members follow the declared order
  Kind kind;
  RecordField field = {};  // for kField
};

// The members of the objects of a roster kind's records, in declared order. Throws
// FieldError for a kind without roster records.
std::vector<RosterMember> RosterMembers(std::int32_t kind);

// Writes slots first..last of a list of roster records of a field dictionary kind
// (wrestlers, moves, dives, managers, foreign objects, gimmick matches, stables or teams) as
// array elements; record(slot) is the record of a slot.
void WriteRosterRecords(JsonWriter& json, std::int32_t kind, int first, int last,
                        const std::function<const void*(int)>& record);

}  // namespace kzo::exporter
