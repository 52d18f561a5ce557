#include "export/database_tables.h"

#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "export/career_tables.h"
#include "export/model_fields.h"
#include "export/result_tables.h"
#include "export/roster_tables.h"
#include "model/show.h"
#include "roster/field_dictionary.h"

namespace kzo::exporter {
namespace {

// Where rows come from: the slots of a list field at the end of a path of field names
// through records ("fa_lines.lines"), starting at the record of the row above.
struct Source {
  std::string_view path;
  std::string_view tag = {};  // the value of the table's tag column in these rows
};

// Where columns come from, read from a row's record (or, for a table of a list of values,
// from its slot's value).
struct ColumnSource {
  enum class Kind {
    kEveryValue,  // every single value of the record at path, in declared order, each in a
                  // column of its name; the list named spread gives a column per slot, named
                  // name and the slot's number
    kValue,       // the single value at path, in the column name (the field's name when empty)
    kItem,        // the slot's value, in the column name
    kBeside,      // the slot of the same number of the list at path of the record that holds
                  // the rows' list, in the column name; no value beyond that list's last slot
    kComputed,    // what computed reads from the record, in the column of its name
  };
  Kind kind;
  std::string_view path = {};
  std::string_view name = {};
  std::string_view spread = {};
  const Field* computed = nullptr;
};

ColumnSource EveryValueOf(std::string_view path = {}) {
  return {ColumnSource::Kind::kEveryValue, path};
}
ColumnSource EveryValueSpreading(std::string_view list, std::string_view name) {
  return {.kind = ColumnSource::Kind::kEveryValue, .name = name, .spread = list};
}
ColumnSource ValueOf(std::string_view path, std::string_view name = {}) {
  return {ColumnSource::Kind::kValue, path, name};
}
ColumnSource ItemAs(std::string_view name) {
  return {.kind = ColumnSource::Kind::kItem, .name = name};
}
ColumnSource BesideAs(std::string_view list, std::string_view name) {
  return {ColumnSource::Kind::kBeside, list, name};
}
ColumnSource ComputedAs(const Field& field) {
  return {.kind = ColumnSource::Kind::kComputed, .computed = &field};
}

// A table and where its rows come from. Its key columns are those of the table above it
// (named as that table's slot_as says), then the tag column naming the source of a row, then
// the slot column numbering the row in its list; a table without sources has one row, the
// record of the row above.
struct Layout {
  std::string_view name;
  std::string_view above = {};  // the table whose rows' records hold the lists; none: the model
  std::vector<Source> sources = {};
  std::string_view tag = {};
  std::string_view slot = {};
  std::string_view slot_as = {};  // how the tables below name the slot column
  std::int32_t slot_names = 0;    // the roster kind whose record a slot number names
  std::vector<ColumnSource> columns = {};
  bool quoted = false;
};

// The result sentence of a segment.
constexpr Field kResult = Computed<model::MatchRecord, [](const model::MatchRecord& m) {
  return Str(model::ResultText(m));
}>("result", Type::kText);

// The tables beyond the rosters, in the order they are made.
std::vector<Layout> Layouts() {
  return {
      {.name = "field_dictionary",
       .sources = {{"field_dictionary"}},
       .slot = "entry",
       .columns = {ValueOf("kind"), ValueOf("key"), ValueOf("label"), ValueOf("value_type"),
                   ValueOf("ref_kind"), ValueOf("slots")},
       .quoted = true},
      {.name = "settings", .columns = {ValueOf("legacy_folder"), EveryValueOf("settings")}},
      {.name = "crowd_reactions",
       .sources = {{"crowd_reactions"}},
       .slot = "entry",
       .columns = {EveryValueOf()}},
      {.name = "circuits",
       .sources = {{"circuits"}},
       .slot = "circuit",
       .columns = {EveryValueOf()}},
      {.name = "titles",
       .above = "circuits",
       .sources = {{"titles"}},
       .slot = "title",
       .columns = {EveryValueOf()}},
      {.name = "title_holders",
       .above = "titles",
       .sources = {{"holder_names"}},
       .slot = "slot",
       .columns = {ItemAs("name")}},
      {.name = "shows",
       .above = "circuits",
       .sources = {{"shows"}},
       .slot = "show",
       .columns = {EveryValueOf()}},
      {.name = "matches",
       .above = "shows",
       .sources = {{"matches"}},
       .slot = "slot",
       .slot_as = "match",
       .columns = {ValueOf("match_type"), ValueOf("has_fa_block"), ComputedAs(kResult),
                   ValueOf("rating_text", "rating"), ValueOf("text_line_count"),
                   ValueOf("text_line2_count"), ValueOf("bracket_note_count"),
                   ValueOf("paren_note_count"), ValueOf("fa_lines.line_count", "fa_line_count"),
                   ValueOf("breakdown_count")}},
      {.name = "match_text_lines",
       .above = "matches",
       .sources = {{"text_lines", "text_lines"}, {"text_lines2", "text_lines2"}},
       .tag = "list",
       .slot = "slot",
       .columns = {ItemAs("line")}},
      {.name = "match_notes",
       .above = "matches",
       .sources = {{"bracket_notes", "bracket"}, {"paren_notes", "paren"}},
       .tag = "kind",
       .slot = "slot",
       .columns = {ItemAs("note")}},
      {.name = "fa_lines",
       .above = "matches",
       .sources = {{"fa_lines.lines"}},
       .slot = "slot",
       .columns = {ItemAs("line")}},
      {.name = "breakdown",
       .above = "matches",
       .sources = {{"breakdown"}},
       .slot = "slot",
       .columns = {EveryValueOf()}},
      {.name = "circuit_roster",
       .above = "circuits",
       .sources = {{"roster"}},
       .slot = "wrestler",
       .slot_names = roster::kKindWrestlers,
       .columns = {EveryValueOf(), BesideAs("wht_values", "wht_value")}},
      {.name = "circuit_roster_managers",
       .above = "circuit_roster",
       .sources = {{"managers"}},
       .slot = "slot",
       .columns = {ItemAs("manager")}},
      {.name = "hire_terms",
       .above = "circuit_roster",
       .sources = {{"hire_terms"}},
       .slot = "term",
       .columns = {EveryValueOf()}},
      {.name = "points_entries",
       .above = "circuits",
       .sources = {{"points.pts.entries", "pts"},
                   {"points.pts_t.entries", "pts_t"},
                   {"points.pts_s.entries", "pts_s"},
                   {"points.totals.entries", "totals"}},
       .tag = "points_table",
       .slot = "entry",
       .columns = {EveryValueSpreading("values", "value")}},
      {.name = "points_participants",
       .above = "points_entries",
       .sources = {{"participants"}},
       .slot = "slot",
       .columns = {ItemAs("wrestler")}},
  };
}

// A column as a row reads it.
struct ColumnRead {
  ColumnSource::Kind kind;
  std::vector<const Field*> path;  // records, then the field holding the value
  int slot = 0;                    // a slot of a spread list
};

// A key column of a table, as the tables below it name it.
struct Key {
  std::string name;
  bool text;
};

// What the tables below a table need of it.
struct Above {
  const RecordType* type;        // of its row's record
  std::string table;             // its name ("" for the whole model)
  std::vector<Key> keys;         // its key columns as the tables below name them
  std::vector<std::string> own;  // its key columns as it names them
};

// A layout resolved against the record descriptions.
struct Node {
  Table table;
  struct List {
    std::vector<const Field*> path;  // records, then the list
    std::string_view tag;
  };
  std::vector<List> sources;
  bool tagged = false;   // a key column names the source of a row
  bool records = false;  // the rows are the records of their slots, not values
  std::vector<ColumnRead> columns;
  bool top = false;                // its rows' lists are held by the model itself
  std::vector<const Node*> below;  // the tables whose rows' lists its rows' records hold
  Above here;                      // what the tables below need of it
};

// The fields along a path of names, from the record type.
std::vector<const Field*> FieldPath(const RecordType& type, std::string_view path) {
  std::vector<const Field*> fields;
  const RecordType* at = &type;
  while (true) {
    std::size_t dot = path.find('.');
    if (at == nullptr) throw std::invalid_argument("no record at " + std::string(path));
    fields.push_back(&FieldNamed(*at, path.substr(0, dot)));
    if (dot == std::string_view::npos) return fields;
    at = fields.back()->record;
    path.remove_prefix(dot + 1);
  }
}

bool IsSingleValue(const Field& field) {
  return !field.IsList() && field.type != Type::kRecord && !field.target.owner;
}

// The column holding a field's values, named name.
Column ValueColumn(const Field& field, std::string name) {
  Column column{.name = std::move(name), .text = field.type == Type::kText};
  if (field.type == Type::kReference && field.target.roster_kind != 0) {
    RosterTable target = TableOfKind(field.target.roster_kind);
    column.references_table = target.table;
    column.references_column = target.key;
  }
  return column;
}

void AddColumn(Node& node, ColumnRead read, const Field& field, std::string name) {
  node.table.columns.push_back(ValueColumn(field, std::move(name)));
  node.columns.push_back(std::move(read));
}

// The columns of a source, read from the rows' records of the type, the records of the
// holder type that hold their list, or the list's slots.
void AddColumns(Node& node, const ColumnSource& source, const RecordType* type,
                const RecordType* holder, const Field* list) {
  using Kind = ColumnSource::Kind;
  std::vector<const Field*> path;
  if (source.kind == Kind::kValue || (source.kind == Kind::kEveryValue && !source.path.empty())) {
    if (type == nullptr) throw std::invalid_argument(node.table.name + " holds no records");
    path = FieldPath(*type, source.path);
  }
  switch (source.kind) {
    case Kind::kEveryValue: {
      const RecordType* of = path.empty() ? type : path.back()->record;
      if (of == nullptr) throw std::invalid_argument(node.table.name + " holds no records");
      for (const Field& field : of->fields) {
        std::vector<const Field*> to = path;
        to.push_back(&field);
        if (IsSingleValue(field)) {
          AddColumn(node, {Kind::kValue, to}, field, std::string(field.name));
        } else if (field.name == source.spread) {
          for (int slot = field.first; slot <= field.capacity; ++slot) {
            AddColumn(node, {Kind::kValue, to, slot}, field,
                      std::string(source.name) + std::to_string(slot));
          }
        }
      }
      return;
    }
    case Kind::kValue:
      return AddColumn(node, {Kind::kValue, path}, *path.back(),
                       std::string(source.name.empty() ? path.back()->name : source.name));
    case Kind::kItem:
      if (list == nullptr) throw std::invalid_argument(node.table.name + " holds no list");
      return AddColumn(node, {Kind::kItem, {list}}, *list, std::string(source.name));
    case Kind::kBeside:
      path = FieldPath(*holder, source.path);
      return AddColumn(node, {Kind::kBeside, path}, *path.back(), std::string(source.name));
    case Kind::kComputed:
      return AddColumn(node, {Kind::kValue, {source.computed}}, *source.computed,
                       std::string(source.computed->name));
  }
}

// Adds the key columns of node's table: those of the table above (the one column of a top
// table refers to it; several refer to it together), the tag, the slot. Returns their names.
std::vector<std::string> AddKeyColumns(Node& node, const Layout& layout, const Above& above) {
  std::vector<Column>& columns = node.table.columns;
  std::vector<std::string> keys;
  for (const Key& key : above.keys) {
    columns.push_back({.name = key.name, .text = key.text, .not_null = true});
    if (above.keys.size() == 1) {
      columns.back().references_table = above.table;
      columns.back().references_column = above.own.front();
    }
    keys.push_back(key.name);
  }
  if (above.keys.size() > 1) node.table.foreign_keys.push_back({keys, above.table, above.own});
  if (!layout.tag.empty()) {
    columns.push_back({.name = std::string(layout.tag), .text = true, .not_null = true});
    keys.emplace_back(layout.tag);
  }
  if (!layout.slot.empty()) {
    Column slot{.name = std::string(layout.slot), .not_null = true};
    if (layout.slot_names != 0) {
      RosterTable target = TableOfKind(layout.slot_names);
      slot.references_table = target.table;
      slot.references_column = target.key;
    }
    columns.push_back(std::move(slot));
    keys.emplace_back(layout.slot);
  }
  // A table of one key column of its own has it as its key (an INTEGER PRIMARY KEY).
  if (keys.size() == 1 && above.keys.empty()) {
    columns.front().not_null = false;
    columns.front().primary_key = true;
  } else {
    node.table.primary_key = keys;
  }
  return keys;
}

// A column naming a slot of one of the record's lists (a roster entry's current hire term)
// refers to the row of that slot in the table below whose rows are that list's slots.
void AddSlotReferences(Node& node) {
  const std::vector<std::string>& keys = node.here.own;
  for (std::size_t c = 0; c < node.columns.size(); ++c) {
    const Field& field = *node.columns[c].path.back();
    if (field.target.list.empty()) continue;
    for (const Node* below : node.below) {
      if (below->sources.size() == 1 &&
          below->sources.front().path.back()->name == field.target.list) {
        std::vector<std::string> columns = keys;
        columns.push_back(node.table.columns[keys.size() + c].name);
        node.table.foreign_keys.push_back({columns, below->table.name, below->table.primary_key});
      }
    }
  }
}

Node Resolve(const Layout& layout, const Above& above) {
  Node node;
  node.table = {.name = std::string(layout.name), .quoted = layout.quoted};
  const Field* list = nullptr;
  for (const Source& source : layout.sources) {
    node.sources.push_back({FieldPath(*above.type, source.path), source.tag});
    list = node.sources.back().path.back();
  }
  node.tagged = !layout.tag.empty();
  node.records = list != nullptr && list->record != nullptr;
  // The record type of the rows, and of the record that holds their list.
  const RecordType* type = list ? list->record : above.type;
  const RecordType* holder = above.type;
  if (!node.sources.empty() && node.sources.back().path.size() > 1) {
    holder = node.sources.back().path.end()[-2]->record;
  }
  std::vector<std::string> keys = AddKeyColumns(node, layout, above);
  for (const ColumnSource& source : layout.columns) AddColumns(node, source, type, holder, list);
  node.here = {type, node.table.name, above.keys, keys};
  if (node.tagged) node.here.keys.push_back({std::string(layout.tag), true});
  if (!layout.slot.empty()) {
    node.here.keys.push_back(
        {std::string(layout.slot_as.empty() ? layout.slot : layout.slot_as), false});
  }
  return node;
}

// The layouts resolved, in the order of the tables; the nodes hold each other.
std::deque<Node> Nodes() {
  std::deque<Node> nodes;
  const Above model{&kModelType, "", {}, {}};
  for (const Layout& layout : Layouts()) {
    Node* above = nullptr;
    for (Node& node : nodes) {
      if (node.table.name == layout.above) above = &node;
    }
    if (above == nullptr && !layout.above.empty()) {
      throw std::invalid_argument("no table " + std::string(layout.above));
    }
    nodes.push_back(Resolve(layout, above ? above->here : model));
    nodes.back().top = above == nullptr;
    if (above) above->below.push_back(&nodes.back());
  }
  for (Node& node : nodes) AddSlotReferences(node);
  return nodes;
}

// A field's value as a column holds it: a reference to a roster record that does not exist
// is no value.
Value ColumnValue(const Field& field, const Value& value) {
  if (field.target.roster_kind == 0 || value.kind != Value::Kind::kInt) return value;
  return Reference(field.target.roster_kind, value.number);
}

Value ReadColumn(const ColumnRead& read, const Value& item, const void* above, int slot) {
  using Kind = ColumnSource::Kind;
  const Field& field = *read.path.back();
  if (read.kind == Kind::kItem) return ColumnValue(field, item);
  if (read.kind == Kind::kBeside) {
    return slot <= field.LastSlot(above) ? ColumnValue(field, field.Read(above, slot)) : Null();
  }
  const void* record = item.record;
  for (std::size_t i = 0; i + 1 < read.path.size(); ++i) {
    Value next = read.path[i]->Read(record);
    if (next.kind != Value::Kind::kRecord) return Null();
    record = next.record;
  }
  return ColumnValue(field, field.Read(record, read.slot));
}

void WriteRows(const Node& node, const void* above, std::vector<Value>& keys, RowSink& sink);

// The row of one slot (or of the record above, for a table without sources), made in row,
// then the rows of the tables below it.
void WriteRow(const Node& node, const Value& item, const void* above, int slot,
              std::vector<Value>& keys, std::vector<Value>& row, RowSink& sink) {
  row.assign(keys.begin(), keys.end());
  for (const ColumnRead& read : node.columns) row.push_back(ReadColumn(read, item, above, slot));
  sink.Row(node.table, row);
  for (const Node* below : node.below) WriteRows(*below, item.record, keys, sink);
}

void WriteRows(const Node& node, const void* above, std::vector<Value>& keys, RowSink& sink) {
  std::vector<Value> row;
  if (node.sources.empty()) return WriteRow(node, RecordAt(above), above, 0, keys, row, sink);
  std::size_t depth = keys.size();
  for (const Node::List& source : node.sources) {
    const void* record = above;
    for (std::size_t i = 0; record != nullptr && i + 1 < source.path.size(); ++i) {
      record = source.path[i]->Read(record).record;
    }
    if (record == nullptr) continue;
    const Field& list = *source.path.back();
    for (int slot = list.first; slot <= list.LastSlot(record); ++slot) {
      Value item = list.Read(record, slot);
      // A slot without a record (a show the circuit holds none for) has no row.
      if (node.records && item.kind != Value::Kind::kRecord) continue;
      if (node.tagged) keys.push_back(Str(source.tag.data()));
      keys.push_back(Int(slot));
      WriteRow(node, item, record, slot, keys, row, sink);
      keys.resize(depth);
    }
  }
}

}  // namespace

std::vector<Table> DatabaseTables() {
  std::vector<Table> tables;
  AddRosterTables(tables);
  for (const Node& node : Nodes()) tables.push_back(node.table);
  AddResultTables(tables);
  AddCareerTables(tables);
  return tables;
}

void WriteDatabaseRows(RowSink& sink) {
  WriteRosterRows(sink);
  std::deque<Node> nodes = Nodes();
  std::vector<Value> keys;
  for (const Node& node : nodes) {
    if (node.top) WriteRows(node, TheModel(), keys, sink);
  }
  // The answers and the careers' tables hold the numbers of one walk over the matches.
  std::vector<Career> careers = BuildCareers();
  WriteResultRows(sink, careers);
  WriteCareerRows(sink, careers);
}

}  // namespace kzo::exporter
