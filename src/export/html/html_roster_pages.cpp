// The pages of the roster: an index and a page per record for wrestlers, teams, stables,
// managers and moves.
#include <algorithm>

#include "export/html/html_pages.h"
#include "export/slots.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

using roster::Database;

void WriteWrestlerLink(SiteFile& page, int wrestler) {
  const roster::WrestlerRecord& w = Database().wrestlers[static_cast<std::size_t>(wrestler)];
  Link(page, WrestlerPage(wrestler), Legacy{NameOr(w.wname, kNoName)});
}

int LastSlot(const auto& roster) {
  return static_cast<int>(roster.size()) - 1;
}

// The rows of a roster's index, records 1..last: a link to each record's page, then the
// cells that cells(record) writes.
template <class Record, class Cells>
void WriteIndexRows(SiteFile& page, const std::vector<Record>& roster, int last,
                    std::string (*page_of)(int), Text Record::*name, Cells cells) {
  for (int i = 1; i <= last; ++i) {
    const Record& record = roster[static_cast<std::size_t>(i)];
    page << "<tr><td>";
    Link(page, page_of(i), Legacy{NameOr(record.*name, kNoName)});
    page << "</td>";
    cells(record);
    page << "</tr>\n";
  }
}

// The wrestler's record per circuit, as a chart and a table.
void WriteWrestlerRecords(SiteFile& page, const std::vector<Appearance>& appearances) {
  page << "<h2>Record</h2>\n";
  std::vector<ResultBar> bars;
  std::vector<int> circuits;
  for (const Appearance& part : appearances) {
    if (!circuits.empty() && circuits.back() == part.circuit) continue;
    circuits.push_back(part.circuit);
    bars.push_back({CircuitName(part.circuit), CountResults(appearances, part.circuit)});
  }
  if (bars.empty()) {
    page << "<p>No matches.</p>\n";
    return;
  }
  WriteResultChart(page, "Wins, losses and draws per circuit", bars);
  page << "<table>\n<tr><th>Circuit</th><th>Matches</th><th>Wins</th><th>Losses</th>"
       << "<th>Draws</th></tr>\n";
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const ResultCounts& counts = bars[i].counts;
    page << "<tr><td>";
    WriteCircuitLink(page, circuits[i]);
    page << "</td><td>" << counts.matches << "</td><td>" << counts.wins << "</td><td>"
         << counts.losses << "</td><td>" << counts.draws << "</td></tr>\n";
  }
  page << "</table>\n";
}

// The titles the wrestler holds and the teams and stables the wrestler belongs to.
void WriteWrestlerMemberships(SiteFile& page, const SiteIndex& index, std::size_t w) {
  const roster::RosterDatabase& db = Database();
  page << "<h2>Titles, teams and stables</h2>\n<ul>";
  for (const HeldTitle& held : index.titles[w]) {
    page << "<li>Holds " << Legacy{CircuitOf(held.circuit).titles[held.title].title_name} << " (";
    WriteCircuitLink(page, held.circuit);
    page << ")</li>";
  }
  for (int team : index.teams[w]) {
    page << "<li>Team ";
    Link(page, TeamPage(team),
         Legacy{NameOr(db.teams[static_cast<std::size_t>(team)].tname, kNoName)});
    page << "</li>";
  }
  for (int stable : index.stables[w]) {
    page << "<li>Stable ";
    Link(page, StablePage(stable),
         Legacy{NameOr(db.stables[static_cast<std::size_t>(stable)].sname, kNoName)});
    page << "</li>";
  }
  page << "</ul>\n";
}

// Every match the wrestler took part in, with the show it belongs to and its result.
void WriteWrestlerMatches(SiteFile& page, const std::vector<Appearance>& appearances) {
  page << "<h2>Matches</h2>\n<table>\n<tr><th>Circuit</th><th>Show</th><th>Type</th>"
       << "<th>Result</th><th>Outcome</th></tr>\n";
  for (const Appearance& part : appearances) {
    const model::ShowRecord& show = *CircuitOf(part.circuit).shows[part.show];
    const model::MatchRecord& match = show.matches[part.match];
    page << "<tr><td>";
    WriteCircuitLink(page, part.circuit);
    page << "</td><td>";
    Link(page, ShowPage(part.circuit, part.show) + "#segment-" + std::to_string(part.match),
         Legacy{ShowName(show)});
    page << "</td><td>" << Legacy{match.match_type} << "</td><td>"
         << Legacy{model::ResultText(match)} << "</td><td class=\""
         << Plain{OutcomeWord(part.value)} << "\">" << Plain{OutcomeWord(part.value)}
         << "</td></tr>\n";
  }
  page << "</table>\n";
}

// The wrestlers whose int list field (moves, managers) holds number.
void WriteWrestlersListing(SiteFile& page, std::string_view heading, int number,
                           const std::int32_t* (*list)(const roster::WrestlerRecord&), int slots) {
  page << "<h2>" << Plain{heading} << "</h2>\n<ul>";
  for (int w = 1; w <= roster::StoredWrestlerCount(); ++w) {
    const std::int32_t* values = list(Database().wrestlers[static_cast<std::size_t>(w)]);
    if (std::find(values + 1, values + slots + 1, number) == values + slots + 1) continue;
    page << "<li>";
    WriteWrestlerLink(page, w);
    page << "</li>";
  }
  page << "</ul>\n";
}

}  // namespace

void WriteWrestlerIndex(SiteFile& page) {
  BeginPage(page, "Wrestlers");
  page << "<table>\n<tr><th>Name</th><th>Nickname</th><th>Hometown</th><th>Weight</th>"
       << "<th>Workrate</th><th>Push</th><th>Charisma</th><th>Stamina</th></tr>\n";
  WriteIndexRows(page, Database().wrestlers, roster::StoredWrestlerCount(), WrestlerPage,
                 &roster::WrestlerRecord::wname, [&](const roster::WrestlerRecord& w) {
                   page << "<td>" << Legacy{w.nickname} << "</td><td>" << Legacy{w.hometown}
                        << "</td><td>" << w.weight << "</td><td>" << w.workrate << "</td><td>"
                        << w.push << "</td><td>" << w.charisma << "</td><td>" << w.stamina
                        << "</td>";
                 });
  page << "</table>\n";
  EndPage(page);
}

void WriteWrestlerPage(SiteFile& page, const Site& site, int wrestler) {
  const auto w = static_cast<std::size_t>(wrestler);
  const roster::WrestlerRecord& record = Database().wrestlers[w];
  BeginPage(page, "Wrestler", NameOr(record.wname, kNoName));
  if (!View(record.nickname).empty()) {
    page << "<p class=\"nickname\">&ldquo;" << Legacy{record.nickname} << "&rdquo;</p>\n";
  }
  WriteWrestlerRecords(page, site.index.appearances[w]);
  WriteWrestlerMemberships(page, site.index, w);
  page << "<h2>Attributes</h2>\n";
  WriteFieldTable(page, site.fields.wrestlers, RecordBytes(record));
  WriteWrestlerMatches(page, site.index.appearances[w]);
  EndPage(page);
}

void WriteTeamIndex(SiteFile& page) {
  BeginPage(page, "Teams");
  page << "<table>\n<tr><th>Team</th><th>Members</th></tr>\n";
  WriteIndexRows(page, Database().teams, LastSlot(Database().teams), TeamPage,
                 &roster::TeamRecord::tname, [&](const roster::TeamRecord& team) {
                   page << "<td>";
                   WriteTeamMembers(page, team, 0);
                   page << "</td>";
                 });
  page << "</table>\n";
  EndPage(page);
}

void WriteTeamPage(SiteFile& page, const Site& site, int team) {
  const roster::TeamRecord& record = Database().teams[static_cast<std::size_t>(team)];
  BeginPage(page, "Team", NameOr(record.tname, kNoName));
  page << "<p>";
  WriteTeamMembers(page, record, 0);
  page << "</p>\n";
  WriteFieldTable(page, site.fields.teams, RecordBytes(record));
  EndPage(page);
}

void WriteStableIndex(SiteFile& page) {
  BeginPage(page, "Stables");
  page << "<table>\n<tr><th>Stable</th><th>Members</th></tr>\n";
  WriteIndexRows(page, Database().stables, LastSlot(Database().stables), StablePage,
                 &roster::StableRecord::sname, [&](const roster::StableRecord& stable) {
                   page << "<td>" << stable.wrestlers_count << "</td>";
                 });
  page << "</table>\n";
  EndPage(page);
}

void WriteStablePage(SiteFile& page, const Site& site, int stable) {
  const roster::StableRecord& record = Database().stables[static_cast<std::size_t>(stable)];
  BeginPage(page, "Stable", NameOr(record.sname, kNoName));
  page << "<h2>Members</h2>\n<p>";
  WriteStableMembers(page, record);
  page << "</p>\n";
  WriteFieldTable(page, site.fields.stables, RecordBytes(record));
  EndPage(page);
}

void WriteManagerIndex(SiteFile& page) {
  BeginPage(page, "Managers");
  page << "<table>\n<tr><th>Manager</th><th>Interference</th><th>Toughness</th></tr>\n";
  WriteIndexRows(page, Database().managers, LastSlot(Database().managers), ManagerPage,
                 &roster::ManagerRecord::maname, [&](const roster::ManagerRecord& manager) {
                   page << "<td>" << manager.interference_rating << "</td><td>"
                        << manager.toughness_rating << "</td>";
                 });
  page << "</table>\n";
  EndPage(page);
}

void WriteManagerPage(SiteFile& page, const Site& site, int manager) {
  const roster::ManagerRecord& record = Database().managers[static_cast<std::size_t>(manager)];
  BeginPage(page, "Manager", NameOr(record.maname, kNoName));
  WriteFieldTable(page, site.fields.managers, RecordBytes(record));
  WriteWrestlersListing(
      page, "Wrestlers managed", manager,
      [](const roster::WrestlerRecord& w) { return w.managers.data(); },
      roster::kWrestlerManagerSlots);
  EndPage(page);
}

void WriteMoveIndex(SiteFile& page) {
  BeginPage(page, "Moves");
  page << "<table>\n<tr><th>Move</th><th>Damage</th></tr>\n";
  WriteIndexRows(page, Database().moves, LastSlot(Database().moves), MovePage,
                 &roster::MoveRecord::mname,
                 [&](const roster::MoveRecord& move) { page << "<td>" << move.damage << "</td>"; });
  page << "</table>\n";
  EndPage(page);
}

void WriteMovePage(SiteFile& page, const Site& site, int move) {
  const roster::MoveRecord& record = Database().moves[static_cast<std::size_t>(move)];
  BeginPage(page, "Move", NameOr(record.mname, kNoName));
  WriteFieldTable(page, site.fields.moves, RecordBytes(record));
  WriteWrestlersListing(
      page, "Wrestlers who use it", move,
      [](const roster::WrestlerRecord& w) { return w.moves.data(); }, roster::kWrestlerMoveSlots);
  EndPage(page);
}

}  // namespace kzo::exporter
