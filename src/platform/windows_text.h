// The texts Windows' own services take and give (UTF-16) and the programs' texts: legacy
// bytes are code page 437, and what the command line names is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kzo::platform {

std::wstring WideFromCp437(std::string_view bytes);
// nullopt when a character has no byte in code page 437.
std::optional<std::string> Cp437FromWide(std::wstring_view text);

// Bytes that are not UTF-8 become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace kzo::platform
