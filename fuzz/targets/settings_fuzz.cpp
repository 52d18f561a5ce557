// Fuzzes the settings lookup and the value scrambling. Input parts (separated by a line
// "---"): the settings file, the key, a text to scramble.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/settings.h"
#include "fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kzo::fuzz::FuzzEnv env;
  using namespace kzo;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  env.BeginRun();
  env.ClearFiles();
  env.AddFile("/legacy/kzo.cnf", fuzz::Part(input, 0));
  std::string_view key = fuzz::Part(input, 1);
  std::string value = config::GetSetting("/legacy\\kzo.cnf", key);
  // A plain line's value ends at its line end (a scrambled one may unscramble to any byte).
  if (input.find('_') == std::string_view::npos && value.find('\r') != std::string::npos) {
    std::abort();
  }
  (void)config::GetSetting("/legacy\\missing\\kzo.cnf", key);

  std::string_view text = fuzz::Part(input, 2);
  std::string scrambled = config::ScrambleText(text, 1);
  if (!text.empty() && text.front() == '_') {
    if (scrambled != text) std::abort();
  } else if (config::ScrambleText(scrambled, -1) != text) {
    std::abort();  // unscrambling gives back what was scrambled
  }
  (void)config::ScrambleOrUnscramble(text, 0);
  (void)config::ScrambleText(text, static_cast<int>(size % 5) - 2);
  env.EndRun();
  return 0;
}
