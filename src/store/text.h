// Texts of the model: a record string is a zero-terminated byte string in the object
// heap; a null reference means "not set", while an empty text is a reference to a zero
// byte. Bytes keep the legacy single-byte encoding.
#pragma once

#include <string_view>

namespace kzo {

using Text = const char*;

// The bytes of a text; a null text reads as the empty text.
inline std::string_view View(Text text) { return text ? std::string_view(text) : std::string_view(); }

// Cuts a text at its first zero byte, as every record string is cut.
inline std::string_view CutAtZero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace kzo
