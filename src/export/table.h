// The tables of the database export as plain descriptions (columns, keys, references) and
// the sink their rows go to: the SQLite database, or any other store of tables.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/fields.h"

namespace kzo::exporter {

struct Column {
  std::string name;
  bool text = false;  // TEXT, else INTEGER
  bool not_null = false;
  bool primary_key = false;  // the table's key all by itself (an INTEGER PRIMARY KEY)
  // The column of another table whose value this column's value is, if any.
  std::string references_table = {};
  std::string references_column = {};
};

// Columns of a table whose values are those of columns of another table.
struct ForeignKey {
  std::vector<std::string> columns;
  std::string table;
  std::vector<std::string> table_columns;
};

struct Table {
  std::string name;
  std::vector<Column> columns = {};
  std::vector<std::string> primary_key = {};  // the key, unless one column is it by itself
  std::vector<ForeignKey> foreign_keys = {};
  // Every name is quoted where the table is written as SQL: the tables made from the field
  // dictionary, whose names come from its keys.
  bool quoted = false;
};

// Where the rows of the tables go.
class RowSink {
 public:
  virtual ~RowSink() = default;
  // One row of table: a value per column, in column order (no value is a record).
  virtual void Row(const Table& table, std::span<const Value> values) = 0;
};

}  // namespace kzo::exporter
