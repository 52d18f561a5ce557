// The roster tables of the database, made from the field dictionary: one table per key
// prefix ("wrestlers", "moves", ...) with one column per entry, named by the key's field name
// and typed by the entry's value type, and one child table per list entry
// ("wrestler_moves(wrestler, slot, move)"). Values are read from the records through the
// entries' field offsets. The circuits' own teams and stables go into tables of the same
// shapes, "circuit_teams" and "circuit_stables".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/table.h"

namespace kzo::exporter {

// Appends the roster tables (the referee table too, which stays empty: the model holds no
// referee records) and the circuit team and stable tables.
void AddRosterTables(std::vector<Table>& tables);

// Writes the rows of every roster (slot 0 only for the move roster's "--- None ---" move)
// and of every circuit's teams and stables into the tables AddRosterTables describes.
void WriteRosterRows(RowSink& sink);

// A reference to a record of the kind: its number when the kind's table has a row with
// that number, else no value (0 names no record, except move 0).
Value Reference(std::int32_t kind, std::int64_t number);

// The table of a kind's records and the column that holds their numbers ("wrestlers",
// "wnr"); empty for a kind that has none.
struct RosterTable {
  std::string table;
  std::string key;
};
RosterTable TableOfKind(std::int32_t kind);

}  // namespace kzo::exporter
