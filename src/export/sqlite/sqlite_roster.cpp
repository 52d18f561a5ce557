#include "export/sqlite/sqlite_roster.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "export/record_fields.h"
#include "export/slots.h"
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
  throw SqliteError("no roster kind " + std::string(table));
}

// The kind a field refers to: for a reference entry of a known kind.
std::optional<RosterKind> Target(const FieldEntry& entry) {
  if (entry.value_type != roster::kTypeReference) return std::nullopt;
  return KindByCode(entry.ref_kind);
}

// Where the rows of a record table go: its name, the key columns numbering its rows, the
// columns of its child tables that hold those keys, and a constraint on the keys.
struct Shape {
  std::string table;         // "wrestlers", "circuit_stables"
  std::string child_prefix;  // "wrestler": child tables "wrestler_moves", ...
  std::vector<std::string> keys;
  std::vector<std::string> owner;
  std::string key_constraint;
};

Shape RosterShape(const RosterKind& kind) {
  return {std::string(kind.table),
          std::string(kind.row),
          {std::string(kind.key)},
          {std::string(kind.row)},
          ""};
}

Shape CircuitShape(const RosterKind& kind) {
  std::string row = "circuit_" + std::string(kind.row);
  return {"circuit_" + std::string(kind.table),
          row,
          {"circuit", std::string(kind.row)},
          {"circuit", std::string(kind.row)},
          ", FOREIGN KEY (\"circuit\") REFERENCES \"circuits\" (\"circuit\")"};
}

// The dictionary entries of a kind's table.
std::vector<RecordField> Fields(const RosterKind& kind) {
  return RecordFields(kind.kind, kind.table, kind.records.size);
}

std::string ColumnType(const FieldEntry& entry) {
  if (entry.value_type == roster::kTypeText) return "TEXT";
  std::optional<RosterKind> target = Target(entry);
  if (!target) return "INTEGER";
  return "INTEGER REFERENCES " + Quoted(target->table) + " (" + Quoted(target->key) + ")";
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

std::string ColumnList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + Quoted(name);
  return list;
}

std::string KeyColumns(const std::vector<std::string>& names) {
  std::string columns;
  for (const std::string& name : names) columns += Quoted(name) + " INTEGER NOT NULL, ";
  return columns;
}

void CreateTables(SqliteDb& db, const Shape& shape, const std::vector<RecordField>& fields) {
  std::string sql = "CREATE TABLE " + Quoted(shape.table) + " (" + KeyColumns(shape.keys);
  for (const RecordField& field : fields) {
    if (!IsList(field) && !IsKey(field, shape)) {
      sql += Quoted(field.name) + " " + ColumnType(*field.entry) + ", ";
    }
  }
  db.Exec(sql + "PRIMARY KEY (" + ColumnList(shape.keys) + ")" + shape.key_constraint + ")");
  for (const RecordField& field : fields) {
    if (!IsList(field)) continue;
    db.Exec("CREATE TABLE " + Quoted(ChildTable(field, shape)) + " (" + KeyColumns(shape.owner) +
            "\"slot\" INTEGER NOT NULL, " + Quoted(ItemColumn(field, shape)) + " " +
            ColumnType(*field.entry) + ", PRIMARY KEY (" + ColumnList(shape.owner) +
            ", \"slot\"), FOREIGN KEY (" + ColumnList(shape.owner) + ") REFERENCES " +
            Quoted(shape.table) + " (" + ColumnList(shape.keys) + "))");
  }
}

SqlValue ItemValue(const FieldEntry& entry, const std::byte* at) {
  if (entry.value_type == roster::kTypeText) return Str(Load<Text>(at));
  std::int32_t number = Load<std::int32_t>(at);
  if (entry.value_type == roster::kTypeReference) return Reference(entry.ref_kind, number);
  return Int(number);
}

void WriteRecord(SqliteDb& db, const Shape& shape, const std::vector<RecordField>& fields,
                 const std::vector<SqlValue>& keys, const std::byte* record) {
  std::vector<SqlValue> row = keys;
  for (const RecordField& field : fields) {
    if (!IsList(field) && !IsKey(field, shape)) {
      row.push_back(ItemValue(*field.entry, record + field.entry->field));
    }
  }
  db.Insert(shape.table, row);
  for (const RecordField& field : fields) {
    if (!IsList(field)) continue;
    auto [list, slots] = ListSlots(field, record);
    for (int slot = 1; slot <= slots; ++slot) {
      row = keys;
      row.push_back(Int(slot));
      row.push_back(
          ItemValue(*field.entry, list + field.item_size * static_cast<std::size_t>(slot)));
      db.Insert(ChildTable(field, shape), row);
    }
  }
}

void WriteRecords(SqliteDb& db, const Shape& shape, const std::vector<RecordField>& fields,
                  std::vector<SqlValue> keys, const Records& records) {
  keys.push_back(Null());
  for (int slot = records.first; slot <= records.last; ++slot) {
    keys.back() = Int(slot);
    WriteRecord(db, shape, fields, keys,
                records.slot0 + records.size * static_cast<std::size_t>(slot));
  }
}

void CreateDictionaryTable(SqliteDb& db) {
  db.Exec(
      "CREATE TABLE \"field_dictionary\" (\"entry\" INTEGER PRIMARY KEY, \"kind\" INTEGER, "
      "\"key\" TEXT, \"label\" TEXT, \"value_type\" INTEGER, \"ref_kind\" INTEGER, "
      "\"slots\" INTEGER)");
}

void WriteDictionaryRows(SqliteDb& db) {
  const roster::FieldDictionary& dictionary = roster::Dictionary();
  for (int i = 1; i <= StoredSlots(dictionary.entry_count, roster::kMaxFieldEntries); ++i) {
    const FieldEntry& e = dictionary.entries[static_cast<std::size_t>(i)];
    db.Insert("field_dictionary", {Int(i), Int(e.kind), Str(e.key), Str(e.label), Int(e.value_type),
                                   Int(e.ref_kind), Int(e.slots)});
  }
}

// A circuit's teams or stables: the stored slots of its heap list.
template <class Record>
Records CircuitSpan(const Record* list, std::int32_t count, int capacity) {
  return Span(list, 1, StoredSlots(list, count, capacity));
}

}  // namespace

SqlValue Reference(std::int32_t kind, std::int64_t number) {
  std::optional<RosterKind> target = KindByCode(kind);
  if (!target) return Int(number);
  bool exists = number >= target->records.first && number <= target->records.last;
  return exists ? Int(number) : Null();
}

void CreateRosterTables(SqliteDb& db) {
  for (const RosterKind& kind : RosterKinds()) CreateTables(db, RosterShape(kind), Fields(kind));
  for (std::string_view table : {"teams", "stables"}) {
    RosterKind kind = KindByTable(table);
    CreateTables(db, CircuitShape(kind), Fields(kind));
  }
  CreateDictionaryTable(db);
}

void WriteRosterRows(SqliteDb& db) {
  for (const RosterKind& kind : RosterKinds()) {
    WriteRecords(db, RosterShape(kind), Fields(kind), {}, kind.records);
  }
  WriteDictionaryRows(db);
}

void WriteCircuitRosterRows(SqliteDb& db, int circuit, const model::CircuitRecord& c) {
  RosterKind teams = KindByTable("teams");
  WriteRecords(db, CircuitShape(teams), Fields(teams), {Int(circuit)},
               CircuitSpan(c.teams, c.team_count, model::kMaxCircuitTeams));
  RosterKind stables = KindByTable("stables");
  WriteRecords(db, CircuitShape(stables), Fields(stables), {Int(circuit)},
               CircuitSpan(c.stables, c.stable_count, model::kMaxCircuitStables));
}

}  // namespace kzo::exporter
