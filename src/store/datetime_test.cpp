#include "store/datetime.h"

#include <gtest/gtest.h>

#include <limits>

#include "store/bits.h"

namespace kzo::store {
namespace {

std::int64_t Date(int year, int month, int day, int hour = 0) {
  return DateTimeFromCalendar({year, month, day, hour});
}

TEST(DateTimeTest, CountsFromThe1601Epoch) {
  EXPECT_EQ(DateTimeFromCalendar({1601, 1, 1}), 0);
  EXPECT_EQ(DateTimeFromCalendar({1601, 1, 2}), kDateTimeDay);
  // The well-known distance from 1601 to 1970 in 100-ns units.
  EXPECT_EQ(DateTimeFromCalendar({1970, 1, 1}), 116444736000000000);
  CalendarTime t = CalendarFromDateTime(DateTimeFromCalendar({2024, 2, 29, 13, 45, 12, 250}));
  EXPECT_EQ(t.year, 2024);
  EXPECT_EQ(t.month, 2);
  EXPECT_EQ(t.day, 29);
  EXPECT_EQ(t.hour, 13);
  EXPECT_EQ(t.minute, 45);
  EXPECT_EQ(t.second, 12);
  EXPECT_EQ(t.millisecond, 250);
  CalendarTime before = CalendarFromDateTime(-1);
  EXPECT_EQ(before.year, 1600);
  EXPECT_EQ(before.day, 31);
}

TEST(CalendarArithmeticTest, MonthsKeepTheDayWhereTheNewMonthHasIt) {
  EXPECT_EQ(PlusMonths(Date(2025, 1, 31), 1), Date(2025, 2, 28));
  EXPECT_EQ(PlusMonths(Date(2024, 1, 31), 1), Date(2024, 2, 29));
  EXPECT_EQ(PlusMonths(Date(2024, 3, 31), -1), Date(2024, 2, 29));
  EXPECT_EQ(PlusMonths(Date(2024, 1, 15), -13), Date(2022, 12, 15));
  EXPECT_EQ(PlusMonths(Date(2024, 11, 30, 6), 14), Date(2026, 1, 30, 6));
  EXPECT_EQ(PlusYears(Date(2024, 2, 29), 1), Date(2025, 2, 28));
  EXPECT_EQ(PlusYears(Date(2024, 2, 29), 4), Date(2028, 2, 29));
  EXPECT_EQ(PlusDays(Date(2024, 2, 29, 6), 2), Date(2024, 3, 2, 6));
  EXPECT_EQ(PlusDays(Date(1601, 1, 2), -3), Date(1600, 12, 30));
}

TEST(CalendarArithmeticTest, ResultsBeyondTheRangeOfADateTimeAreClamped) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(PlusDays(0, std::int64_t{1} << 50), kMax);
  EXPECT_EQ(PlusDays(-kDateTimeDay, -(std::int64_t{1} << 50)), kMin);
  EXPECT_EQ(PlusDays(kMax - 1, 1), kMax);
  EXPECT_EQ(PlusMonths(0, std::int64_t{1} << 40), kMax);
  EXPECT_EQ(PlusYears(0, -(std::int64_t{1} << 30)), kMin);
}

TEST(CalendarArithmeticTest, DateDiffCountsWholeDaysRoundedDown) {
  EXPECT_EQ(DATEDIFF(Date(2026, 3, 1), Date(2026, 3, 1)), 0);
  EXPECT_EQ(DATEDIFF(Date(2026, 3, 2), Date(2026, 3, 1)), 1);
  EXPECT_EQ(DATEDIFF(Date(2026, 3, 1), Date(2026, 3, 1, 1)), -1);
  EXPECT_EQ(DATEDIFF(Date(2026, 3, 2) + 9999, Date(2026, 3, 1)), 1) << "milliseconds dropped";
  EXPECT_EQ(DATEDIFF(std::numeric_limits<std::int64_t>::min(), 0), -10675200);
}

TEST(DateTimeTest, StampBuildersAreZero) {
  EXPECT_EQ(MAKEDATE(2003, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(DATETIME(), 0);
}

TEST(BitsTest, GetBits) {
  EXPECT_EQ(GETBITS(181, 1, 4), 10);
  EXPECT_EQ(GETBITS(181, 5, 8), 5);
  EXPECT_EQ(GETBITS(181, 0, 0), 1);
  EXPECT_EQ(GETBITS(-1, 4, 7), 15);
  EXPECT_EQ(GETBITS(181, 4, 2), 0);
  EXPECT_EQ(GETBITS(static_cast<std::int32_t>(0x80000000), 16, 30), 0) << "bit 31 stays out";
}

}  // namespace
}  // namespace kzo::store
