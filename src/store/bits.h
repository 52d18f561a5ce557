// Bit fields of packed legacy numbers.
#pragma once

#include <cstdint>
#include <span>

namespace kzo::store {

// Bits first..last of value, shifted down to bit 0: GETBITS(181, 1, 4) is 10. 0 when
// first is greater than last. Callers pass a 32-bit item sign-extended to 64 bits.
inline std::int32_t GETBITS(std::int64_t value, int first, int last) {
  if (first > last || first > 63 || last < 0) return 0;
  if (first < 0) first = 0;
  if (last > 63) last = 63;
  std::uint64_t shifted = static_cast<std::uint64_t>(value) >> first;
  int width = last - first + 1;
  if (width < 64) shifted &= (std::uint64_t{1} << width) - 1;
  return static_cast<std::int32_t>(shifted);
}

// A one-bit field of a record and the bit of a flag word that holds it.
template <class Record>
struct FlagBit {
  int bit;
  std::int32_t Record::*field;
};

// Sets every listed one-bit field of record from its bit of word.
template <class Record>
void SetFlagBits(Record& record, std::int32_t word, std::span<const FlagBit<Record>> flags) {
  for (const FlagBit<Record>& flag : flags) record.*flag.field = GETBITS(word, flag.bit, flag.bit);
}

}  // namespace kzo::store
