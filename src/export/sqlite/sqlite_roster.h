// The roster tables of the database export, made from the field dictionary: one table per
// key prefix ("wrestlers", "moves", ...) with one column per entry, named by the key's field
// name and typed by the entry's value type, and one child table per list entry
// ("wrestler_moves(wrestler, slot, move)"). Values are read from the records through the
// entries' field offsets. The circuits' own teams and stables go through the same tables'
// shapes as "circuit_teams" and "circuit_stables".
#pragma once

#include <cstdint>

#include "export/sqlite/sqlite_db.h"
#include "model/circuit.h"

namespace kzo::exporter {

// Creates the roster tables (the referee table too, which stays empty: the model holds no
// referee records), the circuit team and stable tables and "field_dictionary".
void CreateRosterTables(SqliteDb& db);

// Writes the rows of every roster (slot 0 only for the move roster's "--- None ---" move)
// and of the field dictionary.
void WriteRosterRows(SqliteDb& db);

// Writes the teams and stables of circuit number circuit.
void WriteCircuitRosterRows(SqliteDb& db, int circuit, const model::CircuitRecord& c);

// A reference to a record of the kind: its number when the kind's table has a row with
// that number, else NULL (0 names no record, except move 0).
SqlValue Reference(std::int32_t kind, std::int64_t number);

}  // namespace kzo::exporter
