#include "export/sqlite/sqlite_export.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "../../../tests/support/sqlite_rows.h"
#include "driver/loaddbs.h"
#include "export/export_test_support.h"
#include "model/circuit.h"
#include "platform/testing/test_env.h"
#include "roster/crowd.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::exporter {
namespace {

using testing::Lines;
using testing::Repeat;

class SqliteExportTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    WriteInstallation(legacy);
    driver::LOADDBS(legacy.path());
    ASSERT_EQ(env.reports, std::vector<std::string>{});
    path = output / "model.db";
  }
  void TearDown() override {
    sqlite3_close(db);
    RunTest::TearDown();
  }

  void ExportAndOpen() {
    std::optional<std::string> failure = WriteSqliteDatabase(platform::ExactPathEnv(), path);
    ASSERT_EQ(failure, std::nullopt);
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  }

  // The rows of a query, each its values joined by "|", NULL written as "NULL".
  std::vector<std::string> Rows(const std::string& sql) {
    std::vector<std::string> rows = testing::QueryRows(db, sql);
    EXPECT_EQ(sqlite3_errcode(db), SQLITE_OK) << sqlite3_errmsg(db);
    return rows;
  }

  using Strings = std::vector<std::string>;

  platform::TempFolder legacy;
  platform::TempFolder output;
  std::string path;
  sqlite3* db = nullptr;
};

TEST_F(SqliteExportTest, EveryDictionaryEntryIsAColumnOrAListTableOfItsKeyPrefix) {
  ExportAndOpen();
  // Single values: a column named by the field, TEXT for texts, INTEGER otherwise.
  EXPECT_EQ(Rows("SELECT key FROM field_dictionary f WHERE slots = 0 AND NOT EXISTS ("
                 "SELECT 1 FROM pragma_table_info(substr(f.key, 1, instr(f.key, '.') - 1)) c "
                 "WHERE c.name = substr(f.key, instr(f.key, '.') + 1) "
                 "AND c.type = CASE f.value_type WHEN 2 THEN 'TEXT' ELSE 'INTEGER' END)"),
            Strings{});
  EXPECT_EQ(Rows("SELECT count(*) FROM field_dictionary"), Strings{"243"});
  EXPECT_EQ(Rows("SELECT name FROM pragma_table_info('wrestlers') WHERE pk = 1"), Strings{"wnr"});
  EXPECT_EQ(Rows("SELECT name FROM pragma_table_info('moves') WHERE pk = 1"), Strings{"number"});
  EXPECT_EQ(Rows("SELECT count(*) FROM pragma_table_info('wrestlers')"), Strings{"85"})
      << "88 entries, three of them lists";
  // Lists: one child table each, in the roster and for the circuits' stables.
  EXPECT_EQ(Rows("SELECT name FROM sqlite_schema WHERE name LIKE '%\\_managers' ESCAPE '\\' OR "
                 "name LIKE '%\\_moves' ESCAPE '\\' OR name LIKE '%\\_dives' ESCAPE '\\' OR "
                 "name LIKE '%\\_wrestlers' ESCAPE '\\' ORDER BY name"),
            (Strings{"circuit_roster_managers", "circuit_stable_managers",
                     "circuit_stable_wrestlers", "stable_managers", "stable_wrestlers",
                     "wrestler_dives", "wrestler_managers", "wrestler_moves"}));
  EXPECT_EQ(Rows("SELECT count(*) FROM referees"), Strings{"0"});
}

TEST_F(SqliteExportTest, RosterRowsKeepReferencesThatResolveAndNullTheRest) {
  ExportAndOpen();
  EXPECT_EQ(Rows("SELECT wnr, wname, push, is_female FROM wrestlers"),
            (Strings{"1|Orrin Vale|80|0", "2|Tuck Masden|70|0", "3|Quill Danby|60|1",
                     "4|Pim Lorca|50|0"}));
  EXPECT_EQ(Rows("SELECT number, mname, mname_noarticle FROM moves WHERE number < 2"),
            (Strings{"0|--- None ---|--- None ---", "1|a Headlock|Headlock"}));
  EXPECT_EQ(Rows("SELECT number, sname, managers_count, wrestlers_count FROM stables"),
            Strings{"1|The Family|1|3"});
  // Move 0 exists; wrestler 7 and manager 0 do not.
  EXPECT_EQ(Rows("SELECT slot, move FROM wrestler_moves WHERE wrestler = 1 AND slot <= 3"),
            (Strings{"1|3", "2|5", "3|0"}));
  EXPECT_EQ(Rows("SELECT count(*) FROM wrestler_moves"), Strings{"200"});
  EXPECT_EQ(Rows("SELECT stable, slot, wrestler FROM stable_wrestlers"),
            (Strings{"1|1|1", "1|2|NULL", "1|3|NULL"}));
  EXPECT_EQ(Rows("SELECT slot, manager FROM stable_managers WHERE manager IS NOT NULL"),
            Strings{"1|1"});
  EXPECT_EQ(Rows("SELECT number, counter1 FROM moves WHERE number IN (2, 3)"),
            (Strings{"2|NULL", "3|1"}));
  EXPECT_EQ(Rows("SELECT counter1, is_submission_move FROM wrestlers WHERE wnr = 1"),
            Strings{"2|1"});
  EXPECT_EQ(Rows("SELECT m.mname FROM wrestlers w JOIN moves m ON m.number = w.counter1 "
                 "WHERE w.wnr = 2"),
            Strings{"a Suplex"});
  EXPECT_EQ(Rows("PRAGMA foreign_key_check"), Strings{});
}

TEST_F(SqliteExportTest, CircuitTablesHoldShowsMatchesTitlesRosterAndPoints) {
  ExportAndOpen();
  EXPECT_EQ(Rows("SELECT circuit, lgs_line1, folder, show_count FROM circuits"),
            Strings{"1|Northern Circuit|north|3"});
  EXPECT_EQ(Rows("SELECT show, overview, ca_text FROM shows WHERE show = 1"),
            Strings{"1|Caf\xC3\xA9 Night|Great night.\r\n"});
  EXPECT_EQ(
      Rows("SELECT show, slot, match_type, has_fa_block, result, rating, fa_line_count "
           "FROM matches WHERE show = 1 OR slot = 1"),
      (Strings{"1|1|Singles|1|Orrin Vale pinned Tuck Masden after a suplex in 12:34.| "
               "85|2",
               "2|1|Comments|0|Orrin Vale pinned Nobody.||NULL", "3|1|Interview|0|Talk.||NULL"}));
  EXPECT_EQ(Rows("SELECT slot, line FROM fa_lines"), (Strings{"1|Lock up.", "2|Suplex!"}));
  EXPECT_EQ(Rows("SELECT kind, slot, note FROM match_notes"),
            Strings{"paren|1|Orrin Vale retains"});
  EXPECT_EQ(Rows("SELECT list, slot FROM match_text_lines WHERE show = 1"),
            (Strings{"text_lines|1", "text_lines2|1"}));
  EXPECT_EQ(Rows("SELECT show, match, name, wrestler, value FROM breakdown WHERE show < 3"),
            (Strings{"1|1|Orrin Vale|1|1", "1|1|Tuck Masden|2|-1", "2|1|Orrin Vale|1|1",
                     "2|1|Nobody.|NULL|-1", "2|2|Orrin Vale|1|1", "2|2|Pim Lorca|4|1",
                     "2|2|Tuck Masden|2|-1", "2|2|Quill Danby|3|-1"}));
  EXPECT_EQ(Rows("SELECT title, title_name, holder, holder_name, wrestler "
                 "FROM title_holders_view"),
            (Strings{"1|North Heavyweight Title|Orrin Vale|Orrin Vale|1",
                     "2|North Tag Title|vacant|NULL|NULL"}));
  EXPECT_EQ(Rows("SELECT wrestler, name, hire_status, wht_value FROM circuit_roster "
                 "WHERE wrestler = 2"),
            Strings{"2|Tuck Masden|100|5"});
  EXPECT_EQ(Rows("SELECT points_table, entry, entry_name, value4 FROM points_entries"),
            (Strings{"pts|1|Orrin Vale|500", "pts|2|Pim Lorca and Nobody Here|0",
                     "totals|1|Orrin Vale|500", "totals|2|Pim Lorca|0", "totals|3||0"}));
  EXPECT_EQ(Rows("SELECT slot, wrestler FROM points_participants WHERE entry = 2 AND "
                 "points_table = 'pts'"),
            (Strings{"1|4", "2|NULL"}));
  EXPECT_EQ(Rows("SELECT stable, sname FROM circuit_stables"), Strings{"1|North Family"});
  EXPECT_EQ(Rows("SELECT slot, wrestler FROM circuit_stable_wrestlers"),
            (Strings{"1|4", "2|NULL"}));
  EXPECT_EQ(Rows("SELECT count(*) FROM circuit_teams"), Strings{"0"});
  EXPECT_EQ(Rows("PRAGMA foreign_key_check"), Strings{});
}

TEST_F(SqliteExportTest, TheAnswersListAWrestlersMatchesAndRecordsWithoutCommentsOrInterviews) {
  ExportAndOpen();
  EXPECT_EQ(Rows("SELECT show, match, match_type, side, outcome FROM wrestler_matches "
                 "WHERE wnr = 1 ORDER BY show, match"),
            (Strings{"1|1|Singles|1|win", "2|2|Tag Team|1|win", "3|2|Singles|1|draw"}));
  EXPECT_EQ(
      Rows("SELECT wnr, wname, matches, wins, losses, draws FROM wrestler_records ORDER BY wnr"),
      (Strings{"1|Orrin Vale|3|2|0|1", "2|Tuck Masden|3|0|2|1", "3|Quill Danby|1|0|1|0",
               "4|Pim Lorca|1|1|0|0"}));
}

// The tables of what the site shows, from the same walk over the model as its pages.
TEST_F(SqliteExportTest, HeadToHeadStreaksAndTitleCreditsAreTablesOfTheirOwn) {
  ExportAndOpen();
  EXPECT_EQ(Rows("SELECT opponent, matches, wins, losses, draws FROM head_to_head "
                 "WHERE circuit = 1 AND wnr = 1"),
            (Strings{"2|3|2|0|1", "3|1|1|0|0"}));
  EXPECT_EQ(
      Rows("SELECT wnr, longest_winning_streak, longest_first_show, longest_last_show, "
           "current, current_length FROM streaks ORDER BY wnr"),
      (Strings{"1|2|1|2|draw|1", "2|0|NULL|NULL|draw|1", "3|0|NULL|NULL|loss|1", "4|1|2|2|win|1"}));
  EXPECT_EQ(Rows("SELECT title, slot, wnr, team_name, team FROM title_credits"),
            Strings{"1|1|1|NULL|NULL"});
  EXPECT_EQ(Rows("PRAGMA foreign_key_check"), Strings{});
}

TEST_F(SqliteExportTest, AnExistingFileIsReplacedOnlyByACompleteDatabase) {
  output.Write("model.db", "an older export");
  ExportAndOpen();
  EXPECT_EQ(Rows("SELECT count(*) FROM wrestlers"), Strings{"4"});
  EXPECT_EQ(output.List(), Strings{"model.db"});

  // A folder in the way: the database is written, the rename fails and is undone.
  output.MakeFolder("taken.db");
  output.Write("taken.db/keep", "kept");
  std::optional<std::string> failure =
      WriteSqliteDatabase(platform::ExactPathEnv(), output / "taken.db");
  ASSERT_NE(failure, std::nullopt);
  EXPECT_EQ(output.Read("taken.db/keep"), "kept");
  EXPECT_EQ(output.List().size(), 2u) << "no temporary file is left behind";

  // No folder to write in: nothing is created.
  failure = WriteSqliteDatabase(platform::ExactPathEnv(), output / "missing/model.db");
  ASSERT_NE(failure, std::nullopt);
  EXPECT_FALSE(output.Exists("missing"));
}

}  // namespace
}  // namespace kzo::exporter
