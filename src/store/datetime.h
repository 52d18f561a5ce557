// Date-time values: a signed 64-bit count of 100-nanosecond intervals since 1 January 1601
// 00:00 of the local calendar; one day is 864000000000.
#pragma once

#include <cstdint>

namespace kzo::store {

constexpr std::int64_t kDateTimeDay = 864000000000;

struct CalendarTime {
  int year = 1601, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// a / b rounded towards minus infinity (b > 0).
std::int64_t FloorDivide(std::int64_t a, std::int64_t b);

// Days from 1 January 1601 to the date (proleptic Gregorian calendar).
std::int64_t DaysSince1601(int year, int month, int day);
std::int64_t DateTimeFromCalendar(const CalendarTime& time);
CalendarTime CalendarFromDateTime(std::int64_t value);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Calendar arithmetic. Each keeps the time of day of start; a result beyond the range of a
// date-time is clamped to it.
// start plus whole days.
std::int64_t PlusDays(std::int64_t start, std::int64_t days);
// start plus calendar months: the day of the month is kept when the new month has it, else
// the month's last day is taken.
std::int64_t PlusMonths(std::int64_t start, std::int64_t months);
// start plus calendar years of 12 months: 29 February becomes 28 February in a common year.
std::int64_t PlusYears(std::int64_t start, std::int64_t years);

// Whole days from earlier to later, rounded down (towards minus infinity); milliseconds do
// not count.
std::int32_t DATEDIFF(std::int64_t later, std::int64_t earlier);

// The two date-time builders of the import stamp; both give 0 whatever their arguments.
std::int64_t MAKEDATE(int year, int month, int day, int hour, int minute, int second);
std::int64_t DATETIME();

}  // namespace kzo::store
