#include "roster/field_dictionary.h"

#include <cstddef>

#include "roster/dive.h"
#include "roster/foreign_object.h"
#include "roster/gimmick.h"
#include "roster/manager.h"
#include "roster/move.h"
#include "roster/referee.h"
#include "roster/stable.h"
#include "roster/team.h"
#include "roster/wrestler.h"
#include "store/heap.h"
#include "store/run.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

struct EntryDefinition {
  std::int32_t kind;
  std::size_t field;
  const char* key;
  const char* label;
  std::int32_t value_type;
  std::int32_t ref_kind = 0;
  std::size_t ref_field = 0;
  std::int32_t slots = 0;
};

constexpr std::int32_t kInt = kTypeInt;
constexpr std::int32_t kText = kTypeText;
constexpr std::int32_t kFlag = kTypeFlag;

// A field of a record kind: its kind, its offset and its key, made from the one name so
// that a key always designates the field it names.
#define WRESTLER(name) kKindWrestlers, offsetof(WrestlerRecord, name), "wrestlers." #name
#define MOVE(name) kKindMoves, offsetof(MoveRecord, name), "moves." #name
#define MANAGER(name) kKindManagers, offsetof(ManagerRecord, name), "managers." #name
#define TEAM(name) kKindTeams, offsetof(TeamRecord, name), "teams." #name
#define STABLE(name) kKindStables, offsetof(StableRecord, name), "stables." #name
#define FOREIGN_OBJECT(name) \
  kKindForeignObjects, offsetof(ForeignObjectRecord, name), "foreign_objects." #name
#define GIMMICK(name) \
  kKindGimmickMatches, offsetof(GimmickMatchRecord, name), "gimmick_matches." #name
#define REFEREE(name) kKindReferees, offsetof(RefereeRecord, name), "referees." #name
#define DIVE(name) kKindDives, offsetof(DiveRecord, name), "dives." #name

// The kind a reference refers to and the field that names such a record.
#define MOVE_REF kKindMoves, offsetof(MoveRecord, mname_noarticle)
#define DIVE_REF kKindDives, offsetof(DiveRecord, dname_noarticle)
#define MANAGER_REF kKindManagers, offsetof(ManagerRecord, maname)
#define WRESTLER_REF kKindWrestlers, offsetof(WrestlerRecord, wname)

// Every entry, in registration order; within a kind, the declared field order.
constexpr EntryDefinition kEntries[] = {
    // wrestlers
    {WRESTLER(moves), "Moves", kInt, MOVE_REF, 50},
    {WRESTLER(managers), "Managers", kInt, MANAGER_REF, 5},
    {WRESTLER(dives), "Dives", kInt, DIVE_REF, 6},
    {WRESTLER(moves_count), "Number of assigned moves", kInt},
    {WRESTLER(dives_count), "Number of assigned dives", kInt},
    {WRESTLER(managers_count), "Number of assigned managers", kInt},
    {WRESTLER(wnr), "Wrestler number", kInt},
    {WRESTLER(wname), "Name", kText},
    {WRESTLER(wname_full), "Full name with nickname", kText},
    {WRESTLER(abbreviation), "Abbreviation", kText},
    {WRESTLER(finisher), "Finisher", kText},
    {WRESTLER(workrate), "Workrate", kInt},
    {WRESTLER(push), "Push", kInt},
    {WRESTLER(charisma), "Charisma", kInt},
    {WRESTLER(foreign_object), "Foreign object", kText},
    {WRESTLER(stamina), "Stamina", kInt},
    {WRESTLER(weight), "Weight", kInt},
    {WRESTLER(specialmove), "Special move", kText},
    {WRESTLER(nickname), "Nickname", kText},
    {WRESTLER(hometown), "Hometown", kText},
    {WRESTLER(height), "Height", kText},
    {WRESTLER(build), "Build", kText},
    {WRESTLER(entrance_theme), "Entrance theme", kText},
    {WRESTLER(exit_theme), "Exit theme", kText},
    {WRESTLER(counter1), "Finisher counter 1", kInt, MOVE_REF},
    {WRESTLER(counter2), "Finisher counter 2", kInt, MOVE_REF},
    {WRESTLER(counter3), "Finisher counter 3", kInt, MOVE_REF},
    {WRESTLER(is_submission_move), "Submission move", kFlag},
    {WRESTLER(similar_to), "Finisher is similar to move", kInt, MOVE_REF},
    {WRESTLER(setup_move), "Setup move", kInt, MOVE_REF},
    {WRESTLER(heel_tactics), "Heel Tactics", kFlag},
    {WRESTLER(throw_off_turnbuckle), "Finisher: Wrestler can be thrown off the turnbuckle", kFlag},
    {WRESTLER(uses_chairs), "Uses chairs", kFlag},
    {WRESTLER(out_of_ropes), "Finisher: Out of the ropes", kFlag},
    {WRESTLER(finisher_opponent_max_weight), "Finisher: Opponent's maximum weight class", kInt},
    {WRESTLER(finisher_opponent_on_mat), "Finisher: Opponent is on the mat", kFlag},
    {WRESTLER(finisher_opponent_on_turnbuckle), "Finisher: Opponent is on the turnbuckle", kFlag},
    {WRESTLER(masked), "Masked", kFlag},
    {WRESTLER(hulkup), "Hulkup", kFlag},
    {WRESTLER(hard_to_pin), "Hard to pin", kFlag},
    {WRESTLER(has_combo_move), "Has a combo move", kFlag},
    {WRESTLER(corner_follows_in), "Cross-corner: Follows in", kFlag},
    {WRESTLER(special_move_is_illegal), "Special move is illegal", kFlag},
    {WRESTLER(special_move_sets_up_finisher), "Special move sets up the finisher", kFlag},
    {WRESTLER(doesnt_submit), "Doesn't submit", kFlag},
    {WRESTLER(works_crowd), "Works the crowd", kFlag},
    {WRESTLER(juices), "Juices", kFlag},
    {WRESTLER(signals_for_finisher), "Signals for finisher", kFlag},
    {WRESTLER(cocky), "Cocky", kFlag},
    {WRESTLER(sits_up), "Sits up", kFlag},
    {WRESTLER(corner_has_counter_move), "Cross-corner: Has counter move", kFlag},
    {WRESTLER(corner_opponent_has_to_move), "Cross-corner: Opponent has to move out of the way",
     kFlag},
    {WRESTLER(corner_moves_exist), "Corner moves exist", kFlag},
    {WRESTLER(finisher_outside_ring), "Finisher: Can be done outside the ring", kFlag},
    {WRESTLER(begs_off), "Begs off", kFlag},
    {WRESTLER(walks_out), "Walks out", kFlag},
    {WRESTLER(rarely_submits), "Rarely submits", kFlag},
    {WRESTLER(no_sells), "No sells", kFlag},
    {WRESTLER(springs_off_chairs), "Springs off of chairs", kFlag},
    {WRESTLER(finisher_no_rope_break), "Finisher: No rope break (submissions)", kFlag},
    {WRESTLER(secondary_finisher_gives_sign), "Gives the sign for secondary finisher", kFlag},
    {WRESTLER(finisher_like_move), "Secondary finisher", kInt, MOVE_REF},
    {WRESTLER(combo_setup), "Combo setup", kInt},
    {WRESTLER(combo_followup), "Combo followup", kInt},
    {WRESTLER(cross_corner_move), "Cross-corner move", kInt, MOVE_REF},
    {WRESTLER(working_crowd_string), "Default way to work the crowd", kText},
    {WRESTLER(corner_move1), "Corner move 1", kInt, MOVE_REF},
    {WRESTLER(corner_move2), "Corner move 2", kInt, MOVE_REF},
    {WRESTLER(corner_move3), "Corner move 3", kInt, MOVE_REF},
    {WRESTLER(is_female), "Is female", kFlag},
    {WRESTLER(style_no_default), "Mustn't use default counters", kFlag},
    {WRESTLER(style_technician), "Style: Technician", kFlag},
    {WRESTLER(style_brawler), "Style: Brawler", kFlag},
    {WRESTLER(style_highflyer), "Style: High-flyer", kFlag},
    {WRESTLER(style_powerhouse), "Style: Powerhouse", kFlag},
    {WRESTLER(style_amateurwrestler), "Style: Amateur wrestler", kFlag},
    {WRESTLER(style_rulebreaker), "Style: Rulebreaker", kFlag},
    {WRESTLER(style_oldschool), "Style: Old-school", kFlag},
    {WRESTLER(style_martialartist), "Style: Striking specialist", kFlag},
    {WRESTLER(style_submissionspecialist), "Style: Submission specialist", kFlag},
    {WRESTLER(corner_has_move_out_of_corner), "Cross-corner: Wrestler has a move out of the corner",
     kFlag},
    {WRESTLER(hardcore_wrestler), "Hardcore wrestler", kFlag},
    {WRESTLER(does_moves_through_tables), "Does moves through tables", kFlag},
    {WRESTLER(finisher_through_table), "Finisher: Through table", kFlag},
    {WRESTLER(skins_the_cat), "Skins the cat", kFlag},
    {WRESTLER(springs_up), "Springs up", kFlag},
    {WRESTLER(wrestler_runs), "Finisher: Wrestler runs", kFlag},
    {WRESTLER(opponent_runs), "Finisher: Opponent runs", kFlag},
    // foreign_objects
    {FOREIGN_OBJECT(fname), "Name", kText},
    {FOREIGN_OBJECT(fname_noarticle), "Name (without article)", kText},
    {FOREIGN_OBJECT(throw_through), "Damage when thrown through FO", kInt},
    {FOREIGN_OBJECT(ram_into), "Damage when rammed into", kInt},
    {FOREIGN_OBJECT(whip_into), "Damage when whipped into", kInt},
    {FOREIGN_OBJECT(hit_with), "Damage when hit with", kInt},
    {FOREIGN_OBJECT(use), "Damage when foreign object is used", kInt},
    {FOREIGN_OBJECT(choke_with), "Damage when choked with", kInt},
    {FOREIGN_OBJECT(stab_with), "Damage when stabbed with", kInt},
    {FOREIGN_OBJECT(slash_with), "Damage when slashed with", kInt},
    {FOREIGN_OBJECT(whip_with), "Damage when whipped with", kInt},
    {FOREIGN_OBJECT(hang_with), "Damage when hung with", kInt},
    {FOREIGN_OBJECT(move_onto), "Damage when move performed onto", kInt},
    {FOREIGN_OBJECT(move_through), "Damage when move performed through", kInt},
    {FOREIGN_OBJECT(move_with), "Damage when a move is performed with", kInt},
    {FOREIGN_OBJECT(may_break), "May break", kFlag},
    {FOREIGN_OBJECT(may_draw_blood), "May draw blood", kFlag},
    {FOREIGN_OBJECT(can_be_tied_to_object), "Can be tied to object", kFlag},
    {FOREIGN_OBJECT(can_be_used_to_tie_to_object), "Can be used to tie to object", kFlag},
    {FOREIGN_OBJECT(worn_on_head), "Worn on head", kFlag},
    {FOREIGN_OBJECT(worn_on_fist), "Worn on fist", kFlag},
    {FOREIGN_OBJECT(worn_on_leg), "Worn on leg", kFlag},
    // gimmick_matches
    {GIMMICK(match_gname), "Name", kText},
    {GIMMICK(match_foreign_object), "Foreign Object: Name", kText},
    {GIMMICK(match_foreign_object_whip), "Foreign Object: Whip", kFlag},
    {GIMMICK(match_foreign_object_use), "Foreign Object: Use", kFlag},
    {GIMMICK(match_foreign_object_choke), "Foreign Object: Choke", kFlag},
    {GIMMICK(match_foreign_object_mobility), "Foreign Object: Mobility", kFlag},
    {GIMMICK(match_ends_by_pinfall), "Can end by pinfall", kFlag},
    {GIMMICK(match_ends_by_ten_count), "Can end by ten count", kFlag},
    {GIMMICK(match_ends_by_first_blood), "Can end by first blood", kFlag},
    {GIMMICK(match_ends_by_hitting_turnbuckles), "Can end by hitting turnbuckles", kFlag},
    {GIMMICK(match_ends_by_stuffing_in), "Can end by stuffing into object", kFlag},
    {GIMMICK(match_ends_by_putting_on), "Can end by putting on object", kFlag},
    {GIMMICK(match_ends_by_putting_through_table), "Can end by putting through table", kFlag},
    {GIMMICK(match_barbed_wire), "Barbed wire", kFlag},
    {GIMMICK(match_starts_in_arena), "Starts in the arena", kFlag},
    {GIMMICK(match_starts_in_ring), "Starts in the ring", kFlag},
    {GIMMICK(match_taped_fists), "Taped fists", kFlag},
    {GIMMICK(match_object_on_a_pole), "Object on a pole", kFlag},
    // teams
    {TEAM(tname), "Team Name", kText},
    {TEAM(tname_full), "Full Team Name", kText},
    {TEAM(wrestler1), "Wrestler 1", kText},
    {TEAM(wrestler2), "Wrestler 2", kText},
    {TEAM(finisher), "Finisher", kText},
    {TEAM(finisher_is_simple), "Finisher is simple (not a combination of moves)", kFlag},
    {TEAM(finisher_who_pins), "Wrestler who pins", kText},
    {TEAM(finisher_has_lift), "Does the opponent get lifted up?", kFlag},
    {TEAM(finisher_who_lifts), "Which wrestler lifts the opponent?", kText},
    {TEAM(finisher_is_combo), "Finisher is a combo", kFlag},
    {TEAM(finisher_combo1), "First part of combo", kInt, MOVE_REF},
    {TEAM(finisher_combo2_is_named), "Second part of the combo is a named move", kFlag},
    {TEAM(finisher_combo2_move), "Which move is the second part of the combo?", kInt, MOVE_REF},
    {TEAM(finisher_combo2_named), "Name for the second part of the combo", kText},
    {TEAM(entrance_theme), "Entrance theme", kText},
    {TEAM(exit_theme), "Exit theme", kText},
    // referees
    {REFEREE(rname), "Name", kText},
    {REFEREE(is_female), "Is female", kFlag},
    {REFEREE(latitude), "Latitude", kInt},
    {REFEREE(counts_to_10), "Counts to 10", kFlag},
    {REFEREE(counts_to_20), "Counts to 20", kFlag},
    {REFEREE(is_face), "Face", kFlag},
    {REFEREE(is_heel), "Heel", kFlag},
    {REFEREE(is_head_referee), "Head referee", kFlag},
    {REFEREE(is_wrestler), "Referee is a wrestler", kFlag},
    // stables
    {STABLE(sname), "Name", kText},
    {STABLE(entrance_theme), "Entrance Theme", kText},
    {STABLE(exit_theme), "Exit Theme", kText},
    {STABLE(managers), "Managers", kInt, MANAGER_REF, 5},
    {STABLE(managers_count), "Number of managers assigned", kInt},
    {STABLE(wrestlers), "Wrestlers", kInt, WRESTLER_REF, kCountedList},
    {STABLE(wrestlers_count), "Number of wrestlers assigned", kInt},
    // dives
    {DIVE(dname), "Name", kText},
    {DIVE(dname_noarticle), "Name without the article", kText},
    {DIVE(damage), "Damage", kInt},
    {DIVE(throw_off_turnbuckle), "Wrestler can be thrown off of turnbuckle", kFlag},
    {DIVE(must_be_sold), "Must be sold", kFlag},
    {DIVE(possible_through_table), "Possible through table", kFlag},
    {DIVE(possible_off_cage), "Possible off of cage", kFlag},
    {DIVE(possible_off_ladder), "Possible off of ladder", kFlag},
    {DIVE(possible_off_staircase), "Possible off of staircase", kFlag},
    {DIVE(possible_off_chair), "Possible off of chair", kFlag},
    {DIVE(possible_with_chair), "Possible with chair", kFlag},
    {DIVE(opponent_max_weight_class), "Opponent's maximum weight class", kInt},
    {DIVE(opponent_max_weight_difference), "Opponent's maximum weight class differential", kInt},
    {DIVE(opponent_max_height_difference), "Opponent's maximum height differential", kInt},
    {DIVE(counter1), "Counter 1", kInt, MOVE_REF},
    {DIVE(counter2), "Counter 2", kInt, MOVE_REF},
    // managers
    {MANAGER(maname), "Name", kText},
    {MANAGER(foreign_object), "Foreign object", kText},
    {MANAGER(is_female), "Female", kFlag},
    {MANAGER(interference_rating), "Interference rating", kInt},
    {MANAGER(toughness_rating), "Toughness rating", kInt},
    {MANAGER(stealthiness_rating), "Stealthiness rating", kInt},
    // moves
    {MOVE(mname), "Name", kText},
    {MOVE(mname_noarticle), "Name without the article", kText},
    {MOVE(damage), "Damage", kInt},
    {MOVE(is_not_blockable), "Isn't blockable", kFlag},
    {MOVE(counter1), "Counter 1", kInt, MOVE_REF},
    {MOVE(pinfall_move), "Auto-pinfall move", kFlag},
    {MOVE(submission_move), "Submission move", kFlag},
    {MOVE(throw_off_turnbuckle), "Wrestler can be thrown off the turnbuckle", kFlag},
    {MOVE(may_end_match), "May end match", kFlag},
    {MOVE(possible_opponent_runs), "Can be done while the opponent is running", kFlag},
    {MOVE(possible_outside_ring), "Can be done outside the ring", kFlag},
    {MOVE(is_double_team_move), "Can be done as a double-team move", kFlag},
    {MOVE(is_setup_for_aerial), "Setup for aerial move", kFlag},
    {MOVE(can_knock_over_ladder), "Can knock over ladder", kFlag},
    {MOVE(must_be_sold), "Must be sold", kFlag},
    {MOVE(opponent_on_turnbuckle), "Opponent must be on the turnbuckle", kFlag},
    {MOVE(brings_to_mat), "Brings the opponent to the mat", kFlag},
    {MOVE(opponent_on_mat), "Opponent is on the mat", kFlag},
    {MOVE(opponent_standing), "Opponent is standing", kFlag},
    {MOVE(no_tights), "Can't pull the tights while pinning after the move", kFlag},
    {MOVE(possible_refbump), "Can cause a ref bump", kFlag},
    {MOVE(no_ropes), "Can't break by going to the ropes", kFlag},
    {MOVE(possible_through_table), "Can be done through a table", kFlag},
    {MOVE(possible_selfpin), "Can lead to a self-pin", kFlag},
    {MOVE(possible_pin_in_move), "Submission move: Can lead to the opponent being pinned", kFlag},
    {MOVE(is_illegal), "Illegal", kFlag},
    {MOVE(possible_off_cage), "Can be done off the cage", kFlag},
    {MOVE(possible_off_ladder), "Can be done off a ladder", kFlag},
    {MOVE(possible_off_staircase), "Can be done off a staircase", kFlag},
    {MOVE(possible_off_chair), "Can be done off a chair", kFlag},
    {MOVE(possible_with_chair), "Can be done with a chair", kFlag},
    {MOVE(no_rope_break), "Submission move: No rope break", kFlag},
    {MOVE(possible_behind_opponent), "Can be done from behind the opponent", kFlag},
    {MOVE(possible_end_up_behind), "Wrestler may end up behind the opponent", kFlag},
    {MOVE(possible_onto_chair), "Can be done onto a chair", kFlag},
    {MOVE(possible_wrestler_runs), "Can be done while the wrestler is running", kFlag},
    {MOVE(double_team_setup), "Double-team setup move", kFlag},
    {MOVE(double_team_followup), "Double-team followup move", kFlag},
    {MOVE(opponent_max_weight_class), "Opponent's maximum weight class", kInt},
    {MOVE(opponent_max_weight_difference), "Opponent's maximum weight class differential", kInt},
    {MOVE(opponent_max_height_difference), "Opponent's maximum height differential", kInt},
    {MOVE(counter2), "Counter 2", kInt, MOVE_REF},
    {MOVE(breakcounter), "Submission move: Break counter", kInt, MOVE_REF},
    {MOVE(style_technician_counter1), "Style: Technician - Counter 1", kInt, MOVE_REF},
    {MOVE(style_technician_counter2), "Style: Technician - Counter 2", kInt, MOVE_REF},
    {MOVE(style_brawler_counter1), "Style: Brawler - Counter 1", kInt, MOVE_REF},
    {MOVE(style_brawler_counter2), "Style: Brawler - Counter 2", kInt, MOVE_REF},
    {MOVE(style_highflyer_counter1), "Style: High-Flyer - Counter 1", kInt, MOVE_REF},
    {MOVE(style_highflyer_counter2), "Style: High-Flyer - Counter 2", kInt, MOVE_REF},
    {MOVE(style_powerhouse_counter1), "Style: Powerhouse - Counter 1", kInt, MOVE_REF},
    {MOVE(style_powerhouse_counter2), "Style: powerhouse - Counter 2", kInt, MOVE_REF},
    {MOVE(style_amateurwrestler_counter1), "Style: Amateur Wrestler - Counter 1", kInt, MOVE_REF},
    {MOVE(style_amateurwrestler_counter2), "Style: Amateur Wrestler - Counter 2", kInt, MOVE_REF},
    {MOVE(style_rulebreaker_counter1), "Style: Rulebreaker - Counter 1", kInt, MOVE_REF},
    {MOVE(style_rulebreaker_counter2), "Style: Rulebreaker - Counter 2", kInt, MOVE_REF},
    {MOVE(style_oldschool_counter1), "Style: Old-school - Counter 1", kInt, MOVE_REF},
    {MOVE(style_oldschool_counter2), "Style: Old-school - Counter 2", kInt, MOVE_REF},
    {MOVE(style_martialartist_counter1), "Style: Striking Specialist - Counter 1", kInt, MOVE_REF},
    {MOVE(style_martialartist_counter2), "Style: Striking Specialist - Counter 2", kInt, MOVE_REF},
    {MOVE(style_submissionspecialist_counter1), "Style: Submission Specialist - Counter 1", kInt,
     MOVE_REF},
    {MOVE(style_submissionspecialist_counter2), "Style: Submission Specialist - Counter 2", kInt,
     MOVE_REF},
};

#undef WRESTLER
#undef MOVE
#undef MANAGER
#undef TEAM
#undef STABLE
#undef FOREIGN_OBJECT
#undef GIMMICK
#undef REFEREE
#undef DIVE
#undef MOVE_REF
#undef DIVE_REF
#undef MANAGER_REF
#undef WRESTLER_REF

static_assert(std::size(kEntries) == 243);

void EmptyDictionary(FieldDictionary& dictionary) {
  store::EmptyFilledSlots(dictionary.entries, dictionary.entry_count);
}

store::RunLocal<FieldDictionary> dictionary(EmptyDictionary);

// An entry with the given key and label; an int type with a ref_kind is a reference.
FieldEntry MakeEntry(std::int32_t kind, std::int32_t field, Text key, Text label,
                     std::int32_t value_type, std::int32_t ref_kind, std::int32_t ref_field,
                     std::int32_t slots) {
  std::int32_t type = value_type == kTypeInt && ref_kind != 0 ? kTypeReference : value_type;
  return {kind, field, key, label, type, ref_kind, ref_field, slots};
}

void Append(const FieldEntry& entry) {
  FieldDictionary& table = Dictionary();
  if (table.entry_count >= kMaxFieldEntries) return;
  table.entries[static_cast<std::size_t>(++table.entry_count)] = entry;
}

using RegisteredEntries = std::array<FieldEntry, std::size(kEntries)>;

// The entries InitFieldDictionary registers, made once per process: every run's
// dictionary holds the same entries, their keys and labels constant record strings.
const RegisteredEntries& Registered() {
  static const RegisteredEntries registered = [] {
    RegisteredEntries entries{};
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
      const EntryDefinition& entry = kEntries[i];
      entries[i] =
          MakeEntry(entry.kind, static_cast<std::int32_t>(entry.field),
                    store::ConstantRecordString(entry.key),
                    store::ConstantRecordString(entry.label), entry.value_type, entry.ref_kind,
                    static_cast<std::int32_t>(entry.ref_field), entry.slots);
    }
    return entries;
  }();
  return registered;
}

}  // namespace

FieldDictionary& Dictionary() {
  return *dictionary;
}

void ClearFieldDictionary() {
  store::Procedure procedure("CLEARQUE");
  EmptyDictionary(Dictionary());
}

void AddFieldEntry(std::int32_t kind, std::int32_t field, std::string_view key,
                   std::string_view label, std::int32_t value_type, std::int32_t ref_kind,
                   std::int32_t ref_field, std::int32_t slots) {
  store::Procedure procedure("ASSOCIAT");
  if (Dictionary().entry_count >= kMaxFieldEntries) return;
  Append(MakeEntry(kind, field, store::NewRecordString(key), store::NewRecordString(label),
                   value_type, ref_kind, ref_field, slots));
}

void InitFieldDictionary() {
  store::Procedure procedure("INITASSO");
  ClearFieldDictionary();
  for (const FieldEntry& entry : Registered()) Append(entry);
}

}  // namespace kzo::roster
