#include "export/sqlite_db.h"

#include <sqlite3.h>

#include "export/json_writer.h"

namespace kzo::exporter {

std::string Quoted(std::string_view identifier) {
  std::string quoted = "\"";
  for (char c : identifier) {
    quoted += c;
    if (c == '"') quoted += c;
  }
  return quoted + "\"";
}

SqliteDb::SqliteDb(const std::string& path) {
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqliteError(message);
  }
}

SqliteDb::~SqliteDb() {
  for (auto& [table, statement] : inserts_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

void SqliteDb::Fail(std::string_view what) {
  throw SqliteError(std::string(what) + ": " + sqlite3_errmsg(db_));
}

void SqliteDb::Exec(const std::string& sql) {
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail(sql);
}

sqlite3_stmt* SqliteDb::InsertStatement(std::string_view table, std::size_t columns) {
  auto found = inserts_.find(table);
  if (found != inserts_.end()) return found->second;
  std::string sql = "INSERT INTO " + Quoted(table) + " VALUES (";
  for (std::size_t i = 0; i < columns; ++i) sql += i ? ",?" : "?";
  sql += ")";
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) Fail(sql);
  inserts_.emplace(std::string(table), statement);
  return statement;
}

void SqliteDb::Insert(std::string_view table, const std::vector<SqlValue>& row) {
  sqlite3_stmt* statement = InsertStatement(table, row.size());
  if (texts_.size() < row.size()) texts_.resize(row.size());
  int result = SQLITE_OK;
  for (std::size_t i = 0; i < row.size() && result == SQLITE_OK; ++i) {
    int index = static_cast<int>(i) + 1;
    const SqlValue& value = row[i];
    if (value.kind == SqlValue::Kind::kInt) {
      result = sqlite3_bind_int64(statement, index, value.number);
    } else if (value.kind == SqlValue::Kind::kText) {
      // Each column has its own buffer, which stays as it is until the row is stored.
      std::string& utf8 = texts_[i];
      utf8.clear();
      AppendCp437AsUtf8(utf8, value.text);
      result = sqlite3_bind_text(statement, index, utf8.data(), static_cast<int>(utf8.size()),
                                 SQLITE_STATIC);
    } else {
      result = sqlite3_bind_null(statement, index);
    }
  }
  // Every column is bound anew for each row, so the bindings need no clearing.
  if (result == SQLITE_OK) result = sqlite3_step(statement);
  sqlite3_reset(statement);
  if (result != SQLITE_DONE) Fail("INSERT INTO " + std::string(table));
}

void SqliteDb::Close() {
  for (auto& [table, statement] : inserts_) sqlite3_finalize(statement);
  inserts_.clear();
  if (sqlite3_close(db_) != SQLITE_OK) Fail("close");
  db_ = nullptr;
}

}  // namespace kzo::exporter
