#include "export/sqlite/sqlite_db.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../../tests/support/sqlite_rows.h"
#include "platform/testing/test_env.h"

namespace kzo::exporter {
namespace {

using Strings = std::vector<std::string>;

// Rows are stored in batches: whole batches, a rest, tables interleaved, texts of every
// row kept apart until their batch is stored.
TEST(SqliteDbTest, EveryRowIsStoredInOrderWhateverTheBatches) {
  platform::TempFolder folder;
  std::string path = folder / "rows.db";
  SqliteDb db(path);
  db.Exec("CREATE TABLE lines (n INTEGER, line TEXT, note TEXT)");
  db.Exec("CREATE TABLE marks (n INTEGER PRIMARY KEY, mark TEXT)");
  std::vector<std::string> texts;
  Strings lines;
  Strings marks;
  for (int n = 1; n <= 250; ++n) {
    texts.push_back("line " + std::to_string(n) + (n % 7 ? "" : " \x82t\x82"));
  }
  for (int n = 1; n <= 250; ++n) {
    Value note = n % 3 ? Null() : Str("x");
    db.Insert("lines", {Int(n), Str(texts[n - 1].c_str()), note});
    std::string utf8 = n % 7 ? texts[n - 1] : "line " + std::to_string(n) + " \u00e9t\u00e9";
    lines.push_back(std::to_string(n) + "|" + utf8 + "|" + (n % 3 ? "NULL" : "x"));
    if (n % 2) {
      db.Insert("marks", {Int(n), Str("m")});
      marks.push_back(std::to_string(n) + "|m");
    }
  }
  db.Exec("CREATE TABLE after (n INTEGER)");  // statements run after the rows gathered
  db.Insert("marks", {Int(1000), Null()});
  marks.push_back("1000|NULL");
  db.Close();
  EXPECT_EQ(testing::FileRows(path, "SELECT n, line, note FROM lines ORDER BY rowid"), lines);
  EXPECT_EQ(testing::FileRows(path, "SELECT * FROM marks ORDER BY rowid"), marks);
}

TEST(SqliteDbTest, AFailingRowNamesItsTable) {
  platform::TempFolder folder;
  SqliteDb db(folder / "rows.db");
  db.Exec("CREATE TABLE marks (n INTEGER PRIMARY KEY)");
  db.Insert("marks", {Int(1)});
  db.Insert("marks", {Int(1)});
  EXPECT_THROW(
      try { db.Close(); } catch (const SqliteError& failure) {
        EXPECT_STREQ(failure.what(), "INSERT INTO marks: UNIQUE constraint failed: marks.n");
        throw;
      },
      SqliteError);
  EXPECT_THROW(db.Insert("marks", {Int(2), Int(3)}), SqliteError);
}

}  // namespace
}  // namespace kzo::exporter
