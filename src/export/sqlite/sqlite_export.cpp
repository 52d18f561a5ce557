#include "export/sqlite/sqlite_export.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/database_tables.h"
#include "export/output_file.h"
#include "export/sqlite/sqlite_db.h"

namespace kzo::exporter {
namespace {

// A name in a table's SQL: quoted in a table that quotes every name, and where SQL reserves
// it.
std::string Name(const Table& table, std::string_view name) {
  return table.quoted || name == "end" ? Quoted(name) : std::string(name);
}

std::string Names(const Table& table, const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + Name(table, name);
  return list;
}

std::string CreateTableSql(const Table& table) {
  std::string sql = "CREATE TABLE " + Name(table, table.name) + " (";
  for (const Column& column : table.columns) {
    if (&column != &table.columns.front()) sql += ", ";
    sql += Name(table, column.name) + (column.text ? " TEXT" : " INTEGER");
    if (column.not_null) sql += " NOT NULL";
    if (column.primary_key) sql += " PRIMARY KEY";
    if (!column.references_table.empty()) {
      sql += " REFERENCES " + Name(table, column.references_table) + " (" +
             Name(table, column.references_column) + ")";
    }
  }
  if (!table.primary_key.empty()) sql += ", PRIMARY KEY (" + Names(table, table.primary_key) + ")";
  for (const ForeignKey& key : table.foreign_keys) {
    sql += ", FOREIGN KEY (" + Names(table, key.columns) + ") REFERENCES " +
           Name(table, key.table) + " (" + Names(table, key.table_columns) + ")";
  }
  return sql + ")";
}

// Takes the rows into the database.
class DatabaseSink : public RowSink {
 public:
  explicit DatabaseSink(SqliteDb& db) : db_(db) {}
  void Row(const Table& table, std::span<const Value> values) override {
    db_.Insert(table.name, values);
  }

 private:
  SqliteDb& db_;
};

void WriteDatabase(const std::string& path) {
  SqliteDb db(path);
  // The file is new, written by this process alone, and thrown away on failure: nothing to
  // roll back, so no journal at all, no waits for the disk, no locks taken again and again.
  // Rows come in the order of their keys, so only the last pages of each table and index
  // change again: a small cache holds them, and larger pages mean fewer pages to write and
  // link.
  db.Exec("PRAGMA page_size = 16384");
  db.Exec("PRAGMA journal_mode = OFF");
  db.Exec("PRAGMA synchronous = OFF");
  db.Exec("PRAGMA locking_mode = EXCLUSIVE");
  db.Exec("PRAGMA cache_size = -4096");
  db.Exec("PRAGMA user_version = 1");
  db.Exec("BEGIN");
  for (const Table& table : DatabaseTables()) db.Exec(CreateTableSql(table));
  DatabaseSink sink(db);
  WriteDatabaseRows(sink);
  db.Exec("COMMIT");
  db.Close();
}

}  // namespace

std::optional<std::string> WriteSqliteDatabase(platform::Env& files, const std::string& path) {
  return WriteWholeFile(files, path, [](const std::string& temporary) {
    try {
      WriteDatabase(temporary);
      return std::optional<std::string>();
    } catch (const std::exception& failure) {
      return std::optional<std::string>(failure.what());
    }
  });
}

}  // namespace kzo::exporter
