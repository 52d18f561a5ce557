// The pages of the circuits and their shows.
#include <algorithm>
#include <cstdio>

#include "circuits/load_circuit.h"
#include "export/html/html_pages.h"
#include "export/model_fields.h"
#include "export/slots.h"
#include "roster/database.h"
#include "store/datetime.h"
#include "store/runtime.h"

namespace kzo::exporter {
namespace {

void WriteDate(SiteFile& page, std::int64_t date_time) {
  store::CalendarTime time = store::CalendarFromDateTime(date_time);
  char date[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", time.year, time.month, time.day);
  page << Plain{date};
}

// The circuit's settings: every field of the circuit that the site labels, in declared order.
void WriteCircuitSettings(SiteFile& page, const model::CircuitRecord& c) {
  page << "<h2>Settings</h2>\n<table class=\"fields\">\n";
  for (const Field& field : kCircuitType.fields) {
    if (field.label.empty()) continue;
    page << "<tr><th>" << Plain{field.label} << "</th><td>";
    Value value = field.Read(&c);
    if (field.type == Type::kDateTime) {
      if (value.number != 0) WriteDate(page, value.number);
    } else if (field.type == Type::kFlag && (value.number == 0 || value.number == 1)) {
      page << (value.number ? Markup("yes") : Markup("no"));
    } else if (value.kind == Value::Kind::kText) {
      page << Legacy{value.text};
    } else if (value.kind == Value::Kind::kInt) {
      page << value.number;
    }
    page << "</td></tr>\n";
  }
  page << "</table>\n";
}

// Why a circuit has no shows, in a sentence, or nothing when it has some.
void WriteWhyNoShows(SiteFile& page, const model::CircuitRecord& c) {
  if (c.folder == nullptr) {
    page << "<p>The circuit list names no folder for this circuit, so nothing of it was "
            "loaded.</p>\n";
    return;
  }
  page << "<p>Its folder <code>" << Legacy{c.folder} << "</code> ";
  switch (circuits::PlaceOf(View(c.folder))) {
    case circuits::FolderPlace::kOutside:
      page << "leads outside the installation, so the circuit was not loaded.</p>\n";
      return;
    case circuits::FolderPlace::kLegacyFolder:
      page << "is the installation's own folder, so the circuit was not loaded.</p>\n";
      return;
    case circuits::FolderPlace::kBelow:
      break;
  }
  std::string path =
      std::string(View(roster::Database().legacy_folder)) + "\\" + std::string(View(c.folder));
  if (!store::Platform().LongPath(path)) {
    page << "is missing from the installation, so the circuit has no shows.</p>\n";
  } else {
    page << "holds no shows.</p>\n";
  }
}

void WriteChampions(SiteFile& page, const Site& site, int circuit, const model::CircuitRecord& c) {
  page << "<h2>Champions</h2>\n";
  int titles = StoredSlots(c.titles, c.title_count, model::kMaxTitles);
  if (titles == 0) {
    page << "<p>No titles.</p>\n";
    return;
  }
  BeginTable(page, "champions", {"Title", "Holder"});
  for (int t = 1; t <= titles; ++t) {
    page << "<tr><td>" << Legacy{c.titles[t].title_name} << "</td><td>";
    if (const Holding* holding = HoldingOf(site, circuit, t)) WriteTitleHolders(page, *holding);
    page << "</td></tr>\n";
  }
  EndTable(page);
}

// Every show with its segments, matches and average rating, and the ratings as a chart.
void WriteShowList(SiteFile& page, const Site& site, int circuit, const model::CircuitRecord& c) {
  const std::vector<ShowRating>& ratings =
      site.index.show_ratings[static_cast<std::size_t>(circuit)];
  if (std::any_of(ratings.begin(), ratings.end(), [](const ShowRating& r) { return r.rated; })) {
    WriteRatingsChart(page, ratings, "shows");
  }
  BeginTable(page, "shows", {"#", "Show", "Segments", "Matches", "Average rating"});
  for (int s = 1; s <= ShowSlots(c); ++s) {
    const model::ShowRecord* show = c.shows[s];
    if (show == nullptr) continue;
    int segments = StoredSlots(show->matches, show->match_count, model::kMaxMatches);
    int matches = 0;
    for (int m = 1; m <= segments; ++m) matches += IsMatch(show->matches[m]);
    page << "<tr><td>" << s << "</td><td>";
    Link(page, ShowPage(circuit, s), Legacy{ShowName(*show)});
    page << "</td><td>" << segments << "</td><td>" << matches << "</td><td>";
    WriteTenths(page, ratings[static_cast<std::size_t>(s)].Average());
    page << "</td></tr>\n";
  }
  EndTable(page);
}

// A hire state in words: hired for a term of months, hired without a term, or not hired.
void WriteHireState(SiteFile& page, const model::RosterEntry& entry) {
  if (model::IsTermHireState(entry.hire_status)) {
    page << "hired for " << entry.hire_status << " months";
  } else if (model::IsHiringState(entry.hire_status, model::kHiredStatesEnd)) {
    page << "hired without a term";
  } else {
    page << "not hired";
  }
}

void WriteHireTerms(SiteFile& page, const model::RosterEntry& entry) {
  if (entry.hire_terms == nullptr) return;
  for (int t = 1; t <= StoredSlots(entry.hire_term_count, model::kMaxHireTerms); ++t) {
    const model::HireTerm* term = entry.hire_terms[t];
    if (term == nullptr) continue;
    if (t > 1) page << "<br>";
    WriteDate(page, term->start);
    page << " to ";
    WriteDate(page, term->end);
    page << " (" << term->days << " days)";
  }
}

// The circuit's roster entries that it knows by name, has hired or that have matches in it,
// with their records in the circuit.
void WriteCircuitRoster(SiteFile& page, const Site& site, int circuit,
                        const model::CircuitRecord& c) {
  page << "<h2>Roster</h2>\n";
  bool any = false;
  for (int w = 1; w <= PerWrestlerSlots(c.roster); ++w) {
    const model::RosterEntry& entry = SlotOf(c.roster, w);
    const CircuitCareer* career =
        CareerIn(site.index.careers[static_cast<std::size_t>(w)], circuit);
    const Record* record = career ? &career->record : nullptr;
    if (View(entry.name).empty() && entry.hire_status == 0 && entry.hired == 0 && !record) {
      continue;
    }
    if (!any) {
      BeginTable(page, "roster",
                 {"Wrestler", "Matches", "Wins", "Losses", "Draws", "Win %", "Push", "Hire state",
                  "Hire terms", "Injury", "Nickname"});
    }
    any = true;
    page << "<tr><td>";
    WriteNamedWrestler(page, NameOr(entry.name, WrestlerName(w)), w);
    page << "</td>";
    WriteRecordCells(page, record ? *record : Record{});
    page << "<td>" << entry.push << "</td><td>";
    WriteHireState(page, entry);
    page << "</td><td>";
    WriteHireTerms(page, entry);
    page << "</td><td>" << entry.injury << "</td><td>" << Legacy{entry.nickname} << "</td></tr>\n";
  }
  if (any) {
    EndTable(page);
  } else {
    page << "<p>No wrestlers on its roster.</p>\n";
  }
}

void WriteCircuitTeamsAndStables(SiteFile& page, int circuit, const model::CircuitRecord& c) {
  page << "<h2>Teams and stables</h2>\n<ul>";
  int teams = StoredSlots(c.teams, c.team_count, model::kMaxCircuitTeams);
  int stables = StoredSlots(c.stables, c.stable_count, model::kMaxCircuitStables);
  for (int t = 1; t <= teams; ++t) {
    const roster::TeamRecord& team = c.teams[t];
    page << "<li>Team " << Legacy{team.tname} << ": ";
    WriteTeamMembers(page, team, circuit);
    page << "</li>";
  }
  for (int s = 1; s <= stables; ++s) {
    page << "<li>Stable " << Legacy{c.stables[s].sname} << ": ";
    WriteStableMembers(page, c.stables[s]);
    page << "</li>";
  }
  if (teams + stables == 0) page << "<li>None of its own.</li>";
  page << "</ul>\n";
}

// A text list of a segment, slots 1..count, one line each, in a block of preformatted
// text.
void WriteLines(SiteFile& page, Markup block_class, const Text* lines, std::int32_t count,
                int capacity) {
  int slots = StoredSlots(lines, count, capacity);
  if (slots == 0) return;
  page << "<pre class=\"" << block_class << "\">";
  for (int i = 1; i <= slots; ++i) page << Legacy{lines[i]} << "\n";
  page << "</pre>\n";
}

void WriteBreakdown(SiteFile& page, const model::MatchRecord& match) {
  int items = StoredSlots(match.breakdown, match.breakdown_count, model::kMaxBreakdownItems);
  if (items == 0) return;
  BeginTable(page, "", {"Participant", "Result"});
  for (int b = 1; b <= items; ++b) {
    const model::BreakdownItem& item = match.breakdown[b];
    page << "<tr><td>";
    WriteNamedWrestler(page, item.name, item.wrestler);
    page << "</td>";
    switch (item.value) {
      case 1:
        page << "<td class=\"win\">won</td>";
        break;
      case -1:
        page << "<td class=\"loss\">lost</td>";
        break;
      case 2:
      case -2:
        page << "<td class=\"draw\">drew</td>";
        break;
      default:
        page << "<td></td>";
    }
    page << "</tr>\n";
  }
  EndTable(page);
}

void WriteSegment(SiteFile& page, int number, const model::MatchRecord& match) {
  page << "<section class=\"segment\" id=\"segment-" << number << "\">\n<h2>" << number << ". "
       << Legacy{NameOr(match.match_type, "Segment")} << "</h2>\n";
  WriteLines(page, "card", match.text_lines, match.text_line_count, model::kMaxTextLines);
  WriteLines(page, "notes", match.bracket_notes, match.bracket_note_count, model::kMaxBracketNotes);
  WriteLines(page, "notes", match.paren_notes, match.paren_note_count, model::kMaxParenNotes);
  if (!View(match.rating_text).empty()) {
    page << "<p class=\"rating\">Rating: " << Legacy{TrimBlanks(View(match.rating_text))}
         << "</p>\n";
  }
  WriteBreakdown(page, match);
  if (match.fa_lines != nullptr) {
    int lines = StoredSlots(match.fa_lines->lines, match.fa_lines->line_count, model::kMaxFaLines);
    if (lines > 0) {
      page << "<details class=\"play-by-play\"><summary>Play-by-play, " << lines
           << (lines == 1 ? Markup(" line") : Markup(" lines")) << "</summary>\n";
      WriteLines(page, "play-by-play", match.fa_lines->lines, match.fa_lines->line_count,
                 model::kMaxFaLines);
      page << "</details>\n";
    }
  }
  page << "</section>\n";
}

// The show of the slot before or after show (step -1 or 1) that holds one, or 0.
int NeighbourShow(const model::CircuitRecord& c, int show, int step) {
  for (int s = show + step; s >= 1 && s <= ShowSlots(c); s += step) {
    if (c.shows[s] != nullptr) return s;
  }
  return 0;
}

void WriteShowPager(SiteFile& page, int circuit, int show) {
  const model::CircuitRecord& c = CircuitOf(circuit);
  int previous = NeighbourShow(c, show, -1), next = NeighbourShow(c, show, 1);
  page << "<nav class=\"pager\" aria-label=\"Shows of the circuit\"><span>";
  if (previous != 0) {
    page << "&larr; Previous: ";
    WriteShowLink(page, circuit, previous);
  }
  page << "</span><span>All shows of ";
  Link(page, CircuitPage(circuit) + "#shows", Legacy{CircuitName(circuit)});
  page << "</span><span>";
  if (next != 0) {
    page << "Next: ";
    WriteShowLink(page, circuit, next);
    page << " &rarr;";
  }
  page << "</span></nav>\n";
}

}  // namespace

void WriteCircuitPage(SiteFile& page, const Site& site, int circuit) {
  const model::CircuitRecord& c = CircuitOf(circuit);
  BeginPage(page, "Circuit", CircuitName(circuit));
  int shows = 0, segments = 0, matches = 0;
  for (int s = 1; s <= ShowSlots(c); ++s) {
    if (c.shows[s] == nullptr) continue;
    ++shows;
    int slots = StoredSlots(c.shows[s]->matches, c.shows[s]->match_count, model::kMaxMatches);
    segments += slots;
    for (int m = 1; m <= slots; ++m) matches += IsMatch(c.shows[s]->matches[m]);
  }
  page << "<p>Circuit " << circuit << " of " << CircuitCount() << ": " << shows << " shows, "
       << segments << " segments, " << matches << " matches. See its ";
  Link(page, std::string(kLeadersPage) + "#circuit-" + std::to_string(circuit), Legacy{"leaders"});
  page << ".</p>\n<h2>Shows</h2>\n";
  if (shows == 0) {
    WriteWhyNoShows(page, c);
  } else {
    WriteShowList(page, site, circuit, c);
  }
  WriteChampions(page, site, circuit, c);
  WriteCircuitRoster(page, site, circuit, c);
  WriteCircuitTeamsAndStables(page, circuit, c);
  WriteCircuitSettings(page, c);
  EndPage(page);
}

void WriteShowPage(SiteFile& page, const Site&, int circuit, int show) {
  const model::ShowRecord& record = *CircuitOf(circuit).shows[show];
  BeginPage(page, "Show", ShowName(record), Heading::kOwn);
  page << "<h1>" << Legacy{CircuitName(circuit)} << ", show " << show << ": "
       << Legacy{ShowName(record)} << "</h1>\n";
  WriteShowPager(page, circuit, show);
  if (!View(record.ca_text).empty()) {
    page << "<pre class=\"notes\">" << Legacy{record.ca_text} << "</pre>\n";
  }
  for (int m = 1; m <= StoredSlots(record.matches, record.match_count, model::kMaxMatches); ++m) {
    WriteSegment(page, m, record.matches[m]);
  }
  EndPage(page);
}

}  // namespace kzo::exporter
