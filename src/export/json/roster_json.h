// The roster database, the crowd reactions and the field dictionary as JSON: each record
// an object whose members are its fields, named and ordered as the record declares them.
#pragma once

#include <string_view>

#include "export/json_writer.h"
#include "roster/crowd.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"

namespace kzo::exporter {

// The member key: records first..last of a list of roster records (wrestlers, moves, dives,
// managers, foreign objects, gimmick matches, stables or teams), each an object whose
// members are the fields its dictionary entries describe, its number and its import stamp,
// in the record's declared order.
template <class Record>
void WriteRecords(JsonWriter& json, std::string_view key, const Record* records, int first,
                  int last);

// One entry, written as an object value.
void WriteCrowdReaction(JsonWriter& json, const roster::CrowdReaction& r);
void WriteFieldEntry(JsonWriter& json, const roster::FieldEntry& r);

// The members "managers", "moves", "dives", "wrestlers", "foreign_objects",
// "gimmick_matches", "stables" and "teams": every slot of each roster, slot 0 included.
void WriteRosters(JsonWriter& json);
// The member "crowd_reactions": entries 1..count.
void WriteCrowdReactions(JsonWriter& json);
// The member "field_dictionary": entries 1..entry_count.
void WriteFieldDictionary(JsonWriter& json);

}  // namespace kzo::exporter
