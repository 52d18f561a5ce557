#include "export/sqlite/sqlite_db.h"

#include <sqlite3.h>

#include <algorithm>

#include "platform/code_page.h"

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
  // The export is the library's only user in this process: no count of the memory it
  // holds, and so no lock taken for every allocation. This can be set only before the
  // library starts; later calls change nothing.
  static const bool configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
  (void)configured;
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqliteError(message);
  }
}

namespace {

// Host parameters of one statement: the library's smallest compiled-in limit.
constexpr std::size_t kMaxParameters = 999;
constexpr std::size_t kMaxBatchRows = 200;

}  // namespace

SqliteDb::~SqliteDb() {
  Finalize();
  sqlite3_close(db_);
}

void SqliteDb::Fail(std::string_view what) {
  throw SqliteError(std::string(what) + ": " + sqlite3_errmsg(db_));
}

void SqliteDb::Exec(const std::string& sql) {
  StoreAllGathered();
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail(sql);
}

sqlite3_stmt* SqliteDb::Prepare(const Table& table, int rows) {
  // OR FAIL: a statement that fails keeps the rows it stored before, so the library keeps
  // no copy of every page a statement of many rows changes (a statement journal) to undo
  // them. A failed row fails the whole export, whose file is then thrown away.
  std::string sql = "INSERT OR FAIL INTO " + Quoted(table.name) + " VALUES ";
  for (int row = 0; row < rows; ++row) {
    sql += row ? ",(" : "(";
    for (std::size_t i = 0; i < table.columns; ++i) sql += i ? ",?" : "?";
    sql += ")";
  }
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) Fail(sql);
  return statement;
}

SqliteDb::Table& SqliteDb::TableOf(std::string_view name, std::size_t columns) {
  if (last_ == nullptr || last_->name != name) {
    auto found = tables_.find(name);
    last_ = found != tables_.end() ? &found->second : &NewTable(name, columns);
  }
  if (last_->columns != columns) {
    throw SqliteError("INSERT INTO " + std::string(name) + ": wrong number of values");
  }
  return *last_;
}

SqliteDb::Table& SqliteDb::NewTable(std::string_view name, std::size_t columns) {
  Table& table = tables_[std::string(name)];
  table.name = name;
  table.columns = columns;
  table.batch_rows = static_cast<int>(std::clamp<std::size_t>(
      kMaxParameters / std::max<std::size_t>(columns, 1), 1, kMaxBatchRows));
  table.single = Prepare(table, 1);
  table.batch = Prepare(table, table.batch_rows);
  return table;
}

void SqliteDb::Store(Table& table, std::size_t first_row, int rows, sqlite3_stmt* statement) {
  int result = SQLITE_OK;
  const Gathered* value = table.values.data() + first_row * table.columns;
  int parameters = rows * static_cast<int>(table.columns);
  for (int index = 1; index <= parameters && result == SQLITE_OK; ++index, ++value) {
    if (value->kind == Value::Kind::kInt) {
      result = sqlite3_bind_int64(statement, index, value->number);
    } else if (value->kind == Value::Kind::kText) {
      // The buffer stays as it is until the statement has run.
      const char* bytes = table.texts.data() + value->number;
      result = sqlite3_bind_text(statement, index, bytes, value->size, SQLITE_STATIC);
    } else {
      result = sqlite3_bind_null(statement, index);
    }
  }
  // Every parameter is bound anew for each run, so the bindings need no clearing.
  if (result == SQLITE_OK) result = sqlite3_step(statement);
  sqlite3_reset(statement);
  if (result != SQLITE_DONE) Fail("INSERT INTO " + table.name);
}

void SqliteDb::StoreGathered(Table& table) {
  std::size_t rows = table.columns ? table.values.size() / table.columns : 0;
  std::size_t row = 0;
  for (; row + table.batch_rows <= rows; row += table.batch_rows) {
    Store(table, row, table.batch_rows, table.batch);
  }
  for (; row < rows; ++row) Store(table, row, 1, table.single);
  table.values.clear();
  table.texts.clear();
}

void SqliteDb::StoreAllGathered() {
  for (auto& [name, table] : tables_) StoreGathered(table);
}

void SqliteDb::Insert(std::string_view name, std::span<const Value> row) {
  Table& table = TableOf(name, row.size());
  for (const Value& value : row) {
    if (value.kind == Value::Kind::kRecord) {
      throw SqliteError("INSERT INTO " + std::string(name) + ": a record is no column's value");
    }
    // Filled in place: a value built aside and copied in whole would be read back while
    // its parts were still being written, a stall on every value.
    Gathered& gathered = table.values.emplace_back();
    gathered.kind = value.kind;
    gathered.number = value.number;
    if (value.kind == Value::Kind::kText) {
      std::size_t start = table.texts.size();
      platform::AppendCp437AsUtf8(table.texts, value.text);
      gathered.number = static_cast<std::int64_t>(start);
      gathered.size = static_cast<int>(table.texts.size() - start);
    }
  }
  if (table.values.size() >= table.columns * static_cast<std::size_t>(table.batch_rows)) {
    StoreGathered(table);
  }
}

void SqliteDb::Finalize() {
  for (auto& [name, table] : tables_) {
    sqlite3_finalize(table.batch);
    sqlite3_finalize(table.single);
  }
  tables_.clear();
  last_ = nullptr;
}

void SqliteDb::Close() {
  StoreAllGathered();
  Finalize();
  if (sqlite3_close(db_) != SQLITE_OK) Fail("close");
  db_ = nullptr;
}

}  // namespace kzo::exporter
