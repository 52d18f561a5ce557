#include "export/html/html_site_index.h"

#include "export/slots.h"
#include "model/find_wrestler.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

// Appends the wrestler's part in a match unless the same part is already noted: a name
// that a result sentence repeats gives one appearance.
void NoteAppearance(std::vector<Appearance>& appearances, const Appearance& part) {
  for (auto it = appearances.rbegin(); it != appearances.rend(); ++it) {
    if (it->circuit != part.circuit || it->show != part.show || it->match != part.match) break;
    if (it->value == part.value) return;
  }
  appearances.push_back(part);
}

void IndexMatches(SiteIndex& index, int c, const model::CircuitRecord& circuit) {
  for (int s = 1; s <= StoredSlots(circuit.shows, circuit.show_count, model::kMaxShows); ++s) {
    const model::ShowRecord* show = circuit.shows[s];
    if (show == nullptr) continue;
    for (int m = 1; m <= StoredSlots(show->matches, show->match_count, model::kMaxMatches); ++m) {
      const model::MatchRecord& match = show->matches[m];
      if (!IsMatch(match)) continue;
      int items = StoredSlots(match.breakdown, match.breakdown_count, model::kMaxBreakdownItems);
      for (int b = 1; b <= items; ++b) {
        const model::BreakdownItem& item = match.breakdown[b];
        if (!IsStoredWrestler(item.wrestler)) continue;
        NoteAppearance(index.appearances[static_cast<std::size_t>(item.wrestler)],
                       {c, s, m, item.value});
      }
    }
  }
}

void IndexTitles(SiteIndex& index, int c, const model::CircuitRecord& circuit) {
  for (int t = 1; t <= StoredSlots(circuit.titles, circuit.title_count, model::kMaxTitles); ++t) {
    const model::TitleRecord& title = circuit.titles[t];
    for (int h = 1; h <= StoredSlots(title.holder_count, model::kMaxHolderNames); ++h) {
      int holder = model::FindWrestler(View(title.holder_names[static_cast<std::size_t>(h)]), c);
      if (IsStoredWrestler(holder))
        index.titles[static_cast<std::size_t>(holder)].push_back({c, t});
    }
  }
}

// Team members are known by name, stable members by number.
void IndexMemberships(SiteIndex& index) {
  const roster::RosterDatabase& db = roster::Database();
  for (std::size_t t = 1; t < db.teams.size(); ++t) {
    for (Text member : {db.teams[t].wrestler1, db.teams[t].wrestler2}) {
      int wrestler = model::FindWrestler(View(member), 0);
      if (IsStoredWrestler(wrestler)) {
        index.teams[static_cast<std::size_t>(wrestler)].push_back(static_cast<int>(t));
      }
    }
  }
  for (std::size_t s = 1; s < db.stables.size(); ++s) {
    const roster::StableRecord& stable = db.stables[s];
    int members =
        StoredSlots(stable.wrestlers, stable.wrestlers_count, roster::kMaxStableWrestlers);
    for (int m = 1; m <= members; ++m) {
      std::int32_t wrestler = stable.wrestlers[m];
      if (!IsStoredWrestler(wrestler)) continue;
      std::vector<int>& of = index.stables[static_cast<std::size_t>(wrestler)];
      if (of.empty() || of.back() != static_cast<int>(s)) of.push_back(static_cast<int>(s));
    }
  }
}

}  // namespace

SiteIndex BuildSiteIndex() {
  auto slots = static_cast<std::size_t>(roster::StoredWrestlerCount()) + 1;
  SiteIndex index{std::vector<std::vector<Appearance>>(slots), std::vector<std::vector<int>>(slots),
                  std::vector<std::vector<int>>(slots), std::vector<std::vector<HeldTitle>>(slots)};
  const model::CircuitTable& table = model::Circuits();
  for (int c = 1; c <= StoredSlots(table.count, model::kMaxCircuits); ++c) {
    IndexMatches(index, c, table.records[static_cast<std::size_t>(c)]);
    IndexTitles(index, c, table.records[static_cast<std::size_t>(c)]);
  }
  IndexMemberships(index);
  return index;
}

std::string_view OutcomeWord(int value) {
  switch (value) {
    case 1:
      return "win";
    case -1:
      return "loss";
    case 2:
    case -2:
      return "draw";
    default:
      return "";
  }
}

bool IsStoredWrestler(std::int64_t wrestler) {
  return wrestler >= 1 && wrestler <= roster::StoredWrestlerCount();
}

ResultCounts CountResults(const std::vector<Appearance>& appearances, int circuit) {
  ResultCounts counts;
  const Appearance* last = nullptr;
  for (const Appearance& part : appearances) {
    if (part.circuit != circuit) continue;
    if (last == nullptr || last->show != part.show || last->match != part.match) ++counts.matches;
    last = &part;
    counts.wins += part.value == 1;
    counts.losses += part.value == -1;
    counts.draws += part.value == 2 || part.value == -2;
  }
  return counts;
}

}  // namespace kzo::exporter
