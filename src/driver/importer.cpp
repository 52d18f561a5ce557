#include "driver/importer.h"

#include <string>
#include <vector>

#include "driver/command_line.h"
#include "driver/run.h"
#include "matchtext/result.h"
#include "model/circuit.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::driver {
namespace {

bool IsSkippedKind(Text match_type) {
  std::string_view kind = View(match_type);
  return kind == "Comments" || kind == "Interview";
}

void WriteMatch(int file, const model::MatchRecord& match) {
  std::string_view result = View(model::ResultText(match));
  store::PrintLine(file, result);
  std::string line;
  for (const matchtext::ResultEntry& entry : matchtext::ParseResult(result)) {
    line.assign(entry.name).append(": ").append(std::to_string(entry.value));
    store::PrintLine(file, line);
  }
  store::PrintLine(file, "");
}

void WriteShow(int file, const model::ShowRecord& show) {
  int match_count = show.match_count;
  for (int m = 1; m <= match_count; ++m) {
    const model::MatchRecord& match = show.matches[m];
    if (!IsSkippedKind(match.match_type)) WriteMatch(file, match);
  }
}

}  // namespace

bool WriteMatchReport() {
  int file = store::FreeFile();
  store::OpenFile("matches.txt", store::FileMode::kOutput, file);
  const model::CircuitTable& table = model::Circuits();
  int circuit_count = table.count;
  for (int c = 1; c <= circuit_count; ++c) {
    const model::CircuitRecord& circuit = table.records[static_cast<std::size_t>(c)];
    int show_count = circuit.show_count;
    for (int s = 1; s <= show_count && circuit.shows != nullptr; ++s) {
      if (circuit.shows[s] != nullptr) WriteShow(file, *circuit.shows[s]);
    }
  }
  return store::CloseFile(file);
}

int ImporterMain(platform::Env& env) {
  LoadLegacyFolder(env);
  return WriteMatchReport() ? kExitOk : kExitOutputFailed;
}

}  // namespace kzo::driver
