// Fuzzes participant name matching. Input parts (separated by a line "---"): two
// participant texts, the circuit's teams file, the legacy teams file, and a name list
// (one name per line) to look the names up in.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_env.h"
#include "matchtext/participants.h"
#include "roster/database.h"
#include "roster/name_index.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kzo::fuzz::FuzzEnv env;
  using namespace kzo;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  env.BeginRun();
  env.ClearFiles();
  std::string_view first = fuzz::Part(input, 0);
  std::string_view second = fuzz::Part(input, 1);
  std::string_view circuit_teams = fuzz::Part(input, 2);
  if (!circuit_teams.empty()) env.AddFile("/legacy/circ/teams.dat", circuit_teams);
  env.AddFile("/legacy/data/teams.dat", fuzz::Part(input, 3));
  roster::Database().legacy_folder = store::NewRecordString("/legacy");

  std::string reduced = matchtext::ReduceParticipantText(first);
  std::vector<std::string> split = matchtext::SplitParticipantList(reduced);
  if (split.size() != static_cast<std::size_t>(matchtext::CountSeparators(reduced)) + 1) {
    std::abort();
  }

  std::vector<std::string> name_texts;
  for (std::string_view line : fuzz::SplitLines(fuzz::Part(input, 4))) {
    name_texts.emplace_back(CutAtZero(line));
  }
  std::vector<Text> names{nullptr};
  for (const std::string& name : name_texts) names.push_back(name.c_str());
  roster::NameIndex index;
  index.Build(names);
  std::vector<std::int32_t> numbers(201, 0);
  for (const char* folder : {"/legacy\\circ\\", "/legacy\\circ", "/legacy\\nowhere"}) {
    int found = matchtext::BreakDownParticipants(first, numbers, index, folder);
    if (found < 0) std::abort();
    (void)matchtext::MATCHES(first, second, folder);
    (void)matchtext::MATCHES(second, first, folder);
  }
  env.EndRun();
  return 0;
}
