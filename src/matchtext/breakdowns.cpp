#include "matchtext/breakdowns.h"

#include <algorithm>

#include "circuits/records/circuit.h"
#include "circuits/records/find_wrestler.h"
#include "matchtext/result.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::matchtext {
namespace {

void StoreBreakdown(circuits::MatchRecord& match, int circuit) {
  std::vector<ResultEntry> entries = ParseResult(View(circuits::ResultText(match)));
  match.breakdown_count = 0;
  match.breakdown = entries.empty()
                        ? nullptr
                        : store::NewList<circuits::BreakdownItem>(static_cast<int>(entries.size()));
  if (match.breakdown == nullptr) return;
  match.breakdown_count = static_cast<std::int32_t>(entries.size());
  for (std::int32_t i = 1; i <= match.breakdown_count; ++i) {
    const ResultEntry& entry = entries[static_cast<std::size_t>(i - 1)];
    circuits::BreakdownItem& item = match.breakdown[i];
    item.name = store::NewRecordString(entry.name);
    item.value = entry.value;
    item.wrestler = circuits::FindWrestler(entry.name, circuit);
  }
}

void ComputeCircuitBreakdowns(int circuit) {
  circuits::CircuitRecord& c = circuits::Circuits().records[static_cast<std::size_t>(circuit)];
  if (c.shows == nullptr) return;
  for (std::int32_t s = 1; s <= c.show_count; ++s) {
    circuits::ShowRecord* show = c.shows[s];
    if (show == nullptr || show->matches == nullptr) continue;
    for (std::int32_t m = 1; m <= show->match_count; ++m) StoreBreakdown(show->matches[m], circuit);
  }
}

}  // namespace

void ComputeMatchBreakdowns(int circuit) {
  store::Procedure procedure("COMPUTEM");
  int count = std::clamp(circuits::Circuits().count, 0, circuits::kMaxCircuits);
  if (circuit == 0) {
    for (int c = 1; c <= count; ++c) ComputeCircuitBreakdowns(c);
  } else if (circuit >= 1 && circuit <= circuits::kMaxCircuits) {
    ComputeCircuitBreakdowns(circuit);
  }
}

}  // namespace kzo::matchtext
