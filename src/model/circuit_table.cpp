#include <algorithm>
#include <cstring>

#include "model/circuit.h"
#include "roster/database.h"

namespace kzo::model {

CircuitTable& Circuits() {
  static CircuitTable table{};
  return table;
}

void ClearCircuits() {
  std::memset(static_cast<void*>(&Circuits()), 0, sizeof(CircuitTable));
}

int RosterSlots() {
  return std::min(roster::StoredWrestlerCount(), kMaxRosterEntries);
}

}  // namespace kzo::model
