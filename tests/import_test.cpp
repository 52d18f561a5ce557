// The importer and the export on small legacy installations written by the tests.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/test_env.h"
#include "support/folders.h"
#include "support/legacy_files.h"
#include "support/run_program.h"

namespace kzo {
namespace {

using testing::Lines;
using testing::Repeat;

// An installation of four wrestlers and two circuits with a few shows each.
class InstallationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("data/wrestlrs.dat",
                 testing::RosterFile({testing::WrestlerRecord("Orrin Vale", 80),
                                      testing::WrestlerRecord("Tuck Masden", 70),
                                      testing::WrestlerRecord("Quill Danby", 60, 1),
                                      testing::WrestlerRecord("Pim Lorca", 50)}));
    for (const char* empty : {"managers.dat", "moves.dat", "dives.dat", "fobjects.dat",
                              "gimmicks.dat", "stables.dat"}) {
      folder.Write(std::string("data/") + empty, "0\r\n");
    }
    folder.Write("data/teams.dat",
                 testing::RosterFile({testing::TeamRecord("Tuck Masden", "Quill Danby",
                                                          "The Drifters", "Wipeout/Tuen")}));
    folder.Write("card.lgs",
                 Lines({"Northern Circuit", "north", "x", "Southern Circuit", "SOUTH", "y"}));
    WriteNorth();
    WriteSouth();
  }

  void WriteNorth() {
    folder.Write("north/card.inf", "2\r\n");
    folder.Write("north/card.ovv", Lines({"Opening Night", "Second Show"}));
    folder.Write("north/cardra.001",
                 "7\r\n" +
                     Lines({"5", "Singles\\", "Orrin Vale pinned Tuck Mas", "den after a sup",
                            "lex in 12:34.", "Rating: 85", "(Orrin Vale retains)"}) +
                     "6\r\n" +
                     Lines({"1", "Comments", "Nothing to see.", "2", "Tag Team",
                            "Orrin Vale and Pim Lorca defeated The Drifters (Tuck Masden and "
                            "Quill Danby) when Orrin Vale pinned Quill Danby."}));
    folder.Write("north/cardfa.001", "3\r\n" + Lines({"2", "Lock up.", "Suplex!"}) + "0\r\n");
    folder.Write("north/cardca.001", "1\r\n" + Lines({"Great night."}) + "0\r\n");
  }

  void WriteSouth() {
    folder.Write("SOUTH/CARD.INF", "1\r\n");
    folder.Write("SOUTH/CARD.OVV", Lines({"Only Show"}));
    folder.Write("SOUTH/CARDRA.001",
                 "6\r\n" + Lines({"1", "Interview", "Talk.", "2", "Singles",
                                  "Orrin Vale and Tuck Masden battled to a double count-out."}));
  }

  testing::ProgramRun Import() {
    return testing::RunProgram(KZO_IMPORT_PROGRAM, {}, folder.path());
  }

  platform::TempFolder folder;
};

TEST_F(InstallationTest, TwoCircuitsImportWithoutReportsAndListEveryMatch) {
  testing::ProgramRun run = Import();
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(folder.Read("matches.txt"),
            "Orrin Vale pinned Tuck Masden after a suplex in 12:34.\r\n"
            "Orrin Vale: 1\r\nTuck Masden: -1\r\n\r\n"
            "Orrin Vale and Pim Lorca defeated The Drifters (Tuck Masden and Quill Danby) when "
            "Orrin Vale pinned Quill Danby.\r\n"
            "Orrin Vale: 1\r\nPim Lorca: 1\r\nTuck Masden: -1\r\nQuill Danby: -1\r\n\r\n"
            "Orrin Vale and Tuck Masden battled to a double count-out.\r\n"
            "Orrin Vale: 2\r\nTuck Masden: 2\r\n\r\n");
  EXPECT_EQ(folder.Read("north/kzo.cnf"), "");
  EXPECT_TRUE(folder.Exists("SOUTH/kzo.cnf"));
  EXPECT_EQ(folder.Read("north/circdb.dat").substr(0, 17), " 4 \r\nOrrin Vale\r\n");
  EXPECT_TRUE(folder.Exists("SOUTH/circdb.dat"));
}

TEST_F(InstallationTest, ASecondRunLeavesTheCircuitDatabasesAlone) {
  Import();
  std::string first = folder.Read("north/circdb.dat");
  testing::ProgramRun run = Import();
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(folder.Read("north/circdb.dat"), first);
  EXPECT_FALSE(folder.Exists("north/circdb.dat.bak1"));
}

// Runs a Python check over the exported document; it prints "ok" when every check holds.

TEST_F(InstallationTest, TheExportHoldsEveryMatchAsTheFilesSay) {
  testing::ProgramRun run =
      testing::RunProgram(KZO_EXPORT_PROGRAM, {"--output", "model.json"}, folder.path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_FALSE(folder.Exists("matches.txt"));
  testing::ProgramRun check = testing::CheckDocument(folder.path(), R"(
assert d['format'] == 'kzo-model' and d['version'] == 1
assert [w['wname'] for w in d['wrestlers']] == [None, 'Orrin Vale', 'Tuck Masden', 'Quill Danby', 'Pim Lorca']
assert d['moves'][0]['mname'] == '--- None ---'
north = d['circuits'][0]
assert north['folder'] == 'north' and north['show_count'] == 2
first = north['shows'][0]['matches'][0]
assert first['match_type'] == 'Singles' and first['has_fa_block'] == 1
assert first['text_lines'] == ['Orrin Vale pinned Tuck Masden after a suplex in 12:34.']
assert first['rating_text'] == ' 85' and first['paren_notes'] == ['Orrin Vale retains']
assert first['fa_lines'] == {'line_count': 2, 'lines': ['Lock up.', 'Suplex!']}
assert first['breakdown'] == [{'name': 'Orrin Vale', 'wrestler': 1, 'value': 1}, {'name': 'Tuck Masden', 'wrestler': 2, 'value': -1}]
assert north['shows'][0]['ca_text'] == 'Great night.\r\n'
assert [m['match_type'] for m in north['shows'][1]['matches']] == ['Comments', 'Tag Team']
assert len(north['roster']) == 4 and north['roster'][0]['hire_status'] == 100
assert north['wht_values'] == [5, 5, 5, 5]
assert d['circuits'][1]['folder'] == 'SOUTH'
assert len(d['field_dictionary']) == 243
)");
  EXPECT_EQ(check.out, "ok\n") << check.err;
}

TEST_F(InstallationTest, TheExportGoesToStandardOutputAsValidJson) {
  testing::ProgramRun run = testing::RunProgram(KZO_EXPORT_PROGRAM, {folder.path()}, "/");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  folder.Write("model.json", run.out);
  EXPECT_EQ(testing::CheckDocument(folder.path(), "assert len(d['circuits']) == 2").out, "ok\n");
}

}  // namespace
}  // namespace kzo

namespace kzo {
namespace {

TEST(ExportOutputTest, ARelativeOutputIsNamedFromWhereTheProgramStarted) {
  platform::TempFolder start;
  platform::TempFolder legacy;
  testing::ProgramRun run = testing::RunProgram(
      KZO_EXPORT_PROGRAM, {"--output", "model.json", legacy.path()}, start.path());
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_TRUE(start.Exists("model.json"));
  EXPECT_FALSE(legacy.Exists("model.json"));
}

}  // namespace
}  // namespace kzo
