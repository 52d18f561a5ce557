// Settings files ("\kzo.cnf"): lines of key, "=", value, each line either plain or
// scrambled (a leading "_" followed by the scrambled form of a whole plain line).
#pragma once

#include <string>
#include <string_view>

namespace kzo::config {

// The value of the first line of the settings file that sets key, or an empty text. Keys
// match in any letter case (A to Z and the accented capitals of code page 437); the value
// keeps its case and everything after the "=", blanks and further "=" included. A missing
// file is created empty. The file is read anew on every call.
std::string GetSetting(std::string_view file_path, std::string_view key);

// Scrambles text (direction +1: "_" followed by the shifted bytes) or unscrambles it
// (direction -1: drops the "_" and shifts back). Text that is already in the asked form
// (scrambled text with +1, text without a leading "_" with -1) is returned unchanged, as
// is text for any other direction.
std::string ScrambleText(std::string_view text, int direction);

// ScrambleText(text, +1) when encode is not 0, else ScrambleText(text, -1).
std::string ScrambleOrUnscramble(std::string_view text, int encode);

}  // namespace kzo::config
