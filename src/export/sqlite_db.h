// A thin layer over the SQLite C library for the database export: one open database,
// prepared insert statements per table, and row values that are NULL, integers or model
// texts. Every failing call throws SqliteError with the library's message.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/text.h"

struct sqlite3;
struct sqlite3_stmt;

namespace kzo::exporter {

struct SqliteError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One value of a row.
struct SqlValue {
  enum class Kind { kNull, kInt, kText };
  Kind kind = Kind::kNull;
  std::int64_t number = 0;
  Text text = nullptr;  // legacy bytes, decoded from code page 437 when written
};

inline SqlValue Null() {
  return {};
}
inline SqlValue Int(std::int64_t number) {
  return {SqlValue::Kind::kInt, number, nullptr};
}
// A model text (or a name of the export's own); a null text is NULL.
inline SqlValue Str(Text text) {
  return text ? SqlValue{SqlValue::Kind::kText, 0, text} : Null();
}

// A double-quoted SQL identifier.
std::string Quoted(std::string_view identifier);

class SqliteDb {
 public:
  // Opens (creating) the database file at path.
  explicit SqliteDb(const std::string& path);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // Runs one or more statements that return no rows.
  void Exec(const std::string& sql);
  // Appends one row to a table: the values in column order.
  void Insert(std::string_view table, const std::vector<SqlValue>& row);
  // Finalizes the statements and closes the database, reporting a failing close.
  void Close();

 private:
  sqlite3_stmt* InsertStatement(std::string_view table, std::size_t columns);
  [[noreturn]] void Fail(std::string_view what);

  sqlite3* db_ = nullptr;
  std::map<std::string, sqlite3_stmt*, std::less<>> inserts_;
  std::vector<std::string> texts_;  // the UTF-8 texts bound to the row being inserted
};

}  // namespace kzo::exporter
