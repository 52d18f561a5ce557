// Legacy data as it arrives from any disk or archive: line ends converted to LF, files and
// dangling links where folders or files are expected, circuits that are not loaded, and
// lists over their capacity, read by the built programs.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/testing/test_env.h"
#include "support/folders.h"
#include "support/legacy_files.h"
#include "support/run_program.h"
#include "support/sqlite_rows.h"

namespace kzo {
namespace {

using testing::Lines;
using testing::ProgramRun;
using testing::RunProgram;
using Strings = std::vector<std::string>;

// Every CR LF of every file below folder becomes a bare LF, as git or unzip -a would do.
void ConvertLineEnds(const platform::TempFolder& folder) {
  for (const auto& [name, bytes] : testing::Snapshot(folder.path())) {
    std::string converted;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
        converted += bytes[i];
    }
    folder.Write(name, converted);
  }
}

// What the import writes into the folder and the export's document, with the folder's
// path and the random part of hire terms left out.
std::map<std::string, std::string> Results(const platform::TempFolder& folder) {
  ProgramRun import = RunProgram(KZO_IMPORT_PROGRAM, {}, folder.path());
  ProgramRun json = RunProgram(KZO_EXPORT_PROGRAM, {}, folder.path());
  std::map<std::string, std::string> results;
  for (const auto& [name, bytes] : testing::Snapshot(folder.path())) {
    if (name == "matches.txt" || name.ends_with("circdb.dat")) results[name] = bytes;
  }
  std::string document = json.out;
  std::string lower = folder.path();  // entrance themes hold the folder in lower case
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const std::string& path : {folder.path(), lower}) {
    for (std::size_t at; (at = document.find(path)) != std::string::npos;) {
      document.replace(at, path.size(), "FOLDER");
    }
  }
  // Hire terms end a few days apart at random: their ends and lengths are left out.
  for (std::string_view member : {"\"end\":", "\"days\":"}) {
    for (std::size_t at = 0; (at = document.find(member, at)) != std::string::npos;) {
      std::size_t digits = at + member.size();
      while (digits < document.size() && std::isdigit(static_cast<unsigned char>(document[digits])))
        ++digits;
      document.erase(at, digits - at);
    }
  }
  results["model.json"] = document;
  results["reports"] = import.err + json.err;
  return results;
}

// Names the first result that differs, with the bytes around the first difference.
std::string Difference(const std::map<std::string, std::string>& a,
                       const std::map<std::string, std::string>& b) {
  for (const auto& [name, bytes] : a) {
    auto other = b.find(name);
    if (other == b.end()) return name + " is missing";
    if (other->second == bytes) continue;
    std::size_t at = 0;
    while (at < bytes.size() && at < other->second.size() && bytes[at] == other->second[at]) ++at;
    std::size_t from = at < 60 ? 0 : at - 60;
    return name + ": ..." + bytes.substr(from, 120) + "... differs from ..." +
           other->second.substr(from, 120);
  }
  return a.size() == b.size() ? "" : "another result";
}

TEST(LegacyDataTest, FilesWhoseLineEndsWereConvertedReadAsTheOriginal) {
  platform::TempFolder sample, converted_sample, generated, converted_generated;
  testing::CopySample(sample.path());
  testing::CopySample(converted_sample.path());
  ConvertLineEnds(converted_sample);
  for (const platform::TempFolder* folder : {&generated, &converted_generated}) {
    ProgramRun made = testing::MakeInstallation(
        folder->path(), 5, {"--wrestlers", "40", "--circuits", "2", "--shows", "6"});
    ASSERT_EQ(made.exit_code, 0) << made.err;
  }
  ConvertLineEnds(converted_generated);
  auto original = Results(sample);
  EXPECT_EQ(original.at("reports"), "");
  EXPECT_EQ(Difference(original, Results(converted_sample)), "");
  original = Results(generated);
  EXPECT_GT(original.at("matches.txt").size(), 1000u);
  EXPECT_EQ(Difference(original, Results(converted_generated)), "");
}

TEST(LegacyDataTest, AFileOrADanglingLinkInPlaceOfAFolderOrFileIsMissing) {
  // Each pair of folders must give the same reports: the odd entry counts as missing.
  platform::TempFolder empty, file_as_data;
  file_as_data.Write("data", "not a folder");
  EXPECT_EQ(RunProgram(KZO_IMPORT_PROGRAM, {}, file_as_data.path()).err,
            RunProgram(KZO_IMPORT_PROGRAM, {}, empty.path()).err);

  platform::TempFolder missing_circuit, file_as_circuit, dangling;
  for (const platform::TempFolder* folder : {&missing_circuit, &file_as_circuit, &dangling}) {
    testing::WriteSmallInstallation(*folder);
    folder->Write("card.lgs", Lines({"Lost Circuit", "lost", "x"}));
  }
  file_as_circuit.Write("lost", "not a folder");
  dangling.Remove("data/managers.dat");
  std::filesystem::create_symlink("nowhere", dangling / "data/managers.dat");
  std::string expected = RunProgram(KZO_IMPORT_PROGRAM, {}, missing_circuit.path()).err;
  EXPECT_NE(expected.find("#76 (Path not found)"), std::string::npos);
  EXPECT_EQ(RunProgram(KZO_IMPORT_PROGRAM, {}, file_as_circuit.path()).err, expected);
  ProgramRun linked = RunProgram(KZO_IMPORT_PROGRAM, {}, dangling.path());
  missing_circuit.Remove("data/managers.dat");
  EXPECT_EQ(linked.err, RunProgram(KZO_IMPORT_PROGRAM, {}, missing_circuit.path()).err);
  EXPECT_NE(linked.err.find("#53 (File not found)"), std::string::npos);
}

TEST(LegacyDataTest, BothExportsAgreeOnCircuitsNotLoadedAndListsOverCapacity) {
  platform::TempFolder folder;
  testing::WriteSmallInstallation(folder);
  // A circuit that is not loaded (its folder leaves the legacy folder), a stable of 1005
  // members, a circuit of 1001 teams, and a wrestler on both sides of a match.
  folder.Write("card.lgs", Lines({"Northern Circuit", "north", "x", "Away", "..\\away", "y"}));
  folder.Write("data/stables.dat", "1\r\nThe Crowd\r\n1005\r\n" + testing::Repeat("1", 1005) +
                                       testing::Repeat("0", 4) + testing::Repeat("", 17));
  std::string teams = "1001\r\n";
  for (int t = 0; t < 1001; ++t)
    teams += testing::TeamRecord("A", "B", "T" + std::to_string(t), "");
  folder.Write("north/teams.dat", teams);
  folder.Write("north/card.inf", "2\r\n");
  folder.Write("north/card.ovv", Lines({"Opening Night", "Second Night"}));
  folder.Write("north/cardra.001",
               "3\r\n" + Lines({"1", "Singles", "Tuck Masden pinned Orrin Vale in 9:59."}) +
                   "3\r\n" + Lines({"1", "Singles", "Orrin Vale pinned Orrin Vale in 1:00."}));
  ASSERT_EQ(RunProgram(KZO_EXPORT_PROGRAM, {"-o", "model.json"}, folder.path()).exit_code, 0);
  ASSERT_EQ(
      RunProgram(KZO_EXPORT_PROGRAM, {"-f", "sqlite", "-o", "model.db"}, folder.path()).exit_code,
      0);
  ProgramRun check = testing::CheckDocument(folder.path(), R"(
away = d['circuits'][1]
assert away['roster'] == [away['roster'][0]] * 2 and away['roster'][0]['name'] is None
assert away['roster'][0]['hire_status'] == 0 and away['roster'][0]['hire_terms'] == []
assert away['injuries'] == [0, 0] and away['wht_values'] == [0, 0]
assert len(d['stables'][1]['wrestlers']) == 1000 and d['stables'][1]['wrestlers_count'] == 1000
assert len(d['circuits'][0]['teams']) == 1000 and d['circuits'][0]['team_count'] == 1000
)");
  EXPECT_EQ(check.out, "ok\n") << check.err;
  std::string db = folder / "model.db";
  EXPECT_EQ(testing::FileRows(db,
                              "SELECT wrestler, name, hire_status, wht_value FROM "
                              "circuit_roster WHERE circuit = 2"),
            (Strings{"1|NULL|0|0", "2|NULL|0|0"}));
  EXPECT_EQ(testing::FileRows(db, "SELECT count(*) FROM stable_wrestlers"), Strings{"1000"});
  EXPECT_EQ(testing::FileRows(db, "SELECT count(*) FROM circuit_teams"), Strings{"1000"});
  EXPECT_EQ(testing::FileRows(db,
                              "SELECT wname, matches, wins, losses FROM wrestler_records "
                              "ORDER BY wnr"),
            (Strings{"Orrin Vale|2|1|2", "Tuck Masden|1|1|0"}));
}

}  // namespace
}  // namespace kzo
