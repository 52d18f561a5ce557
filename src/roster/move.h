// A move of the legacy roster file "\data\moves.dat", and its loader.
#pragma once

#include <cstdint>

#include "store/stamp.h"
#include "store/text.h"

namespace kzo::roster {

// The items of one move record in "moves.dat".
constexpr int kMoveRecordItems = 27;

// Counters are move numbers (0 = none); flags hold 0 or 1.
struct MoveRecord {
  std::int32_t number;  // the record's slot in the roster
  Text mname;
  Text mname_noarticle;
  std::int32_t damage;  // 0..1023
  std::int32_t is_not_blockable;
  std::int32_t counter1;
  std::int32_t pinfall_move;
  std::int32_t submission_move;
  // The 31 properties, bits 0..30 of the property word in this order.
  std::int32_t throw_off_turnbuckle;
  std::int32_t may_end_match;
  std::int32_t possible_opponent_runs;
  std::int32_t possible_outside_ring;
  std::int32_t is_double_team_move;
  std::int32_t is_setup_for_aerial;
  std::int32_t can_knock_over_ladder;
  std::int32_t must_be_sold;
  std::int32_t opponent_on_turnbuckle;
  std::int32_t brings_to_mat;
  std::int32_t opponent_on_mat;
  std::int32_t opponent_standing;
  std::int32_t no_tights;
  std::int32_t possible_refbump;
  std::int32_t no_ropes;
  std::int32_t possible_through_table;
  std::int32_t possible_selfpin;
  std::int32_t possible_pin_in_move;
  std::int32_t is_illegal;
  std::int32_t possible_off_cage;
  std::int32_t possible_off_ladder;
  std::int32_t possible_off_staircase;
  std::int32_t possible_off_chair;
  std::int32_t possible_with_chair;
  std::int32_t no_rope_break;
  std::int32_t possible_behind_opponent;
  std::int32_t possible_end_up_behind;
  std::int32_t possible_onto_chair;
  std::int32_t possible_wrestler_runs;
  std::int32_t double_team_setup;
  std::int32_t double_team_followup;
  std::int32_t opponent_max_weight_class;       // 0..15
  std::int32_t opponent_max_weight_difference;  // 0..15
  std::int32_t opponent_max_height_difference;  // 0..127, 100 stored as 19
  std::int32_t counter2;
  std::int32_t breakcounter;
  std::int32_t style_technician_counter1;
  std::int32_t style_technician_counter2;
  std::int32_t style_brawler_counter1;
  std::int32_t style_brawler_counter2;
  std::int32_t style_highflyer_counter1;
  std::int32_t style_highflyer_counter2;
  std::int32_t style_powerhouse_counter1;
  std::int32_t style_powerhouse_counter2;
  std::int32_t style_amateurwrestler_counter1;
  std::int32_t style_amateurwrestler_counter2;
  std::int32_t style_rulebreaker_counter1;
  std::int32_t style_rulebreaker_counter2;
  std::int32_t style_oldschool_counter1;
  std::int32_t style_oldschool_counter2;
  std::int32_t style_martialartist_counter1;
  std::int32_t style_martialartist_counter2;
  std::int32_t style_submissionspecialist_counter1;
  std::int32_t style_submissionspecialist_counter2;
  store::ImportStamp stamp;  // source, created, importer, modified
};

// Reads the 27 items of one move record from the open file into record (whose number the
// driver has set) and leaves the file at the next record.
void LoadMoveRecord(int file, MoveRecord& record);

}  // namespace kzo::roster
