#include "circuits/breakdowns.h"

#include <algorithm>

#include "matchtext/result.h"
#include "model/circuit.h"
#include "model/find_wrestler.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::circuits {
namespace {

void StoreBreakdown(model::MatchRecord& match, int circuit) {
  std::vector<matchtext::ResultEntry> entries =
      matchtext::ParseResult(View(model::ResultText(match)));
  match.breakdown_count = 0;
  match.breakdown = entries.empty()
                        ? nullptr
                        : store::NewList<model::BreakdownItem>(static_cast<int>(entries.size()));
  if (match.breakdown == nullptr) return;
  match.breakdown_count = static_cast<std::int32_t>(entries.size());
  for (std::int32_t i = 1; i <= match.breakdown_count; ++i) {
    const matchtext::ResultEntry& entry = entries[static_cast<std::size_t>(i - 1)];
    model::BreakdownItem& item = match.breakdown[i];
    item.name = store::SharedRecordString(entry.name);
    item.value = entry.value;
    item.wrestler = model::FindWrestler(entry.name, circuit);
  }
}

void ComputeCircuitBreakdowns(int circuit) {
  model::CircuitRecord& c = model::Circuits().records[static_cast<std::size_t>(circuit)];
  if (c.shows == nullptr) return;
  for (std::int32_t s = 1; s <= c.show_count; ++s) {
    model::ShowRecord* show = c.shows[s];
    if (show == nullptr || show->matches == nullptr) continue;
    for (std::int32_t m = 1; m <= show->match_count; ++m) StoreBreakdown(show->matches[m], circuit);
  }
}

}  // namespace

void ComputeMatchBreakdowns(int circuit) {
  store::Procedure procedure("COMPUTEM");
  int count = std::clamp(model::Circuits().count, 0, model::kMaxCircuits);
  if (circuit == 0) {
    for (int c = 1; c <= count; ++c) ComputeCircuitBreakdowns(c);
  } else if (circuit >= 1 && circuit <= model::kMaxCircuits) {
    ComputeCircuitBreakdowns(circuit);
  }
}

}  // namespace kzo::circuits
