#include "store/datetime.h"

#include <limits>

namespace kzo::store {
namespace {

constexpr std::int64_t kUnitsPerMillisecond = 10000;
constexpr std::int64_t kUnitsPerSecond = 10000000;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kDaysFrom1601To1970 = 134774;

// Days since 1970-01-01 of a civil date, and back (Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  std::int64_t era = FloorDivide(y, 400);
  std::int64_t yoe = y - era * 400;
  std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, CalendarTime& out) {
  z += 719468;
  std::int64_t era = FloorDivide(z, 146097);
  std::int64_t doe = z - era * 146097;
  std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  std::int64_t mp = (5 * doy + 2) / 153;
  out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  out.year = static_cast<int>(yoe + era * 400 + (out.month <= 2));
}

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[(month - 1) % 12];
}

std::int64_t DaysSince1601(int year, int month, int day) {
  return DaysFromCivil(year, month, day) + kDaysFrom1601To1970;
}

std::int64_t DateTimeFromCalendar(const CalendarTime& t) {
  std::int64_t ms =
      ((static_cast<std::int64_t>(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
  return DaysSince1601(t.year, t.month, t.day) * kDateTimeDay + ms * kUnitsPerMillisecond;
}

CalendarTime CalendarFromDateTime(std::int64_t value) {
  CalendarTime t;
  std::int64_t days = FloorDivide(value, kDateTimeDay);
  std::int64_t ms = (value - days * kDateTimeDay) / kUnitsPerMillisecond;
  CivilFromDays(days - kDaysFrom1601To1970, t);
  t.millisecond = static_cast<int>(ms % 1000);
  t.second = static_cast<int>(ms / 1000 % 60);
  t.minute = static_cast<int>(ms / 60000 % 60);
  t.hour = static_cast<int>(ms / 3600000);
  return t;
}

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

namespace {

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  std::int64_t sum;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? std::numeric_limits<std::int64_t>::max()
               : std::numeric_limits<std::int64_t>::min();
}

// Keeps the time of day of start on a new calendar date.
std::int64_t OnDate(std::int64_t start, std::int64_t year, std::int64_t month, int day) {
  CalendarTime time = CalendarFromDateTime(start);
  std::int64_t days_from_start =
      DaysSince1601(static_cast<int>(year), static_cast<int>(month), day) -
      DaysSince1601(time.year, time.month, time.day);
  return PlusDays(start, days_from_start);
}

}  // namespace

std::int64_t PlusDays(std::int64_t start, std::int64_t days) {
  std::int64_t units;
  if (__builtin_mul_overflow(days, kDateTimeDay, &units)) {
    units = days > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
  }
  return SaturatingAdd(start, units);
}

std::int64_t PlusMonths(std::int64_t start, std::int64_t months) {
  CalendarTime time = CalendarFromDateTime(start);
  std::int64_t index = static_cast<std::int64_t>(time.year) * 12 + (time.month - 1) + months;
  std::int64_t year = index >= 0 ? index / 12 : (index - 11) / 12;
  std::int64_t month = index - year * 12 + 1;
  if (year < -1000000 || year > 1000000)
    return months > 0 ? std::numeric_limits<std::int64_t>::max()
                      : std::numeric_limits<std::int64_t>::min();
  int last = DaysInMonth(static_cast<int>(year), static_cast<int>(month));
  return OnDate(start, year, month, time.day < last ? time.day : last);
}

std::int64_t PlusYears(std::int64_t start, std::int64_t years) {
  return PlusMonths(start, years * 12);
}

std::int32_t DATEDIFF(std::int64_t later, std::int64_t earlier) {
  std::int64_t seconds =
      FloorDivide(later, kUnitsPerSecond) - FloorDivide(earlier, kUnitsPerSecond);
  std::int64_t days = FloorDivide(seconds, kSecondsPerDay);
  if (days > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (days < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(days);
}

std::int64_t MAKEDATE(int, int, int, int, int, int) {
  return 0;
}

std::int64_t DATETIME() {
  return 0;
}

}  // namespace kzo::store
