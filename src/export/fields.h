// The records of the model as the export sees them: each record type is described once, by a
// table of its fields in declared order, each with its name, the type of its value, what it
// means and how it is read from a record. The JSON document, the database's tables and the
// site walk these tables instead of naming the fields again. (The roster records are
// described by the field dictionary instead: record_fields.h.)
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "export/slots.h"
#include "store/text.h"

namespace kzo::exporter {

// A value read from the model: none (a null text or record, a reference to nothing), a
// number, a text, or a record of a field's description.
struct Value {
  enum class Kind { kNull, kInt, kText, kRecord };
  Kind kind = Kind::kNull;
  std::int64_t number = 0;
  Text text = nullptr;  // legacy bytes, decoded from code page 437 where they leave the program
  const void* record = nullptr;
};

inline Value Null() {
  return {};
}
inline Value Int(std::int64_t number) {
  return {Value::Kind::kInt, number};
}
// A model text (or a name of the export's own); a null text is no value.
inline Value Str(Text text) {
  return text ? Value{Value::Kind::kText, 0, text} : Null();
}
// A record; a null pointer is no value.
inline Value RecordAt(const void* record) {
  return record ? Value{Value::Kind::kRecord, 0, nullptr, record} : Null();
}

// The type of a field's value, or of each slot of a list.
enum class Type {
  kInt,           // a whole number (32 bits, or 64 for a mask)
  kFlag,          // 0 or 1
  kText,          // a text, or null
  kDateTime,      // the model's date-time: a signed 64-bit count of 100 ns since 1601-01-01
  kReference,     // the number of another record, or null: see Target
  kRecord,        // a record of another description, or null
  kRosterRecord,  // a roster record, described by the field dictionary (Target::roster_kind)
};

// What a reference (or a roster record) names.
struct Target {
  std::int32_t roster_kind = 0;  // a roster record of this field dictionary kind
  std::string_view list = {};    // a slot of this list field of the same record
  bool owner = false;            // the slot of the record whose list holds this one
};

struct RecordType;

// The capacity of a list that has none of its own (a roster holds what its file holds).
constexpr int kUnbounded = -1;

// One field of a record type.
struct Field {
  // As the record declares it.
  std::string_view name;
  // The type of the value, or of each slot of a list.
  Type type;
  // 0: one value; else a list of slots first..n, n at most the capacity (kUnbounded: a list
  // with no capacity of its own).
  int capacity = 0;
  // A list's first slot: 1, or 0 for the rosters, whose slot 0 is a record too.
  int first = 1;
  // What it holds, in a sentence.
  std::string_view meaning = {};
  // How the site's tables name it; empty for a field the site shows in other ways.
  std::string_view label = {};
  // The values it may hold: lowest..highest, the range of the member's type or narrower
  // where the model bounds them (no bounds when highest < lowest).
  std::int64_t lowest = 0;
  std::int64_t highest = -1;
  // It may hold no value (a null text or record, a reference to nothing).
  bool may_be_none = false;
  // What a reference names; the kind of a roster record.
  Target target = {};
  // The description of a record.
  const RecordType* record = nullptr;
  // The value of a record's field (slot 0), or of slot first..LastSlot of a list.
  Value (*read)(const void* record, int slot) = nullptr;
  // The last slot of a list to write (see slots.h): below first for none.
  int (*last_slot)(const void* record) = nullptr;

  bool IsList() const { return capacity != 0; }
  Value Read(const void* of, int slot = 0) const { return read(of, slot); }
  int LastSlot(const void* of) const { return last_slot(of); }

  // The modifiers the descriptions are written with, each a changed copy.
  constexpr Field As(Type as) const { return With(&Field::type, as); }
  constexpr Field Means(std::string_view text) const { return With(&Field::meaning, text); }
  constexpr Field Label(std::string_view text) const { return With(&Field::label, text); }
  constexpr Field Of(const RecordType& type) const { return With(&Field::record, &type); }
  constexpr Field FromSlot(int slot) const { return With(&Field::first, slot); }
  constexpr Field Within(std::int64_t low, std::int64_t high) const {
    return With(&Field::lowest, low).With(&Field::highest, high);
  }
  // A computed value that may be none.
  constexpr Field OrNone() const { return With(&Field::may_be_none, true); }
  // A number that names a roster record of the kind, or a record that is one.
  constexpr Field Names(std::int32_t roster_kind) const {
    return With(&Field::type, type == Type::kRecord ? Type::kRosterRecord : Type::kReference)
        .With(&Field::target, Target{.roster_kind = roster_kind});
  }
  // A number that names a slot of the list field of that name of the same record.
  constexpr Field NamesSlotOf(std::string_view list) const {
    return With(&Field::type, Type::kReference).With(&Field::target, Target{.list = list});
  }
  // The slot number of the record whose list holds this record.
  constexpr Field NamesOwner() const {
    return With(&Field::type, Type::kReference).With(&Field::target, Target{.owner = true});
  }

  // A copy with one member changed.
  template <class T>
  constexpr Field With(T Field::*member, T value) const {
    Field changed = *this;
    changed.*member = value;
    return changed;
  }
};

// A record type: its name and its fields in declared order.
struct RecordType {
  std::string_view name;
  std::span<const Field> fields;
};

// The field of that name; throws std::invalid_argument when the type has none.
const Field& FieldNamed(const RecordType& type, std::string_view name);

// The slots of a list to read: slots first..last of list, of which it holds first..held;
// the slots it does not hold (all of them for a null list) read as zero-filled slots.
template <class T>
struct Slots {
  const T* list;
  int last;
  int held = last;
};

namespace fields_detail {

template <class>
struct MemberOf;
template <class R, class T>
struct MemberOf<T R::*> {
  using Record = R;
  using Held = T;
};

template <class T>
constexpr Type TypeOf() {
  if constexpr (std::is_same_v<T, Text>) {
    return Type::kText;
  } else if constexpr (std::is_integral_v<T>) {
    return Type::kInt;
  } else {
    return Type::kRecord;  // a record, or a pointer to one
  }
}

// A member of type T: its type, the range of its values and whether it may hold none (a
// null text, a null pointer to a record).
template <class T>
constexpr Field Typed(Field field) {
  field.type = TypeOf<T>();
  if constexpr (std::is_integral_v<T>) {
    field.lowest = std::numeric_limits<T>::min();
    field.highest = std::numeric_limits<T>::max();
  }
  field.may_be_none = std::is_same_v<T, Text> || std::is_pointer_v<T>;
  return field;
}

template <class T>
Value ValueOf(const T& value) {
  if constexpr (std::is_same_v<T, Text>) {
    return Str(value);
  } else if constexpr (std::is_integral_v<T>) {
    return Int(value);
  } else if constexpr (std::is_pointer_v<T>) {
    return RecordAt(value);
  } else {
    return RecordAt(&value);
  }
}

template <auto member>
Value ReadMember(const void* record, int) {
  using Record = typename MemberOf<decltype(member)>::Record;
  return ValueOf(static_cast<const Record*>(record)->*member);
}

template <class Record, auto read>
Value ReadComputed(const void* record, int) {
  return read(*static_cast<const Record*>(record));
}

template <class Record, auto slots>
Value ReadSlot(const void* record, int slot) {
  auto read = slots(*static_cast<const Record*>(record));
  using Item = std::remove_cvref_t<decltype(*read.list)>;
  static const Item zero{};
  return ValueOf(read.list != nullptr && slot <= read.held ? read.list[slot] : zero);
}

template <class Record, auto slots>
int LastSlotOf(const void* record) {
  return slots(*static_cast<const Record*>(record)).last;
}

template <class Record, auto slots>
using ItemOf = std::remove_cvref_t<decltype(*slots(std::declval<const Record&>()).list)>;

// The first slot of a list member: a heap list, or a std::array.
template <class List>
auto SlotZero(const List& list) {
  if constexpr (std::is_pointer_v<List>) {
    return static_cast<const std::remove_pointer_t<List>*>(list);
  } else {
    return list.data();
  }
}

}  // namespace fields_detail

// A field that is a member of its record, typed as the member is (a text, a number, or a
// record); a number that is a flag, a date-time or a reference says so with As or Names.
template <auto member>
constexpr Field Member(std::string_view name) {
  using T = typename fields_detail::MemberOf<decltype(member)>::Held;
  return fields_detail::Typed<T>(
      {.name = name, .type = Type::kInt, .read = fields_detail::ReadMember<member>});
}

// A field whose value read computes from its record: read(const Record&) returns a Value;
// its bounds and whether it may be none are said with Within and OrNone.
template <class Record, auto read>
constexpr Field Computed(std::string_view name, Type type) {
  return {.name = name, .type = type, .read = fields_detail::ReadComputed<Record, read>};
}

// A list field: slots(const Record&) returns the Slots to read; their type is the slots'
// type (a text, a number, a record or a pointer to one).
template <class Record, auto slots>
constexpr Field List(std::string_view name, int capacity) {
  using Item = fields_detail::ItemOf<Record, slots>;
  return fields_detail::Typed<Item>({.name = name,
                                     .type = Type::kInt,
                                     .capacity = capacity,
                                     .read = fields_detail::ReadSlot<Record, slots>,
                                     .last_slot = fields_detail::LastSlotOf<Record, slots>});
}

// A list member counted by another member: slots 1..count, never more than the capacity nor
// than a heap list holds (see StoredSlots).
template <auto list, auto count, int capacity>
constexpr Field CountedList(std::string_view name) {
  using Record = typename fields_detail::MemberOf<decltype(list)>::Record;
  return List<Record, [](const Record& r) {
    auto slot0 = fields_detail::SlotZero(r.*list);
    using Item = std::remove_cvref_t<decltype(*slot0)>;
    if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(r.*list)>>) {
      return Slots<Item>{slot0, StoredSlots(r.*list, r.*count, capacity)};
    } else {
      return Slots<Item>{slot0, StoredSlots(r.*count, capacity)};
    }
  }>(name, capacity);
}

// Every slot 1..n of a std::array member of slots 0..n.
template <auto list>
constexpr Field WholeList(std::string_view name) {
  using Record = typename fields_detail::MemberOf<decltype(list)>::Record;
  constexpr int last =
      static_cast<int>(std::tuple_size_v<typename fields_detail::MemberOf<decltype(list)>::Held>) -
      1;
  return List<Record, [](const Record& r) {
    return Slots<std::remove_cvref_t<decltype(*(r.*list).data())>>{(r.*list).data(), last};
  }>(name, last);
}

}  // namespace kzo::exporter
