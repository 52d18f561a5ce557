// The importer on legacy installations of hostile shapes: truncated files, wrong and
// absurd counts, binary noise, odd line ends, huge lines, too many circuits, circuit
// folders that are missing or lead elsewhere, card blocks that promise more than they
// hold, teams that contain themselves. Every import must end normally within its time
// limit, without a sanitizer report, and leave a well-formed report and circuit databases;
// the exports of every folder are well-formed too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "support/folders.h"
#include "support/legacy_files.h"
#include "support/run_program.h"

namespace kzo {
namespace {

using testing::Lines;
using Files = std::map<std::string, std::string>;  // path below the legacy folder → bytes

// Generous for the sanitizer build; a normal import of these folders takes well under a
// second.
constexpr double kTimeLimitSeconds = 90;
constexpr const char* kHuge = "2000000000";

const char* const kRosterFiles[] = {"data/managers.dat", "data/moves.dat",    "data/dives.dat",
                                    "data/wrestlrs.dat", "data/fobjects.dat", "data/gimmicks.dat",
                                    "data/stables.dat",  "data/teams.dat"};

// A small valid installation: four wrestlers, a team, a stable, two circuits with shows,
// titles and points.
Files BaseInstallation() {
  Files files;
  files["data/wrestlrs.dat"] = testing::RosterFile(
      {testing::WrestlerRecord("Orrin Vale", 80), testing::WrestlerRecord("Tuck Masden", 70),
       testing::WrestlerRecord("Quill Danby", 60, 1), testing::WrestlerRecord("Pim Lorca", 50)});
  for (const char* empty :
       {"managers.dat", "moves.dat", "dives.dat", "fobjects.dat", "gimmicks.dat"}) {
    files[std::string("data/") + empty] = "0\r\n";
  }
  files["data/stables.dat"] =
      "1\r\n" + Lines({"The Union", "2", "1, 2", "0, 0, 0, 0"}) + testing::Repeat("", 17);
  files["data/teams.dat"] = testing::RosterFile(
      {testing::TeamRecord("Tuck Masden", "Quill Danby", "The Drifters", "Wipeout/Tuen")});
  files["data/crowd.cnf"] = Lines({"Orrin Vale_Face=Vale!|Go Orrin", "Tuck Masden_Heel=Boo"});
  files["kzo.cnf"] = Lines({"UsePersons=1", "GlobalHiringLimitTo=|north|"});
  files["card.lgs"] = Lines({"Northern Circuit", "north", "x", "Southern Circuit", "SOUTH", "y"});
  files["north/card.inf"] = "2\r\n";
  files["north/card.ovv"] = Lines({"Opening Night", "Second Show"});
  files["north/card.ttl"] = "1\r\n" + Lines({"Orrin Vale", "North Heavyweight Title", "1"});
  files["north/card.inj"] = Lines({"2", "3"});
  files["north/card.pts"] = Lines({"Orrin Vale", "1, 0, 3, 500, 1, 1"});
  files["north/cardra.001"] =
      "7\r\n" +
      Lines({"5", "Singles\\", "Orrin Vale pinned Tuck Mas", "den after a sup", "lex in 12:34.",
             "Rating: 85", "(Orrin Vale retains)"}) +
      "6\r\n" +
      Lines({"1", "Comments", "Nothing to see.", "2", "Tag Team",
             "Orrin Vale and Pim Lorca defeated The Drifters (Tuck Masden and Quill Danby) when "
             "Orrin Vale pinned Quill Danby."});
  files["north/cardfa.001"] = "3\r\n" + Lines({"2", "Lock up.", "Suplex!"}) + "0\r\n";
  files["north/cardca.001"] = "1\r\n" + Lines({"Great night."}) + "0\r\n";
  files["north/teams.dat"] = testing::RosterFile(
      {testing::TeamRecord("Orrin Vale", "Pim Lorca", "Vale and Lorca", "Big Drop")});
  files["SOUTH/CARD.INF"] = "1\r\n";
  files["SOUTH/CARD.OVV"] = Lines({"Only Show"});
  files["SOUTH/CARDRA.001"] =
      "6\r\n" + Lines({"1", "Interview", "Talk.", "2", "Singles",
                       "Orrin Vale and Tuck Masden battled to a double count-out."});
  return files;
}

// The same bytes for every run: the raw output of a fixed-seed generator.
std::string Noise(std::size_t size, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
  return bytes;
}

// Replaces every CR LF of every file with the given line end.
void ReplaceLineEnds(Files& files, const std::string& line_end) {
  for (auto& [path, bytes] : files) {
    std::string replaced;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes.compare(i, 2, "\r\n") == 0) {
        replaced += line_end;
        ++i;
      } else {
        replaced += bytes[i];
      }
    }
    bytes = replaced;
  }
}

// Replaces the first line of a file (its count) with text.
void SetFirstLine(std::string& bytes, const std::string& text) {
  std::size_t end = bytes.find("\r\n");
  bytes = text + (end == std::string::npos ? "\r\n" : bytes.substr(end));
}

struct HostileCase {
  const char* name;
  std::function<void(Files&)> make;
  // The circuit folders whose "circdb.dat" must exist and be well-formed afterwards.
  std::vector<std::string> databases = {"north", "SOUTH"};
  // Paths below the legacy folder that must not exist afterwards.
  std::vector<std::string> absent = {};
};

// Names the case in test listings.
void PrintTo(const HostileCase& c, std::ostream* out) {
  *out << c.name;
}

std::string MegabyteLine(std::size_t megabytes, char fill) {
  return std::string(megabytes << 20, fill);
}

const HostileCase kCases[] = {
    {"Base", [](Files&) {}},
    {"TruncatedRosterFiles",
     [](Files& f) {
       for (const char* roster : kRosterFiles) f[roster].resize(f[roster].size() / 2);
     }},
    {"TruncatedCardFiles",
     [](Files& f) {
       for (const char* card : {"north/cardra.001", "north/cardfa.001", "north/card.ttl",
                                "north/card.pts", "SOUTH/CARDRA.001"}) {
         f[card].resize(f[card].size() / 3);
       }
     }},
    {"FilesCutToTheirFirstByte",
     [](Files& f) {
       for (auto& [path, bytes] : f) {
         if (path != "card.lgs") bytes.resize(std::min<std::size_t>(bytes.size(), 1));
       }
     }},
    {"EmptyFiles",
     [](Files& f) {
       for (auto& [path, bytes] : f) {
         if (path != "card.lgs") bytes.clear();
       }
     }},
    {"WrongCounts",
     [](Files& f) {
       SetFirstLine(f["data/wrestlrs.dat"], "10");
       SetFirstLine(f["data/teams.dat"], "0");
       f["data/teams.dat"] += f["data/teams.dat"];
       SetFirstLine(f["north/card.inf"], "7");
       SetFirstLine(f["north/card.ttl"], "3");
     }},
    {"HugeRosterCounts",
     [](Files& f) {
       for (const char* roster : kRosterFiles) SetFirstLine(f[roster], kHuge);
     },
     {"north", "SOUTH"}},
    {"HugeCircuitCounts",
     [](Files& f) {
       for (const char* count_file : {"north/card.inf", "north/card.ttl", "north/card.pts",
                                      "north/cardra.001", "north/cardfa.001", "north/cardca.001",
                                      "north/teams.dat", "SOUTH/CARD.INF", "SOUTH/CARDRA.001"}) {
         SetFirstLine(f[count_file], kHuge);
       }
       f["north/card.ovv"] = testing::Repeat("Show", 20);
       f["north/cardt.pts"] = std::string(kHuge) + "\r\nOrrin Vale\r\n1\r\n";
       f["north/stables.dat"] = "1\r\n" + Lines({"The Union", kHuge, "1, 2"});
       f["data/stables.dat"] = "1\r\n" + Lines({"The Union", kHuge, "1, 2"});
     }},
    {"HugeSegmentCounts",
     [](Files& f) {
       f["north/cardra.001"] = "4\r\n" + Lines({kHuge, "Singles\\", "A pinned B.", "Rating: 1"});
       f["north/cardfa.001"] = "2\r\n" + Lines({kHuge, "Lock up."});
     }},
    {"NegativeCounts",
     [](Files& f) {
       for (const char* roster : kRosterFiles) SetFirstLine(f[roster], "-5");
       for (const char* count_file :
            {"north/card.inf", "north/card.ttl", "north/card.pts", "north/cardra.001",
             "north/cardfa.001", "north/cardca.001", "north/teams.dat"}) {
         SetFirstLine(f[count_file], "-3");
       }
       f["north/cardra.002"] =
           "5\r\n" + Lines({"-4", "Singles\\", "A pinned B.", "Rating: 2", "(note)"});
       f["data/stables.dat"] = "1\r\n" + Lines({"The Union", "-7", "0, 0, 0, 0"});
     },
     {"north", "SOUTH"}},
    {"BinaryNoise",
     [](Files& f) {
       std::uint32_t seed = 1;
       for (auto& [path, bytes] : f) {
         if (path != "card.lgs") bytes = Noise(4096, seed++);
       }
     }},
    {"BinaryNoiseEverywhere",
     [](Files& f) {
       std::uint32_t seed = 100;
       for (auto& [path, bytes] : f) bytes = Noise(2048, seed++);
     },
     {}},
    {"NoiseAfterValidHeads",
     [](Files& f) {
       std::uint32_t seed = 200;
       for (auto& [path, bytes] : f) {
         if (path != "card.lgs") bytes = bytes.substr(0, bytes.size() / 2) + Noise(1024, seed++);
       }
     }},
    {"EndOfFileByteInTheMiddle",
     [](Files& f) {
       for (auto& [path, bytes] : f) {
         if (path != "card.lgs") bytes.insert(bytes.size() / 2, 1, '\x1a');
       }
       f["card.lgs"] = Lines({"Northern Circuit", "north", "x", "\x1aSouthern Circuit", "SOUTH"});
     },
     {"north"}},
    {"ZeroBytesInLines",
     [](Files& f) {
       for (auto& [path, bytes] : f) {
         for (std::size_t at = 3; at < bytes.size(); at += 17) bytes[at] = '\0';
       }
       f["card.lgs"] = Lines({std::string("Northern\0Circuit", 16), "north", "x"});
     },
     {"north"}},
    {"BareCarriageReturns", [](Files& f) { ReplaceLineEnds(f, "\r"); }},
    {"BareLineFeeds",
     [](Files& f) { ReplaceLineEnds(f, "\n"); },
     {}},  // card.lgs is one line: one circuit named by its second line, which is missing
    {"MixedLineEnds",
     [](Files& f) {
       ReplaceLineEnds(f, "\n\r");
       f["card.lgs"] = "Northern Circuit\r\nnorth\r\nx\r\n";
     },
     {"north"}},
    {"LinesOfMegabytes",
     [](Files& f) {
       f["data/wrestlrs.dat"].insert(3, MegabyteLine(2, 'W'));
       f["north/cardra.001"].insert(f["north/cardra.001"].find("Orrin"), MegabyteLine(2, 'x'));
       f["north/card.ttl"].insert(3, MegabyteLine(1, '('));
       f["data/teams.dat"].insert(3, MegabyteLine(1, '/'));
       f["kzo.cnf"] = "GlobalHiringLimitTo=" + MegabyteLine(1, '|') + "\r\n";
     }},
    {"MegabyteNumberItems",
     [](Files& f) {
       // Every numeric item of 255 digits: the cut record count still reads about one item
       // per byte, each missing one reported, so this file stays small.
       f["data/wrestlrs.dat"] = std::string(128 << 10, '9') + "\r\n";
       f["north/card.inf"] = MegabyteLine(1, '7') + "\r\n";
       f["north/card.inj"] = MegabyteLine(1, '1') + "\r\n";
     }},
    {"MegabyteResultSentence",
     [](Files& f) {
       std::string sentence;
       while (sentence.size() < (1u << 20)) sentence += "Orrin Vale, Tuck Masden and ";
       sentence += "Pim Lorca pinned The Drifters (A/B) [x] in 1:00.";
       f["north/cardra.001"] = "3\r\n" + Lines({"1", "Singles", sentence});
     }},
    {"MoreThanAHundredCircuits",
     [](Files& f) {
       std::string list;
       for (int c = 1; c <= 130; ++c) {
         std::string folder = "c" + std::to_string(c);
         list += Lines({"Circuit " + std::to_string(c), folder, "x"});
         f[folder + "/card.inf"] = "0\r\n";
       }
       f["card.lgs"] = list;
     },
     {"c1", "c50", "c100"},
     {"c101/circdb.dat", "c101/kzo.cnf", "c130/circdb.dat"}},
    {"MissingCircuitFolders",
     [](Files& f) {
       f["card.lgs"] = Lines({"Gone", "nowhere", "x", "Deep", "no\\such\\folder", "y",
                              "Northern Circuit", "north", "z"});
     },
     {"north"}},
    {"CircuitFoldersThatLeaveTheInstallation",
     [](Files& f) {
       f["card.lgs"] =
           Lines({"Up", "..", "a", "Sideways", "..\\escape", "b", "Inner", "north\\..\\..\\escape",
                  "c", "Slashes", "../escape", "d", "Northern Circuit", "north", "e"});
     },
     {"north"}},
    {"CircuitFoldersThatNameTheInstallation",
     [](Files& f) {
       f["card.lgs"] = Lines({"Root", "\\", "a", "Dot", ".", "b", "Slash", "/", "c", "Dots", ".\\.",
                              "d", "Northern Circuit", "north", "e"});
     },
     {"north"}},
    {"CircuitListEndingWithAnEmptyLine", [](Files& f) { f["card.lgs"] += "\r\n"; }},
    {"CircuitListCutInsideAnEntry",
     [](Files& f) {
       f["card.lgs"] = Lines({"Northern Circuit", "north", "x", "Southern"});
     },
     {"north"}},
    {"CardBlocksPromisingMoreLinesThanTheyHold",
     [](Files& f) {
       f["north/cardra.001"] = "50\r\n" + Lines({"30", "Singles\\",
                                                 "Orrin Vale pinned Tuck "
                                                 "Masden."});
       f["north/cardfa.001"] = "1000\r\n" + Lines({"900", "Lock up."});
       f["north/cardca.001"] = "400\r\n" + Lines({"Great night."});
       f["north/cardra.002"] = "9\r\n" + Lines({"7", "Tag Team\\", "A and B defeated C."});
       f["SOUTH/CARDRA.001"] = "100000\r\n";
     }},
    {"TeamsWhoseMemberBearsTheTeamName",
     [](Files& f) {
       std::string teams = testing::RosterFile(
           {testing::TeamRecord("The Drifters", "Quill Danby", "The Drifters", "Wipeout/Tuen"),
            testing::TeamRecord("Loop", "Loop", "Loop", "+"),
            testing::TeamRecord("A", "B", "B", "x")});
       f["data/teams.dat"] = teams;
       f["north/teams.dat"] = teams;
       f["north/card.ttl"] =
           "2\r\n" + Lines({"The Drifters", "Tag Title", "1", "Loop and Loop", "Loop Title", "2"});
       f["north/card.pts"] =
           Lines({"The Drifters", "1, 2, 3, 4, 5, 6", "Loop/B", "1, 2, 3, 4, 5, 6"});
       f["north/cardra.001"] = "3\r\n" + Lines({"1", "Tag Team", "The Drifters pinned Loop."});
     }},
    {"BracketsAndParenthesesWithoutEnd",
     [](Files& f) {
       std::string holder = "[[[(((" + std::string(5000, '(') + "A)[" + std::string(5000, ']');
       f["north/card.ttl"] = "1\r\n" + Lines({holder, "Odd Title", "1"});
       f["north/card.pts"] = Lines({holder, "1"});
       f["north/cardra.001"] =
           "3\r\n" + Lines({"1", "Singles", "A (B pinned C) (D and [E] pinned F/ / /."});
     }},
    {"CircuitDatabaseWithAHugeHeader",
     [](Files& f) {
       f["north/circdb.dat"] = std::string(kHuge) + "\r\nOrrin Vale\r\n";
       f["SOUTH/circdb.dat"] = "-4\r\n";
     },
     {"SOUTH"}},  // north keeps the one line it held under the new header
    {"ManyShowsAndSegments",
     [](Files& f) {
       f["north/card.inf"] = "6000\r\n";
       f["north/card.ovv"] = testing::Repeat("Show", 6000);
       std::string segments;
       for (int segment = 0; segment < 150; ++segment) {
         segments += Lines({"1", "Singles", "Orrin Vale pinned Tuck Masden."});
       }
       f["north/cardra.001"] = "450\r\n" + segments + "450\r\n" + segments;
     }},
};

// Splits at CR LF, the only line end of a written file: a CR without an LF after it fails
// the test. (An LF without a CR before it ends no line when the file is read again; it is a
// byte of a legacy text, kept as the old files held it.)
std::vector<std::string> CrLfLines(const std::string& bytes, const std::string& what) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << what << ": bare CR at " << i;
      lines.push_back(bytes.substr(start, i - start));
      start = i + 2;
      ++i;
    }
  }
  EXPECT_EQ(start, bytes.size()) << what << ": the last line has no line end";
  return lines;
}

bool IsSideValue(const std::string& value) {
  return value == "1" || value == "-1" || value == "2" || value == "-2";
}

// matches.txt: blocks of a result line, participant lines "name: value" and an empty line.
void ExpectWellFormedReport(const std::string& report) {
  std::vector<std::string> lines = CrLfLines(report, "matches.txt");
  std::size_t i = 0;
  while (i < lines.size()) {
    ++i;  // the result sentence, whatever it says
    while (i < lines.size() && !lines[i].empty()) {
      std::size_t colon = lines[i].rfind(": ");
      EXPECT_TRUE(colon != std::string::npos && IsSideValue(lines[i].substr(colon + 2)))
          << "matches.txt line " << i + 1 << ": " << lines[i].substr(0, 200);
      ++i;
    }
    EXPECT_LT(i, lines.size()) << "matches.txt: the last block has no empty line";
    ++i;  // the empty line that ends the block
  }
}

bool IsNumberLine(const std::string& line) {
  if (line.size() < 3 || (line[0] != ' ' && line[0] != '-') || line.back() != ' ') return false;
  for (std::size_t i = 1; i + 1 < line.size(); ++i) {
    if (line[i] < '0' || line[i] > '9') return false;
  }
  return true;
}

// circdb.dat: a header line with the record count, then 18 lines per record.
void ExpectWellFormedDatabase(const std::string& bytes, const std::string& what) {
  std::vector<std::string> lines = CrLfLines(bytes, what);
  ASSERT_FALSE(lines.empty()) << what << " is empty";
  ASSERT_TRUE(IsNumberLine(lines[0])) << what << " header: " << lines[0].substr(0, 100);
  long long records = std::stoll(lines[0]);
  EXPECT_EQ(static_cast<long long>(lines.size()), 1 + 18 * std::max(records, 0LL)) << what;
}

// The program ended by itself within the time limit, with exit code 0 and no sanitizer
// report.
void ExpectNormalEnd(const testing::ProgramRun& run, const char* program) {
  ASSERT_FALSE(run.timed_out) << "the " << program << " did not end within " << kTimeLimitSeconds
                              << " s";
  EXPECT_EQ(run.signal, 0) << program;
  EXPECT_EQ(run.exit_code, 0) << program;
  for (const char* report : {"ERROR: AddressSanitizer", "runtime error:", "ERROR: LeakSanitizer"}) {
    std::size_t at = run.err.find(report);
    EXPECT_EQ(at, std::string::npos) << run.err.substr(at == std::string::npos ? 0 : at, 3000);
  }
}

class HostileInputTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileInputTest, ExportAndImportEndNormallyWithWellFormedOutput) {
  const HostileCase& c = GetParam();
  platform::TempFolder root;  // the installation is one folder below, to see escapes
  std::string legacy = root / "legacy";
  Files files = BaseInstallation();
  c.make(files);
  for (const auto& [path, bytes] : files) {
    std::filesystem::path file = std::filesystem::path(legacy) / path;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
  }
  std::filesystem::create_directories(legacy);

  // The exports first: they load through the in-memory view and leave the folder as it is;
  // every page of the site parses and links only to the site's own files.
  auto before = testing::Snapshot(legacy);
  testing::ProgramRun exported = testing::RunProgramWithTimeout(
      KZO_EXPORT_PROGRAM, {"--output", root / "model.json", legacy}, "/", kTimeLimitSeconds);
  ExpectNormalEnd(exported, "export");
  EXPECT_TRUE(root.Read("model.json").ends_with("}\n"));
  EXPECT_EQ(testing::CheckSchema({root / "model.json"}), "ok\n");
  std::filesystem::remove(root / "model.json");
  // The CSV files hold the rows of the database's tables; its answers are what SQL says.
  exported = testing::RunProgramWithTimeout(
      KZO_EXPORT_PROGRAM, {"-f", "csv", "-o", root / "csv", legacy}, "/", kTimeLimitSeconds);
  ExpectNormalEnd(exported, "csv export");
  exported = testing::RunProgramWithTimeout(KZO_EXPORT_PROGRAM,
                                            {"-f", "sqlite", "-o", root / "model.db", legacy}, "/",
                                            kTimeLimitSeconds);
  ExpectNormalEnd(exported, "sqlite export");
  EXPECT_EQ(testing::CheckCsv(root / "csv", root / "model.db"), "ok\n");
  EXPECT_EQ(testing::CheckAnswers(root / "model.db"), "ok\n");
  std::filesystem::remove_all(root / "csv");
  std::filesystem::remove(root / "model.db");
  exported = testing::RunProgramWithTimeout(
      KZO_EXPORT_PROGRAM, {"-f", "html", "-o", root / "site", legacy}, "/", kTimeLimitSeconds);
  ExpectNormalEnd(exported, "html export");
  EXPECT_EQ(testing::CheckSite(root / "site"), "ok\n");
  std::filesystem::remove_all(root / "site");
  EXPECT_EQ(testing::Snapshot(legacy), before) << "the export wrote into the folder";

  testing::ProgramRun run =
      testing::RunProgramWithTimeout(KZO_IMPORT_PROGRAM, {}, legacy, kTimeLimitSeconds);
  ExpectNormalEnd(run, "import");

  std::string report_path = legacy + "/matches.txt";
  ASSERT_TRUE(std::filesystem::exists(report_path));
  ExpectWellFormedReport(root.Read("legacy/matches.txt"));
  for (const std::string& folder : c.databases) {
    std::string database = "legacy/" + folder + "/circdb.dat";
    ASSERT_TRUE(root.Exists(database)) << database;
    ExpectWellFormedDatabase(root.Read(database), database);
  }
  // Nothing is written outside the installation, nor a database into its root.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path()),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_FALSE(root.Exists("legacy/circdb.dat"));
  EXPECT_FALSE(root.Exists("escape"));
  for (const std::string& path : c.absent) EXPECT_FALSE(root.Exists("legacy/" + path)) << path;
}

INSTANTIATE_TEST_SUITE_P(Shapes, HostileInputTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HostileCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace kzo
