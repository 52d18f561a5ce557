// The rows of a query on an SQLite database, for tests that check a written database.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

namespace kzo::testing {

// Each row is its values joined by "|", NULL written as "NULL"; a query that does not
// prepare gives no rows.
inline std::vector<std::string> QueryRows(sqlite3* db, const std::string& sql) {
  std::vector<std::string> rows;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return rows;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    std::string row;
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
      const unsigned char* text = sqlite3_column_text(statement, i);
      row += (i ? "|" : "") + (text ? std::string(reinterpret_cast<const char*>(text)) : "NULL");
    }
    rows.push_back(row);
  }
  sqlite3_finalize(statement);
  return rows;
}

// The rows of a query on a database file, each its values joined by "|".
inline std::vector<std::string> FileRows(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  std::vector<std::string> rows;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    rows = QueryRows(db, sql);
  }
  sqlite3_close(db);
  return rows;
}

}  // namespace kzo::testing
