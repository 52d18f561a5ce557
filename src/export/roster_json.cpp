#include "export/roster_json.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "store/heap.h"

namespace kzo::exporter {
namespace {

// A member named exactly as the field of the record r it holds.
#define INT(field) json.Int(#field, r.field)
#define TEXT(field) json.TextValue(#field, r.field)
// An inline list member: slots 1..n.
#define LIST(field, n) json.IntList(#field, r.field.data(), 1, n)

void WriteStamp(JsonWriter& json, const store::ImportStamp& r) {
  TEXT(source);
  INT(created);
  TEXT(importer);
  INT(modified);
}

template <class Record>
void WriteRoster(JsonWriter& json, std::string_view key, const std::vector<Record>& roster,
                 void (*write)(JsonWriter&, const Record&)) {
  json.Key(key);
  json.BeginArray();
  for (const Record& record : roster) write(json, record);
  json.EndArray();
}

}  // namespace

void WriteWrestler(JsonWriter& json, const roster::WrestlerRecord& r) {
  json.BeginObject();
  LIST(moves, roster::kWrestlerMoveSlots);
  LIST(managers, roster::kWrestlerManagerSlots);
  LIST(dives, roster::kWrestlerDiveSlots);
  INT(moves_count);
  INT(dives_count);
  INT(managers_count);
  INT(wnr);
  TEXT(wname);
  TEXT(wname_full);
  TEXT(abbreviation);
  TEXT(finisher);
  INT(workrate);
  INT(push);
  INT(charisma);
  TEXT(foreign_object);
  INT(stamina);
  INT(weight);
  TEXT(specialmove);
  TEXT(nickname);
  TEXT(hometown);
  TEXT(height);
  TEXT(build);
  TEXT(entrance_theme);
  TEXT(exit_theme);
  INT(counter1);
  INT(counter2);
  INT(counter3);
  INT(is_submission_move);
  INT(similar_to);
  INT(setup_move);
  INT(heel_tactics);
  INT(throw_off_turnbuckle);
  INT(uses_chairs);
  INT(out_of_ropes);
  INT(finisher_opponent_max_weight);
  INT(finisher_opponent_on_mat);
  INT(finisher_opponent_on_turnbuckle);
  INT(masked);
  INT(hulkup);
  INT(hard_to_pin);
  INT(has_combo_move);
  INT(corner_follows_in);
  INT(special_move_is_illegal);
  INT(special_move_sets_up_finisher);
  INT(doesnt_submit);
  INT(works_crowd);
  INT(juices);
  INT(signals_for_finisher);
  INT(cocky);
  INT(sits_up);
  INT(corner_has_counter_move);
  INT(corner_opponent_has_to_move);
  INT(corner_moves_exist);
  INT(finisher_outside_ring);
  INT(begs_off);
  INT(walks_out);
  INT(rarely_submits);
  INT(no_sells);
  INT(springs_off_chairs);
  INT(finisher_no_rope_break);
  INT(secondary_finisher_gives_sign);
  INT(finisher_like_move);
  INT(combo_setup);
  INT(combo_followup);
  INT(cross_corner_move);
  TEXT(working_crowd_string);
  INT(corner_move1);
  INT(corner_move2);
  INT(corner_move3);
  INT(is_female);
  INT(style_no_default);
  INT(style_technician);
  INT(style_brawler);
  INT(style_highflyer);
  INT(style_powerhouse);
  INT(style_amateurwrestler);
  INT(style_rulebreaker);
  INT(style_oldschool);
  INT(style_martialartist);
  INT(style_submissionspecialist);
  INT(corner_has_move_out_of_corner);
  INT(hardcore_wrestler);
  INT(does_moves_through_tables);
  INT(finisher_through_table);
  WriteStamp(json, r.stamp);
  INT(skins_the_cat);
  INT(springs_up);
  INT(wrestler_runs);
  INT(opponent_runs);
  json.EndObject();
}

void WriteMove(JsonWriter& json, const roster::MoveRecord& r) {
  json.BeginObject();
  INT(number);
  TEXT(mname);
  TEXT(mname_noarticle);
  INT(damage);
  INT(is_not_blockable);
  INT(counter1);
  INT(pinfall_move);
  INT(submission_move);
  INT(throw_off_turnbuckle);
  INT(may_end_match);
  INT(possible_opponent_runs);
  INT(possible_outside_ring);
  INT(is_double_team_move);
  INT(is_setup_for_aerial);
  INT(can_knock_over_ladder);
  INT(must_be_sold);
  INT(opponent_on_turnbuckle);
  INT(brings_to_mat);
  INT(opponent_on_mat);
  INT(opponent_standing);
  INT(no_tights);
  INT(possible_refbump);
  INT(no_ropes);
  INT(possible_through_table);
  INT(possible_selfpin);
  INT(possible_pin_in_move);
  INT(is_illegal);
  INT(possible_off_cage);
  INT(possible_off_ladder);
  INT(possible_off_staircase);
  INT(possible_off_chair);
  INT(possible_with_chair);
  INT(no_rope_break);
  INT(possible_behind_opponent);
  INT(possible_end_up_behind);
  INT(possible_onto_chair);
  INT(possible_wrestler_runs);
  INT(double_team_setup);
  INT(double_team_followup);
  INT(opponent_max_weight_class);
  INT(opponent_max_weight_difference);
  INT(opponent_max_height_difference);
  INT(counter2);
  INT(breakcounter);
  INT(style_technician_counter1);
  INT(style_technician_counter2);
  INT(style_brawler_counter1);
  INT(style_brawler_counter2);
  INT(style_highflyer_counter1);
  INT(style_highflyer_counter2);
  INT(style_powerhouse_counter1);
  INT(style_powerhouse_counter2);
  INT(style_amateurwrestler_counter1);
  INT(style_amateurwrestler_counter2);
  INT(style_rulebreaker_counter1);
  INT(style_rulebreaker_counter2);
  INT(style_oldschool_counter1);
  INT(style_oldschool_counter2);
  INT(style_martialartist_counter1);
  INT(style_martialartist_counter2);
  INT(style_submissionspecialist_counter1);
  INT(style_submissionspecialist_counter2);
  WriteStamp(json, r.stamp);
  json.EndObject();
}

void WriteDive(JsonWriter& json, const roster::DiveRecord& r) {
  json.BeginObject();
  INT(number);
  TEXT(dname);
  TEXT(dname_noarticle);
  INT(damage);
  INT(throw_off_turnbuckle);
  INT(must_be_sold);
  INT(possible_through_table);
  INT(possible_off_cage);
  INT(possible_off_ladder);
  INT(possible_off_staircase);
  INT(possible_off_chair);
  INT(possible_with_chair);
  INT(opponent_max_weight_class);
  INT(opponent_max_weight_difference);
  INT(opponent_max_height_difference);
  INT(counter1);
  INT(counter2);
  WriteStamp(json, r.stamp);
  json.EndObject();
}

void WriteManager(JsonWriter& json, const roster::ManagerRecord& r) {
  json.BeginObject();
  INT(number);
  TEXT(maname);
  TEXT(foreign_object);
  INT(is_female);
  INT(interference_rating);
  INT(toughness_rating);
  INT(stealthiness_rating);
  WriteStamp(json, r.stamp);
  json.EndObject();
}

void WriteForeignObject(JsonWriter& json, const roster::ForeignObjectRecord& r) {
  json.BeginObject();
  INT(number);
  TEXT(fname);
  TEXT(fname_noarticle);
  INT(throw_through);
  INT(ram_into);
  INT(whip_into);
  INT(hit_with);
  INT(use);
  INT(choke_with);
  INT(stab_with);
  INT(slash_with);
  INT(whip_with);
  INT(hang_with);
  INT(move_onto);
  INT(move_through);
  INT(move_with);
  INT(may_break);
  INT(may_draw_blood);
  INT(can_be_tied_to_object);
  INT(can_be_used_to_tie_to_object);
  INT(worn_on_head);
  INT(worn_on_fist);
  INT(worn_on_leg);
  WriteStamp(json, r.stamp);
  json.EndObject();
}

void WriteGimmickMatch(JsonWriter& json, const roster::GimmickMatchRecord& r) {
  json.BeginObject();
  INT(number);
  TEXT(match_gname);
  TEXT(match_foreign_object);
  INT(match_foreign_object_whip);
  INT(match_foreign_object_use);
  INT(match_foreign_object_choke);
  INT(match_foreign_object_mobility);
  INT(match_ends_by_pinfall);
  INT(match_ends_by_ten_count);
  INT(match_ends_by_first_blood);
  INT(match_ends_by_hitting_turnbuckles);
  INT(match_ends_by_stuffing_in);
  INT(match_ends_by_putting_on);
  INT(match_ends_by_putting_through_table);
  INT(match_barbed_wire);
  INT(match_starts_in_arena);
  INT(match_starts_in_ring);
  INT(match_taped_fists);
  INT(match_object_on_a_pole);
  WriteStamp(json, r.stamp);
  json.EndObject();
}

void WriteStable(JsonWriter& json, const roster::StableRecord& r) {
  // The members stored: never more than the list holds.
  int members = std::min(
      {r.wrestlers_count, roster::kMaxStableWrestlers, store::HeapArrayUpper(r.wrestlers)});
  json.BeginObject();
  INT(number);
  TEXT(sname);
  TEXT(entrance_theme);
  TEXT(exit_theme);
  LIST(managers, roster::kStableManagerSlots);
  INT(managers_count);
  json.IntList("wrestlers", r.wrestlers, 1, members);
  INT(wrestlers_count);
  WriteStamp(json, r.stamp);
  json.EndObject();
}

void WriteTeam(JsonWriter& json, const roster::TeamRecord& r) {
  json.BeginObject();
  INT(number);
  TEXT(tname);
  TEXT(tname_full);
  TEXT(wrestler1);
  TEXT(wrestler2);
  TEXT(finisher);
  INT(finisher_is_simple);
  TEXT(finisher_who_pins);
  INT(finisher_has_lift);
  TEXT(finisher_who_lifts);
  INT(finisher_is_combo);
  INT(finisher_combo1);
  INT(finisher_combo2_is_named);
  INT(finisher_combo2_move);
  TEXT(finisher_combo2_named);
  WriteStamp(json, r.stamp);
  TEXT(entrance_theme);
  TEXT(exit_theme);
  json.EndObject();
}

void WriteCrowdReaction(JsonWriter& json, const roster::CrowdReaction& r) {
  json.BeginObject();
  INT(crowd_kind);
  INT(reaction);
  TEXT(wrestler_name);
  TEXT(text);
  INT(spare);
  json.EndObject();
}

void WriteFieldEntry(JsonWriter& json, const roster::FieldEntry& r) {
  json.BeginObject();
  INT(kind);
  INT(field);
  TEXT(key);
  TEXT(label);
  INT(value_type);
  INT(ref_kind);
  INT(ref_field);
  INT(slots);
  json.EndObject();
}

#undef INT
#undef TEXT
#undef LIST

void WriteRosters(JsonWriter& json) {
  const roster::RosterDatabase& db = roster::Database();
  WriteRoster(json, "managers", db.managers, WriteManager);
  WriteRoster(json, "moves", db.moves, WriteMove);
  WriteRoster(json, "dives", db.dives, WriteDive);
  WriteRoster(json, "wrestlers", db.wrestlers, WriteWrestler);
  WriteRoster(json, "foreign_objects", db.foreign_objects, WriteForeignObject);
  WriteRoster(json, "gimmick_matches", db.gimmick_matches, WriteGimmickMatch);
  WriteRoster(json, "stables", db.stables, WriteStable);
  WriteRoster(json, "teams", db.teams, WriteTeam);
}

void WriteCrowdReactions(JsonWriter& json) {
  const roster::CrowdTable& table = roster::CrowdReactions();
  int count = std::min(table.count, roster::kMaxCrowdReactions);
  json.Key("crowd_reactions");
  json.BeginArray();
  for (int i = 1; i <= count; ++i)
    WriteCrowdReaction(json, table.entries[static_cast<std::size_t>(i)]);
  json.EndArray();
}

void WriteFieldDictionary(JsonWriter& json) {
  const roster::FieldDictionary& dictionary = roster::Dictionary();
  int count = std::min(dictionary.entry_count, roster::kMaxFieldEntries);
  json.Key("field_dictionary");
  json.BeginArray();
  for (int i = 1; i <= count; ++i)
    WriteFieldEntry(json, dictionary.entries[static_cast<std::size_t>(i)]);
  json.EndArray();
}

}  // namespace kzo::exporter
