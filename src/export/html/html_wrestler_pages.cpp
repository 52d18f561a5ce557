// The wrestlers' index and a page per wrestler, the career first and the record's fields last.
#include <algorithm>

#include "export/html/html_pages.h"
#include "export/slots.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

using roster::Database;

void WriteHeadline(SiteFile& page, const Career& career) {
  const Record& total = career.total;
  int per_mille = total.WinPerMille();
  const CircuitCareer* streak = LongestStreakOf(career);
  page << "<dl class=\"headline\"><div><dt>Matches</dt><dd>" << total.matches
       << "</dd></div><div><dt>Wins</dt><dd>" << total.wins << "</dd></div><div><dt>Losses</dt><dd>"
       << total.losses << "</dd></div><div><dt>Draws</dt><dd>" << total.draws
       << "</dd></div><div><dt>Win %</dt><dd>";
  WriteTenths(page, per_mille < 0 ? std::nullopt : std::optional<std::int64_t>(per_mille));
  page << "</dd></div><div><dt>Longest winning streak</dt><dd>"
       << (streak ? streak->streak.longest : 0) << "</dd></div></dl>\n";
}

// The record per circuit and in all, with the streaks.
void WriteRecordTable(SiteFile& page, const Career& career) {
  BeginTable(page, "record",
             {"Circuit", "Matches", "Wins", "Losses", "Draws", "Win %", "Longest winning streak",
              "Current streak"});
  for (const CircuitCareer& circuit : career.circuits) {
    page << "<tr><td>";
    WriteCircuitLink(page, circuit.circuit);
    page << "</td>";
    WriteRecordCells(page, circuit.record);
    page << "<td>" << circuit.streak.longest;
    if (circuit.streak.longest > 0) {
      page << " (shows " << circuit.streak.longest_first_show << "&ndash;"
           << circuit.streak.longest_last_show << ")";
    }
    page << "</td><td>";
    WriteRun(page, circuit.streak.current, circuit.streak.current_length);
    page << "</td></tr>\n";
  }
  page << "</tbody>\n<tfoot><tr><td>All circuits</td>";
  WriteRecordCells(page, career.total);
  const CircuitCareer* streak = LongestStreakOf(career);
  page << "<td>" << (streak ? streak->streak.longest : 0) << "</td><td></td></tr></tfoot>\n"
       << "</table>\n";
}

// The names of a match's participants whose value is value, but for the wrestler, each once:
// linked to their pages, or as written when they name no wrestler.
void WriteSide(SiteFile& page, const model::MatchRecord& match, int wrestler, int value) {
  int items = StoredSlots(match.breakdown, match.breakdown_count, model::kMaxBreakdownItems);
  bool first = true;
  for (int b = 1; b <= items; ++b) {
    const model::BreakdownItem& item = match.breakdown[b];
    if (item.value != value || item.wrestler == wrestler) continue;
    bool repeated = false;
    for (int e = 1; e < b && !repeated; ++e) {
      const model::BreakdownItem& earlier = match.breakdown[e];
      repeated = earlier.value == value &&
                 (IsStoredWrestler(item.wrestler) ? earlier.wrestler == item.wrestler
                                                  : View(earlier.name) == View(item.name));
    }
    if (repeated) continue;
    if (!first) page << ", ";
    first = false;
    WriteNamedWrestler(page, item.name, item.wrestler);
  }
}

// The value of the wrestler's side: that of the first breakdown entry naming the wrestler.
int SideOf(const model::MatchRecord& match, int wrestler) {
  int items = StoredSlots(match.breakdown, match.breakdown_count, model::kMaxBreakdownItems);
  for (int b = 1; b <= items; ++b) {
    if (match.breakdown[b].wrestler == wrestler) return match.breakdown[b].value;
  }
  return 0;
}

void WriteResultCell(SiteFile& page, Result result) {
  switch (result) {
    case Result::kWin:
      page << "<td class=\"win\">W</td>";
      break;
    case Result::kLoss:
      page << "<td class=\"loss\">L</td>";
      break;
    case Result::kDraw:
      page << "<td class=\"draw\">D</td>";
      break;
    case Result::kNone:
      page << "<td>&ndash;</td>";
  }
}

// Every match, with the show it belongs to, the wrestler's partners and opponents and how
// it came out.
void WriteMatchTable(SiteFile& page, const Career& career, int wrestler) {
  BeginTable(
      page, "matches",
      {"Circuit", "Show", "Type", "Partners", "Opponents", "Result", "Rating", "Result sentence"});
  for (const Appearance& part : career.appearances) {
    const model::ShowRecord& show = *CircuitOf(part.circuit).shows[part.show];
    const model::MatchRecord& match = show.matches[part.match];
    int side = SideOf(match, wrestler);
    // In a draw that names everyone as one side, everyone is an opponent.
    bool one_sided = IsOneSidedDraw(match);
    page << "<tr><td>";
    WriteCircuitLink(page, part.circuit);
    page << "</td><td data-sort=\"" << part.show << "\"><a href=\""
         << Plain{ShowPage(part.circuit, part.show)} << "#segment-" << part.match << "\">"
         << part.show << ". " << Legacy{ShowName(show)} << "</a></td><td>"
         << Legacy{match.match_type} << "</td><td>";
    if (!one_sided) WriteSide(page, match, wrestler, side);
    page << "</td><td>";
    WriteSide(page, match, wrestler, one_sided ? side : -side);
    page << "</td>";
    WriteResultCell(page, ResultOf(part.outcome));
    page << "<td>" << Legacy{TrimBlanks(View(match.rating_text))} << "</td><td class=\"sentence\">"
         << Legacy{model::ResultText(match)} << "</td></tr>\n";
  }
  EndTable(page);
}

// The record against every opponent in all circuits, the most met first.
void WriteHeadToHead(SiteFile& page, const Career& career) {
  std::vector<Opponent> opponents;
  for (const CircuitCareer& circuit : career.circuits) {
    opponents.insert(opponents.end(), circuit.opponents.begin(), circuit.opponents.end());
  }
  std::sort(opponents.begin(), opponents.end(),
            [](const Opponent& a, const Opponent& b) { return a.wrestler < b.wrestler; });
  std::vector<Opponent> merged;
  for (const Opponent& opponent : opponents) {
    if (merged.empty() || merged.back().wrestler != opponent.wrestler) {
      merged.push_back({opponent.wrestler, {}});
    }
    merged.back().record += opponent.record;
  }
  std::stable_sort(merged.begin(), merged.end(), [](const Opponent& a, const Opponent& b) {
    return a.record.matches > b.record.matches;
  });
  page << "<h2>Head to head</h2>\n";
  if (merged.empty()) {
    page << "<p>No opponents.</p>\n";
    return;
  }
  BeginTable(page, "head-to-head", {"Opponent", "Matches", "Wins", "Losses", "Draws", "Win %"});
  for (const Opponent& opponent : merged) {
    page << "<tr><td>";
    WriteWrestlerLink(page, opponent.wrestler);
    page << "</td>";
    WriteRecordCells(page, opponent.record);
    page << "</tr>\n";
  }
  EndTable(page);
}

// The titles the wrestler holds (alone or through a team), the teams and stables the
// wrestler belongs to and the wrestler's managers.
void WriteMemberships(SiteFile& page, const Site& site, int wrestler) {
  const auto w = static_cast<std::size_t>(wrestler);
  const roster::RosterDatabase& db = Database();
  page << "<h2>Titles, teams, stables and managers</h2>\n<ul>";
  bool any = false;
  for (int h : site.index.titles[w]) {
    const Holding& holding = site.index.holdings[static_cast<std::size_t>(h)];
    page << "<li>Holds " << Legacy{CircuitOf(holding.circuit).titles[holding.title].title_name}
         << " (";
    WriteCircuitLink(page, holding.circuit);
    page << ")";
    for (const HoldingWrestler& holder : holding.wrestlers) {
      if (holder.wrestler != wrestler || holder.team == 0) continue;
      page << " with ";
      WriteHoldingTeam(page, holding.teams[static_cast<std::size_t>(holder.team - 1)]);
    }
    page << "</li>";
    any = true;
  }
  for (int team : site.index.teams[w]) {
    page << "<li>Team ";
    Link(page, TeamPage(team),
         Legacy{NameOr(db.teams[static_cast<std::size_t>(team)].tname, kNoName)});
    page << "</li>";
    any = true;
  }
  for (int stable : site.index.stables[w]) {
    page << "<li>Stable ";
    Link(page, StablePage(stable),
         Legacy{NameOr(db.stables[static_cast<std::size_t>(stable)].sname, kNoName)});
    page << "</li>";
    any = true;
  }
  for (int slot = 1; slot <= roster::kWrestlerManagerSlots; ++slot) {
    std::int32_t manager = db.wrestlers[w].managers[static_cast<std::size_t>(slot)];
    if (manager == 0) continue;
    page << "<li>Managed by ";
    WriteReference(page, roster::kKindManagers, offsetof(roster::ManagerRecord, maname), manager);
    page << "</li>";
    any = true;
  }
  if (!any) page << "<li>None.</li>";
  page << "</ul>\n";
}

}  // namespace

void WriteWrestlerIndex(SiteFile& page, const Site& site) {
  BeginPage(page, "Wrestlers");
  BeginTable(page, "wrestlers",
             {"Name", "Matches", "Wins", "Losses", "Draws", "Win %", "Nickname", "Hometown",
              "Weight", "Workrate", "Push", "Charisma", "Stamina"});
  for (int w = 1; w <= roster::StoredWrestlerCount(); ++w) {
    const roster::WrestlerRecord& wrestler = Database().wrestlers[static_cast<std::size_t>(w)];
    page << "<tr><td>";
    WriteWrestlerLink(page, w);
    page << "</td>";
    WriteRecordCells(page, site.index.careers[static_cast<std::size_t>(w)].total);
    page << "<td>" << Legacy{wrestler.nickname} << "</td><td>" << Legacy{wrestler.hometown}
         << "</td><td>" << wrestler.weight << "</td><td>" << wrestler.workrate << "</td><td>"
         << wrestler.push << "</td><td>" << wrestler.charisma << "</td><td>" << wrestler.stamina
         << "</td></tr>\n";
  }
  EndTable(page);
  EndPage(page);
}

void WriteWrestlerPage(SiteFile& page, const Site& site, int wrestler) {
  const auto w = static_cast<std::size_t>(wrestler);
  const roster::WrestlerRecord& record = Database().wrestlers[w];
  const Career& career = site.index.careers[w];
  BeginPage(page, "Wrestler", WrestlerName(wrestler));
  if (!View(record.nickname).empty()) {
    page << "<p class=\"nickname\">&ldquo;" << Legacy{record.nickname} << "&rdquo;</p>\n";
  }
  WriteHeadline(page, career);
  if (career.appearances.empty()) {
    page << "<p>No matches on the cards of any circuit.</p>\n";
  } else {
    page << "<h2>Record</h2>\n";
    WriteRecordTable(page, career);
    WriteResultsChart(page, career, "matches");
    page << "<h2>Matches</h2>\n";
    WriteMatchTable(page, career, wrestler);
    WriteHeadToHead(page, career);
  }
  WriteMemberships(page, site, wrestler);
  page << "<h2>Attributes</h2>\n";
  WriteFieldGroups(page, site.fields.wrestlers, RecordBytes(record), Groups::kFolded);
  EndPage(page);
}

}  // namespace kzo::exporter
