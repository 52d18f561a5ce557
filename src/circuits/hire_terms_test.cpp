#include "circuits/hire_terms.h"

#include "circuits/circuit_test_support.h"
#include "store/datetime.h"

namespace kzo::circuits {
namespace {

std::int64_t Date(int year, int month, int day, int hour = 0) {
  return store::DateTimeFromCalendar({year, month, day, hour});
}

class HireTermTest : public CircuitTest {
 protected:
  // The end of a first term of amount units from today, without jitter.
  std::int64_t EndFrom(std::int64_t today, std::int64_t amount, int unit) {
    model::Circuits().records[1].today = today;
    model::RosterEntry entry{};
    AddHireTerm(&entry, amount, unit, 1, 0);
    EXPECT_EQ(entry.hire_term_count, 1);
    return entry.current_term->end;
  }
};

TEST_F(HireTermTest, TheUnitOfTheLength) {
  EXPECT_EQ(EndFrom(Date(2024, 2, 29, 6), 2, kDays), Date(2024, 3, 2, 6));
  EXPECT_EQ(EndFrom(Date(2024, 2, 29), 2, kWeeks), Date(2024, 3, 14));
  EXPECT_EQ(EndFrom(Date(2025, 1, 31), 1, kMonths), Date(2025, 2, 28));
  EXPECT_EQ(EndFrom(Date(2024, 2, 29), 1, kYears), Date(2025, 2, 28));
  EXPECT_EQ(EndFrom(Date(2024, 2, 29), 1234567, kUntilDate), 1234567);
  EXPECT_EQ(EndFrom(Date(2024, 2, 29), 5, 9), Date(2024, 2, 29));
  EXPECT_EQ(EndFrom(Date(2024, 2, 29), 0x100000001, kDays), Date(2024, 3, 1))
      << "lengths count in 32 bits";
}

TEST_F(HireTermTest, TermsFollowEachOtherAndStopAtTen) {
  model::Circuits().records[1].today = Date(2026, 1, 1);
  model::RosterEntry entry{};
  for (int i = 0; i < 12; ++i) AddHireTerm(&entry, 1, kMonths, 1, 0);
  EXPECT_EQ(entry.hire_term_count, 10);
  EXPECT_EQ(entry.hire_terms[2]->start, Date(2026, 2, 1));
  EXPECT_EQ(entry.hire_terms[2]->days, 28);
  EXPECT_EQ(entry.current_term, entry.hire_terms[10]);
  EXPECT_EQ(entry.current_term->end, Date(2026, 11, 1));
  AddHireTerm(nullptr, 1, kMonths, 1, 0);  // nothing to add to
}

TEST_F(HireTermTest, JitterMovesTheEndBySixDaysEarlierToSevenLater) {
  model::Circuits().records[1].today = Date(2026, 1, 1);
  for (auto [random, shift] : {std::pair{0.0, -6}, {0.5, 1}, {0.9999, 7}}) {
    env.random_value = random;
    model::RosterEntry entry{};
    AddHireTerm(&entry, 1, kMonths, 1, 1);
    EXPECT_EQ(entry.current_term->end, Date(2026, 2, 1) + shift * store::kDateTimeDay) << random;
  }
  env.random_value = 0.0;
  model::RosterEntry until{};
  AddHireTerm(&until, 77, kUntilDate, 1, 1);
  EXPECT_EQ(until.current_term->end, 77) << "no jitter on a fixed date";
}

}  // namespace
}  // namespace kzo::circuits
