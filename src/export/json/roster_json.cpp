#include "export/json/roster_json.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "export/record_fields.h"

namespace kzo::exporter {
namespace {

// What a member of a record object holds: a field the dictionary describes, or one of the
// two fields that every roster record has beside those: its number and its import stamp.
enum class MemberKind { kField, kNumber, kStamp };

struct Member {
  std::size_t offset;  // of the field in the record: members follow the declared order
  MemberKind kind;
  RecordField field;  // for kField
};

// The members of a record type's objects: its dictionary entries merged by offset with its
// number (the wrestler's "wnr" is an entry of its own) and its stamp.
template <class Record>
std::vector<Member> Members() {
  std::vector<Member> members;
  for (RecordField& field : FieldsOf<Record>()) {
    auto offset = static_cast<std::size_t>(field.entry->field);
    members.push_back({offset, MemberKind::kField, std::move(field)});
  }
  if constexpr (requires { &Record::number; }) {
    members.push_back({offsetof(Record, number), MemberKind::kNumber, {}});
  }
  members.push_back({offsetof(Record, stamp), MemberKind::kStamp, {}});
  std::stable_sort(members.begin(), members.end(),
                   [](const Member& a, const Member& b) { return a.offset < b.offset; });
  return members;
}

void WriteValue(JsonWriter& json, const RecordField& field, const std::byte* at) {
  if (field.entry->value_type == roster::kTypeText) {
    json.TextValue(Load<Text>(at));
  } else {
    json.Int(Load<std::int32_t>(at));
  }
}

void WriteList(JsonWriter& json, const RecordField& field, const std::byte* record) {
  auto [list, slots] = ListSlots(field, record);
  json.Key(field.name);
  json.BeginArray();
  for (int slot = 1; slot <= slots; ++slot) {
    WriteValue(json, field, list + field.item_size * static_cast<std::size_t>(slot));
  }
  json.EndArray();
}

void WriteStamp(JsonWriter& json, const store::ImportStamp& stamp) {
  json.TextValue("source", stamp.source);
  json.Int("created", stamp.created);
  json.TextValue("importer", stamp.importer);
  json.Int("modified", stamp.modified);
}

void WriteMember(JsonWriter& json, const Member& member, const std::byte* record) {
  const std::byte* at = record + member.offset;
  if (member.kind == MemberKind::kNumber) {
    json.Int("number", Load<std::int32_t>(at));
  } else if (member.kind == MemberKind::kStamp) {
    WriteStamp(json, Load<store::ImportStamp>(at));
  } else if (IsList(member.field)) {
    WriteList(json, member.field, record);
  } else {
    json.Key(member.field.name);
    WriteValue(json, member.field, at);
  }
}

template <class Record>
void WriteRecords(JsonWriter& json, int first, int last,
                  const std::function<const void*(int)>& record) {
  std::vector<Member> members = Members<Record>();
  for (int slot = first; slot <= last; ++slot) {
    const std::byte* bytes = RecordBytes(*static_cast<const Record*>(record(slot)));
    json.BeginObject();
    for (const Member& member : members) WriteMember(json, member, bytes);
    json.EndObject();
  }
}

}  // namespace

void WriteRosterRecords(JsonWriter& json, std::int32_t kind, int first, int last,
                        const std::function<const void*(int)>& record) {
  bool written = VisitRosterType(
      kind, [&]<class Record>() { WriteRecords<Record>(json, first, last, record); });
  if (!written) throw FieldError("no roster records of kind " + std::to_string(kind));
}

}  // namespace kzo::exporter
