#include "circuits/hire_terms.h"

#include "store/datetime.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::circuits {
namespace {

std::int64_t TermEnd(std::int64_t start, std::int64_t amount, int unit) {
  std::int64_t count = static_cast<std::int32_t>(amount);  // units 1..4 count in 32 bits
  switch (unit) {
    case kDays:
      return store::PlusDays(start, count);
    case kWeeks:
      return store::PlusDays(start, 7 * count);
    case kMonths:
      return store::PlusMonths(start, count);
    case kYears:
      return store::PlusYears(start, count);
    case kUntilDate:
      return amount;
    default:
      return start;
  }
}

}  // namespace

void AddHireTerm(model::RosterEntry* entry, std::int64_t amount, int unit, int circuit,
                 int jitter) {
  store::Procedure procedure("OC_NEWCO");
  if (entry == nullptr || entry->hire_term_count >= model::kMaxHireTerms ||
      entry->hire_term_count < 0) {
    return;
  }
  int count = entry->hire_term_count;
  const model::HireTerm* last = count > 0 ? entry->hire_terms[count] : nullptr;
  std::int64_t start =
      last ? last->end : model::Circuits().records[static_cast<std::size_t>(circuit)].today;
  std::int64_t end = TermEnd(start, amount, unit);
  if (jitter != 0 && unit != kUntilDate) {
    auto shift = static_cast<std::int64_t>(store::Platform().Random() * 14);
    end = store::PlusDays(end, -7 + (1 + shift));
  }
  if (entry->hire_terms == nullptr) {
    entry->hire_terms = store::NewList<model::HireTerm*>(model::kMaxHireTerms);
  }
  model::HireTerm* term = store::NewObject<model::HireTerm>();
  if (term == nullptr || entry->hire_terms == nullptr) return;
  term->start = start;
  term->end = end;
  term->days = store::DATEDIFF(end, start);
  entry->hire_term_count = count + 1;
  entry->hire_terms[count + 1] = term;
  entry->current_term = term;
}

}  // namespace kzo::circuits
