// The roster database, the crowd reactions and the field dictionary as JSON: each record
// an object whose members are its fields, named and ordered as the record declares them.
#pragma once

#include "roster/crowd.h"
#include "export/json_writer.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"

namespace kzo::exporter {

// One record, written as an object value.
void WriteWrestler(JsonWriter& json, const roster::WrestlerRecord& r);
void WriteMove(JsonWriter& json, const roster::MoveRecord& r);
void WriteDive(JsonWriter& json, const roster::DiveRecord& r);
void WriteManager(JsonWriter& json, const roster::ManagerRecord& r);
void WriteForeignObject(JsonWriter& json, const roster::ForeignObjectRecord& r);
void WriteGimmickMatch(JsonWriter& json, const roster::GimmickMatchRecord& r);
void WriteStable(JsonWriter& json, const roster::StableRecord& r);
void WriteTeam(JsonWriter& json, const roster::TeamRecord& r);
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
