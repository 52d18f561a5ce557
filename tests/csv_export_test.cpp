// kzo-export --format csv: the files of a generated installation against its SQLite export,
// a name that must be quoted, and the folder it writes and replaces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "support/folders.h"
#include "support/legacy_files.h"
#include "support/run_program.h"

namespace kzo {
namespace {

using Strings = std::vector<std::string>;

testing::ProgramRun Export(const std::string& format, const std::string& output,
                           const std::string& legacy, const std::string& folder = "/") {
  return testing::RunProgram(KZO_EXPORT_PROGRAM, {"--format", format, "--output", output, legacy},
                             folder);
}

// The answers of the database (wrestler_matches, wrestler_records, title_holders_view) are
// tables made in C++, so that both formats hold them: they hold what SQL computes from the
// tables of records.
TEST(CsvExportProgramTest, EveryTableOfTheDatabaseIsAFileOfTheSameRows) {
  platform::TempFolder legacy;
  platform::TempFolder out;
  ASSERT_EQ(testing::MakeInstallation(legacy.path()).exit_code, 0);
  auto before = testing::Snapshot(legacy.path());
  testing::ProgramRun csv = Export("csv", out / "csv", legacy.path());
  ASSERT_EQ(csv.exit_code, 0) << csv.err;
  EXPECT_EQ(csv.out + csv.err, "");
  ASSERT_EQ(Export("sqlite", out / "model.db", legacy.path()).exit_code, 0);
  EXPECT_EQ(testing::CheckCsv(out / "csv", out / "model.db"), "ok\n");
  EXPECT_EQ(testing::CheckAnswers(out / "model.db"), "ok\n");
  EXPECT_EQ(testing::Snapshot(legacy.path()), before) << "the load wrote nothing";
}

TEST(CsvExportProgramTest, ANameWithACommaAQuoteALineBreakAndAnAccentReadsBackAsWritten) {
  platform::TempFolder legacy;
  platform::TempFolder out;
  testing::WriteSmallInstallation(legacy);
  // A lone LF inside a line of a file with CR LF line ends stays part of the line.
  std::string name = "Jo, \"Kid\"\nCaf\x82";
  legacy.Write("data/wrestlrs.dat",
               testing::RosterFile({testing::WrestlerRecord(name, 80),
                                    testing::WrestlerRecord("Tuck Masden", 70)}));
  ASSERT_EQ(Export("csv", out / "csv", legacy.path()).exit_code, 0);
  EXPECT_NE(out.Read("csv/wrestlers.csv").find(",\"Jo, \"\"Kid\"\"\nCaf\xc3\xa9\","),
            std::string::npos);
  std::string script =
      "import csv\n"
      "rows = list(csv.DictReader(open('csv/wrestlers.csv', encoding='utf-8-sig', newline='')))\n"
      "print([(r['wnr'], r['wname']) for r in rows])\n";
  testing::ProgramRun read = testing::RunProgram("/usr/bin/python3", {"-c", script}, out.path());
  EXPECT_EQ(read.out, "[('1', 'Jo, \"Kid\"\\nCaf\u00e9'), ('2', 'Tuck Masden')]\n") << read.err;
}

TEST(CsvExportProgramTest, OnlyAnEarlierCsvExportIsReplacedAndAFailureLeavesNothing) {
  platform::TempFolder legacy;
  platform::TempFolder out;
  testing::WriteSmallInstallation(legacy);
  out.Write("taken/notes.txt", "kept");
  ASSERT_EQ(Export("html", out / "site", legacy.path()).exit_code, 0);
  for (const char* other : {"taken", "site"}) {
    testing::ProgramRun run = Export("csv", out / other, legacy.path());
    EXPECT_EQ(run.exit_code, 2) << other;
    EXPECT_EQ(run.err, "kzo-export: will not replace " + (out / other) +
                           ": it is not empty and holds no CSV files written by kzo-export\n");
  }
  EXPECT_EQ(out.Read("taken/notes.txt"), "kept");

  testing::ProgramRun run = Export("csv", out / "none/csv", legacy.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "kzo-export: cannot write " + (out / "none/csv") + " (No such file or directory)\n");

  // A relative DIR is taken from where the program starts; an earlier export is replaced.
  for (int i = 0; i < 2; ++i) {
    run = Export("csv", "csv", legacy.path(), out.path());
    EXPECT_EQ(run.exit_code, 0) << run.err;
  }
  EXPECT_EQ(out.List(), (Strings{"csv", "site", "taken"}));
  EXPECT_TRUE(out.Read("csv/wrestler_records.csv")
                  .starts_with("\xEF\xBB\xBF"
                               "circuit,circuit_name,wnr,wname,matches,wins,losses,draws\r\n"
                               "1,Northern Circuit,1,Orrin Vale,1,0,1,0\r\n"));
}

}  // namespace
}  // namespace kzo
