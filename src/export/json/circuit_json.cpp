#include "export/json/circuit_json.h"

#include "export/json/roster_json.h"
#include "export/slots.h"
#include "model/circuit.h"

namespace kzo::exporter {
namespace {

using model::CircuitRecord;
using model::MatchRecord;

// Show slot s: null where the circuit holds no show record (its overview file was not read).
const model::ShowRecord* ShowAt(const CircuitRecord& c, int s) {
  return s <= StoredSlots(c.shows, c.show_count, model::kMaxShows) ? c.shows[s] : nullptr;
}

void WriteTitle(JsonWriter& json, const model::TitleRecord& title) {
  json.BeginObject();
  json.TextValue("holder", title.holder);
  json.TextValue("title_name", title.title_name);
  json.TextValue("title_short", title.title_short);
  json.Int("title_number", title.title_number);
  json.Int("holder_count", title.holder_count);
  json.TextList("holder_names", title.holder_names.data(), 1,
                StoredSlots(title.holder_count, model::kMaxHolderNames));
  json.EndObject();
}

void WriteBreakdown(JsonWriter& json, const MatchRecord& match) {
  json.Key("breakdown");
  json.BeginArray();
  for (int i = 1;
       i <= StoredSlots(match.breakdown, match.breakdown_count, model::kMaxBreakdownItems); ++i) {
    json.BeginObject();
    json.TextValue("name", match.breakdown[i].name);
    json.Int("wrestler", match.breakdown[i].wrestler);
    json.Int("value", match.breakdown[i].value);
    json.EndObject();
  }
  json.EndArray();
}

void WriteFaLines(JsonWriter& json, const model::FaLines* fa) {
  json.Key("fa_lines");
  if (fa == nullptr) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Int("line_count", fa->line_count);
  json.TextList("lines", fa->lines, 1, StoredSlots(fa->lines, fa->line_count, model::kMaxFaLines));
  json.EndObject();
}

void WriteMatch(JsonWriter& json, const MatchRecord& match, int show_slot) {
  json.BeginObject();
  json.TextValue("match_type", match.match_type);
  json.Int("has_fa_block", match.has_fa_block);
  json.TextList("text_lines", match.text_lines, 1,
                StoredSlots(match.text_lines, match.text_line_count, model::kMaxTextLines));
  json.Int("text_line_count", match.text_line_count);
  json.TextList("text_lines2", match.text_lines2, 1,
                StoredSlots(match.text_lines2, match.text_line2_count, model::kMaxTextLines));
  json.Int("text_line2_count", match.text_line2_count);
  json.TextValue("rating_text", match.rating_text);
  json.TextList(
      "bracket_notes", match.bracket_notes, 1,
      StoredSlots(match.bracket_notes, match.bracket_note_count, model::kMaxBracketNotes));
  json.Int("bracket_note_count", match.bracket_note_count);
  json.TextList("paren_notes", match.paren_notes, 1,
                StoredSlots(match.paren_notes, match.paren_note_count, model::kMaxParenNotes));
  json.Int("paren_note_count", match.paren_note_count);
  WriteFaLines(json, match.fa_lines);
  json.Int("breakdown_count", match.breakdown_count);
  WriteBreakdown(json, match);
  json.Int("show", show_slot);
  json.EndObject();
}

void WriteShow(JsonWriter& json, const model::ShowRecord* show, int slot) {
  if (show == nullptr) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.TextValue("overview", show->overview);
  json.Key("matches");
  json.BeginArray();
  for (int m = 1; m <= StoredSlots(show->matches, show->match_count, model::kMaxMatches); ++m) {
    WriteMatch(json, show->matches[m], slot);
  }
  json.EndArray();
  json.Int("match_count", show->match_count);
  json.TextValue("ca_text", show->ca_text);
  json.EndObject();
}

void WriteRosterEntry(JsonWriter& json, const model::RosterEntry& entry) {
  json.BeginObject();
  json.TextValue("name", entry.name);
  json.Int("push", entry.push);
  json.Int("hire_status", entry.hire_status);
  json.Key("hire_terms");
  json.BeginArray();
  int current = 0;
  for (int t = 1; t <= StoredSlots(entry.hire_term_count, model::kMaxHireTerms); ++t) {
    const model::HireTerm* term = entry.hire_terms[t];
    if (term != nullptr && term == entry.current_term) current = t;
    json.BeginObject();
    json.Int("start", term ? term->start : 0);
    json.Int("end", term ? term->end : 0);
    json.Int("days", term ? term->days : 0);
    json.EndObject();
  }
  json.EndArray();
  json.Int("hire_term_count", entry.hire_term_count);
  json.Key("current_term");
  current ? json.Int(current) : json.Null();
  json.Int("hired", entry.hired);
  json.Int("injury", entry.injury);
  json.Int("heel_value", entry.heel_value);
  json.IntList("managers", entry.managers.data(), 1, 4);
  json.Int("manager_count", entry.manager_count);
  json.TextValue("nickname", entry.nickname);
  json.EndObject();
}

void WritePointsTable(JsonWriter& json, std::string_view key, const model::PointsTable& table) {
  json.Key(key);
  json.BeginObject();
  json.Key("entries");
  json.BeginArray();
  for (int e = 1; e <= StoredSlots(table.entries, table.entry_count, model::kMaxPointsEntries);
       ++e) {
    const model::PointsEntry& entry = table.entries[e];
    json.BeginObject();
    json.TextValue("entry_name", entry.entry_name);
    json.Int("active_product", entry.active_product);
    json.IntList("values", entry.values.data(), 1, 6);
    json.IntList("participants", entry.participants.data(), 1,
                 StoredSlots(entry.participant_count, model::kMaxParticipants));
    json.Int("participant_count", entry.participant_count);
    json.Int("title_mask", entry.title_mask);
    json.Int("gender_mask", entry.gender_mask);
    json.EndObject();
  }
  json.EndArray();
  json.Int("entry_count", table.entry_count);
  json.EndObject();
}

void WritePoints(JsonWriter& json, const model::PointsSet* points) {
  json.Key("points");
  if (points == nullptr) {
    json.Null();
    return;
  }
  json.BeginObject();
  WritePointsTable(json, "pts", points->pts);
  WritePointsTable(json, "pts_t", points->pts_t);
  WritePointsTable(json, "pts_s", points->pts_s);
  WritePointsTable(json, "totals", points->totals);
  json.EndObject();
}

void WritePerWrestlerInts(JsonWriter& json, std::string_view key, const std::int32_t* list) {
  json.Key(key);
  json.BeginArray();
  for (int i = 1; i <= PerWrestlerSlots(list); ++i) json.Int(SlotOf(list, i));
  json.EndArray();
}

void WriteCircuitLists(JsonWriter& json, const CircuitRecord& c) {
  json.Key("roster");
  json.BeginArray();
  for (int i = 1; i <= PerWrestlerSlots(c.roster); ++i) WriteRosterEntry(json, SlotOf(c.roster, i));
  json.EndArray();
  WritePerWrestlerInts(json, "injuries", c.injuries);
  WritePerWrestlerInts(json, "wht_values", c.wht_values);
  WriteRecords(json, "teams", c.teams, 1,
               StoredSlots(c.teams, c.team_count, model::kMaxCircuitTeams));
  json.Int("team_count", c.team_count);
  WriteRecords(json, "stables", c.stables, 1,
               StoredSlots(c.stables, c.stable_count, model::kMaxCircuitStables));
  json.Int("stable_count", c.stable_count);
}

void WriteCircuit(JsonWriter& json, const CircuitRecord& c) {
  json.BeginObject();
  json.TextValue("lgs_line1", c.lgs_line1);
  json.TextValue("folder", c.folder);
  json.TextValue("lgs_line3", c.lgs_line3);
  json.Key("titles");
  json.BeginArray();
  for (int t = 1; t <= StoredSlots(c.titles, c.title_count, model::kMaxTitles); ++t) {
    WriteTitle(json, c.titles[t]);
  }
  json.EndArray();
  json.Int("title_count", c.title_count);
  json.Key("shows");
  json.BeginArray();
  for (int s = 1; s <= StoredSlots(c.show_count, model::kMaxShows); ++s) {
    WriteShow(json, ShowAt(c, s), s);
  }
  json.EndArray();
  json.Int("show_count", c.show_count);
  WriteCircuitLists(json, c);
  WritePoints(json, c.points);
  json.Int("card_cfg_value", c.card_cfg_value);
  json.Int("HiringDontCheckGlobalTeams", c.HiringDontCheckGlobalTeams);
  json.Int("AddPointsForWin", c.AddPointsForWin);
  json.Int("DeductPointsForLoss", c.DeductPointsForLoss);
  json.Int("TitleBonusValue", c.TitleBonusValue);
  json.Int("WinningStreakImportance", c.WinningStreakImportance);
  json.Int("IgnoreTitlesInGlobalRatings", c.IgnoreTitlesInGlobalRatings);
  json.TextValue("UniverseCircuit1", c.UniverseCircuit1);
  json.TextValue("UniverseCircuit2", c.UniverseCircuit2);
  json.Int("hiring_listed", c.hiring_listed);
  json.Int("today", c.today);
  json.EndObject();
}

}  // namespace

void WriteCircuits(JsonWriter& json) {
  const model::CircuitTable& table = model::Circuits();
  json.Key("circuits");
  json.BeginArray();
  for (int c = 1; c <= StoredSlots(table.count, model::kMaxCircuits); ++c) {
    WriteCircuit(json, table.records[static_cast<std::size_t>(c)]);
  }
  json.EndArray();
}

}  // namespace kzo::exporter
