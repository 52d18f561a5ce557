#include "export/database_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "driver/loaddbs.h"
#include "export/export_test_support.h"
#include "store/run_test_support.h"

namespace kzo::exporter {
namespace {

// Keeps the rows of every table, each value as text ("NULL" for none).
class Rows : public RowSink {
 public:
  void Row(const Table& table, std::span<const Value> values) override {
    std::vector<std::string> row;
    for (const Value& value : values) {
      EXPECT_NE(value.kind, Value::Kind::kRecord) << table.name;
      row.push_back(value.kind == Value::Kind::kInt    ? std::to_string(value.number)
                    : value.kind == Value::Kind::kText ? std::string(value.text)
                                                       : "NULL");
    }
    EXPECT_EQ(row.size(), table.columns.size()) << table.name;
    rows[table.name].push_back(row);
  }
  std::map<std::string, std::vector<std::vector<std::string>>> rows;
};

// The values of a row's key columns.
std::vector<std::string> Key(const Table& table, const std::vector<std::string>& row) {
  std::vector<std::string> key;
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const Column& column = table.columns[c];
    bool in_key = column.primary_key ||
                  std::find(table.primary_key.begin(), table.primary_key.end(), column.name) !=
                      table.primary_key.end();
    if (in_key) key.push_back(row[c]);
  }
  return key;
}

using DatabaseTablesTest = testing::RunTest;

// Any store of tables can take the rows: each fits the columns of its table, and no two
// rows of a table share their key.
TEST_F(DatabaseTablesTest, EveryRowFitsItsTableAndHasAKeyOfItsOwn) {
  platform::TempFolder legacy;
  WriteInstallation(legacy);
  driver::LOADDBS(legacy.path());
  Rows sink;
  WriteDatabaseRows(sink);
  std::set<std::string> names;
  for (const Table& table : DatabaseTables()) {
    EXPECT_TRUE(names.insert(table.name).second) << table.name << " twice";
    std::set<std::vector<std::string>> keys;
    for (const std::vector<std::string>& row : sink.rows[table.name]) {
      EXPECT_TRUE(keys.insert(Key(table, row)).second) << table.name;
    }
  }
  for (const auto& [name, rows] : sink.rows) EXPECT_TRUE(names.contains(name)) << name;
  EXPECT_EQ(sink.rows["match_text_lines"].front(),
            (std::vector<std::string>{"1", "1", "1", "text_lines", "1",
                                      "Orrin Vale pinned Tuck Masden after a suplex in 12:34."}));
  EXPECT_EQ(sink.rows["points_entries"].front(),
            (std::vector<std::string>{"1", "pts", "1", "Orrin Vale", "0", "1", "0", "3", "500", "1",
                                      "1", "1", "2", "1"}));
}

}  // namespace
}  // namespace kzo::exporter
