#include "store/datetime.h"

namespace kzo::store {
namespace {

constexpr std::int64_t kUnitsPerMillisecond = 10000;
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

std::int64_t MAKEDATE(int, int, int, int, int, int) {
  return 0;
}

std::int64_t DATETIME() {
  return 0;
}

}  // namespace kzo::store
