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

// The entries of a table while it is built, slot 0 unused. How many entries a table gets
// is known only at its end, and the heap keeps every list it ever made: a list grown step
// by step would leave each smaller copy behind. The entries are gathered here and stored
// once, in a list of their exact size.
using StagedEntries = std::vector<model::PointsEntry>;

StagedEntries Staged(const model::PointsTable& table) {
  StagedEntries staged(1);
  if (table.entries != nullptr) {
    staged.insert(staged.end(), table.entries + 1, table.entries + table.entry_count + 1);
  }
  return staged;
}

// Makes room for one more entry, up to the table's capacity.
model::PointsEntry* NextEntry(StagedEntries& staged) {
  if (staged.size() > static_cast<std::size_t>(model::kMaxPointsEntries)) return nullptr;
  return &staged.emplace_back();
}

void StoreEntries(const StagedEntries& staged, model::PointsTable& table) {
  int count = static_cast<int>(staged.size()) - 1;
  if (count == 0) return;
  auto* entries = store::NewList<model::PointsEntry>(count);
  if (entries == nullptr) return;
  std::memcpy(static_cast<void*>(entries), staged.data(),
              sizeof(model::PointsEntry) * staged.size());
  table.entries = entries;
  table.entry_count = count;
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

std::uint32_t TitleMask(int entry, const std::vector<int>& holders, std::string_view folder) {
  std::uint32_t mask = 0;
  for (std::size_t t = 1; t < holders.size(); ++t) {
    bool matches = matchtext::MatchesById(entry, holders[t], folder) != 0;
    if (matches && t <= kTitleMaskBits) mask |= std::uint32_t{1} << t;
  }
  return mask;
}

void ResolveParticipants(model::PointsEntry& entry, int text, const roster::NameIndex& names,
                         std::span<const std::int32_t> active, std::string_view folder) {
  std::array<std::int32_t, kParticipantNumbers + 1> numbers{};
  int found = matchtext::BreakDownParticipantsById(text, numbers, names, folder);
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

// Adds the values of one source entry to the totals entry of each of its participants,
// making that entry when the wrestler has none yet.
void AddEntryToTotals(const model::PointsEntry& from, StagedEntries& totals,
                      std::unordered_map<std::int32_t, int>& slot_of, std::span<const Text> names,
                      std::span<const std::int32_t> active) {
  for (int k = 1; k <= from.participant_count; ++k) {
    std::int32_t wrestler = from.participants[static_cast<std::size_t>(k)];
    auto found = slot_of.find(wrestler);
    model::PointsEntry* to = found != slot_of.end() ? &totals[found->second] : nullptr;
    if (to == nullptr) {
      to = NextEntry(totals);
      if (to == nullptr) continue;
      slot_of[wrestler] = static_cast<int>(totals.size()) - 1;
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
  StagedEntries staged = Staged(table);
  model::PointsEntry dropped{};
  while (!store::AtEndOfFile(file)) {
    model::PointsEntry* entry = NextEntry(staged);
    if (entry == nullptr) {  // beyond the table's capacity: read, not matched
      ReadEntry(file, dropped);
      continue;
    }
    ReadEntry(file, *entry);
    int text = matchtext::ParticipantTextId(View(entry->entry_name));
    ResolveParticipants(*entry, text, names, active, folder);
    entry->title_mask = static_cast<std::int32_t>(TitleMask(text, holders, folder));
  }
  store::CloseFile(file);
  StoreEntries(staged, table);
}

void AddToTotals(model::PointsTable& totals, std::span<const model::PointsTable* const> sources,
                 std::span<const Text> names, std::span<const std::int32_t> active) {
  store::Procedure procedure("OC_ADDRA");
  StagedEntries staged = Staged(totals);
  std::unordered_map<std::int32_t, int> slot_of;  // wrestler → his totals entry
  for (int d = static_cast<int>(staged.size()) - 1; d >= 1; --d) {
    if (staged[d].participant_count == 1) slot_of[staged[d].participants[1]] = d;
  }
  for (const model::PointsTable* source : sources) {
    for (int s = 1; s <= source->entry_count; ++s) {
      AddEntryToTotals(source->entries[s], staged, slot_of, names, active);
    }
  }
  StoreEntries(staged, totals);
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
  const model::PointsTable* sources[] = {&c.points->pts, &c.points->pts_t, &c.points->pts_s};
  AddToTotals(c.points->totals, sources, names, active);
}

}  // namespace kzo::circuits
