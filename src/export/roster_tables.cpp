#include "export/roster_tables.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "export/record_fields.h"
#include "export/slots.h"
#include "model/circuit.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"
#include "roster/referee.h"

namespace kzo::exporter {
namespace {

using roster::FieldEntry;

// The records of a roster as bytes: slots first..last, `size` bytes apart from slot 0.
struct Records {
  const std::byte* slot0 = nullptr;
  std::size_t size = 0;
  int first = 1;
  int last = 0;
};

// A roster kind: its dictionary kind and key prefix, the name of one of its records (which
// names its child tables and the columns referring to it) and its number column.
struct RosterKind {
  std::int32_t kind;
  std::string_view table;
  std::string_view row;
  std::string_view key;
  Records records;
};

template <class Record>
Records Span(const Record* slot0, int first, int last) {
  static_assert(std::is_standard_layout_v<Record> && std::is_trivially_copyable_v<Record>);
  return {reinterpret_cast<const std::byte*>(slot0), sizeof(Record), first, last};
}

// A roster's records first..count, never beyond the slots its vector holds.
template <class Record>
Records Span(const std::vector<Record>& roster, std::int32_t count, int first = 1) {
  return Span(roster.data(), first, std::min<int>(count, static_cast<int>(roster.size()) - 1));
}

constexpr std::size_t kRosterKindCount = 9;

// The roster kinds; gimmick matches come before the referees that share their kind code.
std::array<RosterKind, kRosterKindCount> RosterKinds() {
  const roster::RosterDatabase& db = roster::Database();
  return {{
      {roster::kKindWrestlers, "wrestlers", "wrestler", "wnr",
       Span(db.wrestlers, db.wrestler_count)},
      {roster::kKindMoves, "moves", "move", "number", Span(db.moves, db.move_count, 0)},
      {roster::kKindManagers, "managers", "manager", "number", Span(db.managers, db.manager_count)},
      {roster::kKindTeams, "teams", "team", "number", Span(db.teams, db.team_count)},
      {roster::kKindStables, "stables", "stable", "number", Span(db.stables, db.stable_count)},
      {roster::kKindForeignObjects, "foreign_objects", "foreign_object", "number",
       Span(db.foreign_objects, db.foreign_object_count)},
      {roster::kKindGimmickMatches, "gimmick_matches", "gimmick_match", "number",
       Span(db.gimmick_matches, db.gimmick_match_count)},
      {roster::kKindReferees, "referees", "referee", "number",
       Span<roster::RefereeRecord>(nullptr, 1, 0)},
      {roster::kKindDives, "dives", "dive", "number", Span(db.dives, db.dive_count)},
  }};
}

// The kind a reference names, if it is one of the roster kinds.
std::optional<RosterKind> KindByCode(std::int32_t code) {
  for (const RosterKind& kind : RosterKinds()) {
    if (kind.kind == code) return kind;
  }
  return std::nullopt;
}

RosterKind KindByTable(std::string_view table) {
  for (const RosterKind& kind : RosterKinds()) {
    if (kind.table == table) return kind;
  }
  throw std::invalid_argument("no roster kind " + std::string(table));
}

// The kind a field refers to: for a reference entry of a known kind.
std::optional<RosterKind> Target(const FieldEntry& entry) {
  if (entry.value_type != roster::kTypeReference) return std::nullopt;
  return KindByCode(entry.ref_kind);
}

// Where the rows of a record table go: its name, the key columns numbering its rows, the
// columns of its child tables that hold those keys, and the keys' references to the table
// of the records that own these.
struct Shape {
  std::string table;         // "wrestlers", "circuit_stables"
  std::string child_prefix;  // "wrestler": child tables "wrestler_moves", ...
  std::vector<std::string> keys;
  std::vector<std::string> owner;
  std::vector<ForeignKey> key_references;
};

Shape RosterShape(const RosterKind& kind) {
  return {std::string(kind.table),
          std::string(kind.row),
          {std::string(kind.key)},
          {std::string(kind.row)},
          {}};
}

Shape CircuitShape(const RosterKind& kind) {
  std::string row = "circuit_" + std::string(kind.row);
  return {"circuit_" + std::string(kind.table),
          row,
          {"circuit", std::string(kind.row)},
          {"circuit", std::string(kind.row)},
          {{{"circuit"}, "circuits", {"circuit"}}}};
}

// The dictionary entries of a kind's table.
std::vector<RecordField> Fields(const RosterKind& kind) {
  return RecordFields(kind.kind, kind.table, kind.records.size);
}

// The column of an entry's values: TEXT for a text, INTEGER otherwise, referring to the
// table of the records a reference names.
Column ValueColumn(const FieldEntry& entry, std::string name) {
  Column column{.name = std::move(name), .text = entry.value_type == roster::kTypeText};
  if (std::optional<RosterKind> target = Target(entry)) {
    column.references_table = target->table;
    column.references_column = target->key;
  }
  return column;
}

// The column of a child table that holds the list's values: named after the kind referred
// to ("move"), else "value".
std::string ItemColumn(const RecordField& field, const Shape& shape) {
  std::optional<RosterKind> target = Target(*field.entry);
  std::string name = target ? std::string(target->row) : "value";
  return std::find(shape.owner.begin(), shape.owner.end(), name) == shape.owner.end() ? name
                                                                                      : "value";
}

std::string ChildTable(const RecordField& field, const Shape& shape) {
  return shape.child_prefix + "_" + field.name;
}

bool IsKey(const RecordField& field, const Shape& shape) {
  return std::find(shape.keys.begin(), shape.keys.end(), field.name) != shape.keys.end();
}

std::vector<Column> KeyColumns(const std::vector<std::string>& names) {
  std::vector<Column> columns;
  for (const std::string& name : names) columns.push_back({.name = name, .not_null = true});
  return columns;
}

// The table of a shape's records, then a table per list field.
void AddTables(std::vector<Table>& tables, const Shape& shape,
               const std::vector<RecordField>& fields) {
  Table records{.name = shape.table,
                .columns = KeyColumns(shape.keys),
                .primary_key = shape.keys,
                .foreign_keys = shape.key_references,
                .quoted = true};
  for (const RecordField& field : fields) {
    if (!IsList(field) && !IsKey(field, shape)) {
      records.columns.push_back(ValueColumn(*field.entry, field.name));
    }
  }
  tables.push_back(std::move(records));
  for (const RecordField& field : fields) {
    if (!IsList(field)) continue;
    std::vector<std::string> key = shape.owner;
    key.push_back("slot");
    Table list{.name = ChildTable(field, shape),
               .columns = KeyColumns(key),
               .primary_key = key,
               .foreign_keys = {{shape.owner, shape.table, shape.keys}},
               .quoted = true};
    list.columns.push_back(ValueColumn(*field.entry, ItemColumn(field, shape)));
    tables.push_back(std::move(list));
  }
}

const Table& TableNamed(const std::vector<Table>& tables, std::string_view name) {
  for (const Table& table : tables) {
    if (table.name == name) return table;
  }
  throw std::invalid_argument("no table " + std::string(name));
}

Value ItemValue(const FieldEntry& entry, const std::byte* at) {
  if (entry.value_type == roster::kTypeText) return Str(Load<Text>(at));
  std::int32_t number = Load<std::int32_t>(at);
  if (entry.value_type == roster::kTypeReference) return Reference(entry.ref_kind, number);
  return Int(number);
}

// Writes the rows of records into the shape's tables, each starting with keys and the
// record's slot.
void WriteRecords(const std::vector<Table>& tables, RowSink& sink, const Shape& shape,
                  const std::vector<RecordField>& fields, std::vector<Value> keys,
                  const Records& records) {
  const Table& table = TableNamed(tables, shape.table);
  std::vector<const Table*> lists;
  for (const RecordField& field : fields) {
    lists.push_back(IsList(field) ? &TableNamed(tables, ChildTable(field, shape)) : nullptr);
  }
  keys.push_back(Null());
  std::vector<Value> row;
  for (int slot = records.first; slot <= records.last; ++slot) {
    keys.back() = Int(slot);
    const std::byte* record = records.slot0 + records.size * static_cast<std::size_t>(slot);
    row = keys;
    for (const RecordField& field : fields) {
      if (!IsList(field) && !IsKey(field, shape)) {
        row.push_back(ItemValue(*field.entry, record + field.entry->field));
      }
    }
    sink.Row(table, row);
    for (std::size_t f = 0; f < fields.size(); ++f) {
      if (lists[f] == nullptr) continue;
      auto [list, slots] = ListSlots(fields[f], record);
      for (int item = 1; item <= slots; ++item) {
        row = keys;
        row.push_back(Int(item));
        row.push_back(ItemValue(*fields[f].entry,
                                list + fields[f].item_size * static_cast<std::size_t>(item)));
        sink.Row(*lists[f], row);
      }
    }
  }
}

// A circuit's teams or stables: the stored slots of its heap list.
template <class Record>
Records CircuitSpan(const Record* list, std::int32_t count, int capacity) {
  return Span(list, 1, StoredSlots(list, count, capacity));
}

}  // namespace

Value Reference(std::int32_t kind, std::int64_t number) {
  std::optional<RosterKind> target = KindByCode(kind);
  if (!target) return Int(number);
  bool exists = number >= target->records.first && number <= target->records.last;
  return exists ? Int(number) : Null();
}

RosterTable TableOfKind(std::int32_t kind) {
  std::optional<RosterKind> target = KindByCode(kind);
  if (!target) return {};
  return {std::string(target->table), std::string(target->key)};
}

void AddRosterTables(std::vector<Table>& tables) {
  for (const RosterKind& kind : RosterKinds()) AddTables(tables, RosterShape(kind), Fields(kind));
  for (std::string_view table : {"teams", "stables"}) {
    RosterKind kind = KindByTable(table);
    AddTables(tables, CircuitShape(kind), Fields(kind));
  }
}

void WriteRosterRows(RowSink& sink) {
  std::vector<Table> tables;
  AddRosterTables(tables);
  for (const RosterKind& kind : RosterKinds()) {
    WriteRecords(tables, sink, RosterShape(kind), Fields(kind), {}, kind.records);
  }
  RosterKind teams = KindByTable("teams");
  RosterKind stables = KindByTable("stables");
  const model::CircuitTable& circuits = model::Circuits();
  for (int c = 1; c <= StoredSlots(circuits.count, model::kMaxCircuits); ++c) {
    const model::CircuitRecord& circuit = circuits.records[static_cast<std::size_t>(c)];
    WriteRecords(tables, sink, CircuitShape(teams), Fields(teams), {Int(c)},
                 CircuitSpan(circuit.teams, circuit.team_count, model::kMaxCircuitTeams));
    WriteRecords(tables, sink, CircuitShape(stables), Fields(stables), {Int(c)},
                 CircuitSpan(circuit.stables, circuit.stable_count, model::kMaxCircuitStables));
  }
}

}  // namespace kzo::exporter
