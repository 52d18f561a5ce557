// A thin layer over the SQLite C library for the database export: one open database,
// prepared insert statements per table, and row values that are NULL (no value), integers
// or model texts, decoded from code page 437. Rows are gathered per table and stored many at a time
// by one statement: the library's work for each statement run (preparing, finishing, checking) is
// then shared by the rows of a batch. Every failing call throws SqliteError with the library's
// message.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "export/fields.h"

struct sqlite3;
struct sqlite3_stmt;

namespace kzo::exporter {

struct SqliteError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A double-quoted SQL identifier.
std::string Quoted(std::string_view identifier);

class SqliteDb {
 public:
  // Opens (creating) the database file at path.
  explicit SqliteDb(const std::string& path);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // Stores the rows still gathered, then runs one or more statements that return no rows.
  void Exec(const std::string& sql);
  // Appends one row to a table: the values in column order. The row may be stored only
  // at the next Exec or Close; rows of one table keep their order.
  void Insert(std::string_view table, std::span<const Value> row);
  void Insert(std::string_view table, std::initializer_list<Value> row) {
    Insert(table, std::span(row.begin(), row.size()));
  }
  // Stores the rows still gathered, finalizes the statements and closes the database,
  // reporting a failing close.
  void Close();

 private:
  // A value gathered for storing: a text is kept as its UTF-8 bytes in the table's buffer.
  struct Gathered {
    Value::Kind kind;
    std::int64_t number;  // the integer, or the offset of the text in the buffer
    int size = 0;         // the text's size in bytes
  };
  // The rows of one table not yet stored.
  struct Table {
    std::string name;
    std::size_t columns = 0;
    int batch_rows = 1;              // rows per full batch
    sqlite3_stmt* batch = nullptr;   // stores batch_rows rows
    sqlite3_stmt* single = nullptr;  // stores one row
    std::vector<Gathered> values;    // row after row, columns values each
    std::string texts;               // the UTF-8 bytes of the gathered texts
  };

  Table& TableOf(std::string_view table, std::size_t columns);
  Table& NewTable(std::string_view table, std::size_t columns);
  sqlite3_stmt* Prepare(const Table& table, int rows);
  void Store(Table& table, std::size_t first_row, int rows, sqlite3_stmt* statement);
  void StoreGathered(Table& table);
  void StoreAllGathered();
  void Finalize();
  [[noreturn]] void Fail(std::string_view what);

  // Looks a table up by any kind of string, without making a std::string of it.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
      return std::hash<std::string_view>{}(name);
    }
  };

  sqlite3* db_ = nullptr;
  Table* last_ = nullptr;  // the table of the last row: rows mostly come table by table
  std::unordered_map<std::string, Table, NameHash, std::equal_to<>> tables_;
};

}  // namespace kzo::exporter
