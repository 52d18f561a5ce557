// Fuzzes the whole import: the input's parts (separated by a line "---") become the files
// of a legacy folder written into a fresh temporary folder (a file whose part the input
// lacks is not written), which is then loaded and reported on like a run of the importer.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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

int PartCount(std::string_view input) {
  int count = 1;
  for (std::size_t at = 0; (at = input.find("\n---\n", at)) != std::string_view::npos; at += 5) {
    ++count;
  }
  return count;
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
  static const std::string home = std::filesystem::current_path().string();
  using namespace kzo;
  std::string_view input(reinterpret_cast<const char*>(data), size);

  std::string pattern = (std::filesystem::temp_directory_path() / "kzo-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  std::filesystem::path folder = pattern;
  std::filesystem::create_directories(folder / "data");
  std::filesystem::create_directories(folder / "c");
  int parts = PartCount(input);
  for (int i = 0; i < parts && i < static_cast<int>(std::size(kFiles)); ++i) {
    WriteFile(folder / kFiles[i], fuzz::Part(input, i));
  }

  env.SetDiskAccess(true);
  env.BeginRun();
  if (chdir(folder.c_str()) != 0) std::abort();
  driver::LOADDBS(folder.string());
  driver::WriteMatchReport();
  env.EndRun();
  if (chdir(home.c_str()) != 0) std::abort();
  CheckReport(ReadFile(folder / "matches.txt"));

  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
