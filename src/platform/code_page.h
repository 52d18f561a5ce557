// Code page 437, the character set of the legacy data, and the Unicode characters its bytes
// stand for: the programs keep legacy texts as bytes and convert only where a text leaves
// them for a system that reads Unicode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kzo::platform {

// The code point a byte stands for; 0x00-0x7F stand for themselves.
char16_t Cp437CodePoint(unsigned char byte);

// The byte that stands for a code point; nullopt when code page 437 has none.
std::optional<unsigned char> Cp437Byte(char32_t code);

// Appends the UTF-8 form of legacy bytes: 0x00-0x7F as themselves, 0x80-0xFF as their
// code page 437 characters.
void AppendCp437AsUtf8(std::string& out, std::string_view bytes);

}  // namespace kzo::platform
