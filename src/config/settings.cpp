#include "config/settings.h"

#include <cstddef>

#include "store/cp437.h"
#include "store/files.h"
#include "store/runtime.h"
#include "store/text.h"

namespace kzo::config {
namespace {

constexpr char kScrambleMark = '_';

bool StartsWithPrefix(std::string_view line, std::string_view lower_prefix) {
  if (line.size() < lower_prefix.size()) return false;
  return store::LowerCase437(line.substr(0, lower_prefix.size())) == lower_prefix;
}

// The shift of byte i (1-based) of a text of n bytes: (n + (i - 1) + i * i) mod 7, taken
// apart so that no product can overflow whatever the length.
int Shift(std::size_t n, std::size_t i) {
  std::size_t i7 = i % 7;
  return static_cast<int>((n % 7 + (i - 1) % 7 + i7 * i7) % 7);
}

std::string ShiftBytes(std::string_view text, int direction) {
  std::string shifted(text);
  for (std::size_t i = 1; i <= shifted.size(); ++i) {
    auto byte = static_cast<unsigned char>(shifted[i - 1]);
    // Bytes wrap modulo 256 in both directions.
    shifted[i - 1] =
        static_cast<char>(static_cast<unsigned char>(byte + direction * Shift(shifted.size(), i)));
  }
  return shifted;
}

// Makes sure the settings file exists: an append open creates a missing file empty.
void TouchFile(std::string_view file_path) {
  int file = store::FreeFile();
  store::OpenFile(file_path, store::FileMode::kAppend, file);
  store::CloseFile(file);
}

}  // namespace

std::string GetSetting(std::string_view file_path, std::string_view key) {
  store::Procedure procedure("GETCONFS");
  std::string prefix = store::LowerCase437(key) + "=";
  TouchFile(file_path);
  int file = store::FreeFile();
  store::OpenFile(file_path, store::FileMode::kInput, file);
  std::string value;
  while (!store::AtEndOfFile(file)) {
    std::string line(store::ReadLine(file));
    if (!line.empty() && line.front() == kScrambleMark) line = ScrambleOrUnscramble(line, 0);
    std::string_view trimmed = TrimBlanks(line);
    if (StartsWithPrefix(trimmed, prefix)) {
      value = trimmed.substr(prefix.size());
      break;
    }
  }
  store::CloseFile(file);
  return value;
}

std::string ScrambleText(std::string_view text, int direction) {
  store::Procedure procedure("QUICKCRY");
  bool scrambled = !text.empty() && text.front() == kScrambleMark;
  if (direction == 1) return scrambled ? std::string(text) : kScrambleMark + ShiftBytes(text, 1);
  if (direction == -1) return scrambled ? ShiftBytes(text.substr(1), -1) : std::string(text);
  return std::string(text);
}

std::string ScrambleOrUnscramble(std::string_view text, int encode) {
  store::Procedure procedure("QUICKCRY");
  return ScrambleText(text, encode != 0 ? 1 : -1);
}

}  // namespace kzo::config
