#include "circuits/hire_terms.h"

#include <limits>

#include "store/datetime.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::circuits {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10000000;
constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  std::int64_t sum;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? std::numeric_limits<std::int64_t>::max()
               : std::numeric_limits<std::int64_t>::min();
}

std::int64_t PlusDays(std::int64_t start, std::int64_t days) {
  std::int64_t units;
  if (__builtin_mul_overflow(days, store::kDateTimeDay, &units)) {
    units = days > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
  }
  return SaturatingAdd(start, units);
}

// Keeps the time of day of start on a new calendar date.
std::int64_t OnDate(std::int64_t start, std::int64_t year, std::int64_t month, int day) {
  store::CalendarTime time = store::CalendarFromDateTime(start);
  std::int64_t days_from_start =
      store::DaysSince1601(static_cast<int>(year), static_cast<int>(month), day) -
      store::DaysSince1601(time.year, time.month, time.day);
  return PlusDays(start, days_from_start);
}

std::int64_t PlusMonths(std::int64_t start, std::int64_t months) {
  store::CalendarTime time = store::CalendarFromDateTime(start);
  std::int64_t index = static_cast<std::int64_t>(time.year) * 12 + (time.month - 1) + months;
  std::int64_t year = index >= 0 ? index / 12 : (index - 11) / 12;
  std::int64_t month = index - year * 12 + 1;
  if (year < -1000000 || year > 1000000)
    return months > 0 ? std::numeric_limits<std::int64_t>::max()
                      : std::numeric_limits<std::int64_t>::min();
  int last = store::DaysInMonth(static_cast<int>(year), static_cast<int>(month));
  return OnDate(start, year, month, time.day < last ? time.day : last);
}

std::int64_t PlusYears(std::int64_t start, std::int64_t years) {
  return PlusMonths(start, years * 12);
}

std::int64_t TermEnd(std::int64_t start, std::int64_t amount, int unit) {
  std::int64_t count = static_cast<std::int32_t>(amount);  // units 1..4 count in 32 bits
  switch (unit) {
    case kDays:
      return PlusDays(start, count);
    case kWeeks:
      return PlusDays(start, 7 * count);
    case kMonths:
      return PlusMonths(start, count);
    case kYears:
      return PlusYears(start, count);
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
    end = PlusDays(end, -7 + (1 + shift));
  }
  if (entry->hire_terms == nullptr) {
    entry->hire_terms = store::NewList<model::HireTerm*>(model::kMaxHireTerms);
  }
  model::HireTerm* term = store::NewObject<model::HireTerm>();
  if (term == nullptr || entry->hire_terms == nullptr) return;
  term->start = start;
  term->end = end;
  term->days = DATEDIFF(end, start);
  entry->hire_term_count = count + 1;
  entry->hire_terms[count + 1] = term;
  entry->current_term = term;
}

std::int32_t DATEDIFF(std::int64_t later, std::int64_t earlier) {
  std::int64_t seconds =
      store::FloorDivide(later, kUnitsPerSecond) - store::FloorDivide(earlier, kUnitsPerSecond);
  std::int64_t days = store::FloorDivide(seconds, kSecondsPerDay);
  if (days > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (days < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(days);
}

}  // namespace kzo::circuits
