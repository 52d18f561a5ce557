// index.html, the home page of the site, and search.html, where every page's search box
// leads.
#include "export/html/html_pages.h"
#include "export/slots.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

using roster::Database;

// The installation's folder by its own name, without the folders above it; none for a root.
Text FolderName(Text folder) {
  std::string_view path = View(folder);
  std::size_t end = path.find_last_not_of("/\\");
  if (end == std::string_view::npos || end + 1 != path.size()) return nullptr;
  std::size_t last = path.find_last_of("/\\");
  return folder + (last == std::string_view::npos ? 0 : last + 1);
}

struct Counts {
  int shows = 0;
  int segments = 0;
  int matches = 0;
};

Counts CountsOf(const model::CircuitRecord& circuit) {
  Counts counts;
  for (int s = 1; s <= ShowSlots(circuit); ++s) {
    const model::ShowRecord* show = circuit.shows[s];
    if (show == nullptr) continue;
    ++counts.shows;
    int segments = StoredSlots(show->matches, show->match_count, model::kMaxMatches);
    counts.segments += segments;
    for (int m = 1; m <= segments; ++m) counts.matches += IsMatch(show->matches[m]);
  }
  return counts;
}

void WriteChampions(SiteFile& page, const Site& site, int c) {
  const model::CircuitRecord& circuit = CircuitOf(c);
  page << "<ul class=\"plain\">";
  for (int t = 1; t <= StoredSlots(circuit.titles, circuit.title_count, model::kMaxTitles); ++t) {
    page << "<li>" << Legacy{circuit.titles[t].title_name} << ": ";
    if (const Holding* holding = HoldingOf(site, c, t)) WriteTitleHolders(page, *holding);
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

void WriteHomePage(SiteFile& page, const Site& site) {
  BeginPage(page, "Installation", FolderName(Database().legacy_folder));
  std::vector<Counts> counts(static_cast<std::size_t>(CircuitCount()) + 1);
  Counts total;
  int titles = 0;
  for (int c = 1; c <= CircuitCount(); ++c) {
    counts[static_cast<std::size_t>(c)] = CountsOf(CircuitOf(c));
    total.shows += counts[static_cast<std::size_t>(c)].shows;
    total.matches += counts[static_cast<std::size_t>(c)].matches;
    titles += StoredSlots(CircuitOf(c).titles, CircuitOf(c).title_count, model::kMaxTitles);
  }
  page << "<dl class=\"headline\"><div><dt>Wrestlers</dt><dd>" << roster::StoredWrestlerCount()
       << "</dd></div><div><dt>Circuits</dt><dd>" << CircuitCount()
       << "</dd></div><div><dt>Shows</dt><dd>" << total.shows
       << "</dd></div><div><dt>Matches</dt><dd>" << total.matches
       << "</dd></div><div><dt>Titles</dt><dd>" << titles << "</dd></div></dl>\n"
       << "<p>The <a href=\"leaders.html\">leaders</a> of every circuit; every wrestler in the "
       << "<a href=\"wrestlers.html\">wrestlers' index</a>.</p>\n<h2>Circuits</h2>\n";
  if (CircuitCount() == 0) {
    page << "<p>The installation lists no circuits.</p>\n";
  } else {
    BeginTable(page, "circuits", {"Circuit", "Shows", "Segments", "Matches", "Champions"});
  }
  for (int c = 1; c <= CircuitCount(); ++c) {
    const Counts& circuit = counts[static_cast<std::size_t>(c)];
    page << "<tr><td>";
    WriteCircuitLink(page, c);
    page << "</td><td>" << circuit.shows << "</td><td>" << circuit.segments << "</td><td>"
         << circuit.matches << "</td><td>";
    WriteChampions(page, site, c);
    page << "</td></tr>\n";
  }
  if (CircuitCount() > 0) EndTable(page);
  WriteRosterSizes(page);
  EndPage(page);
}

void WriteSearchPage(SiteFile& page) {
  BeginPage(page, "Search");
  page << "<p>Type a name, or part of one, in the search box above.</p>\n<ul id=\"results\"></ul>\n"
       << "<noscript><p>The search needs JavaScript; the <a href=\"wrestlers.html\">wrestlers' "
       << "index</a> lists every wrestler.</p></noscript>\n";
  EndPage(page, {"search-index.js", "search.js"});
}

}  // namespace kzo::exporter
