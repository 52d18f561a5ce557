#include "export/sqlite/sqlite_circuits.h"

#include <string>
#include <vector>

#include "export/slots.h"
#include "export/sqlite/sqlite_roster.h"
#include "model/circuit.h"
#include "roster/crowd.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"

namespace kzo::exporter {
namespace {

using model::CircuitRecord;
using model::MatchRecord;

// The key columns of a match's child tables, and the match they refer to.
#define MATCH_KEY "circuit INTEGER NOT NULL, show INTEGER NOT NULL, match INTEGER NOT NULL"
#define MATCH_REFERENCE \
  ", FOREIGN KEY (circuit, show, match) REFERENCES matches (circuit, show, slot))"

constexpr const char* kTables[] = {
    "CREATE TABLE settings (legacy_folder TEXT, UsePersons INTEGER, CCBackground INTEGER, "
    "GlobalHiring INTEGER, GlobalHiringLimitTo TEXT)",
    "CREATE TABLE crowd_reactions (entry INTEGER PRIMARY KEY, crowd_kind INTEGER, "
    "reaction INTEGER, wrestler_name TEXT, text TEXT, spare INTEGER)",
    "CREATE TABLE circuits (circuit INTEGER PRIMARY KEY, lgs_line1 TEXT, folder TEXT, "
    "lgs_line3 TEXT, title_count INTEGER, show_count INTEGER, team_count INTEGER, "
    "stable_count INTEGER, card_cfg_value INTEGER, HiringDontCheckGlobalTeams INTEGER, "
    "AddPointsForWin INTEGER, DeductPointsForLoss INTEGER, TitleBonusValue INTEGER, "
    "WinningStreakImportance INTEGER, IgnoreTitlesInGlobalRatings INTEGER, "
    "UniverseCircuit1 TEXT, UniverseCircuit2 TEXT, hiring_listed INTEGER, today INTEGER)",
    "CREATE TABLE titles (circuit INTEGER NOT NULL REFERENCES circuits (circuit), "
    "title INTEGER NOT NULL, holder TEXT, title_name TEXT, title_short TEXT, "
    "title_number INTEGER, holder_count INTEGER, PRIMARY KEY (circuit, title))",
    "CREATE TABLE title_holders (circuit INTEGER NOT NULL, title INTEGER NOT NULL, "
    "slot INTEGER NOT NULL, name TEXT, PRIMARY KEY (circuit, title, slot), "
    "FOREIGN KEY (circuit, title) REFERENCES titles (circuit, title))",
    "CREATE TABLE shows (circuit INTEGER NOT NULL REFERENCES circuits (circuit), "
    "show INTEGER NOT NULL, overview TEXT, match_count INTEGER, ca_text TEXT, "
    "PRIMARY KEY (circuit, show))",
    "CREATE TABLE matches (circuit INTEGER NOT NULL, show INTEGER NOT NULL, "
    "slot INTEGER NOT NULL, match_type TEXT, has_fa_block INTEGER, result TEXT, rating TEXT, "
    "text_line_count INTEGER, text_line2_count INTEGER, bracket_note_count INTEGER, "
    "paren_note_count INTEGER, fa_line_count INTEGER, breakdown_count INTEGER, "
    "PRIMARY KEY (circuit, show, slot), "
    "FOREIGN KEY (circuit, show) REFERENCES shows (circuit, show))",
    "CREATE TABLE match_text_lines (" MATCH_KEY
    ", list TEXT NOT NULL, slot INTEGER NOT NULL, line TEXT, "
    "PRIMARY KEY (circuit, show, match, list, slot)" MATCH_REFERENCE,
    "CREATE TABLE match_notes (" MATCH_KEY
    ", kind TEXT NOT NULL, slot INTEGER NOT NULL, note TEXT, "
    "PRIMARY KEY (circuit, show, match, kind, slot)" MATCH_REFERENCE,
    "CREATE TABLE fa_lines (" MATCH_KEY
    ", slot INTEGER NOT NULL, line TEXT, PRIMARY KEY (circuit, show, match, slot)" MATCH_REFERENCE,
    "CREATE TABLE breakdown (" MATCH_KEY
    ", slot INTEGER NOT NULL, name TEXT, wrestler INTEGER REFERENCES wrestlers (wnr), "
    "value INTEGER, PRIMARY KEY (circuit, show, match, slot)" MATCH_REFERENCE,
    "CREATE TABLE circuit_roster (circuit INTEGER NOT NULL REFERENCES circuits (circuit), "
    "wrestler INTEGER NOT NULL REFERENCES wrestlers (wnr), name TEXT, push INTEGER, "
    "hire_status INTEGER, hire_term_count INTEGER, current_term INTEGER, hired INTEGER, "
    "injury INTEGER, heel_value INTEGER, manager_count INTEGER, nickname TEXT, "
    "wht_value INTEGER, PRIMARY KEY (circuit, wrestler), FOREIGN KEY (circuit, wrestler, "
    "current_term) REFERENCES hire_terms (circuit, wrestler, term))",
    "CREATE TABLE circuit_roster_managers (circuit INTEGER NOT NULL, "
    "wrestler INTEGER NOT NULL, slot INTEGER NOT NULL, "
    "manager INTEGER REFERENCES managers (number), PRIMARY KEY (circuit, wrestler, slot), "
    "FOREIGN KEY (circuit, wrestler) REFERENCES circuit_roster (circuit, wrestler))",
    "CREATE TABLE hire_terms (circuit INTEGER NOT NULL, wrestler INTEGER NOT NULL, "
    "term INTEGER NOT NULL, start INTEGER, \"end\" INTEGER, days INTEGER, "
    "PRIMARY KEY (circuit, wrestler, term), "
    "FOREIGN KEY (circuit, wrestler) REFERENCES circuit_roster (circuit, wrestler))",
    "CREATE TABLE points_entries (circuit INTEGER NOT NULL REFERENCES circuits (circuit), "
    "points_table TEXT NOT NULL, entry INTEGER NOT NULL, entry_name TEXT, "
    "active_product INTEGER, value1 INTEGER, value2 INTEGER, value3 INTEGER, value4 INTEGER, "
    "value5 INTEGER, value6 INTEGER, participant_count INTEGER, title_mask INTEGER, "
    "gender_mask INTEGER, PRIMARY KEY (circuit, points_table, entry))",
    "CREATE TABLE points_participants (circuit INTEGER NOT NULL, points_table TEXT NOT NULL, "
    "entry INTEGER NOT NULL, slot INTEGER NOT NULL, "
    "wrestler INTEGER REFERENCES wrestlers (wnr), PRIMARY KEY (circuit, points_table, entry, "
    "slot), FOREIGN KEY (circuit, points_table, entry) "
    "REFERENCES points_entries (circuit, points_table, entry))",
};

#undef MATCH_KEY
#undef MATCH_REFERENCE

// Every wrestler taking part in a match (the kinds "Comments" and "Interview", which the
// match report skips, are no matches), with the match's result and the wrestler's side:
// side 1 won (value 1) or drew (2), side 2 lost (-1) or drew (-2).
constexpr const char* kViews[] = {
    "CREATE VIEW wrestler_matches AS SELECT DISTINCT b.wrestler AS wnr, w.wname, b.circuit, "
    "c.lgs_line1 AS circuit_name, b.show, s.overview AS show_overview, b.match, m.match_type, "
    "m.result, b.value, CASE WHEN b.value > 0 THEN 1 WHEN b.value < 0 THEN 2 END AS side, "
    "CASE b.value WHEN 1 THEN 'win' WHEN -1 THEN 'loss' WHEN 2 THEN 'draw' "
    "WHEN -2 THEN 'draw' END AS outcome "
    "FROM breakdown b JOIN wrestlers w ON w.wnr = b.wrestler "
    "JOIN matches m ON m.circuit = b.circuit AND m.show = b.show AND m.slot = b.match "
    "JOIN shows s ON s.circuit = b.circuit AND s.show = b.show "
    "JOIN circuits c ON c.circuit = b.circuit "
    "WHERE m.match_type IS NULL OR m.match_type NOT IN ('Comments', 'Interview')",
    "CREATE VIEW wrestler_records AS SELECT circuit, circuit_name, wnr, wname, "
    "count(DISTINCT show || '.' || match) AS matches, sum(value = 1) AS wins, sum(value = -1) AS "
    "losses, "
    "sum(value IN (2, -2)) AS draws FROM wrestler_matches GROUP BY circuit, wnr",
    // A title without holders (vacant) has one row with NULL holder columns; a holder's
    // wrestler is the first roster entry of the circuit with that name.
    "CREATE VIEW title_holders_view AS SELECT t.circuit, c.lgs_line1 AS circuit_name, t.title, "
    "t.title_name, t.holder, h.slot AS holder_slot, h.name AS holder_name, "
    "(SELECT min(r.wrestler) FROM circuit_roster r WHERE r.circuit = t.circuit "
    "AND r.name = h.name) AS wrestler "
    "FROM titles t JOIN circuits c ON c.circuit = t.circuit "
    "LEFT JOIN title_holders h ON h.circuit = t.circuit AND h.title = t.title",
};

SqlValue Wrestler(std::int64_t number) {
  return Reference(roster::kKindWrestlers, number);
}

void WriteSettings(SqliteDb& db) {
  const roster::RosterDatabase& d = roster::Database();
  db.Insert("settings",
            {Str(d.legacy_folder), Int(d.settings.UsePersons), Int(d.settings.CCBackground),
             Int(d.settings.GlobalHiring), Str(d.settings.GlobalHiringLimitTo)});
}

void WriteCrowdReactions(SqliteDb& db) {
  const roster::CrowdTable& table = roster::CrowdReactions();
  for (int i = 1; i <= StoredSlots(table.count, roster::kMaxCrowdReactions); ++i) {
    const roster::CrowdReaction& r = table.entries[static_cast<std::size_t>(i)];
    db.Insert("crowd_reactions", {Int(i), Int(r.crowd_kind), Int(r.reaction), Str(r.wrestler_name),
                                  Str(r.text), Int(r.spare)});
  }
}

void WriteTitles(SqliteDb& db, int circuit, const CircuitRecord& c) {
  for (int t = 1; t <= StoredSlots(c.titles, c.title_count, model::kMaxTitles); ++t) {
    const model::TitleRecord& title = c.titles[t];
    db.Insert("titles", {Int(circuit), Int(t), Str(title.holder), Str(title.title_name),
                         Str(title.title_short), Int(title.title_number), Int(title.holder_count)});
    for (int h = 1; h <= StoredSlots(title.holder_count, model::kMaxHolderNames); ++h) {
      db.Insert("title_holders", {Int(circuit), Int(t), Int(h),
                                  Str(title.holder_names[static_cast<std::size_t>(h)])});
    }
  }
}

// Rows of a text list of a match into a table of (match key, [name,] slot, text).
// The row starts as the match key and is filled anew for each slot.
void WriteTextList(SqliteDb& db, const char* table, std::vector<SqlValue> row, const char* name,
                   const Text* list, std::int32_t count, int capacity) {
  if (name) row.push_back(Str(name));
  row.insert(row.end(), {Null(), Null()});  // slot, text
  for (int slot = 1; slot <= StoredSlots(list, count, capacity); ++slot) {
    row[row.size() - 2] = Int(slot);
    row.back() = Str(list[slot]);
    db.Insert(table, row);
  }
}

void WriteMatch(SqliteDb& db, const std::vector<SqlValue>& key, const MatchRecord& m) {
  std::vector<SqlValue> row = key;
  const model::FaLines* fa = m.fa_lines;
  row.insert(row.end(),
             {Str(m.match_type), Int(m.has_fa_block), Str(model::ResultText(m)), Str(m.rating_text),
              Int(m.text_line_count), Int(m.text_line2_count), Int(m.bracket_note_count),
              Int(m.paren_note_count), fa ? Int(fa->line_count) : Null(), Int(m.breakdown_count)});
  db.Insert("matches", row);
  WriteTextList(db, "match_text_lines", key, "text_lines", m.text_lines, m.text_line_count,
                model::kMaxTextLines);
  WriteTextList(db, "match_text_lines", key, "text_lines2", m.text_lines2, m.text_line2_count,
                model::kMaxTextLines);
  WriteTextList(db, "match_notes", key, "bracket", m.bracket_notes, m.bracket_note_count,
                model::kMaxBracketNotes);
  WriteTextList(db, "match_notes", key, "paren", m.paren_notes, m.paren_note_count,
                model::kMaxParenNotes);
  if (fa) {
    WriteTextList(db, "fa_lines", key, nullptr, fa->lines, fa->line_count, model::kMaxFaLines);
  }
  for (int b = 1; b <= StoredSlots(m.breakdown, m.breakdown_count, model::kMaxBreakdownItems);
       ++b) {
    const model::BreakdownItem& item = m.breakdown[b];
    row = key;
    row.insert(row.end(), {Int(b), Str(item.name), Wrestler(item.wrestler), Int(item.value)});
    db.Insert("breakdown", row);
  }
}

void WriteShows(SqliteDb& db, int circuit, const CircuitRecord& c) {
  for (int s = 1; s <= StoredSlots(c.shows, c.show_count, model::kMaxShows); ++s) {
    const model::ShowRecord* show = c.shows[s];
    if (show == nullptr) continue;
    db.Insert("shows", {Int(circuit), Int(s), Str(show->overview), Int(show->match_count),
                        Str(show->ca_text)});
    for (int m = 1; m <= StoredSlots(show->matches, show->match_count, model::kMaxMatches); ++m) {
      WriteMatch(db, {Int(circuit), Int(s), Int(m)}, show->matches[m]);
    }
  }
}

// The slot of the roster entry's current term, or NULL.
SqlValue CurrentTerm(const model::RosterEntry& entry, int terms) {
  for (int t = 1; t <= terms; ++t) {
    const model::HireTerm* term = entry.hire_terms[t];
    if (term != nullptr && term == entry.current_term) return Int(t);
  }
  return Null();
}

void WriteRosterEntry(SqliteDb& db, int circuit, int w, const model::RosterEntry& e,
                      SqlValue wht_value) {
  int terms = StoredSlots(e.hire_term_count, model::kMaxHireTerms);
  db.Insert("circuit_roster",
            {Int(circuit), Int(w), Str(e.name), Int(e.push), Int(e.hire_status),
             Int(e.hire_term_count), CurrentTerm(e, terms), Int(e.hired), Int(e.injury),
             Int(e.heel_value), Int(e.manager_count), Str(e.nickname), wht_value});
  for (int slot = 1; slot <= 4; ++slot) {
    db.Insert("circuit_roster_managers",
              {Int(circuit), Int(w), Int(slot),
               Reference(roster::kKindManagers, e.managers[static_cast<std::size_t>(slot)])});
  }
  for (int t = 1; t <= terms; ++t) {
    const model::HireTerm* term = e.hire_terms[t];
    if (term == nullptr) continue;
    db.Insert("hire_terms",
              {Int(circuit), Int(w), Int(t), Int(term->start), Int(term->end), Int(term->days)});
  }
}

// One row per wrestler number the circuit holds an entry for, with its "card.wht" value.
void WriteCircuitRoster(SqliteDb& db, int circuit, const CircuitRecord& c) {
  int whts = PerWrestlerSlots(c.wht_values);
  for (int w = 1; w <= PerWrestlerSlots(c.roster); ++w) {
    WriteRosterEntry(db, circuit, w, SlotOf(c.roster, w),
                     w <= whts ? Int(SlotOf(c.wht_values, w)) : Null());
  }
}

void WritePointsTable(SqliteDb& db, int circuit, const char* name,
                      const model::PointsTable& table) {
  for (int e = 1; e <= StoredSlots(table.entries, table.entry_count, model::kMaxPointsEntries);
       ++e) {
    const model::PointsEntry& entry = table.entries[e];
    std::vector<SqlValue> row = {Int(circuit), Str(name), Int(e), Str(entry.entry_name),
                                 Int(entry.active_product)};
    for (int v = 1; v <= 6; ++v) row.push_back(Int(entry.values[static_cast<std::size_t>(v)]));
    row.insert(row.end(),
               {Int(entry.participant_count), Int(entry.title_mask), Int(entry.gender_mask)});
    db.Insert("points_entries", row);
    for (int p = 1; p <= StoredSlots(entry.participant_count, model::kMaxParticipants); ++p) {
      db.Insert("points_participants", {Int(circuit), Str(name), Int(e), Int(p),
                                        Wrestler(entry.participants[static_cast<std::size_t>(p)])});
    }
  }
}

void WritePoints(SqliteDb& db, int circuit, const model::PointsSet* points) {
  if (points == nullptr) return;
  WritePointsTable(db, circuit, "pts", points->pts);
  WritePointsTable(db, circuit, "pts_t", points->pts_t);
  WritePointsTable(db, circuit, "pts_s", points->pts_s);
  WritePointsTable(db, circuit, "totals", points->totals);
}

void WriteCircuit(SqliteDb& db, int circuit, const CircuitRecord& c) {
  db.Insert(
      "circuits",
      {Int(circuit), Str(c.lgs_line1), Str(c.folder), Str(c.lgs_line3), Int(c.title_count),
       Int(c.show_count), Int(c.team_count), Int(c.stable_count), Int(c.card_cfg_value),
       Int(c.HiringDontCheckGlobalTeams), Int(c.AddPointsForWin), Int(c.DeductPointsForLoss),
       Int(c.TitleBonusValue), Int(c.WinningStreakImportance), Int(c.IgnoreTitlesInGlobalRatings),
       Str(c.UniverseCircuit1), Str(c.UniverseCircuit2), Int(c.hiring_listed), Int(c.today)});
  WriteTitles(db, circuit, c);
  WriteShows(db, circuit, c);
  WriteCircuitRoster(db, circuit, c);
  WritePoints(db, circuit, c.points);
  WriteCircuitRosterRows(db, circuit, c);
}

}  // namespace

void CreateCircuitTables(SqliteDb& db) {
  for (const char* sql : kTables) db.Exec(sql);
  for (const char* sql : kViews) db.Exec(sql);
}

void WriteCircuitRows(SqliteDb& db) {
  WriteSettings(db);
  WriteCrowdReactions(db);
  const model::CircuitTable& table = model::Circuits();
  for (int c = 1; c <= StoredSlots(table.count, model::kMaxCircuits); ++c) {
    WriteCircuit(db, c, table.records[static_cast<std::size_t>(c)]);
  }
}

}  // namespace kzo::exporter
