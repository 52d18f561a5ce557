#include "export/json/roster_json.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

#include "export/model_fields.h"

namespace kzo::exporter {

constexpr Field kRosterNumber = Field{.name = "number",
                                      .type = Type::kInt,
                                      .lowest = std::numeric_limits<std::int32_t>::min(),
                                      .highest = std::numeric_limits<std::int32_t>::max()}
                                    .Means("The record's number: its slot in its roster.");

namespace {

// The members of a record type's objects: its dictionary entries merged by offset with its
// number (the wrestler's "wnr" is an entry of its own) and its stamp.
template <class Record>
std::vector<RosterMember> Members() {
  using Kind = RosterMember::Kind;
  std::vector<RosterMember> members;
  for (RecordField& field : FieldsOf<Record>()) {
    auto offset = static_cast<std::size_t>(field.entry->field);
    members.push_back({offset, Kind::kField, std::move(field)});
  }
  if constexpr (requires { &Record::number; }) {
    members.push_back({offsetof(Record, number), Kind::kNumber});
  }
  members.push_back({offsetof(Record, stamp), Kind::kStamp});
  std::stable_sort(
      members.begin(), members.end(),
      [](const RosterMember& a, const RosterMember& b) { return a.offset < b.offset; });
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
  for (const Field& field : kImportStampType.fields) {
    Value value = field.Read(&stamp);
    json.Key(field.name);
    if (value.kind == Value::Kind::kInt) {
      json.Int(value.number);
    } else {
      json.TextValue(value.text);
    }
  }
}

void WriteMember(JsonWriter& json, const RosterMember& member, const std::byte* record) {
  const std::byte* at = record + member.offset;
  if (member.kind == RosterMember::Kind::kNumber) {
    json.Int(kRosterNumber.name, Load<std::int32_t>(at));
  } else if (member.kind == RosterMember::Kind::kStamp) {
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
  std::vector<RosterMember> members = Members<Record>();
  for (int slot = first; slot <= last; ++slot) {
    const std::byte* bytes = RecordBytes(*static_cast<const Record*>(record(slot)));
    json.BeginObject();
    for (const RosterMember& member : members) WriteMember(json, member, bytes);
    json.EndObject();
  }
}

}  // namespace

std::vector<RosterMember> RosterMembers(std::int32_t kind) {
  std::vector<RosterMember> members;
  if (!VisitRosterType(kind, [&]<class Record>() { members = Members<Record>(); })) {
    throw FieldError("no roster records of kind " + std::to_string(kind));
  }
  return members;
}

void WriteRosterRecords(JsonWriter& json, std::int32_t kind, int first, int last,
                        const std::function<const void*(int)>& record) {
  bool written = VisitRosterType(
      kind, [&]<class Record>() { WriteRecords<Record>(json, first, last, record); });
  if (!written) throw FieldError("no roster records of kind " + std::to_string(kind));
}

}  // namespace kzo::exporter
