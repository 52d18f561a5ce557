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

// The views that answer the usual questions. wrestler_matches: every wrestler taking part
// in a match (the kinds "Comments" and "Interview", which the match report skips, are no
// matches), with the match's result and the wrestler's side: side 1 won (value 1) or drew
// (2), side 2 lost (-1) or drew (-2). wrestler_records: a wrestler's matches, wins, losses
// and draws per circuit. title_holders_view: the holders of every title.
constexpr const char* kViews[] = {
    "CREATE VIEW wrestler_matches AS SELECT DISTINCT b.wrestler AS wnr, w.wname, b.circuit, "
    "c.lgs_line1 AS circuit_name, b.show, s.overview AS show_overview, b.match, m.match_type, "
    "m.result, b.value, CASE WHEN b.value > 0 THEN 1 WHEN b.value < 0 THEN 2 END AS side, "
    "CASE b.value WHEN 1 THEN 'win' WHEN -1 THEN 'loss' WHEN 2 THEN 'draw' "
    "WHEN -2 THEN 'draw' END AS outcome "
    "FROM breakdown b JOIN wrestlers w ON w.wnr = b.wrestler "
    "JOIN matches m ON m.circuit = b.circuit AND m.show = b.show AND m.slot = b.match "
    "JOIN shows s ON s.circuit = b.circuit AND s.show = b.show "
    "JOIN circuits c ON c.circuit = b.circuit "
    "WHERE m.match_type IS NULL OR m.match_type NOT IN ('Comments', 'Interview')",
    "CREATE VIEW wrestler_records AS SELECT circuit, circuit_name, wnr, wname, "
    "count(DISTINCT show || '.' || match) AS matches, sum(value = 1) AS wins, sum(value = -1) AS "
    "losses, "
    "sum(value IN (2, -2)) AS draws FROM wrestler_matches GROUP BY circuit, wnr",
    // A title without holders (vacant) has one row with NULL holder columns; a holder's
    // wrestler is the first roster entry of the circuit with that name.
    "CREATE VIEW title_holders_view AS SELECT t.circuit, c.lgs_line1 AS circuit_name, t.title, "
    "t.title_name, t.holder, h.slot AS holder_slot, h.name AS holder_name, "
    "(SELECT min(r.wrestler) FROM circuit_roster r WHERE r.circuit = t.circuit "
    "AND r.name = h.name) AS wrestler "
    "FROM titles t JOIN circuits c ON c.circuit = t.circuit "
    "LEFT JOIN title_holders h ON h.circuit = t.circuit AND h.title = t.title",
};

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
  for (const char* view : kViews) db.Exec(view);
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
