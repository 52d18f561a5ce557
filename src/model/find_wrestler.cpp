#include "model/find_wrestler.h"

#include <array>
#include <memory>

#include "model/circuit.h"
#include "roster/name_index.h"
#include "roster/wrestler_lookup.h"

namespace kzo::model {
namespace {

// One index per circuit searched so far (slot c circuit c). Names do not change once
// loaded, so an index is built at the first lookup.
std::array<std::unique_ptr<roster::NameIndex>, kMaxCircuits + 1> indexes;

std::unique_ptr<roster::NameIndex> IndexCircuitNames(const CircuitRecord& circuit) {
  auto index = std::make_unique<roster::NameIndex>();
  int count = RosterSlots();
  for (int i = 1; i <= count; ++i) {
    index->Add(circuit.roster ? View(circuit.roster[i].name) : std::string_view(), i);
  }
  return index;
}

}  // namespace

int FindWrestler(std::string_view name, int circuit) {
  if (circuit == 0) return roster::FindWrestler(name);
  if (circuit < 0 || circuit > kMaxCircuits) return 0;
  auto& index = indexes[static_cast<std::size_t>(circuit)];
  if (!index) index = IndexCircuitNames(Circuits().records[static_cast<std::size_t>(circuit)]);
  return index->Find(name);
}

void ForgetWrestlerIndexes() {
  roster::ForgetWrestlerIndex();
  for (auto& index : indexes) index.reset();
}

}  // namespace kzo::model
