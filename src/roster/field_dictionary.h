// The field dictionary: the published catalogue of the imported roster fields. Each entry
// ties a dotted key ("wrestlers.workrate") to the record field it designates, with a
// label, a value type and, for a field holding another record's number, the kind of that
// record and the field that names it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "store/text.h"

namespace kzo::roster {

// Record kinds. Referee entries share the kind of gimmick matches; only their key prefix
// "referees." tells them apart.
constexpr std::int32_t kKindWrestlers = 1;
constexpr std::int32_t kKindMoves = 2;
constexpr std::int32_t kKindManagers = 3;
constexpr std::int32_t kKindTeams = 4;
constexpr std::int32_t kKindStables = 5;
constexpr std::int32_t kKindForeignObjects = 6;
constexpr std::int32_t kKindGimmickMatches = 7;
constexpr std::int32_t kKindReferees = 7;
constexpr std::int32_t kKindDives = 8;

// Value types.
constexpr std::int32_t kTypeInt = 1;
constexpr std::int32_t kTypeText = 2;
constexpr std::int32_t kTypeFlag = 3;
constexpr std::int32_t kTypeReference = 4;  // an int naming a record of ref_kind

// The slots of a list whose length is held in a separate count field.
constexpr std::int32_t kCountedList = -1;

constexpr int kMaxFieldEntries = 2000;

struct FieldEntry {
  std::int32_t kind;
  std::int32_t field;  // byte offset of the designated field in a record of the kind
  Text key;
  Text label;
  std::int32_t value_type;
  std::int32_t ref_kind;   // for a reference, the kind referred to; else 0
  std::int32_t ref_field;  // for a reference, the offset of that kind's naming field
  std::int32_t slots;      // 0 a single value, n a list of slots 1..n, or kCountedList
};

struct FieldDictionary {
  std::array<FieldEntry, kMaxFieldEntries + 1> entries;  // slots 1..entry_count
  std::int32_t entry_count;
};

// The one dictionary of the run.
FieldDictionary& Dictionary();

// Empties the dictionary (its entries zero-filled); the entries' record strings stay where
// they are.
void ClearFieldDictionary();

// Appends one entry with new record strings for key and label; an int type with a
// ref_kind is stored as a reference. A full dictionary drops the entry silently.
void AddFieldEntry(std::int32_t kind, std::int32_t field, std::string_view key,
                   std::string_view label, std::int32_t value_type, std::int32_t ref_kind,
                   std::int32_t ref_field, std::int32_t slots);

// Registers the 243 entries of the imported roster fields, after clearing the dictionary.
// The entries are made once per process; their keys and labels live as long as it.
void InitFieldDictionary();

}  // namespace kzo::roster
