// The descriptions of the model's records beyond the roster records: the whole model as the
// document's top record, the global settings, crowd reactions and field dictionary entries,
// each circuit with its titles, shows, matches, roster entries, hire terms and points, and
// the import stamp of the roster records.
#pragma once

#include "export/fields.h"

namespace kzo::exporter {

// The model that the last load built, as one record: "format", "version", the legacy
// folder, the settings, the eight rosters (slot 0 included), the crowd reactions, the
// circuits and the field dictionary. Its fields read the run's tables; any record pointer
// serves as the record (see TheModel).
extern const RecordType kModelType;
// A record to read kModelType's fields of.
const void* TheModel();

extern const RecordType kSettingsType;       // roster::GlobalSettings
extern const RecordType kCrowdReactionType;  // roster::CrowdReaction
extern const RecordType kFieldEntryType;     // roster::FieldEntry
extern const RecordType kCircuitType;        // model::CircuitRecord
extern const RecordType kTitleType;          // model::TitleRecord
extern const RecordType kShowType;           // model::ShowRecord
extern const RecordType kMatchType;          // model::MatchRecord
extern const RecordType kFaLinesType;        // model::FaLines
extern const RecordType kBreakdownItemType;  // model::BreakdownItem
extern const RecordType kRosterEntryType;    // model::RosterEntry
extern const RecordType kHireTermType;       // model::HireTerm
extern const RecordType kPointsSetType;      // model::PointsSet
extern const RecordType kPointsTableType;    // model::PointsTable
extern const RecordType kPointsEntryType;    // model::PointsEntry
// store::ImportStamp, whose fields close the object of every roster record.
extern const RecordType kImportStampType;

}  // namespace kzo::exporter
