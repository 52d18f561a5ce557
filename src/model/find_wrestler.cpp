#include "model/find_wrestler.h"

#include "model/circuit.h"
#include "roster/name_index.h"
#include "roster/wrestler_lookup.h"

namespace kzo::model {
namespace {

// The index of the circuit searched last: names do not change once loaded, and lookups
// come circuit after circuit, so one index is built at the first lookup in a circuit.
struct CircuitIndex {
  int circuit = 0;
  roster::NameIndex names;
};
CircuitIndex last_index;

void IndexCircuitNames(int number) {
  const CircuitRecord& circuit = Circuits().records[static_cast<std::size_t>(number)];
  last_index.circuit = number;
  last_index.names.Build({});
  int count = RosterSlots();
  last_index.names.Reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) {
    last_index.names.Add(circuit.roster ? View(circuit.roster[i].name) : std::string_view(), i);
  }
}

}  // namespace

int FindWrestler(std::string_view name, int circuit) {
  if (circuit == 0) return roster::FindWrestler(name);
  if (circuit < 0 || circuit > kMaxCircuits) return 0;
  if (last_index.circuit != circuit) IndexCircuitNames(circuit);
  return last_index.names.Find(name);
}

void ForgetWrestlerIndexes() {
  roster::ForgetWrestlerIndex();
  last_index = {};
}

}  // namespace kzo::model
