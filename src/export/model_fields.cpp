#include "export/model_fields.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "export/slots.h"
#include "model/circuit.h"
#include "roster/crowd.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"
#include "store/stamp.h"

namespace kzo::exporter {

const Field& FieldNamed(const RecordType& type, std::string_view name) {
  for (const Field& field : type.fields) {
    if (field.name == name) return field;
  }
  throw std::invalid_argument(std::string(type.name) + " has no field " + std::string(name));
}

namespace {

// A field that is the member of that name of the description's Record; a list member counted
// by the member count, of the capacity; a list member of a fixed number of slots.
#define MEMBER(field) Member<&Record::field>(#field)
#define COUNTED(list, count, capacity) CountedList<&Record::list, &Record::count, capacity>(#list)
#define WHOLE(list) WholeList<&Record::list>(#list)

namespace import_stamp {
using Record = store::ImportStamp;
constexpr Field kFields[] = {
    MEMBER(source).Means("Where the record comes from: \"Legacy KZO Data\"."),
    MEMBER(created).As(Type::kDateTime).Means("When the record counts as created."),
    MEMBER(importer).Means("The importer that made the record."),
    MEMBER(modified).As(Type::kDateTime).Means("When the record was imported."),
};
}  // namespace import_stamp

namespace hire_term {
using Record = model::HireTerm;
constexpr Field kFields[] = {
    MEMBER(start).As(Type::kDateTime).Means("The day the term begins."),
    MEMBER(end).As(Type::kDateTime).Means("The day the term ends."),
    MEMBER(days).Means("The whole days from its start to its end."),
};
}  // namespace hire_term

// The slot of the hire term the entry's current term is, or none.
Value CurrentTerm(const model::RosterEntry& entry) {
  for (int t = 1; entry.hire_terms && t <= StoredSlots(entry.hire_term_count, model::kMaxHireTerms);
       ++t) {
    if (entry.hire_terms[t] != nullptr && entry.hire_terms[t] == entry.current_term) return Int(t);
  }
  return Null();
}

namespace roster_entry {
using Record = model::RosterEntry;
constexpr Field kFields[] = {
    MEMBER(name).Means("The wrestler's name as this circuit knows it, line 1 of its record."),
    MEMBER(push).Means("Line 2 of its record."),
    MEMBER(hire_status)
        .Means("Line 3: the hire state, which decides whether and how long the "
               "circuit hires the wrestler."),
    COUNTED(hire_terms, hire_term_count, model::kMaxHireTerms)
        .Of(kHireTermType)
        .Means("The hire terms in the order they were added."),
    MEMBER(hire_term_count).Within(0, model::kMaxHireTerms).Means("The number of hire terms."),
    Computed<Record, CurrentTerm>("current_term", Type::kInt)
        .NamesSlotOf("hire_terms")
        .Within(1, model::kMaxHireTerms)
        .OrNone()
        .Means("The hire term added last, by its slot; none while there is none."),
    MEMBER(hired).As(Type::kFlag).Means("1 when the circuit hires the wrestler."),
    MEMBER(injury).Means("The wrestler's value in card.inj, 0 when it is not listed there."),
    MEMBER(heel_value).Means("Line 4 of its record."),
    WHOLE(managers)
        .Names(roster::kKindManagers)
        .Means("Lines 5 to 8: the wrestler's managers, 0 for none, each in its own slot."),
    MEMBER(manager_count).Within(0, 4).Means("How many of the four managers are not 0."),
    MEMBER(nickname).Means("Line 9 of its record."),
};
}  // namespace roster_entry

namespace title {
using Record = model::TitleRecord;
constexpr Field kFields[] = {
    MEMBER(holder).Means("The holder as card.ttl names it; \"vacant\" for none."),
    MEMBER(title_name).Means("The title's name."),
    MEMBER(title_short).Means("The name without its \" Title\" or \" Champion\" ending."),
    MEMBER(title_number).Means("The title's number in card.ttl."),
    MEMBER(holder_count).Within(0, model::kMaxHolderNames).Means("The number of holder names."),
    COUNTED(holder_names, holder_count, model::kMaxHolderNames)
        .Means("The names of the holders, each a wrestler of the circuit when one has it."),
};
}  // namespace title

namespace breakdown_item {
using Record = model::BreakdownItem;
constexpr Field kFields[] = {
    MEMBER(name).Means("A participant's name as the result sentence gives it."),
    MEMBER(wrestler)
        .Names(roster::kKindWrestlers)
        .Means("The wrestler of that name in the circuit, 0 for none."),
    MEMBER(value).Within(-2, 2).Means(
        "How the participant's side came out: 1 won, -1 lost, 2 and -2 the two sides of a draw."),
};
}  // namespace breakdown_item

namespace fa_lines {
using Record = model::FaLines;
constexpr Field kFields[] = {
    MEMBER(line_count).Means("The number of lines."),
    COUNTED(lines, line_count, model::kMaxFaLines).Means("The lines."),
};
}  // namespace fa_lines

namespace match {
using Record = model::MatchRecord;
constexpr Field kFields[] = {
    MEMBER(match_type)
        .Means("The kind of segment, from its header line; the segments "
               "\"Comments\" and \"Interview\" are no matches."),
    MEMBER(has_fa_block)
        .As(Type::kFlag)
        .Means("1 when the header line ends with \"\\\": the segment owns cardfa. lines."),
    COUNTED(text_lines, text_line_count, model::kMaxTextLines)
        .Means("The segment's card lines; line 1 is the result sentence."),
    MEMBER(text_line_count).Means("The number of card lines."),
    COUNTED(text_lines2, text_line2_count, model::kMaxTextLines)
        .Means("The same card lines, made a second time by the same steps."),
    MEMBER(text_line2_count).Means("The number of lines of the second list."),
    MEMBER(rating_text).Means("The segment's rating; empty when it has none."),
    COUNTED(bracket_notes, bracket_note_count, model::kMaxBracketNotes)
        .Means("The lines that begin with \"[\", without the brackets."),
    MEMBER(bracket_note_count).Means("The number of bracket notes."),
    COUNTED(paren_notes, paren_note_count, model::kMaxParenNotes)
        .Means("The lines that begin with \"(\", without the parentheses."),
    MEMBER(paren_note_count).Means("The number of parenthesis notes."),
    MEMBER(fa_lines).Of(kFaLinesType).Means("The segment's cardfa. lines; none without them."),
    MEMBER(breakdown_count).Means("The number of participants the result names."),
    COUNTED(breakdown, breakdown_count, model::kMaxBreakdownItems)
        .Of(kBreakdownItemType)
        .Means("The result sentence broken down into its participants and their outcomes."),
    Field{.name = "show", .type = Type::kInt}
        .NamesOwner()
        .Within(1, model::kMaxShows)
        .Means("The show of the segment."),
};
}  // namespace match

namespace show {
using Record = model::ShowRecord;
constexpr Field kFields[] = {
    MEMBER(overview).Means("The show's line of card.ovv."),
    COUNTED(matches, match_count, model::kMaxMatches)
        .Of(kMatchType)
        .Means("The segments of the show's card, in card order."),
    MEMBER(match_count).Means("The number of segments."),
    MEMBER(ca_text).Means("The show's cardca. lines, each followed by CR LF."),
};
}  // namespace show

namespace points_entry {
using Record = model::PointsEntry;
constexpr Field kFields[] = {
    MEMBER(entry_name).Means("The entry's name: one wrestler, or several as one text."),
    MEMBER(active_product)
        .Means("1 when every participant is matched and active in the circuit, 0 when a "
               "matched one is not active, a multiple of -99 when one is not matched."),
    WHOLE(values).Means("The entry's six numbers (in the totals: their sums)."),
    COUNTED(participants, participant_count, model::kMaxParticipants)
        .Names(roster::kKindWrestlers)
        .Means("The participants' wrestlers, 0 for a name that matched none."),
    MEMBER(participant_count).Means("The number of participants."),
    MEMBER(title_mask).Means("Bit t set when the entry holds the circuit's title t."),
    MEMBER(gender_mask)
        .Within(0, 3)
        .Means("Bit 0 set when a participant is male, bit 1 when one is female; 0 in the totals."),
};
}  // namespace points_entry

namespace points_table {
using Record = model::PointsTable;
constexpr Field kFields[] = {
    COUNTED(entries, entry_count, model::kMaxPointsEntries)
        .Of(kPointsEntryType)
        .Means("The entries in file order."),
    MEMBER(entry_count).Means("The number of entries."),
};
}  // namespace points_table

namespace points_set {
using Record = model::PointsSet;
constexpr Field kFields[] = {
    MEMBER(pts).Of(kPointsTableType).Means("The entries of card.pts."),
    MEMBER(pts_t).Of(kPointsTableType).Means("The entries of cardt.pts."),
    MEMBER(pts_s).Of(kPointsTableType).Means("The entries of cards.pts."),
    MEMBER(totals).Of(kPointsTableType).Means("Per wrestler the sums of the three tables."),
};
}  // namespace points_set

// The per-wrestler lists of a circuit: slots 1..N (see PerWrestlerSlots).
template <class T>
Slots<T> PerWrestler(const T* list) {
  return {list, PerWrestlerSlots(list)};
}

namespace circuit {
using Record = model::CircuitRecord;
constexpr Field kFields[] = {
    MEMBER(lgs_line1).Means("The circuit's name: the first line of its entry in card.lgs."),
    MEMBER(folder).Label("Folder").Means(
        "The second line of its entry: the circuit's folder in the legacy folder."),
    MEMBER(lgs_line3).Label("Third line of the circuit list").Means("The third line of its entry."),
    COUNTED(titles, title_count, model::kMaxTitles)
        .Of(kTitleType)
        .Means("The circuit's titles, from card.ttl."),
    MEMBER(title_count).Means("The number of titles."),
    // Every show slot of the count, those the circuit holds no record for as none.
    List<Record,
         [](const Record& c) {
           return Slots<model::ShowRecord*>{c.shows, StoredSlots(c.show_count, model::kMaxShows),
                                            StoredSlots(c.shows, c.show_count, model::kMaxShows)};
         }>("shows", model::kMaxShows)
        .Of(kShowType)
        .Means("The circuit's shows; none for a show it holds no record for."),
    MEMBER(show_count).Means("The number of shows, from card.inf."),
    List<Record, [](const Record& c) { return PerWrestler(c.roster); }>("roster",
                                                                        model::kMaxRosterEntries)
        .Of(kRosterEntryType)
        .Means("The circuit's view of each wrestler: slot i is wrestler number i."),
    List<Record, [](const Record& c) { return PerWrestler(c.injuries); }>("injuries",
                                                                          model::kMaxRosterEntries)
        .Means("The card.inj value of each wrestler number."),
    List<Record, [](const Record& c) { return PerWrestler(c.wht_values); }>(
        "wht_values", model::kMaxRosterEntries)
        .Means("The card.wht value of each wrestler number."),
    COUNTED(teams, team_count, model::kMaxCircuitTeams)
        .Names(roster::kKindTeams)
        .Means("The circuit's own tag teams."),
    MEMBER(team_count).Means("The number of teams."),
    COUNTED(stables, stable_count, model::kMaxCircuitStables)
        .Names(roster::kKindStables)
        .Means("The circuit's own stables."),
    MEMBER(stable_count).Means("The number of stables."),
    MEMBER(points).Of(kPointsSetType).Means("The circuit's points tables."),
    MEMBER(card_cfg_value).Label("card.cfg value").Means("The number in card.cfg, 0 without it."),
    MEMBER(HiringDontCheckGlobalTeams)
        .Label("Hiring does not check global teams")
        .Means("The setting of that name."),
    MEMBER(AddPointsForWin).Label("Points added for a win").Means("The setting; 500 for 0."),
    MEMBER(DeductPointsForLoss)
        .Label("Points deducted for a loss")
        .Means("The setting; 250 for 0."),
    MEMBER(TitleBonusValue).Label("Title bonus").Means("The setting; 10000 for 0."),
    MEMBER(WinningStreakImportance)
        .Label("Winning streak importance")
        .Means("The setting of that name."),
    MEMBER(IgnoreTitlesInGlobalRatings)
        .Label("Titles ignored in global ratings")
        .Means("The setting of that name."),
    MEMBER(UniverseCircuit1).Label("Universe circuit 1").Means("The setting, as written."),
    MEMBER(UniverseCircuit2).Label("Universe circuit 2").Means("The setting, as written."),
    MEMBER(hiring_listed)
        .As(Type::kFlag)
        .Label("Hiring listed")
        .Means("1 when the setting GlobalHiringLimitTo names the circuit's folder."),
    MEMBER(today)
        .As(Type::kDateTime)
        .Label("Today")
        .Means("The day the circuit was loaded: the start of its hire terms."),
};
}  // namespace circuit

namespace settings {
using Record = roster::GlobalSettings;
constexpr Field kFields[] = {
    MEMBER(UsePersons).Means("The setting of that name in the legacy folder's kzo.cnf."),
    MEMBER(CCBackground).Means("The setting of that name."),
    MEMBER(GlobalHiring).Means("The setting of that name."),
    MEMBER(GlobalHiringLimitTo).Means("The folders of the circuits that hire, between bars."),
};
}  // namespace settings

namespace crowd_reaction {
using Record = roster::CrowdReaction;
constexpr Field kFields[] = {
    MEMBER(crowd_kind).Within(1, 2).Means("1 for a text of crowd.cnf, 2 for one of wcrowd.cnf."),
    MEMBER(reaction).Within(0, 3).Means("1 for \"Face\", 2 for \"Heel\", 3 for \"*\", else 0."),
    MEMBER(wrestler_name).Means("The name of the wrestler the text is for."),
    MEMBER(text).Means("One crowd text."),
    MEMBER(spare).Means("Always 0."),
};
}  // namespace crowd_reaction

namespace field_entry {
using Record = roster::FieldEntry;
constexpr Field kFields[] = {
    MEMBER(kind).Means("The kind of record the field belongs to."),
    MEMBER(field).Means("Where the field lies in such a record: the implementation's locator."),
    MEMBER(key).Means("The key: the table, a dot and the field's name."),
    MEMBER(label).Means("A label for people."),
    MEMBER(value_type)
        .Within(1, 4)
        .Means("1 a number, 2 a text, 3 a flag, 4 the number of another record."),
    MEMBER(ref_kind).Means("For a reference, the kind of record it names; else 0."),
    MEMBER(ref_field).Means("For a reference, the locator of the field that names that record."),
    MEMBER(slots).Means("0 for one value, n for a list of slots 1..n, -1 for a counted list."),
};
}  // namespace field_entry

// The model as one record: its fields read the run's tables.
struct Model {};

// Every slot of a roster, slot 0 included.
template <class Record>
Slots<Record> Roster(const std::vector<Record>& roster) {
  return {roster.data(), static_cast<int>(roster.size()) - 1};
}

#define ROSTER(field, kind)                                                                      \
  List<Model, [](const Model&) { return Roster(roster::Database().field); }>(#field, kUnbounded) \
      .Names(kind)                                                                               \
      .FromSlot(0)                                                                               \
      .Means("Every record of the roster, slot 0 included.")

namespace model_fields {
using Record = Model;
constexpr Field kFields[] = {
    Computed<Model, [](const Model&) { return Str("kzo-model"); }>("format", Type::kText)
        .Means("What the document is: \"kzo-model\"."),
    Computed<Model, [](const Model&) { return Int(1); }>("version", Type::kInt)
        .Within(1, 1)
        .Means("The version of the document's form: 1."),
    Computed<Model, [](const Model&) { return Str(roster::Database().legacy_folder); }>(
        "legacy_folder", Type::kText)
        .Means("The legacy folder the model was loaded from."),
    Computed<Model, [](const Model&) { return RecordAt(&roster::Database().settings); }>(
        "settings", Type::kRecord)
        .Of(kSettingsType)
        .Means("The settings of the legacy folder's kzo.cnf."),
    ROSTER(managers, roster::kKindManagers),
    ROSTER(moves, roster::kKindMoves),
    ROSTER(dives, roster::kKindDives),
    ROSTER(wrestlers, roster::kKindWrestlers),
    ROSTER(foreign_objects, roster::kKindForeignObjects),
    ROSTER(gimmick_matches, roster::kKindGimmickMatches),
    ROSTER(stables, roster::kKindStables),
    ROSTER(teams, roster::kKindTeams),
    List<Model,
         [](const Model&) {
           const roster::CrowdTable& table = roster::CrowdReactions();
           return Slots<roster::CrowdReaction>{
               table.entries.data(), StoredSlots(table.count, roster::kMaxCrowdReactions)};
         }>("crowd_reactions", roster::kMaxCrowdReactions)
        .Of(kCrowdReactionType)
        .Means("The texts of the crowd files."),
    List<Model,
         [](const Model&) {
           const model::CircuitTable& table = model::Circuits();
           return Slots<model::CircuitRecord>{table.records.data(),
                                              StoredSlots(table.count, model::kMaxCircuits)};
         }>("circuits", model::kMaxCircuits)
        .Of(kCircuitType)
        .Means("The circuits in the order of card.lgs."),
    List<Model,
         [](const Model&) {
           const roster::FieldDictionary& dictionary = roster::Dictionary();
           return Slots<roster::FieldEntry>{
               dictionary.entries.data(),
               StoredSlots(dictionary.entry_count, roster::kMaxFieldEntries)};
         }>("field_dictionary", roster::kMaxFieldEntries)
        .Of(kFieldEntryType)
        .Means("The field dictionary: the fields of the roster records."),
};
}  // namespace model_fields

#undef ROSTER
#undef WHOLE
#undef COUNTED
#undef MEMBER

}  // namespace

constexpr RecordType kImportStampType{"ImportStamp", import_stamp::kFields};
constexpr RecordType kHireTermType{"HireTerm", hire_term::kFields};
constexpr RecordType kRosterEntryType{"RosterEntry", roster_entry::kFields};
constexpr RecordType kTitleType{"TitleRecord", title::kFields};
constexpr RecordType kBreakdownItemType{"BreakdownItem", breakdown_item::kFields};
constexpr RecordType kFaLinesType{"FaLines", fa_lines::kFields};
constexpr RecordType kMatchType{"MatchRecord", match::kFields};
constexpr RecordType kShowType{"ShowRecord", show::kFields};
constexpr RecordType kPointsEntryType{"PointsEntry", points_entry::kFields};
constexpr RecordType kPointsTableType{"PointsTable", points_table::kFields};
constexpr RecordType kPointsSetType{"PointsSet", points_set::kFields};
constexpr RecordType kCircuitType{"CircuitRecord", circuit::kFields};
constexpr RecordType kSettingsType{"GlobalSettings", settings::kFields};
constexpr RecordType kCrowdReactionType{"CrowdReaction", crowd_reaction::kFields};
constexpr RecordType kFieldEntryType{"FieldEntry", field_entry::kFields};
constexpr RecordType kModelType{"Model", model_fields::kFields};

const void* TheModel() {
  static const Model model;
  return &model;
}

}  // namespace kzo::exporter
