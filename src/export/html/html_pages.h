// The pages of the HTML site, one function per kind of page. Each writes a whole page
// (BeginPage to EndPage) about what the last load built.
#pragma once

#include "export/html/html_fields.h"
#include "export/html/html_site_index.h"
#include "export/html/html_writer.h"

namespace kzo::exporter {

// What the pages draw on beside the model: the numbers and credits gathered once, and the
// dictionary's fields.
struct Site {
  SiteIndex index;
  SiteFields fields;
};

// index.html and search.html (html_home_page.cpp): the installation in numbers, every
// circuit with its shows, matches and champions, the roster sizes; the search's results.
void WriteHomePage(SiteFile& page, const Site& site);
void WriteSearchPage(SiteFile& page);

// The wrestlers' index and pages (html_wrestler_pages.cpp): a wrestler's career first, the
// record, the run of results, the matches and the record against each opponent, then the
// titles, teams, stables and managers, the record's fields last.
void WriteWrestlerIndex(SiteFile& page, const Site& site);
void WriteWrestlerPage(SiteFile& page, const Site& site, int wrestler);

// The index and the record pages of the other rosters that have pages
// (html_roster_pages.cpp).
void WriteTeamIndex(SiteFile& page);
void WriteTeamPage(SiteFile& page, const Site& site, int team);
void WriteStableIndex(SiteFile& page);
void WriteStablePage(SiteFile& page, const Site& site, int stable);
void WriteManagerIndex(SiteFile& page);
void WriteManagerPage(SiteFile& page, const Site& site, int manager);
void WriteMoveIndex(SiteFile& page);
void WriteMovePage(SiteFile& page, const Site& site, int move);

// The pages of a circuit and of its shows (html_circuit_pages.cpp).
void WriteCircuitPage(SiteFile& page, const Site& site, int circuit);
void WriteShowPage(SiteFile& page, const Site& site, int circuit, int show);

// leaders.html (html_leaders_page.cpp): the leading wrestlers, matches, shows and title
// holders of all circuits and of each.
void WriteLeadersPage(SiteFile& page, const Site& site);

// The charts (html_charts.cpp): inline SVG figures 360 units wide, each with a text
// alternative and described by the table of the page (its id) that holds its numbers.

// The results of a wrestler's matches in order, a row of them per circuit: wins as bars
// above a line, losses below it, draws on it.
void WriteResultsChart(SiteFile& page, const Career& career, std::string_view table);
// The average rating of each show of a circuit, by show number.
void WriteRatingsChart(SiteFile& page, const std::vector<ShowRating>& ratings,
                       std::string_view table);

// What several kinds of page show (html_page_parts.cpp).

// The name of a record without one.
inline constexpr Text kNoName = "(no name)";

// The record of circuit number circuit.
const model::CircuitRecord& CircuitOf(int circuit);
// The number of circuits (at most the capacity).
int CircuitCount();
// The number of show slots of a circuit; a slot may hold no show.
int ShowSlots(const model::CircuitRecord& circuit);
// A link to a circuit's page, labelled with its name.
void WriteCircuitLink(SiteFile& page, int circuit);
// A link to a wrestler's page labelled with the wrestler's name.
void WriteWrestlerLink(SiteFile& page, int wrestler);
// A wrestler named in the model: a link to the wrestler's page labelled with the name, or
// the name alone when the number names no wrestler of the roster.
void WriteNamedWrestler(SiteFile& page, Text name, std::int64_t wrestler);
// A link to a show's page, labelled with its number and name.
void WriteShowLink(SiteFile& page, int circuit, int show);

// The two members of a team, linked to their pages: found by name among the roster's
// wrestlers (circuit 0) or a circuit's roster entries.
void WriteTeamMembers(SiteFile& page, const roster::TeamRecord& team, int circuit);
// The members of a stable, linked to their pages, separated by commas.
void WriteStableMembers(SiteFile& page, const roster::StableRecord& stable);
// A tag team of a title's holding: linked to its page when the roster has the team.
void WriteHoldingTeam(SiteFile& page, const HoldingTeam& team);

// The holder of a title as its holder text writes it, with the wrestlers and teams credited
// linked to their pages; credited wrestlers the text does not name (the members of a team
// named by its name) follow it.
void WriteTitleHolders(SiteFile& page, const Holding& holding);
// The holding of a circuit's title.
const Holding* HoldingOf(const Site& site, int circuit, int title);

// A number in tenths with one decimal ("47.5"), or a dash for none.
void WriteTenths(SiteFile& page, std::optional<std::int64_t> tenths);
// The cells of a record: matches, wins, losses, draws and the win percentage.
void WriteRecordCells(SiteFile& page, const Record& record);
// A run of results in words: "3 wins", "1 loss", or a dash for none.
void WriteRun(SiteFile& page, Result result, int length);

// A name for pages: the text, or fallback when it is null or empty.
Text NameOr(Text name, Text fallback);
// The name of a circuit: its first "card.lgs" line.
Text CircuitName(int circuit);
// The name of a show: its "card.ovv" line.
Text ShowName(const model::ShowRecord& show);
// The name of a wrestler of the roster.
Text WrestlerName(int wrestler);

}  // namespace kzo::exporter
