#include "export/html/html_fields.h"

#include <algorithm>

#include "roster/database.h"

namespace kzo::exporter {
namespace {

// The records of a roster as bytes: slots 0..last of size bytes each.
struct RosterRecords {
  const std::byte* first = nullptr;
  std::size_t size = 0;
  int last = -1;
};

template <class Record>
RosterRecords RecordsOf(const std::vector<Record>& roster) {
  if (roster.empty()) return {};
  return {RecordBytes(roster.front()), sizeof(Record), static_cast<int>(roster.size()) - 1};
}

RosterRecords RecordsOfKind(std::int32_t kind) {
  const roster::RosterDatabase& db = roster::Database();
  switch (kind) {
    case roster::kKindWrestlers:
      return {RecordsOf(db.wrestlers).first, sizeof(roster::WrestlerRecord),
              roster::StoredWrestlerCount()};
    case roster::kKindMoves:
      return RecordsOf(db.moves);
    case roster::kKindManagers:
      return RecordsOf(db.managers);
    case roster::kKindTeams:
      return RecordsOf(db.teams);
    case roster::kKindStables:
      return RecordsOf(db.stables);
    case roster::kKindForeignObjects:
      return RecordsOf(db.foreign_objects);
    case roster::kKindGimmickMatches:
      return RecordsOf(db.gimmick_matches);
    case roster::kKindDives:
      return RecordsOf(db.dives);
    default:
      return {};
  }
}

// The name of record number of a kind (its text at name_field), or null.
Text NameOfRecord(std::int32_t kind, std::int32_t name_field, std::int64_t number) {
  RosterRecords records = RecordsOfKind(kind);
  if (records.first == nullptr || number < 0 || number > records.last || name_field < 0 ||
      static_cast<std::size_t>(name_field) + sizeof(Text) > records.size) {
    return nullptr;
  }
  return Load<Text>(records.first + records.size * static_cast<std::size_t>(number) +
                    static_cast<std::size_t>(name_field));
}

void WriteValue(SiteFile& page, const RecordField& field, const std::byte* at) {
  const roster::FieldEntry& entry = *field.entry;
  if (entry.value_type == roster::kTypeText) {
    page << Legacy{Load<Text>(at)};
    return;
  }
  std::int32_t value = Load<std::int32_t>(at);
  if (entry.value_type == roster::kTypeReference) {
    WriteReference(page, entry.ref_kind, entry.ref_field, value);
  } else if (entry.value_type == roster::kTypeFlag && (value == 0 || value == 1)) {
    page << (value ? Markup("yes") : Markup("no"));
  } else {
    page << value;
  }
}

// An empty slot of a list: an empty text, or the number 0.
bool IsEmptySlot(const RecordField& field, const std::byte* at) {
  if (field.entry->value_type == roster::kTypeText) return View(Load<Text>(at)).empty();
  return Load<std::int32_t>(at) == 0;
}

void WriteListValue(SiteFile& page, const RecordField& field, const std::byte* record) {
  auto [list, slots] = ListSlots(field, record);
  bool any = false;
  for (int slot = 1; slot <= slots; ++slot) {
    const std::byte* at = list + field.item_size * static_cast<std::size_t>(slot);
    if (IsEmptySlot(field, at)) continue;
    if (any) page << ", ";
    WriteValue(page, field, at);
    any = true;
  }
}

// A label's group (the part before its first ": ") and its label in the group.
struct LabelInGroup {
  std::string_view group;
  std::string_view label;
};

LabelInGroup GroupOf(std::string_view label) {
  std::size_t colon = label.find(": ");
  if (colon == std::string_view::npos || colon == 0) return {"General", label};
  return {label.substr(0, colon), label.substr(colon + 2)};
}

}  // namespace

SiteFields GatherSiteFields() {
  return {FieldsOf<roster::WrestlerRecord>(), FieldsOf<roster::MoveRecord>(),
          FieldsOf<roster::ManagerRecord>(), FieldsOf<roster::TeamRecord>(),
          FieldsOf<roster::StableRecord>()};
}

std::string PageOfRecord(std::int32_t kind, std::int64_t number) {
  if (number < 1 || number > RecordsOfKind(kind).last) return "";
  auto n = static_cast<int>(number);
  switch (kind) {
    case roster::kKindWrestlers:
      return WrestlerPage(n);
    case roster::kKindMoves:
      return MovePage(n);
    case roster::kKindManagers:
      return ManagerPage(n);
    case roster::kKindTeams:
      return TeamPage(n);
    case roster::kKindStables:
      return StablePage(n);
    default:
      return "";
  }
}

void WriteReference(SiteFile& page, std::int32_t kind, std::int32_t name_field,
                    std::int64_t number) {
  if (number == 0 && kind != roster::kKindMoves) return;
  Text name = NameOfRecord(kind, name_field, number);
  std::string href = PageOfRecord(kind, number);
  if (name == nullptr) {
    page << "#" << number;
  } else if (href.empty()) {
    page << Legacy{name};
  } else {
    Link(page, href, Legacy{name});
  }
}

void WriteFieldGroups(SiteFile& page, const std::vector<RecordField>& fields,
                      const std::byte* record, Groups groups) {
  // The groups in the order of their first fields.
  std::vector<std::string_view> names;
  for (const RecordField& field : fields) {
    std::string_view group = GroupOf(View(field.entry->label)).group;
    if (std::find(names.begin(), names.end(), group) == names.end()) names.push_back(group);
  }
  for (std::string_view group : names) {
    page << (groups == Groups::kOpen ? Markup("<details open>") : Markup("<details>"))
         << "<summary>" << Legacy{group} << "</summary>\n<table class=\"fields\">\n";
    for (const RecordField& field : fields) {
      LabelInGroup label = GroupOf(View(field.entry->label));
      if (label.group != group) continue;
      page << "<tr><th>" << Legacy{label.label} << "</th><td>";
      if (IsList(field)) {
        WriteListValue(page, field, record);
      } else {
        WriteValue(page, field, record + field.entry->field);
      }
      page << "</td></tr>\n";
    }
    page << "</table></details>\n";
  }
}

}  // namespace kzo::exporter
