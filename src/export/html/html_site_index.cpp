#include "export/html/html_site_index.h"

#include "export/slots.h"
#include "model/find_wrestler.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

// Team members are known by name, stable members by number.
void IndexMemberships(SiteIndex& index) {
  const roster::RosterDatabase& db = roster::Database();
  for (std::size_t t = 1; t < db.teams.size(); ++t) {
    for (Text member : {db.teams[t].wrestler1, db.teams[t].wrestler2}) {
      int wrestler = View(member).empty() ? 0 : model::FindWrestler(View(member), 0);
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

std::vector<ShowRating> RateShows(const model::CircuitRecord& circuit) {
  int shows = StoredSlots(circuit.shows, circuit.show_count, model::kMaxShows);
  std::vector<ShowRating> ratings(static_cast<std::size_t>(shows) + 1);
  for (int s = 1; s <= shows; ++s) {
    const model::ShowRecord* show = circuit.shows[s];
    if (show == nullptr) continue;
    for (int m = 1; m <= StoredSlots(show->matches, show->match_count, model::kMaxMatches); ++m) {
      if (std::optional<std::int64_t> rating = RatingTenths(show->matches[m].rating_text)) {
        ++ratings[static_cast<std::size_t>(s)].rated;
        ratings[static_cast<std::size_t>(s)].sum += *rating;
      }
    }
  }
  return ratings;
}

}  // namespace

std::optional<std::int64_t> RatingTenths(Text rating_text) {
  std::string_view text = View(rating_text);
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string_view::npos || text[at] < '0' || text[at] > '9') return std::nullopt;
  std::int64_t tenths = 0;
  // A number of more than eleven digits is taken as its first ones, so that no sum overflows.
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    if (tenths < 10'000'000'000) tenths = tenths * 10 + (text[at] - '0');
  }
  tenths *= 10;
  if (at + 1 < text.size() && text[at] == '.' && text[at + 1] >= '0' && text[at + 1] <= '9') {
    tenths += text[at + 1] - '0';
  }
  return tenths;
}

std::optional<std::int64_t> ShowRating::Average() const {
  if (rated == 0) return std::nullopt;
  return (sum * 2 + rated) / (std::int64_t{rated} * 2);
}

SiteIndex BuildSiteIndex() {
  auto slots = static_cast<std::size_t>(roster::StoredWrestlerCount()) + 1;
  SiteIndex index{BuildCareers(),
                  std::vector<std::vector<int>>(slots),
                  std::vector<std::vector<int>>(slots),
                  std::vector<std::vector<int>>(slots),
                  BuildHoldings(),
                  {}};
  for (std::size_t h = 0; h < index.holdings.size(); ++h) {
    for (const HoldingWrestler& holder : index.holdings[h].wrestlers) {
      index.titles[static_cast<std::size_t>(holder.wrestler)].push_back(static_cast<int>(h));
    }
  }
  IndexMemberships(index);
  const model::CircuitTable& table = model::Circuits();
  index.show_ratings.resize(1);
  for (int c = 1; c <= StoredSlots(table.count, model::kMaxCircuits); ++c) {
    index.show_ratings.push_back(RateShows(table.records[static_cast<std::size_t>(c)]));
  }
  return index;
}

bool IsStoredWrestler(std::int64_t wrestler) {
  return wrestler >= 1 && wrestler <= roster::StoredWrestlerCount();
}

}  // namespace kzo::exporter
