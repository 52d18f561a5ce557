// Fuzzes the result sentence parser with one sentence.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "fuzz_env.h"
#include "matchtext/result.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kzo::fuzz::FuzzEnv env;
  using namespace kzo;
  std::string_view sentence(reinterpret_cast<const char*>(data), size);
  env.BeginRun();
  std::vector<matchtext::ResultEntry> entries = matchtext::ParseResult(sentence);
  if (entries.size() > static_cast<std::size_t>(matchtext::kMaxResultEntries)) std::abort();
  for (const matchtext::ResultEntry& entry : entries) {
    if (entry.value != 1 && entry.value != -1 && entry.value != 2 && entry.value != -2) {
      std::abort();
    }
  }
  std::vector<std::string_view> names = matchtext::SplitResultSide(sentence);
  if (names.size() > static_cast<std::size_t>(matchtext::kMaxResultEntries)) std::abort();
  for (std::string_view name : names) {  // every name is a piece of the sentence
    if (!name.empty() && (name.data() < sentence.data() ||
                          name.data() + name.size() > sentence.data() + sentence.size())) {
      std::abort();
    }
  }
  env.EndRun();
  return 0;
}
