// The tables of the database export beyond the rosters: the global settings, the crowd
// reactions, and per circuit its titles, shows, matches with their texts, notes, cardfa.
// lines and breakdowns, its roster entries with hire terms, and its points tables; and the
// views that answer the usual questions (a wrestler's matches, records, title holders).
#pragma once

#include "export/sqlite/sqlite_db.h"

namespace kzo::exporter {

// Creates the tables and the views.
void CreateCircuitTables(SqliteDb& db);

// Writes the settings, the crowd reactions and every circuit 1..count.
void WriteCircuitRows(SqliteDb& db);

}  // namespace kzo::exporter
