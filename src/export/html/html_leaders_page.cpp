// leaders.html: the leading wrestlers, matches, shows and title holders, of all circuits
// together and of each circuit.
#include <algorithm>
#include <map>
#include <string_view>
#include <tuple>

#include "export/html/html_pages.h"
#include "export/slots.h"

namespace kzo::exporter {
namespace {

// How many places a board shows.
constexpr std::size_t kPlaces = 10;

// What a board ranks: all circuits (0) or one.
struct Scope {
  int circuit;
  std::string id;  // of its section, for links and its tables' ids
};

// A wrestler's numbers in a scope.
struct Standing {
  int wrestler;
  const Record* record;
  const CircuitCareer* streak;  // where the longest winning streak stands; none without a win
};

// A rated segment that is a match.
struct RatedMatch {
  int circuit;
  int show;
  int match;
  std::int64_t tenths;
};

struct RatedShow {
  int circuit;
  int show;
  ShowRating rating;
};

// The first places of items by better (a strict order; earlier items first among equals).
template <class T, class Better>
std::vector<T> Best(std::vector<T> items, Better better) {
  std::size_t places = std::min(items.size(), kPlaces);
  std::partial_sort(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(places), items.end(),
                    better);
  items.resize(places);
  return items;
}

std::vector<Standing> StandingsIn(const Site& site, int circuit) {
  std::vector<Standing> standings;
  const std::vector<Career>& careers = site.index.careers;
  for (std::size_t w = 1; w < careers.size(); ++w) {
    const Career& career = careers[w];
    if (circuit == 0) {
      if (career.total.matches > 0) {
        standings.push_back({static_cast<int>(w), &career.total, LongestStreakOf(career)});
      }
    } else if (const CircuitCareer* here = CareerIn(career, circuit)) {
      standings.push_back(
          {static_cast<int>(w), &here->record, here->streak.longest ? here : nullptr});
    }
  }
  return standings;
}

// Begins a board: its heading, and a sentence instead of the table when it has no places;
// true when the table follows. Each board ends its block (EndBoard) with its table.
bool BeginBoard(SiteFile& page, std::string_view heading, bool empty) {
  page << "<div class=\"board\">\n<h3>" << Plain{heading} << "</h3>\n";
  if (empty) page << "<p>None yet.</p>\n</div>\n";
  return !empty;
}

void EndBoard(SiteFile& page) {
  EndTable(page);
  page << "</div>\n";
}

// A board's table of wrestlers with their records, and the board's end.
void WriteRecords(SiteFile& page, const std::string& id, const std::vector<Standing>& places) {
  BeginTable(page, id, {"Wrestler", "Matches", "Wins", "Losses", "Draws", "Win %"});
  for (const Standing& standing : places) {
    page << "<tr><td>";
    WriteWrestlerLink(page, standing.wrestler);
    page << "</td>";
    WriteRecordCells(page, *standing.record);
    page << "</tr>\n";
  }
  EndBoard(page);
}

void WriteWinsBoards(SiteFile& page, const Scope& scope, const std::vector<Standing>& standings) {
  auto by_wins = [](const Standing& a, const Standing& b) {
    if (a.record->wins != b.record->wins) return a.record->wins > b.record->wins;
    if (a.record->matches != b.record->matches) return a.record->matches < b.record->matches;
    return a.wrestler < b.wrestler;
  };
  auto by_matches = [](const Standing& a, const Standing& b) {
    if (a.record->matches != b.record->matches) return a.record->matches > b.record->matches;
    if (a.record->wins != b.record->wins) return a.record->wins > b.record->wins;
    return a.wrestler < b.wrestler;
  };
  struct Board {
    std::string_view heading;
    std::string_view id;
    std::vector<Standing> places;
  };
  const Board boards[] = {{"Most wins", "wins", Best(standings, by_wins)},
                          {"Most matches", "matches", Best(standings, by_matches)}};
  for (const Board& board : boards) {
    if (BeginBoard(page, board.heading, board.places.empty())) {
      WriteRecords(page, scope.id + "-" + std::string(board.id), board.places);
    }
  }
}

void WriteWinPercentBoard(SiteFile& page, const Scope& scope, std::vector<Standing> standings) {
  int most = 0;
  for (const Standing& standing : standings) most = std::max(most, standing.record->matches);
  int least = std::max(1, (most + 3) / 4);
  std::erase_if(standings,
                [&](const Standing& standing) { return standing.record->matches < least; });
  auto better = [](const Standing& a, const Standing& b) {
    int a_rate = a.record->WinPerMille(), b_rate = b.record->WinPerMille();
    if (a_rate != b_rate) return a_rate > b_rate;
    if (a.record->matches != b.record->matches) return a.record->matches > b.record->matches;
    return a.wrestler < b.wrestler;
  };
  std::vector<Standing> places = Best(std::move(standings), better);
  if (!BeginBoard(page, "Best win percentage", places.empty())) return;
  page << "<p>Wins per hundred matches, of the wrestlers with at least " << least
       << (least == 1 ? Markup(" match") : Markup(" matches"))
       << " (a quarter of the most any wrestler has here).</p>\n";
  WriteRecords(page, scope.id + "-win-percentage", places);
}

void WriteStreakBoard(SiteFile& page, const Scope& scope, std::vector<Standing> standings) {
  std::erase_if(standings, [](const Standing& standing) { return standing.streak == nullptr; });
  auto better = [](const Standing& a, const Standing& b) {
    if (a.streak->streak.longest != b.streak->streak.longest) {
      return a.streak->streak.longest > b.streak->streak.longest;
    }
    return a.wrestler < b.wrestler;
  };
  std::vector<Standing> places = Best(std::move(standings), better);
  if (!BeginBoard(page, "Longest winning streaks", places.empty())) return;
  BeginTable(page, scope.id + "-streaks", {"Wrestler", "Wins in a row", "Circuit", "Shows"});
  for (const Standing& standing : places) {
    const CircuitCareer& circuit = *standing.streak;
    page << "<tr><td>";
    WriteWrestlerLink(page, standing.wrestler);
    page << "</td><td>" << circuit.streak.longest << "</td><td>";
    WriteCircuitLink(page, circuit.circuit);
    page << "</td><td data-sort=\"" << circuit.streak.longest_first_show << "\">"
         << circuit.streak.longest_first_show << "&ndash;" << circuit.streak.longest_last_show
         << "</td></tr>\n";
  }
  EndBoard(page);
}

void WriteRatingBoards(SiteFile& page, const Scope& scope, const std::vector<RatedMatch>& matches,
                       const std::vector<RatedShow>& shows) {
  auto in_scope = [&](int circuit) { return scope.circuit == 0 || circuit == scope.circuit; };
  std::vector<RatedMatch> rated_matches;
  for (const RatedMatch& match : matches) {
    if (in_scope(match.circuit)) rated_matches.push_back(match);
  }
  rated_matches = Best(std::move(rated_matches), [](const RatedMatch& a, const RatedMatch& b) {
    if (a.tenths != b.tenths) return a.tenths > b.tenths;
    return std::tie(a.circuit, a.show, a.match) < std::tie(b.circuit, b.show, b.match);
  });
  if (BeginBoard(page, "Highest-rated matches", rated_matches.empty())) {
    BeginTable(page, scope.id + "-rated-matches", {"Rating", "Match", "Show", "Result"});
    for (const RatedMatch& rated : rated_matches) {
      const model::MatchRecord& match =
          CircuitOf(rated.circuit).shows[rated.show]->matches[rated.match];
      page << "<tr><td data-sort=\"" << rated.tenths << "\">"
           << Legacy{TrimBlanks(View(match.rating_text))} << "</td><td><a href=\""
           << Plain{ShowPage(rated.circuit, rated.show)} << "#segment-" << rated.match << "\">"
           << Legacy{NameOr(match.match_type, "Segment")} << "</a></td><td>";
      WriteCircuitLink(page, rated.circuit);
      page << ", ";
      WriteShowLink(page, rated.circuit, rated.show);
      page << "</td><td class=\"sentence\">" << Legacy{model::ResultText(match)} << "</td></tr>\n";
    }
    EndBoard(page);
  }
  std::vector<RatedShow> rated_shows;
  for (const RatedShow& show : shows) {
    if (in_scope(show.circuit)) rated_shows.push_back(show);
  }
  rated_shows = Best(std::move(rated_shows), [](const RatedShow& a, const RatedShow& b) {
    if (a.rating.Average() != b.rating.Average()) return a.rating.Average() > b.rating.Average();
    return std::tie(a.circuit, a.show) < std::tie(b.circuit, b.show);
  });
  if (BeginBoard(page, "Highest-rated shows", rated_shows.empty())) {
    BeginTable(page, scope.id + "-rated-shows", {"Average rating", "Show", "Rated segments"});
    for (const RatedShow& rated : rated_shows) {
      page << "<tr><td>";
      WriteTenths(page, rated.rating.Average());
      page << "</td><td>";
      WriteCircuitLink(page, rated.circuit);
      page << ", ";
      WriteShowLink(page, rated.circuit, rated.show);
      page << "</td><td>" << rated.rating.rated << "</td></tr>\n";
    }
    EndBoard(page);
  }
}

void WriteTitleBoards(SiteFile& page, const Scope& scope, const Site& site) {
  std::map<int, int> wrestlers;                                          // titles by wrestler
  std::map<std::string_view, std::pair<const HoldingTeam*, int>> teams;  // titles by team name
  for (const Holding& holding : site.index.holdings) {
    if (scope.circuit != 0 && holding.circuit != scope.circuit) continue;
    for (const HoldingWrestler& holder : holding.wrestlers) ++wrestlers[holder.wrestler];
    for (const HoldingTeam& team : holding.teams) {
      auto& [first, titles] = teams[View(team.name)];
      if (first == nullptr) first = &team;
      ++titles;
    }
  }
  std::vector<std::pair<int, int>> by_wrestler =
      Best(std::vector<std::pair<int, int>>(wrestlers.begin(), wrestlers.end()),
           [](const auto& a, const auto& b) {
             return a.second != b.second ? a.second > b.second : a.first < b.first;
           });
  if (BeginBoard(page, "Most titles held by wrestlers", by_wrestler.empty())) {
    BeginTable(page, scope.id + "-title-wrestlers", {"Wrestler", "Titles"});
    for (const auto& [wrestler, titles] : by_wrestler) {
      page << "<tr><td>";
      WriteWrestlerLink(page, wrestler);
      page << "</td><td>" << titles << "</td></tr>\n";
    }
    EndBoard(page);
  }
  std::vector<std::pair<const HoldingTeam*, int>> by_team;
  for (const auto& [name, team] : teams) by_team.push_back(team);
  by_team = Best(std::move(by_team), [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : View(a.first->name) < View(b.first->name);
  });
  if (BeginBoard(page, "Most titles held by teams", by_team.empty())) {
    BeginTable(page, scope.id + "-title-teams", {"Team", "Titles"});
    for (const auto& [team, titles] : by_team) {
      page << "<tr><td>";
      WriteHoldingTeam(page, *team);
      page << "</td><td>" << titles << "</td></tr>\n";
    }
    EndBoard(page);
  }
}

}  // namespace

void WriteLeadersPage(SiteFile& page, const Site& site) {
  BeginPage(page, "Leaders");
  std::vector<RatedMatch> matches;
  std::vector<RatedShow> shows;
  for (int c = 1; c <= CircuitCount(); ++c) {
    const model::CircuitRecord& circuit = CircuitOf(c);
    for (int s = 1; s <= ShowSlots(circuit); ++s) {
      const model::ShowRecord* show = circuit.shows[s];
      if (show == nullptr) continue;
      const ShowRating& rating =
          site.index.show_ratings[static_cast<std::size_t>(c)][static_cast<std::size_t>(s)];
      if (rating.rated > 0) shows.push_back({c, s, rating});
      for (int m = 1; m <= StoredSlots(show->matches, show->match_count, model::kMaxMatches); ++m) {
        std::optional<std::int64_t> tenths = RatingTenths(show->matches[m].rating_text);
        if (tenths && IsMatch(show->matches[m])) matches.push_back({c, s, m, *tenths});
      }
    }
  }
  page << "<p>The first " << static_cast<std::int64_t>(kPlaces)
       << " places of all circuits together, then of each circuit. Ratings are those of the "
          "cards; a show's is the average of its rated segments.</p>\n<ul>";
  for (int c = 1; c <= CircuitCount(); ++c) {
    page << "<li>";
    Link(page, "#circuit-" + std::to_string(c), Legacy{CircuitName(c)});
    page << "</li>";
  }
  page << "</ul>\n";
  std::vector<Scope> scopes = {{0, "all"}};
  for (int c = 1; c <= CircuitCount(); ++c) scopes.push_back({c, "circuit-" + std::to_string(c)});
  for (const Scope& scope : scopes) {
    page << "<section id=\"" << Plain{scope.id} << "\">\n<h2>";
    if (scope.circuit == 0) {
      page << "All circuits";
    } else {
      WriteCircuitLink(page, scope.circuit);
    }
    page << "</h2>\n<div class=\"boards\">\n";
    std::vector<Standing> standings = StandingsIn(site, scope.circuit);
    WriteWinsBoards(page, scope, standings);
    WriteWinPercentBoard(page, scope, standings);
    WriteStreakBoard(page, scope, standings);
    WriteRatingBoards(page, scope, matches, shows);
    WriteTitleBoards(page, scope, site);
    page << "</div>\n</section>\n";
  }
  EndPage(page);
}

}  // namespace kzo::exporter
