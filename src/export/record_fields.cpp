#include "export/record_fields.h"

#include <algorithm>

#include "export/slots.h"
#include "roster/stable.h"
#include "store/text.h"

namespace kzo::exporter {
namespace {

using roster::FieldEntry;

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

// The most slots a counted list keeps: a stable's members are the one such list.
int CountedListCapacity(std::int32_t kind) {
  return kind == roster::kKindStables ? roster::kMaxStableWrestlers : 0;
}

// Pairs each counted list with the entry of its count.
void FindCounts(std::vector<RecordField>& fields) {
  for (RecordField& field : fields) {
    if (field.entry->slots != roster::kCountedList) continue;
    auto count_field = std::find_if(fields.begin(), fields.end(), [&](const RecordField& other) {
      return other.name == field.name + "_count" && other.entry->slots == 0 &&
             other.entry->value_type != roster::kTypeText;
    });
    if (count_field == fields.end()) throw FieldError("no count for " + field.name);
    field.count_offset = static_cast<std::size_t>(count_field->entry->field);
  }
}

}  // namespace

std::vector<RecordField> RecordFields(std::int32_t kind, std::string_view table,
                                      std::size_t record_size) {
  const roster::FieldDictionary& dictionary = roster::Dictionary();
  std::vector<RecordField> fields;
  for (int i = 1; i <= StoredSlots(dictionary.entry_count, roster::kMaxFieldEntries); ++i) {
    const FieldEntry& entry = dictionary.entries[static_cast<std::size_t>(i)];
    std::string name = FieldName(entry, table);
    if (name.empty() || entry.kind != kind) continue;
    std::size_t item_size =
        entry.value_type == roster::kTypeText ? sizeof(Text) : sizeof(std::int32_t);
    if (entry.field < 0 || entry.slots < roster::kCountedList ||
        static_cast<std::size_t>(entry.field) + FieldSize(entry, item_size) > record_size) {
      throw FieldError("field dictionary entry " + std::to_string(i) + " lies outside " +
                       std::string(table));
    }
    int capacity = entry.slots == roster::kCountedList ? CountedListCapacity(kind) : entry.slots;
    fields.push_back({name, &entry, item_size, 0, capacity});
  }
  FindCounts(fields);
  return fields;
}

bool IsList(const RecordField& field) {
  return field.entry->slots != 0;
}

std::pair<const std::byte*, int> ListSlots(const RecordField& field, const std::byte* record) {
  const std::byte* at = record + field.entry->field;
  if (field.entry->slots != roster::kCountedList) return {at, field.capacity};
  const auto* list = Load<const std::byte*>(at);
  std::int32_t count = Load<std::int32_t>(record + field.count_offset);
  return {list, StoredSlots(list, count, field.capacity)};
}

}  // namespace kzo::exporter
