// The pages of the HTML site, one function per kind of page. Each writes a whole page
// (BeginPage to EndPage) about what the last load built.
#pragma once

#include "export/html/html_fields.h"
#include "export/html/html_site_index.h"
#include "export/html/html_writer.h"

namespace kzo::exporter {

// What the pages draw on beside the model: the index of results and memberships and the
// dictionary's fields.
struct Site {
  SiteIndex index;
  SiteFields fields;
};

// index.html (html_home_page.cpp): every circuit with its shows, matches and champions; the
// roster sizes; the search box.
void WriteHomePage(SiteFile& page);

// The index and the record pages of each roster that has pages (html_roster_pages.cpp).
void WriteWrestlerIndex(SiteFile& page);
void WriteWrestlerPage(SiteFile& page, const Site& site, int wrestler);
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
void WriteShowPage(SiteFile& page, int circuit, int show);

// One bar of a chart of results: its label and the wins, losses and draws it stands for.
struct ResultBar {
  Text label;
  ResultCounts counts;
};
// An inline SVG chart of stacked win, loss and draw bars, one row per bar, scaled to the
// longest (html_result_chart.cpp).
void WriteResultChart(SiteFile& page, std::string_view caption, const std::vector<ResultBar>& bars);

// What several kinds of page show (html_page_parts.cpp).

// The name of a record without one.
inline constexpr Text kNoName = "(no name)";

// The record of circuit number circuit.
const model::CircuitRecord& CircuitOf(int circuit);
// A link to a circuit's page, labelled with its name.
void WriteCircuitLink(SiteFile& page, int circuit);
// A wrestler named in the model: a link to the wrestler's page labelled with the name, or
// the name alone when the number names no wrestler of the roster.
void WriteNamedWrestler(SiteFile& page, Text name, std::int64_t wrestler);

// The two members of a team, linked to their pages: found by name among the roster's
// wrestlers (circuit 0) or a circuit's roster entries.
void WriteTeamMembers(SiteFile& page, const roster::TeamRecord& team, int circuit);
// The members of a stable, linked to their pages, separated by commas.
void WriteStableMembers(SiteFile& page, const roster::StableRecord& stable);

// The holders of a title of circuit number circuit, each linked to their page; the
// holder text as written when the title names no holders ("vacant").
void WriteTitleHolders(SiteFile& page, int circuit, const model::TitleRecord& title);

// A name for pages: the text, or fallback when it is null or empty.
Text NameOr(Text name, Text fallback);
// The name of a circuit: its first "card.lgs" line.
Text CircuitName(int circuit);
// The name of a show: its "card.ovv" line.
Text ShowName(const model::ShowRecord& show);

}  // namespace kzo::exporter
