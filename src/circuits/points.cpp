#include "circuits/points.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "matchtext/participants.h"
#include "roster/database.h"
#include "roster/name_index.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::circuits {
namespace {

constexpr std::int32_t kUnmatched = -99;
constexpr int kTitleMaskBits = 31;
constexpr int kParticipantNumbers = 200;

// Makes room for one more entry: the list grows by doubling up to its capacity.
model::PointsEntry* NextEntry(model::PointsTable& table) {
  if (table.entry_count >= model::kMaxPointsEntries) return nullptr;
  int upper = store::HeapArrayUpper(table.entries);
  if (table.entry_count + 1 > upper) {
    int grown = std::min(std::max(16, upper * 2), model::kMaxPointsEntries);
    auto* entries = store::NewList<model::PointsEntry>(grown);
    if (entries == nullptr) return nullptr;
    if (table.entries != nullptr) {
      std::memcpy(static_cast<void*>(entries), table.entries,
                  sizeof(model::PointsEntry) * static_cast<std::size_t>(table.entry_count + 1));
    }
    store::FreeHeapArray(table.entries);
    table.entries = entries;
  }
  return &table.entries[++table.entry_count];
}

// The participant text numbers of the circuit's title holders, titles 1..count.
std::vector<int> HolderTextIds(const model::CircuitRecord& c) {
  std::vector<int> ids(1, 0);
  for (int t = 1; c.titles != nullptr && t <= std::min<int>(c.title_count, model::kMaxTitles);
       ++t) {
    ids.push_back(matchtext::ParticipantTextId(View(c.titles[t].holder)));
  }
  return ids;
}

std::uint32_t TitleMask(std::string_view name, const std::vector<int>& holders,
                        std::string_view folder) {
  int entry = matchtext::ParticipantTextId(name);
  std::uint32_t mask = 0;
  for (std::size_t t = 1; t < holders.size(); ++t) {
    bool matches = matchtext::MatchesById(entry, holders[t], folder) != 0;
    if (matches && t <= kTitleMaskBits) mask |= std::uint32_t{1} << t;
  }
  return mask;
}

void ResolveParticipants(model::PointsEntry& entry, const roster::NameIndex& names,
                         std::span<const std::int32_t> active, std::string_view folder) {
  std::array<std::int32_t, kParticipantNumbers + 1> numbers{};
  int found = matchtext::BreakDownParticipants(View(entry.entry_name), numbers, names, folder);
  entry.participant_count = std::min(found, model::kMaxParticipants);
  std::uint32_t product = 1;
  std::int32_t genders = 0;
  const auto& wrestlers = roster::Database().wrestlers;
  for (int k = 1; k <= entry.participant_count; ++k) {
    std::int32_t wrestler = numbers[static_cast<std::size_t>(k)];
    if (wrestler < 0 || static_cast<std::size_t>(wrestler) >= active.size()) wrestler = 0;
    entry.participants[static_cast<std::size_t>(k)] = wrestler;
    product *= static_cast<std::uint32_t>(active[static_cast<std::size_t>(wrestler)]);
    std::int32_t female =
        wrestler == 0 ? 0 : wrestlers[static_cast<std::size_t>(wrestler)].is_female;
    if (female >= 0 && female <= 31)
      genders |= static_cast<std::int32_t>(std::uint32_t{1} << female);
  }
  entry.active_product = static_cast<std::int32_t>(product);
  entry.gender_mask = genders;
}

void ReadEntry(int file, model::PointsEntry& entry) {
  entry.entry_name = store::ReadRecordString(file);
  for (int v = 1; v <= 6; ++v) entry.values[static_cast<std::size_t>(v)] = store::ReadNumber(file);
}

std::int32_t ActiveMark(const model::CircuitRecord& c, int wrestler, int slots) {
  if (c.card_cfg_value != 0) return 1;
  if (wrestler > slots || c.roster == nullptr) return 0;
  std::int32_t status = c.roster[wrestler].hire_status;
  return model::IsHiringState(status, model::kActiveStatesEnd);
}

}  // namespace

void LoadPointsFile(const std::string& path, model::PointsTable& table,
                    const roster::NameIndex& names, std::span<const std::int32_t> active,
                    int circuit) {
  if (!store::Platform().FileExists(path)) return;
  const model::CircuitRecord& c = model::Circuits().records[static_cast<std::size_t>(circuit)];
  std::string folder = path.substr(0, path.find_last_of('\\') + 1);
  int file = store::FreeFile();
  store::OpenFile(path, store::FileMode::kInput, file);
  std::vector<int> holders = HolderTextIds(c);
  model::PointsEntry dropped{};
  while (!store::AtEndOfFile(file)) {
    model::PointsEntry* entry = NextEntry(table);
    if (entry == nullptr) {  // beyond the table's capacity: read, not matched
      ReadEntry(file, dropped);
      continue;
    }
    ReadEntry(file, *entry);
    ResolveParticipants(*entry, names, active, folder);
    entry->title_mask =
        static_cast<std::int32_t>(TitleMask(View(entry->entry_name), holders, folder));
  }
  store::CloseFile(file);
}

void AddToTotals(model::PointsTable& totals, const model::PointsTable& source,
                 std::span<const Text> names, std::span<const std::int32_t> active) {
  store::Procedure procedure("OC_ADDRA");
  std::unordered_map<std::int32_t, int> slot_of;  // wrestler → his totals entry
  for (int d = totals.entry_count; d >= 1; --d) {
    if (totals.entries[d].participant_count == 1) slot_of[totals.entries[d].participants[1]] = d;
  }
  for (int s = 1; s <= source.entry_count; ++s) {
    const model::PointsEntry& from = source.entries[s];
    for (int k = 1; k <= from.participant_count; ++k) {
      std::int32_t wrestler = from.participants[static_cast<std::size_t>(k)];
      auto found = slot_of.find(wrestler);
      model::PointsEntry* to = found != slot_of.end() ? &totals.entries[found->second] : nullptr;
      if (to == nullptr) {
        to = NextEntry(totals);
        if (to == nullptr) continue;
        slot_of[wrestler] = totals.entry_count;
        std::size_t w = static_cast<std::size_t>(wrestler);
        to->entry_name = store::NewRecordString(View(w < names.size() ? names[w] : nullptr));
        to->participant_count = 1;
        to->participants[1] = wrestler;
        to->active_product = w < active.size() ? active[w] : 0;
        to->title_mask = from.title_mask;
      }
      for (std::size_t v = 1; v <= 6; ++v) {
        to->values[v] = static_cast<std::int32_t>(static_cast<std::uint32_t>(to->values[v]) +
                                                  static_cast<std::uint32_t>(from.values[v]));
      }
    }
  }
}

void LoadCircuitPoints(int circuit) {
  store::Procedure procedure("OC_LOADR");
  model::CircuitRecord& c = model::Circuits().records[static_cast<std::size_t>(circuit)];
  if (c.points == nullptr) c.points = store::NewObject<model::PointsSet>();
  if (c.points == nullptr) return;
  const roster::RosterDatabase& db = roster::Database();
  int wrestlers = roster::StoredWrestlerCount();
  int slots = model::RosterSlots();
  std::vector<Text> names(static_cast<std::size_t>(wrestlers) + 1, nullptr);
  std::vector<std::int32_t> active(static_cast<std::size_t>(wrestlers) + 1, kUnmatched);
  for (int i = 1; i <= wrestlers; ++i) {
    Text own = i <= slots && c.roster != nullptr ? c.roster[i].name : nullptr;
    names[static_cast<std::size_t>(i)] =
        own ? own : db.wrestlers[static_cast<std::size_t>(i)].wname;
    active[static_cast<std::size_t>(i)] = ActiveMark(c, i, slots);
  }
  roster::NameIndex index;
  index.Build(names);
  std::string folder = std::string(View(db.legacy_folder)) + "\\" + std::string(View(c.folder));
  LoadPointsFile(folder + "\\card.pts", c.points->pts, index, active, circuit);
  LoadPointsFile(folder + "\\cardt.pts", c.points->pts_t, index, active, circuit);
  LoadPointsFile(folder + "\\cards.pts", c.points->pts_s, index, active, circuit);
  AddToTotals(c.points->totals, c.points->pts, names, active);
  AddToTotals(c.points->totals, c.points->pts_t, names, active);
  AddToTotals(c.points->totals, c.points->pts_s, names, active);
}

}  // namespace kzo::circuits
