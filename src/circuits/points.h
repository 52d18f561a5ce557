// The points tables of a circuit: "card.pts", "cardt.pts" and "cards.pts" list named
// entries (a wrestler, a team or a group) with six numbers each; the totals fold them into
// one entry per wrestler.
#pragma once

#include <span>
#include <string>

#include "model/circuit.h"

namespace kzo::roster {
class NameIndex;
}

namespace kzo::circuits {

// Builds the points set of circuit from its three points files.
void LoadCircuitPoints(int circuit);

// Appends the entries of the points file at path to table. names indexes the names of
// wrestlers 1..N; active holds the active mark of wrestlers 0..N (active[0] is -99).
void LoadPointsFile(const std::string& path, model::PointsTable& table,
                    const roster::NameIndex& names, std::span<const std::int32_t> active,
                    int circuit);

// Folds the sources into totals, in order: one totals entry per wrestler, summing the
// values of every source entry he takes part in. names holds the names of wrestlers 0..N.
void AddToTotals(model::PointsTable& totals, std::span<const model::PointsTable* const> sources,
                 std::span<const Text> names, std::span<const std::int32_t> active);

}  // namespace kzo::circuits
