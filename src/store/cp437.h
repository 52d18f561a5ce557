// Letter case by the code page 437 rules: the letters A to Z and the seven accented
// capitals that have a small form (Ç, Ü, É, Ä, Å, Ñ, Ö).
#pragma once

#include <string>
#include <string_view>

namespace kzo::store {

inline char LowerCase437(char c) {
  switch (static_cast<unsigned char>(c)) {
    case 0x80:
      return static_cast<char>(0x87);  // Ç ç
    case 0x9A:
      return static_cast<char>(0x81);  // Ü ü
    case 0x90:
      return static_cast<char>(0x82);  // É é
    case 0x8E:
      return static_cast<char>(0x84);  // Ä ä
    case 0x8F:
      return static_cast<char>(0x86);  // Å å
    case 0xA5:
      return static_cast<char>(0xA4);  // Ñ ñ
    case 0x99:
      return static_cast<char>(0x94);  // Ö ö
    default:
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  }
}

// True for a letter that upper-casing changes: a to z and ü, é, ä, å, ç, ö, ñ.
inline bool IsLowerCase437(char c) {
  switch (static_cast<unsigned char>(c)) {
    case 0x81:
    case 0x82:
    case 0x84:
    case 0x86:
    case 0x87:
    case 0x94:
    case 0xA4:
      return true;
    default:
      return c >= 'a' && c <= 'z';
  }
}

inline std::string LowerCase437(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerCase437(c);
  return lower;
}

}  // namespace kzo::store
