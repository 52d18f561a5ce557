// Texts of the model: a record string is a zero-terminated byte string in the object
// heap; a null reference means "not set", while an empty text is a reference to a zero
// byte. Bytes keep the legacy single-byte encoding.
#pragma once

#include <string>
#include <string_view>

namespace kzo {

using Text = const char*;

// The bytes of a text; a null text reads as the empty text.
inline std::string_view View(Text text) {
  return text ? std::string_view(text) : std::string_view();
}

// Cuts a text at its first zero byte, as every record string is cut.
inline std::string_view CutAtZero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// The text without the given characters at either end.
inline std::string_view StripEnds(std::string_view text, std::string_view characters) {
  std::size_t first = text.find_first_not_of(characters);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

// The text without blanks (0x20 only) at either end.
inline std::string_view TrimBlanks(std::string_view text) {
  return StripEnds(text, " ");
}

// Replaces every occurrence of from, left to right and without overlap; the inserted text
// is not searched again. An empty from changes nothing.
inline std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string replaced;
  std::size_t start = 0;
  for (std::size_t found = text.find(from); found != std::string_view::npos;
       found = text.find(from, start)) {
    replaced.append(text.substr(start, found - start)).append(to);
    start = found + from.size();
  }
  replaced.append(text.substr(start));
  return replaced;
}

}  // namespace kzo
