// Fuzzes the whole import: the input's parts (separated by a line "---") become the files
// of a legacy folder in memory (a file whose part the input lacks is not there), which is
// then loaded and reported on like a run of the importer.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "driver/importer.h"
#include "driver/loaddbs.h"
#include "fuzz_env.h"

namespace {

// The files in the order of the input's parts; "c" is the circuit folder the seeds name.
constexpr const char* kFiles[] = {
    "data/managers.dat", "data/moves.dat",    "data/dives.dat",   "data/wrestlrs.dat",
    "data/fobjects.dat", "data/gimmicks.dat", "data/stables.dat", "data/teams.dat",
    "data/crowd.cnf",    "data/wcrowd.cnf",   "kzo.cnf",          "card.lgs",
    "c/card.inf",        "c/card.ovv",        "c/circdb.dat",     "c/card.cfg",
    "c/card.inj",        "c/card.ttl",        "c/cardra.001",     "c/cardfa.001",
    "c/cardca.001",      "c/cardra.002",      "c/card.wht",       "c/card.pts",
    "c/cardt.pts",       "c/cards.pts",       "c/teams.dat",      "c/stables.dat",
    "c/kzo.cnf",
};

// Every CR of the report ends a line with the LF after it, and the report ends with a line
// end.
void CheckReport(const std::string& report) {
  for (std::size_t at = 0; (at = report.find('\r', at)) != std::string::npos; ++at) {
    if (at + 1 >= report.size() || report[at + 1] != '\n') std::abort();
  }
  if (!report.empty() && report.size() < 2) std::abort();
  if (!report.empty() && report.compare(report.size() - 2, 2, "\r\n") != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kzo::fuzz::FuzzEnv env;
  using namespace kzo;
  std::string_view input(reinterpret_cast<const char*>(data), size);

  env.BeginRun();
  env.ClearFiles();
  env.AddFolder("data");
  env.AddFolder("c");
  constexpr std::string_view kSeparator = "\n---\n";
  for (std::string_view file : kFiles) {
    std::size_t end = input.find(kSeparator);
    env.AddFile(file, input.substr(0, end));
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + kSeparator.size());
  }
  driver::LOADDBS(env.WorkingDirectory());
  driver::WriteMatchReport();
  env.EndRun();
  CheckReport(env.FileText("matches.txt"));
  return 0;
}
