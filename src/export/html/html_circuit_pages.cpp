// The pages of the circuits and their shows.
#include <algorithm>
#include <cstdio>

#include "export/html/html_pages.h"
#include "export/model_fields.h"
#include "export/slots.h"
#include "roster/database.h"
#include "store/datetime.h"

namespace kzo::exporter {
namespace {

// How many wrestlers the leading records of a circuit show.
constexpr std::size_t kLeaders = 10;

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
      WriteDate(page, value.number);
    } else if (value.kind == Value::Kind::kText) {
      page << Legacy{value.text};
    } else if (value.kind == Value::Kind::kInt) {
      page << value.number;
    }
    page << "</td></tr>\n";
  }
  page << "</table>\n";
}

void WriteTitles(SiteFile& page, int circuit, const model::CircuitRecord& c) {
  page << "<h2>Titles</h2>\n<table>\n<tr><th>Title</th><th>Holder</th></tr>\n";
  for (int t = 1; t <= StoredSlots(c.titles, c.title_count, model::kMaxTitles); ++t) {
    const model::TitleRecord& title = c.titles[t];
    page << "<tr><td>" << Legacy{title.title_name} << "</td><td>";
    WriteTitleHolders(page, circuit, title);
    page << "</td></tr>\n";
  }
  page << "</table>\n";
}

// The wrestlers with the most wins in the circuit (fewer losses first among equals), as a
// chart and a table.
void WriteLeadingRecords(SiteFile& page, const SiteIndex& index, int circuit) {
  std::vector<std::pair<int, ResultCounts>> records;
  for (std::size_t w = 1; w < index.appearances.size(); ++w) {
    ResultCounts counts = CountResults(index.appearances[w], circuit);
    if (counts.matches > 0) records.emplace_back(static_cast<int>(w), counts);
  }
  auto leading = [](const auto& a, const auto& b) {
    if (a.second.wins != b.second.wins) return a.second.wins > b.second.wins;
    if (a.second.losses != b.second.losses) return a.second.losses < b.second.losses;
    return a.first < b.first;
  };
  std::size_t shown = std::min(records.size(), kLeaders);
  std::partial_sort(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(shown),
                    records.end(), leading);
  records.resize(shown);
  page << "<h2>Leading records</h2>\n";
  if (records.empty()) {
    page << "<p>No matches.</p>\n";
    return;
  }
  std::vector<ResultBar> bars;
  const auto& wrestlers = roster::Database().wrestlers;
  for (const auto& [w, counts] : records) {
    bars.push_back({NameOr(wrestlers[static_cast<std::size_t>(w)].wname, kNoName), counts});
  }
  WriteResultChart(page, "Wins, losses and draws of the leading wrestlers", bars);
  page << "<table>\n<tr><th>Wrestler</th><th>Matches</th><th>Wins</th><th>Losses</th>"
       << "<th>Draws</th></tr>\n";
  for (const auto& [w, counts] : records) {
    page << "<tr><td>";
    WriteNamedWrestler(page, wrestlers[static_cast<std::size_t>(w)].wname, w);
    page << "</td><td>" << counts.matches << "</td><td>" << counts.wins << "</td><td>"
         << counts.losses << "</td><td>" << counts.draws << "</td></tr>\n";
  }
  page << "</table>\n";
}

// A hire state in words: hired for a term of months, hired without a term, or not hired.
void WriteHireState(SiteFile& page, const model::RosterEntry& entry) {
  if (model::IsTermHireState(entry.hire_status)) {
    page << "hired for " << entry.hire_status << " months";
  } else if (model::IsHiringState(entry.hire_status, model::kHiredStatesEnd)) {
    page << "hired without a term (" << entry.hire_status << ")";
  } else {
    page << "not hired (" << entry.hire_status << ")";
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

// The circuit's roster entries that it knows by name or has hired.
void WriteCircuitRoster(SiteFile& page, const model::CircuitRecord& c) {
  page << "<h2>Roster</h2>\n<table>\n<tr><th>Wrestler</th><th>Push</th><th>Hire state</th>"
       << "<th>Hire terms</th><th>Injury</th><th>Nickname</th></tr>\n";
  for (int w = 1; w <= PerWrestlerSlots(c.roster); ++w) {
    const model::RosterEntry& entry = SlotOf(c.roster, w);
    if (View(entry.name).empty() && entry.hire_status == 0 && entry.hired == 0) continue;
    page << "<tr><td>";
    WriteNamedWrestler(page, entry.name, w);
    page << "</td><td>" << entry.push << "</td><td>";
    WriteHireState(page, entry);
    page << "</td><td>";
    WriteHireTerms(page, entry);
    page << "</td><td>" << entry.injury << "</td><td>" << Legacy{entry.nickname} << "</td></tr>\n";
  }
  page << "</table>\n";
}

void WriteCircuitTeamsAndStables(SiteFile& page, int circuit, const model::CircuitRecord& c) {
  page << "<h2>Teams and stables</h2>\n<ul>";
  for (int t = 1; t <= StoredSlots(c.teams, c.team_count, model::kMaxCircuitTeams); ++t) {
    const roster::TeamRecord& team = c.teams[t];
    page << "<li>Team " << Legacy{team.tname} << ": ";
    WriteTeamMembers(page, team, circuit);
    page << "</li>";
  }
  for (int s = 1; s <= StoredSlots(c.stables, c.stable_count, model::kMaxCircuitStables); ++s) {
    page << "<li>Stable " << Legacy{c.stables[s].sname} << ": ";
    WriteStableMembers(page, c.stables[s]);
    page << "</li>";
  }
  page << "</ul>\n";
}

void WriteShowList(SiteFile& page, int circuit, const model::CircuitRecord& c) {
  page << "<h2>Shows</h2>\n<table>\n<tr><th>Show</th><th>Segments</th></tr>\n";
  for (int s = 1; s <= StoredSlots(c.shows, c.show_count, model::kMaxShows); ++s) {
    const model::ShowRecord* show = c.shows[s];
    if (show == nullptr) continue;
    page << "<tr><td>";
    Link(page, ShowPage(circuit, s), Legacy{ShowName(*show)});
    page << "</td><td>" << StoredSlots(show->matches, show->match_count, model::kMaxMatches)
         << "</td></tr>\n";
  }
  page << "</table>\n";
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
  page << "<table class=\"breakdown\">\n<tr><th>Participant</th><th>Outcome</th></tr>\n";
  for (int b = 1; b <= items; ++b) {
    const model::BreakdownItem& item = match.breakdown[b];
    page << "<tr><td>";
    WriteNamedWrestler(page, item.name, item.wrestler);
    page << "</td><td class=\"" << Plain{OutcomeWord(item.value)} << "\">"
         << Plain{OutcomeWord(item.value)} << "</td></tr>\n";
  }
  page << "</table>\n";
}

void WriteSegment(SiteFile& page, int number, const model::MatchRecord& match) {
  page << "<section class=\"segment\" id=\"segment-" << number << "\">\n<h2>" << number << ". "
       << Legacy{NameOr(match.match_type, "Segment")} << "</h2>\n";
  WriteLines(page, "card", match.text_lines, match.text_line_count, model::kMaxTextLines);
  WriteLines(page, "notes", match.bracket_notes, match.bracket_note_count, model::kMaxBracketNotes);
  WriteLines(page, "notes", match.paren_notes, match.paren_note_count, model::kMaxParenNotes);
  if (!View(match.rating_text).empty()) {
    page << "<p class=\"rating\">Rating:" << Legacy{match.rating_text} << "</p>\n";
  }
  WriteBreakdown(page, match);
  page << "</section>\n";
}

}  // namespace

void WriteCircuitPage(SiteFile& page, const Site& site, int circuit) {
  const model::CircuitRecord& c = CircuitOf(circuit);
  BeginPage(page, "Circuit", CircuitName(circuit));
  WriteTitles(page, circuit, c);
  WriteLeadingRecords(page, site.index, circuit);
  WriteShowList(page, circuit, c);
  WriteCircuitRoster(page, c);
  WriteCircuitTeamsAndStables(page, circuit, c);
  WriteCircuitSettings(page, c);
  EndPage(page);
}

void WriteShowPage(SiteFile& page, int circuit, int show) {
  const model::ShowRecord& record = *CircuitOf(circuit).shows[show];
  BeginPage(page, "Show", ShowName(record));
  page << "<p>Show " << show << " of ";
  Link(page, CircuitPage(circuit), Legacy{CircuitName(circuit)});
  page << "</p>\n";
  if (!View(record.ca_text).empty()) {
    page << "<pre class=\"notes\">" << Legacy{record.ca_text} << "</pre>\n";
  }
  for (int m = 1; m <= StoredSlots(record.matches, record.match_count, model::kMaxMatches); ++m) {
    WriteSegment(page, m, record.matches[m]);
  }
  EndPage(page);
}

}  // namespace kzo::exporter
