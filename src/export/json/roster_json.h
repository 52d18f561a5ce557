// The roster records as JSON: each record an object whose members are its fields, named and
// ordered as the record declares them: the fields its dictionary entries describe, its
// number and its import stamp.
#pragma once

#include <cstdint>
#include <functional>

#include "export/json_writer.h"

namespace kzo::exporter {

// Writes slots first..last of a list of roster records of a field dictionary kind
// (wrestlers, moves, dives, managers, foreign objects, gimmick matches, stables or teams) as
// array elements; record(slot) is the record of a slot.
void WriteRosterRecords(JsonWriter& json, std::int32_t kind, int first, int last,
                        const std::function<const void*(int)>& record);

}  // namespace kzo::exporter
