// The fields of the roster records as the field dictionary describes them: each entry of a
// record kind, with where its value or its list's slots lie in a record's bytes. The JSON
// and the database export both read the records through these, so that a field is
// described once, by its dictionary entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "roster/database.h"
#include "roster/field_dictionary.h"

namespace kzo::exporter {

// A dictionary entry that does not fit the records of its kind.
struct FieldError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A dictionary entry of a record kind, with where its values lie in a record.
struct RecordField {
  std::string name;  // the key's part after the dot
  const roster::FieldEntry* entry;
  std::size_t item_size;     // bytes of one value (a list's slot)
  std::size_t count_offset;  // a counted list: where its count lies
  int capacity;              // a list: the most slots it holds
};

// The entries of the kind whose keys are table, a dot and a field name, in registration
// order, each checked to lie inside a record of record_size bytes; a counted list goes with
// the entry of its count (field name and "_count"). Throws FieldError for an entry that
// does not fit.
std::vector<RecordField> RecordFields(std::int32_t kind, std::string_view table,
                                      std::size_t record_size);

// The dictionary kind of each roster record type, the key prefix of its entries and the
// name of the record type.
struct RecordKind {
  std::int32_t kind;
  std::string_view table;
  std::string_view record;
};

constexpr RecordKind KindOf(const roster::WrestlerRecord*) {
  return {roster::kKindWrestlers, "wrestlers", "WrestlerRecord"};
}
constexpr RecordKind KindOf(const roster::MoveRecord*) {
  return {roster::kKindMoves, "moves", "MoveRecord"};
}
constexpr RecordKind KindOf(const roster::DiveRecord*) {
  return {roster::kKindDives, "dives", "DiveRecord"};
}
constexpr RecordKind KindOf(const roster::ManagerRecord*) {
  return {roster::kKindManagers, "managers", "ManagerRecord"};
}
constexpr RecordKind KindOf(const roster::ForeignObjectRecord*) {
  return {roster::kKindForeignObjects, "foreign_objects", "ForeignObjectRecord"};
}
constexpr RecordKind KindOf(const roster::GimmickMatchRecord*) {
  return {roster::kKindGimmickMatches, "gimmick_matches", "GimmickMatchRecord"};
}
constexpr RecordKind KindOf(const roster::StableRecord*) {
  return {roster::kKindStables, "stables", "StableRecord"};
}
constexpr RecordKind KindOf(const roster::TeamRecord*) {
  return {roster::kKindTeams, "teams", "TeamRecord"};
}

// Calls visit.template operator()<Record>() with the roster record type of a dictionary kind
// (a referee kind names the gimmick matches); false when the kind has none.
template <class Visit>
bool VisitRosterType(std::int32_t kind, Visit&& visit) {
  auto of = [&]<class... Records>() {
    return ((KindOf(static_cast<const Records*>(nullptr)).kind == kind &&
             (visit.template operator()<Records>(), true)) ||
            ...);
  };
  return of
      .template operator()<roster::WrestlerRecord, roster::MoveRecord, roster::DiveRecord,
                           roster::ManagerRecord, roster::ForeignObjectRecord,
                           roster::GimmickMatchRecord, roster::StableRecord, roster::TeamRecord>();
}

// The roster record type of a dictionary kind (the referees' kind names the gimmick
// matches); throws FieldError for a kind that has none.
inline RecordKind RosterKindOf(std::int32_t kind) {
  RecordKind found{};
  auto visit = [&]<class Record>() { found = KindOf(static_cast<const Record*>(nullptr)); };
  if (!VisitRosterType(kind, visit)) {
    throw FieldError("no roster records of kind " + std::to_string(kind));
  }
  return found;
}

// The dictionary's fields of a roster record type.
template <class Record>
std::vector<RecordField> FieldsOf() {
  RecordKind kind = KindOf(static_cast<const Record*>(nullptr));
  return RecordFields(kind.kind, kind.table, sizeof(Record));
}

// The field holds a list: inline slots or a counted heap list.
bool IsList(const RecordField& field);

// The first byte of a record, from which the fields' offsets count.
template <class Record>
const std::byte* RecordBytes(const Record& record) {
  static_assert(std::is_standard_layout_v<Record> && std::is_trivially_copyable_v<Record>);
  return reinterpret_cast<const std::byte*>(&record);
}

// The value of type T that lies at a record's byte.
template <class T>
T Load(const std::byte* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// Slot 0 of a list field and the slots 1..n written of it: every inline slot, or the
// stored slots of a heap list.
std::pair<const std::byte*, int> ListSlots(const RecordField& field, const std::byte* record);

}  // namespace kzo::exporter
