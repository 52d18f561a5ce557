#include "store/datetime.h"

#include <gtest/gtest.h>

#include "store/bits.h"

namespace kzo::store {
namespace {

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
