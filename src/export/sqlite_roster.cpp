#include "export/sqlite_roster.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "roster/database.h"
#include "roster/field_dictionary.h"
#include "roster/referee.h"
#include "store/heap.h"

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
Records Span(const Record* slot0, int stored_slots, std::int32_t count, int first = 1) {
  static_assert(std::is_standard_layout_v<Record> && std::is_trivially_copyable_v<Record>);
  return {reinterpret_cast<const std::byte*>(slot0), sizeof(Record), first,
          std::min<int>(count, stored_slots - 1)};
}

template <class Record>
Records Span(const std::vector<Record>& roster, std::int32_t count, int first = 1) {
  return Span(roster.data(), static_cast<int>(roster.size()), count, first);
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
       Span<roster::RefereeRecord>(nullptr, 0, 0)},
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

// A dictionary entry of a table, with where its values lie in a record.
struct Field {
  std::string name;  // the key's part after the dot
  const FieldEntry* entry;
  std::size_t item_size;     // bytes of one value (a list's slot)
  std::size_t count_offset;  // a counted list: where its count lies
};

bool IsList(const Field& field) {
  return field.entry->slots != 0;
}

template <class T>
T Load(const std::byte* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// The bytes a field takes in its record: a value, an inline list of slots 0..n, or the
// pointer to a heap list.
std::size_t FieldSize(const FieldEntry& entry, std::size_t item_size) {
  if (entry.slots == roster::kCountedList) return sizeof(const void*);
  return item_size * static_cast<std::size_t>(entry.slots + 1);
}

std::string FieldName(const FieldEntry& entry, std::string_view table) {
  std::string_view key = View(entry.key);
  if (!key.starts_with(table) || key.size() <= table.size() || key[table.size()] != '.') return "";
  return std::string(key.substr(table.size() + 1));
}

// The entries of a table in registration order, each checked to lie inside the record.
std::vector<Field> Fields(const RosterKind& kind) {
  const roster::FieldDictionary& dictionary = roster::Dictionary();
  int count = std::min(dictionary.entry_count, roster::kMaxFieldEntries);
  std::vector<Field> fields;
  for (int i = 1; i <= count; ++i) {
    const FieldEntry& entry = dictionary.entries[static_cast<std::size_t>(i)];
    std::string name = FieldName(entry, kind.table);
    if (name.empty() || entry.kind != kind.kind) continue;
    std::size_t item_size =
        entry.value_type == roster::kTypeText ? sizeof(Text) : sizeof(std::int32_t);
    if (entry.field < 0 || entry.slots < roster::kCountedList ||
        static_cast<std::size_t>(entry.field) + FieldSize(entry, item_size) > kind.records.size) {
      throw SqliteError("field dictionary entry " + std::to_string(i) + " lies outside " +
                        std::string(kind.table));
    }
    fields.push_back({name, &entry, item_size, 0});
  }
  for (Field& field : fields) {
    if (field.entry->slots != roster::kCountedList) continue;
    auto count_field = std::find_if(fields.begin(), fields.end(), [&](const Field& other) {
      return other.name == field.name + "_count" && other.entry->slots == 0 &&
             other.entry->value_type != roster::kTypeText;
    });
    if (count_field == fields.end()) throw SqliteError("no count for " + field.name);
    field.count_offset = static_cast<std::size_t>(count_field->entry->field);
  }
  return fields;
}

std::string ColumnType(const FieldEntry& entry) {
  if (entry.value_type == roster::kTypeText) return "TEXT";
  std::optional<RosterKind> target = Target(entry);
  if (!target) return "INTEGER";
  return "INTEGER REFERENCES " + Quoted(target->table) + " (" + Quoted(target->key) + ")";
}

// The column of a child table that holds the list's values: named after the kind referred
// to ("move"), else "value".
std::string ItemColumn(const Field& field, const Shape& shape) {
  std::optional<RosterKind> target = Target(*field.entry);
  std::string name = target ? std::string(target->row) : "value";
  return std::find(shape.owner.begin(), shape.owner.end(), name) == shape.owner.end() ? name
                                                                                      : "value";
}

std::string ChildTable(const Field& field, const Shape& shape) {
  return shape.child_prefix + "_" + field.name;
}

bool IsKey(const Field& field, const Shape& shape) {
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

void CreateTables(SqliteDb& db, const Shape& shape, const std::vector<Field>& fields) {
  std::string sql = "CREATE TABLE " + Quoted(shape.table) + " (" + KeyColumns(shape.keys);
  for (const Field& field : fields) {
    if (!IsList(field) && !IsKey(field, shape)) {
      sql += Quoted(field.name) + " " + ColumnType(*field.entry) + ", ";
    }
  }
  db.Exec(sql + "PRIMARY KEY (" + ColumnList(shape.keys) + ")" + shape.key_constraint + ")");
  for (const Field& field : fields) {
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

// The first slot of a list and how many slots it has: inline slots 1..n, or slots
// 1..count of a heap list (never more than the list holds).
std::pair<const std::byte*, int> ListSlots(const Field& field, const std::byte* record) {
  const std::byte* at = record + field.entry->field;
  if (field.entry->slots != roster::kCountedList) return {at, field.entry->slots};
  const auto* list = Load<const std::byte*>(at);
  std::int32_t count = Load<std::int32_t>(record + field.count_offset);
  return {list, std::max(0, std::min<int>(count, store::HeapArrayUpper(list)))};
}

void WriteRecord(SqliteDb& db, const Shape& shape, const std::vector<Field>& fields,
                 const std::vector<SqlValue>& keys, const std::byte* record) {
  std::vector<SqlValue> row = keys;
  for (const Field& field : fields) {
    if (!IsList(field) && !IsKey(field, shape)) {
      row.push_back(ItemValue(*field.entry, record + field.entry->field));
    }
  }
  db.Insert(shape.table, row);
  for (const Field& field : fields) {
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

void WriteRecords(SqliteDb& db, const Shape& shape, const std::vector<Field>& fields,
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
  int count = std::min(dictionary.entry_count, roster::kMaxFieldEntries);
  for (int i = 1; i <= count; ++i) {
    const FieldEntry& e = dictionary.entries[static_cast<std::size_t>(i)];
    db.Insert("field_dictionary", {Int(i), Int(e.kind), Str(e.key), Str(e.label), Int(e.value_type),
                                   Int(e.ref_kind), Int(e.slots)});
  }
}

// A circuit's teams or stables: slots 1..count of its heap list.
template <class Record>
Records CircuitSpan(const Record* list, std::int32_t count, int capacity) {
  int stored = std::min(store::HeapArrayUpper(list), capacity) + 1;
  return Span(list, stored, count);
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
