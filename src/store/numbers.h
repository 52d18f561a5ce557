// Conversion of legacy number texts: decimal numbers with fraction and exponent, "&H",
// "&O" and "&B" radix integers, rounded half to even and clamped to 32 bits.
#pragma once

#include <cstdint>
#include <string_view>

namespace kzo::store {

// Converts the number at the start of text: an optional sign, decimal digits with an
// optional point and fraction, an optional exponent (E, e, D or d with an optional sign);
// or "&" and a radix letter (H 16, O or Q 8, B 2, either case) followed by digits, which
// form an unsigned value. Stops at the first byte that does not fit; no digits give 0.
double ConvertNumber(std::string_view text);

// The nearest integer, ties to even, clamped to the signed 32-bit range.
std::int32_t RoundToInt32(double value);

// The numeric value of a text: leading blanks, tabs, CR and LF skipped, then converted
// and rounded ("1<TAB>2" is 1, "12abc" is 12, a text without a number is 0).
std::int32_t NumericValue(std::string_view text);

}  // namespace kzo::store
