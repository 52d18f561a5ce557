#include <algorithm>

#include "model/circuit.h"
#include "roster/database.h"
#include "store/run.h"

namespace kzo::model {
namespace {

void EmptyCircuitTable(CircuitTable& table) {
  store::EmptyFilledSlots(table.records, table.count);
}

store::RunLocal<CircuitTable> circuit_table(EmptyCircuitTable);

}  // namespace

CircuitTable& Circuits() {
  return *circuit_table;
}

int RosterSlots() {
  return std::min(roster::StoredWrestlerCount(), kMaxRosterEntries);
}

}  // namespace kzo::model
