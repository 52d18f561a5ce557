#include "driver/importer.h"

#include <string>
#include <vector>

#include "driver/command_line.h"
#include "driver/run.h"
#include "matchtext/result.h"
#include "model/circuit.h"
#include "platform/beside_files.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::driver {
namespace {

constexpr std::string_view kReportName = "matches.txt";

bool IsSkippedKind(Text match_type) {
  std::string_view kind = View(match_type);
  return kind == "Comments" || kind == "Interview";
}

// True when the load stored the whole breakdown of the match (every name); a heap that
// was full leaves it incomplete, and the result is parsed again.
bool HasWholeBreakdown(const model::MatchRecord& match) {
  if (match.breakdown == nullptr) return false;
  for (std::int32_t i = 1; i <= match.breakdown_count; ++i) {
    if (match.breakdown[i].name == nullptr) return false;
  }
  return true;
}

void WriteParticipant(int file, std::string_view name, std::int32_t value, std::string& line) {
  line.assign(name).append(": ").append(std::to_string(value));
  store::PrintLine(file, line);
}

// The result, then one line per participant: the breakdown the load stored, which is the
// parse of the same sentence.
void WriteMatch(int file, const model::MatchRecord& match) {
  std::string_view result = View(model::ResultText(match));
  store::PrintLine(file, result);
  std::string line;
  if (HasWholeBreakdown(match)) {
    for (std::int32_t i = 1; i <= match.breakdown_count; ++i) {
      WriteParticipant(file, View(match.breakdown[i].name), match.breakdown[i].value, line);
    }
  } else {
    for (const matchtext::ResultEntry& entry : matchtext::ParseResult(result)) {
      WriteParticipant(file, entry.name, entry.value, line);
    }
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

// Writes every reported match into the file at path; true when it was written whole.
bool WriteReportInto(const std::string& path) {
  int file = store::FreeFile();
  store::OpenFile(path, store::FileMode::kOutput, file);
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

// A report the user protected (it exists, and may not be written): written to as the
// legacy program wrote it, every failure reported, and never replaced.
bool IsProtected(platform::Env& env, std::string_view path) {
  if (!env.FileExists(path)) return false;
  platform::OpenResult opened = env.Open(path, platform::OpenMode::kAppend);
  if (opened.error != 0) return true;
  env.Close(opened.handle);
  return false;
}

}  // namespace

bool WriteMatchReport() {
  platform::Env& env = store::Platform();
  platform::RemoveLeftovers(env, kReportName);
  if (IsProtected(env, kReportName)) return WriteReportInto(std::string(kReportName));
  std::string written = platform::NameBeside(env, kReportName, "new");
  if (WriteReportInto(written) && env.ReplaceFile(written, kReportName) == 0) return true;
  env.DeleteFile(written);
  return false;
}

int ImporterMain(platform::Env& env) {
  LoadLegacyFolder(env);
  return WriteMatchReport() ? kExitOk : kExitOutputFailed;
}

}  // namespace kzo::driver
