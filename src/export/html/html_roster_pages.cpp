// The pages of the rosters but the wrestlers': an index and a page per record for teams,
// stables, managers and moves.
#include <algorithm>

#include "export/html/html_pages.h"
#include "export/slots.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

using roster::Database;

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

void WriteTeamIndex(SiteFile& page) {
  BeginPage(page, "Teams");
  BeginTable(page, "teams", {"Team", "Members"});
  WriteIndexRows(page, Database().teams, LastSlot(Database().teams), TeamPage,
                 &roster::TeamRecord::tname, [&](const roster::TeamRecord& team) {
                   page << "<td>";
                   WriteTeamMembers(page, team, 0);
                   page << "</td>";
                 });
  EndTable(page);
  EndPage(page);
}

void WriteTeamPage(SiteFile& page, const Site& site, int team) {
  const roster::TeamRecord& record = Database().teams[static_cast<std::size_t>(team)];
  BeginPage(page, "Team", NameOr(record.tname, kNoName));
  page << "<p>";
  WriteTeamMembers(page, record, 0);
  page << "</p>\n<h2>Titles</h2>\n<ul>";
  bool any = false;
  for (const Holding& holding : site.index.holdings) {
    for (const HoldingTeam& holder : holding.teams) {
      if (holder.roster_team != team) continue;
      page << "<li>" << Legacy{CircuitOf(holding.circuit).titles[holding.title].title_name} << " (";
      WriteCircuitLink(page, holding.circuit);
      page << ")</li>";
      any = true;
    }
  }
  if (!any) page << "<li>None.</li>";
  page << "</ul>\n<h2>Fields</h2>\n";
  WriteFieldGroups(page, site.fields.teams, RecordBytes(record), Groups::kOpen);
  EndPage(page);
}

void WriteStableIndex(SiteFile& page) {
  BeginPage(page, "Stables");
  BeginTable(page, "stables", {"Stable", "Members"});
  WriteIndexRows(page, Database().stables, LastSlot(Database().stables), StablePage,
                 &roster::StableRecord::sname, [&](const roster::StableRecord& stable) {
                   page << "<td>" << stable.wrestlers_count << "</td>";
                 });
  EndTable(page);
  EndPage(page);
}

void WriteStablePage(SiteFile& page, const Site& site, int stable) {
  const roster::StableRecord& record = Database().stables[static_cast<std::size_t>(stable)];
  BeginPage(page, "Stable", NameOr(record.sname, kNoName));
  page << "<h2>Members</h2>\n<p>";
  WriteStableMembers(page, record);
  page << "</p>\n";
  WriteFieldGroups(page, site.fields.stables, RecordBytes(record), Groups::kOpen);
  EndPage(page);
}

void WriteManagerIndex(SiteFile& page) {
  BeginPage(page, "Managers");
  BeginTable(page, "managers", {"Manager", "Interference", "Toughness"});
  WriteIndexRows(page, Database().managers, LastSlot(Database().managers), ManagerPage,
                 &roster::ManagerRecord::maname, [&](const roster::ManagerRecord& manager) {
                   page << "<td>" << manager.interference_rating << "</td><td>"
                        << manager.toughness_rating << "</td>";
                 });
  EndTable(page);
  EndPage(page);
}

void WriteManagerPage(SiteFile& page, const Site& site, int manager) {
  const roster::ManagerRecord& record = Database().managers[static_cast<std::size_t>(manager)];
  BeginPage(page, "Manager", NameOr(record.maname, kNoName));
  WriteFieldGroups(page, site.fields.managers, RecordBytes(record), Groups::kOpen);
  WriteWrestlersListing(
      page, "Wrestlers managed", manager,
      [](const roster::WrestlerRecord& w) { return w.managers.data(); },
      roster::kWrestlerManagerSlots);
  EndPage(page);
}

void WriteMoveIndex(SiteFile& page) {
  BeginPage(page, "Moves");
  BeginTable(page, "moves", {"Move", "Damage"});
  WriteIndexRows(page, Database().moves, LastSlot(Database().moves), MovePage,
                 &roster::MoveRecord::mname,
                 [&](const roster::MoveRecord& move) { page << "<td>" << move.damage << "</td>"; });
  EndTable(page);
  EndPage(page);
}

void WriteMovePage(SiteFile& page, const Site& site, int move) {
  const roster::MoveRecord& record = Database().moves[static_cast<std::size_t>(move)];
  BeginPage(page, "Move", NameOr(record.mname, kNoName));
  WriteFieldGroups(page, site.fields.moves, RecordBytes(record), Groups::kOpen);
  WriteWrestlersListing(
      page, "Wrestlers who use it", move,
      [](const roster::WrestlerRecord& w) { return w.moves.data(); }, roster::kWrestlerMoveSlots);
  EndPage(page);
}

}  // namespace kzo::exporter
