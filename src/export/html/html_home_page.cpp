// index.html, the home page of the site.
#include <utility>

#include "export/html/html_pages.h"
#include "export/slots.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

using roster::Database;

// The circuit's shows that have records, and their segments.
std::pair<int, int> ShowAndSegmentCounts(const model::CircuitRecord& circuit) {
  int shows = 0, segments = 0;
  for (int s = 1; s <= StoredSlots(circuit.shows, circuit.show_count, model::kMaxShows); ++s) {
    if (circuit.shows[s] == nullptr) continue;
    ++shows;
    segments +=
        StoredSlots(circuit.shows[s]->matches, circuit.shows[s]->match_count, model::kMaxMatches);
  }
  return {shows, segments};
}

void WriteChampions(SiteFile& page, int c) {
  const model::CircuitRecord& circuit = CircuitOf(c);
  page << "<ul class=\"plain\">";
  for (int t = 1; t <= StoredSlots(circuit.titles, circuit.title_count, model::kMaxTitles); ++t) {
    const model::TitleRecord& title = circuit.titles[t];
    page << "<li>" << Legacy{title.title_name} << ": ";
    WriteTitleHolders(page, c, title);
    page << "</li>";
  }
  page << "</ul>";
}

void WriteRosterSizes(SiteFile& page) {
  const roster::RosterDatabase& db = Database();
  page << "<h2>Rosters</h2>\n<ul class=\"sizes\">"
       << "<li><a href=\"wrestlers.html\">Wrestlers</a>: " << roster::StoredWrestlerCount()
       << "</li><li><a href=\"teams.html\">Teams</a>: " << db.team_count
       << "</li><li><a href=\"stables.html\">Stables</a>: " << db.stable_count
       << "</li><li><a href=\"managers.html\">Managers</a>: " << db.manager_count
       << "</li><li><a href=\"moves.html\">Moves</a>: " << db.move_count
       << "</li><li>Dives: " << db.dive_count
       << "</li><li>Foreign objects: " << db.foreign_object_count
       << "</li><li>Gimmick matches: " << db.gimmick_match_count << "</li></ul>\n";
}

}  // namespace

void WriteHomePage(SiteFile& page) {
  BeginPage(page, "Installation");
  page << "<p>Imported from <code>" << Legacy{Database().legacy_folder} << "</code></p>\n";
  page << "<form class=\"search\" role=\"search\" action=\"index.html\">"
       << "<label for=\"q\">Find a wrestler or a show</label> "
       << "<input id=\"q\" name=\"q\" type=\"search\" autocomplete=\"off\">"
       << "</form>\n<ul id=\"results\"></ul>\n<h2>Circuits</h2>\n<table>\n"
       << "<tr><th>Circuit</th><th>Shows</th><th>Segments</th><th>Champions</th></tr>\n";
  const model::CircuitTable& table = model::Circuits();
  for (int c = 1; c <= StoredSlots(table.count, model::kMaxCircuits); ++c) {
    auto [shows, segments] = ShowAndSegmentCounts(CircuitOf(c));
    page << "<tr><td>";
    WriteCircuitLink(page, c);
    page << "</td><td>" << shows << "</td><td>" << segments << "</td><td>";
    WriteChampions(page, c);
    page << "</td></tr>\n";
  }
  page << "</table>\n";
  WriteRosterSizes(page);
  EndPage(page, {"search-index.js", "search.js"});
}

}  // namespace kzo::exporter
