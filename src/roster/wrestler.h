// A wrestler of the legacy roster file "\data\wrestlrs.dat", and its loader.
#pragma once

#include <array>
#include <cstdint>

#include "store/stamp.h"
#include "store/text.h"

namespace kzo::roster {

constexpr int kWrestlerMoveSlots = 50;
constexpr int kWrestlerManagerSlots = 5;
constexpr int kWrestlerDiveSlots = 6;
// The items of one wrestler record in "wrestlrs.dat".
constexpr int kWrestlerRecordItems = 120;

// Lists have slots 1..n; slot 0 is never used. Move, manager and dive numbers index their
// rosters, 0 meaning none. Flags hold 0 or 1.
struct WrestlerRecord {
  std::array<std::int32_t, kWrestlerMoveSlots + 1> moves;  // slots 1..moves_count in use
  std::array<std::int32_t, kWrestlerManagerSlots + 1> managers;
  std::array<std::int32_t, kWrestlerDiveSlots + 1> dives;
  std::int32_t moves_count;
  std::int32_t dives_count;     // non-zero dive slots
  std::int32_t managers_count;  // non-zero manager slots
  std::int32_t wnr;             // the record's slot in the roster
  Text wname;
  Text wname_full;
  Text abbreviation;
  Text finisher;
  std::int32_t workrate;
  std::int32_t push;
  std::int32_t charisma;
  Text foreign_object;
  std::int32_t stamina;
  std::int32_t weight;
  Text specialmove;
  Text nickname;
  Text hometown;
  Text height;
  Text build;
  Text entrance_theme;
  Text exit_theme;
  std::int32_t counter1;
  std::int32_t counter2;
  std::int32_t counter3;
  std::int32_t is_submission_move;
  std::int32_t similar_to;
  std::int32_t setup_move;
  std::int32_t heel_tactics;
  std::int32_t throw_off_turnbuckle;
  std::int32_t uses_chairs;
  std::int32_t out_of_ropes;
  std::int32_t finisher_opponent_max_weight;  // weight class 1..8
  std::int32_t finisher_opponent_on_mat;
  std::int32_t finisher_opponent_on_turnbuckle;
  std::int32_t masked;
  std::int32_t hulkup;
  std::int32_t hard_to_pin;
  std::int32_t has_combo_move;
  std::int32_t corner_follows_in;
  std::int32_t special_move_is_illegal;
  std::int32_t special_move_sets_up_finisher;
  std::int32_t doesnt_submit;
  std::int32_t works_crowd;
  std::int32_t juices;
  std::int32_t signals_for_finisher;
  std::int32_t cocky;
  std::int32_t sits_up;
  std::int32_t corner_has_counter_move;
  std::int32_t corner_opponent_has_to_move;
  std::int32_t corner_moves_exist;
  std::int32_t finisher_outside_ring;
  std::int32_t begs_off;
  std::int32_t walks_out;
  std::int32_t rarely_submits;
  std::int32_t no_sells;
  std::int32_t springs_off_chairs;
  std::int32_t finisher_no_rope_break;
  std::int32_t secondary_finisher_gives_sign;
  std::int32_t finisher_like_move;
  std::int32_t combo_setup;
  std::int32_t combo_followup;
  std::int32_t cross_corner_move;
  Text working_crowd_string;
  std::int32_t corner_move1;
  std::int32_t corner_move2;
  std::int32_t corner_move3;
  std::int32_t is_female;
  std::int32_t style_no_default;
  std::int32_t style_technician;
  std::int32_t style_brawler;
  std::int32_t style_highflyer;
  std::int32_t style_powerhouse;
  std::int32_t style_amateurwrestler;
  std::int32_t style_rulebreaker;
  std::int32_t style_oldschool;
  std::int32_t style_martialartist;
  std::int32_t style_submissionspecialist;
  std::int32_t corner_has_move_out_of_corner;
  std::int32_t hardcore_wrestler;
  std::int32_t does_moves_through_tables;
  std::int32_t finisher_through_table;
  store::ImportStamp stamp;  // source, created, importer, modified
  std::int32_t skins_the_cat;
  std::int32_t springs_up;
  std::int32_t wrestler_runs;
  std::int32_t opponent_runs;
};

// Reads the 120 items of one wrestler record from the open file into record (whose wnr
// the driver has set) and leaves the file at the next record.
void LoadWrestlerRecord(int file, WrestlerRecord& record);

}  // namespace kzo::roster
