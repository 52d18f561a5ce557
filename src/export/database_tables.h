// The tables of the database export and their rows: the roster tables made from the field
// dictionary (roster_tables.h), then the field dictionary itself, the global settings, the
// crowd reactions, and per circuit its titles, shows, matches with their texts, notes,
// cardfa. lines and breakdowns, its roster entries with managers and hire terms, and its
// points tables; last the tables of the answers made from those (result_tables.h) and of the
// wrestlers' careers and title credits (career_tables.h). Beyond the rosters and those, each
// table names the fields of the record descriptions (model_fields.h) its rows are the slots of
// and its columns are read from, so that a column's value is read by the column's own
// description.
#pragma once

#include <vector>

#include "export/table.h"

namespace kzo::exporter {

// Every table, in the order they are made. Throws std::invalid_argument when a table names
// a field that its record does not have.
std::vector<Table> DatabaseTables();

// Writes every row of every table to sink, with the table's description as DatabaseTables
// gives it: the rows of each table in the order of their keys.
void WriteDatabaseRows(RowSink& sink);

}  // namespace kzo::exporter
