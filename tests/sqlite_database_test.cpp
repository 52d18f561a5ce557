// kzo-export --format sqlite on a small installation: the database it writes and its
// arguments.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "support/legacy_files.h"
#include "support/run_program.h"
#include "support/sqlite_rows.h"

namespace kzo {
namespace {

using testing::Lines;

TEST(SqliteExportProgramTest, WritesTheDatabaseOverAnOlderOne) {
  platform::TempFolder folder;
  platform::TempFolder out;
  testing::WriteSmallInstallation(folder);
  out.Write("model.db", "older");
  testing::ProgramRun run = testing::RunProgram(
      KZO_EXPORT_PROGRAM, {"--format", "sqlite", "--output", out / "model.db", folder.path()}, "/");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
  std::string db = out / "model.db";
  EXPECT_EQ(testing::FileRows(db, "SELECT wnr, wname FROM wrestlers"),
            (std::vector<std::string>{"1|Orrin Vale", "2|Tuck Masden"}));
  EXPECT_EQ(testing::FileRows(db, "SELECT wname, wins, losses FROM wrestler_records ORDER BY wnr"),
            (std::vector<std::string>{"Orrin Vale|0|1", "Tuck Masden|1|0"}));
  EXPECT_EQ(testing::FileRows(db, "PRAGMA foreign_key_check"), std::vector<std::string>{});
  EXPECT_FALSE(folder.Exists("matches.txt"));
  EXPECT_FALSE(folder.Exists("north/circdb.dat")) << "the load's writes stay in memory";
}

TEST(SqliteExportProgramTest, NoOutputFileIsAUsageErrorAndAnUnwritableOneFails) {
  platform::TempFolder folder;
  testing::WriteSmallInstallation(folder);
  testing::ProgramRun run =
      testing::RunProgram(KZO_EXPORT_PROGRAM, {"--format", "sqlite"}, folder.path());
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(run.err.starts_with("kzo-export: --format sqlite needs --output FILE\n")) << run.err;

  run = testing::RunProgram(KZO_EXPORT_PROGRAM,
                            {"--format", "sqlite", "--output", folder / "none/model.db"},
                            folder.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.err.starts_with("kzo-export: cannot write " + (folder / "none/model.db")))
      << run.err;
  EXPECT_FALSE(folder.Exists("none"));
}

}  // namespace
}  // namespace kzo
