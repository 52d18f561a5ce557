#include "export/json/roster_json.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "export/record_fields.h"
#include "export/slots.h"

namespace kzo::exporter {
namespace {

// A member named exactly as the field of the record r it holds.
#define INT(field) json.Int(#field, r.field)
#define TEXT(field) json.TextValue(#field, r.field)

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

void WriteStamp(JsonWriter& json, const store::ImportStamp& r) {
  TEXT(source);
  INT(created);
  TEXT(importer);
  INT(modified);
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

}  // namespace

template <class Record>
void WriteRecords(JsonWriter& json, std::string_view key, const Record* records, int first,
                  int last) {
  std::vector<Member> members = Members<Record>();
  json.Key(key);
  json.BeginArray();
  for (int slot = first; slot <= last; ++slot) {
    json.BeginObject();
    for (const Member& member : members) WriteMember(json, member, RecordBytes(records[slot]));
    json.EndObject();
  }
  json.EndArray();
}

template void WriteRecords(JsonWriter&, std::string_view, const roster::WrestlerRecord*, int, int);
template void WriteRecords(JsonWriter&, std::string_view, const roster::MoveRecord*, int, int);
template void WriteRecords(JsonWriter&, std::string_view, const roster::DiveRecord*, int, int);
template void WriteRecords(JsonWriter&, std::string_view, const roster::ManagerRecord*, int, int);
template void WriteRecords(JsonWriter&, std::string_view, const roster::ForeignObjectRecord*, int,
                           int);
template void WriteRecords(JsonWriter&, std::string_view, const roster::GimmickMatchRecord*, int,
                           int);
template void WriteRecords(JsonWriter&, std::string_view, const roster::StableRecord*, int, int);
template void WriteRecords(JsonWriter&, std::string_view, const roster::TeamRecord*, int, int);

void WriteCrowdReaction(JsonWriter& json, const roster::CrowdReaction& r) {
  json.BeginObject();
  INT(crowd_kind);
  INT(reaction);
  TEXT(wrestler_name);
  TEXT(text);
  INT(spare);
  json.EndObject();
}

void WriteFieldEntry(JsonWriter& json, const roster::FieldEntry& r) {
  json.BeginObject();
  INT(kind);
  INT(field);
  TEXT(key);
  TEXT(label);
  INT(value_type);
  INT(ref_kind);
  INT(ref_field);
  INT(slots);
  json.EndObject();
}

#undef INT
#undef TEXT

// Every slot of a roster, slot 0 included.
template <class Record>
void WriteRoster(JsonWriter& json, std::string_view key, const std::vector<Record>& roster) {
  WriteRecords(json, key, roster.data(), 0, static_cast<int>(roster.size()) - 1);
}

void WriteRosters(JsonWriter& json) {
  const roster::RosterDatabase& db = roster::Database();
  WriteRoster(json, "managers", db.managers);
  WriteRoster(json, "moves", db.moves);
  WriteRoster(json, "dives", db.dives);
  WriteRoster(json, "wrestlers", db.wrestlers);
  WriteRoster(json, "foreign_objects", db.foreign_objects);
  WriteRoster(json, "gimmick_matches", db.gimmick_matches);
  WriteRoster(json, "stables", db.stables);
  WriteRoster(json, "teams", db.teams);
}

void WriteCrowdReactions(JsonWriter& json) {
  const roster::CrowdTable& table = roster::CrowdReactions();
  json.Key("crowd_reactions");
  json.BeginArray();
  for (int i = 1; i <= StoredSlots(table.count, roster::kMaxCrowdReactions); ++i) {
    WriteCrowdReaction(json, table.entries[static_cast<std::size_t>(i)]);
  }
  json.EndArray();
}

void WriteFieldDictionary(JsonWriter& json) {
  const roster::FieldDictionary& dictionary = roster::Dictionary();
  json.Key("field_dictionary");
  json.BeginArray();
  for (int i = 1; i <= StoredSlots(dictionary.entry_count, roster::kMaxFieldEntries); ++i) {
    WriteFieldEntry(json, dictionary.entries[static_cast<std::size_t>(i)]);
  }
  json.EndArray();
}

}  // namespace kzo::exporter
