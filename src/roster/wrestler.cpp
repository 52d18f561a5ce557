#include "roster/wrestler.h"

#include <array>
#include <span>

#include "store/bits.h"
#include "store/files.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

constexpr int kManagerItems = 4;
constexpr int kDiveItems = 5;
constexpr int kDiscardedLines = 30;

using FlagBit = store::FlagBit<WrestlerRecord>;

// Flag word A; bits 5..7 hold the finisher's weight class.
constexpr std::array<FlagBit, 11> kFlagsA{{
    {0, &WrestlerRecord::heel_tactics},
    {1, &WrestlerRecord::throw_off_turnbuckle},
    {2, &WrestlerRecord::uses_chairs},
    {3, &WrestlerRecord::out_of_ropes},
    {9, &WrestlerRecord::finisher_opponent_on_mat},
    {10, &WrestlerRecord::finisher_opponent_on_turnbuckle},
    {11, &WrestlerRecord::masked},
    {12, &WrestlerRecord::skins_the_cat},
    {13, &WrestlerRecord::springs_up},
    {14, &WrestlerRecord::wrestler_runs},
    {15, &WrestlerRecord::opponent_runs},
}};

constexpr std::array<FlagBit, 27> kFlagsB{{
    {0, &WrestlerRecord::hulkup},
    {1, &WrestlerRecord::hard_to_pin},
    {2, &WrestlerRecord::has_combo_move},
    {3, &WrestlerRecord::corner_follows_in},
    {4, &WrestlerRecord::special_move_is_illegal},
    {5, &WrestlerRecord::special_move_sets_up_finisher},
    {7, &WrestlerRecord::doesnt_submit},
    {8, &WrestlerRecord::works_crowd},
    {9, &WrestlerRecord::juices},
    {10, &WrestlerRecord::signals_for_finisher},
    {11, &WrestlerRecord::cocky},
    {12, &WrestlerRecord::sits_up},
    {13, &WrestlerRecord::corner_has_move_out_of_corner},
    {14, &WrestlerRecord::corner_has_counter_move},
    {15, &WrestlerRecord::corner_opponent_has_to_move},
    {16, &WrestlerRecord::corner_moves_exist},
    {17, &WrestlerRecord::finisher_outside_ring},
    {18, &WrestlerRecord::hardcore_wrestler},
    {19, &WrestlerRecord::does_moves_through_tables},
    {20, &WrestlerRecord::finisher_through_table},
    {21, &WrestlerRecord::begs_off},
    {22, &WrestlerRecord::walks_out},
    {23, &WrestlerRecord::rarely_submits},
    {24, &WrestlerRecord::no_sells},
    {25, &WrestlerRecord::springs_off_chairs},
    {26, &WrestlerRecord::finisher_no_rope_break},
    {27, &WrestlerRecord::secondary_finisher_gives_sign},
}};

constexpr std::array<FlagBit, 10> kFlagsC{{
    {0, &WrestlerRecord::style_no_default},
    {1, &WrestlerRecord::style_technician},
    {2, &WrestlerRecord::style_brawler},
    {3, &WrestlerRecord::style_highflyer},
    {4, &WrestlerRecord::style_powerhouse},
    {5, &WrestlerRecord::style_amateurwrestler},
    {6, &WrestlerRecord::style_rulebreaker},
    {7, &WrestlerRecord::style_oldschool},
    {8, &WrestlerRecord::style_martialartist},
    {9, &WrestlerRecord::style_submissionspecialist},
}};

// Reads a flag word into its one-bit fields and returns it for its wider fields.
std::int32_t ReadFlagWord(int file, WrestlerRecord& record, std::span<const FlagBit> flags) {
  std::int32_t word = store::ReadNumber(file);
  store::SetFlagBits(record, word, flags);
  return word;
}

// The non-zero move numbers of the 50 items fill slots 1..moves_count in file order: a
// zero is written where the next number goes and overwritten by it.
void ReadMoves(int file, WrestlerRecord& record) {
  std::size_t slot = 1;
  for (int i = 0; i < kWrestlerMoveSlots; ++i) {
    std::int32_t move = store::ReadNumber(file);
    record.moves[slot] = move;
    if (move != 0) ++slot;
  }
  record.moves_count = static_cast<std::int32_t>(slot) - 1;
}

// Reads count numbers into slots 1..count as they come, zeros in place, and returns the
// number of non-zero slots.
template <std::size_t N>
std::int32_t ReadFixedSlots(int file, std::array<std::int32_t, N>& slots, int count) {
  std::int32_t assigned = 0;
  for (int i = 1; i <= count; ++i) {
    slots[static_cast<std::size_t>(i)] = store::ReadNumber(file);
    if (slots[static_cast<std::size_t>(i)] != 0) ++assigned;
  }
  return assigned;
}

void ReadFinisher(int file, WrestlerRecord& record) {
  record.finisher = store::ReadRecordString(file);
  std::int32_t counters1 = store::ReadNumber(file);
  record.counter1 = store::GETBITS(counters1, 0, 15);
  record.is_submission_move = store::GETBITS(counters1, 16, 16);
  std::int32_t counters2 = store::ReadNumber(file);
  record.counter2 = store::GETBITS(counters2, 0, 15);
  record.counter3 = store::GETBITS(counters2, 16, 30);
  record.similar_to = store::GETBITS(store::ReadNumber(file), 0, 15);
}

}  // namespace

void LoadWrestlerRecord(int file, WrestlerRecord& record) {
  store::Procedure procedure("LOADWRES");
  record.wname = store::ReadRecordString(file);
  record.abbreviation = store::ReadRecordString(file);
  ReadMoves(file, record);
  ReadFinisher(file, record);
  record.workrate = store::ReadNumber(file);
  record.push = store::ReadNumber(file);
  record.charisma = store::ReadNumber(file);
  record.foreign_object = store::ReadRecordString(file);
  record.managers_count = ReadFixedSlots(file, record.managers, kManagerItems);
  record.stamina = store::ReadNumber(file);
  record.setup_move = store::ReadNumber(file);
  record.weight = store::ReadNumber(file);
  std::int32_t flags_a = ReadFlagWord(file, record, kFlagsA);
  record.finisher_opponent_max_weight = store::GETBITS(flags_a, 5, 7) + 1;
  record.finisher_like_move = store::ReadNumber(file);
  ReadFlagWord(file, record, kFlagsB);
  std::int32_t combo = store::ReadNumber(file);
  record.combo_setup = store::GETBITS(combo, 16, 30);
  record.combo_followup = store::GETBITS(combo, 0, 15);
  record.cross_corner_move = store::ReadNumber(file);
  record.working_crowd_string = store::ReadRecordString(file);
  record.specialmove = store::ReadRecordString(file);
  record.corner_move1 = store::ReadNumber(file);
  record.corner_move2 = store::ReadNumber(file);
  record.corner_move3 = store::ReadNumber(file);
  record.nickname = store::ReadRecordString(file);
  record.is_female = store::ReadNumber(file);
  record.hometown = store::ReadRecordString(file);
  record.height = store::ReadRecordString(file);
  record.build = store::ReadRecordString(file);
  record.entrance_theme = store::ReadRecordString(file);
  record.dives_count = ReadFixedSlots(file, record.dives, kDiveItems);
  store::ReadLine(file);
  ReadFlagWord(file, record, kFlagsC);
  store::WriteImportStamp(record.stamp);
  store::SkipLines(file, kDiscardedLines);
}

}  // namespace kzo::roster
