#include "model/find_wrestler.h"

#include "model/circuit.h"
#include "roster/name_index.h"
#include "roster/wrestler_lookup.h"
#include "store/run.h"

namespace kzo::model {
namespace {

// The index of the circuit searched last: names do not change once loaded, and lookups
// come circuit after circuit, so one index is built at the first lookup in a circuit.
struct CircuitIndex {
  int circuit = 0;
  roster::NameIndex names;
};
store::RunLocal<CircuitIndex> last_index;

void IndexCircuitNames(CircuitIndex& index, int number) {
  const CircuitRecord& circuit = Circuits().records[static_cast<std::size_t>(number)];
  index.circuit = number;
  index.names.Build({});
  int count = RosterSlots();
  index.names.Reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) {
    index.names.Add(circuit.roster ? View(circuit.roster[i].name) : std::string_view(), i);
  }
}

}  // namespace

int FindWrestler(std::string_view name, int circuit) {
  if (circuit == 0) return roster::FindWrestler(name);
  if (circuit < 0 || circuit > kMaxCircuits) return 0;
  CircuitIndex& index = *last_index;
  if (index.circuit != circuit) IndexCircuitNames(index, circuit);
  return index.names.Find(name);
}

void ForgetWrestlerIndexes() {
  roster::ForgetWrestlerIndex();
  *last_index = {};
}

}  // namespace kzo::model
