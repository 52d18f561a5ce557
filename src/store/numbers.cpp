#include "store/numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace kzo::store {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int RadixOf(char letter) {
  switch (letter) {
    case 'H':
    case 'h':
      return 16;
    case 'O':
    case 'o':
    case 'Q':
    case 'q':
      return 8;
    case 'B':
    case 'b':
      return 2;
    default:
      return 0;
  }
}

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

double ConvertRadix(std::string_view digits, int radix) {
  std::uint64_t value = 0;
  constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();
  for (char c : digits) {
    int digit = DigitValue(c);
    if (digit >= radix) break;
    value = value > (kSaturated - digit) / radix ? kSaturated : value * radix + digit;
  }
  return static_cast<double>(value);
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

}  // namespace

double ConvertNumber(std::string_view text) {
  if (!text.empty() && text[0] == '&') {
    return text.size() >= 2 && RadixOf(text[1]) ? ConvertRadix(text.substr(2), RadixOf(text[1]))
                                                : 0.0;
  }
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  std::size_t int_start = at;
  at = SkipDigits(text, at);
  std::string_view whole = text.substr(int_start, at - int_start);
  std::string_view fraction;
  if (at < text.size() && text[at] == '.') {
    std::size_t frac_start = at + 1;
    at = SkipDigits(text, frac_start);
    fraction = text.substr(frac_start, at - frac_start);
  }
  if (whole.empty() && fraction.empty()) return 0.0;
  // Plain integers of up to nine digits need no floating-point parse.
  if (fraction.empty() && whole.size() <= 9 &&
      (at >= text.size() ||
       (text[at] != 'E' && text[at] != 'e' && text[at] != 'D' && text[at] != 'd'))) {
    std::int64_t value = 0;
    for (char c : whole) value = value * 10 + (c - '0');
    return negative ? -static_cast<double>(value) : static_cast<double>(value);
  }
  std::string normal(negative ? "-" : "");
  normal.append(whole.empty() ? std::string_view("0") : whole);
  if (!fraction.empty()) normal.append(".").append(fraction);
  if (at < text.size() &&
      (text[at] == 'E' || text[at] == 'e' || text[at] == 'D' || text[at] == 'd')) {
    std::size_t exp = at + 1;
    std::string sign;
    if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) sign = text[exp++];
    std::size_t exp_end = SkipDigits(text, exp);
    if (exp_end > exp) normal.append("e").append(sign).append(text.substr(exp, exp_end - exp));
  }
  return std::strtod(normal.c_str(), nullptr);
}

std::int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  double rounded = std::nearbyint(value);
  if (rounded >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (rounded <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(rounded);
}

std::int32_t NumericValue(std::string_view text) {
  std::size_t at = text.find_first_not_of(" \t\r\n");
  if (at == std::string_view::npos) return 0;
  return RoundToInt32(ConvertNumber(text.substr(at)));
}

}  // namespace kzo::store
