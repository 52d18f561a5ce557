#include "roster/move.h"

#include <array>

#include "roster/article.h"
#include "store/bits.h"
#include "store/files.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

constexpr int kDiscardedLines = 12;

// The legacy files write 100 for a height differential that the model holds as 19.
constexpr std::int32_t kLegacyHeightDifference = 100;
constexpr std::int32_t kModelHeightDifference = 19;

// The property word: bit k sets the k-th property.
constexpr std::array<std::int32_t MoveRecord::*, 31> kPropertyBits{
    &MoveRecord::throw_off_turnbuckle,
    &MoveRecord::may_end_match,
    &MoveRecord::possible_opponent_runs,
    &MoveRecord::possible_outside_ring,
    &MoveRecord::is_double_team_move,
    &MoveRecord::is_setup_for_aerial,
    &MoveRecord::can_knock_over_ladder,
    &MoveRecord::must_be_sold,
    &MoveRecord::opponent_on_turnbuckle,
    &MoveRecord::brings_to_mat,
    &MoveRecord::opponent_on_mat,
    &MoveRecord::opponent_standing,
    &MoveRecord::no_tights,
    &MoveRecord::possible_refbump,
    &MoveRecord::no_ropes,
    &MoveRecord::possible_through_table,
    &MoveRecord::possible_selfpin,
    &MoveRecord::possible_pin_in_move,
    &MoveRecord::is_illegal,
    &MoveRecord::possible_off_cage,
    &MoveRecord::possible_off_ladder,
    &MoveRecord::possible_off_staircase,
    &MoveRecord::possible_off_chair,
    &MoveRecord::possible_with_chair,
    &MoveRecord::no_rope_break,
    &MoveRecord::possible_behind_opponent,
    &MoveRecord::possible_end_up_behind,
    &MoveRecord::possible_onto_chair,
    &MoveRecord::possible_wrestler_runs,
    &MoveRecord::double_team_setup,
    &MoveRecord::double_team_followup,
};

struct StyleCounters {
  std::int32_t MoveRecord::*counter1;
  std::int32_t MoveRecord::*counter2;
};

// One counter word per style, in file order.
constexpr std::array<StyleCounters, 9> kStyleWords{{
    {&MoveRecord::style_technician_counter1, &MoveRecord::style_technician_counter2},
    {&MoveRecord::style_brawler_counter1, &MoveRecord::style_brawler_counter2},
    {&MoveRecord::style_highflyer_counter1, &MoveRecord::style_highflyer_counter2},
    {&MoveRecord::style_powerhouse_counter1, &MoveRecord::style_powerhouse_counter2},
    {&MoveRecord::style_amateurwrestler_counter1, &MoveRecord::style_amateurwrestler_counter2},
    {&MoveRecord::style_rulebreaker_counter1, &MoveRecord::style_rulebreaker_counter2},
    {&MoveRecord::style_oldschool_counter1, &MoveRecord::style_oldschool_counter2},
    {&MoveRecord::style_martialartist_counter1, &MoveRecord::style_martialartist_counter2},
    {&MoveRecord::style_submissionspecialist_counter1,
     &MoveRecord::style_submissionspecialist_counter2},
}};

void ReadDamageAndCounter(int file, MoveRecord& record) {
  std::int32_t damage = store::ReadNumber(file);
  record.damage = store::GETBITS(damage, 0, 9);
  record.is_not_blockable = store::GETBITS(damage, 10, 10);
  std::int32_t counter = store::ReadNumber(file);
  record.counter1 = store::GETBITS(counter, 0, 15);
  record.pinfall_move = store::GETBITS(counter, 16, 16);
  record.submission_move = store::GETBITS(counter, 17, 17);
}

void ReadProperties(int file, MoveRecord& record) {
  std::int32_t word = store::ReadNumber(file);
  for (std::size_t bit = 0; bit < kPropertyBits.size(); ++bit) {
    int b = static_cast<int>(bit);
    record.*kPropertyBits[bit] = store::GETBITS(word, b, b);
  }
}

void ReadOpponentLimits(int file, MoveRecord& record) {
  std::int32_t weight = store::ReadNumber(file);
  record.opponent_max_weight_class = store::GETBITS(weight, 0, 3);
  record.opponent_max_weight_difference = store::GETBITS(weight, 4, 7);
  std::int32_t height = store::ReadNumber(file);
  std::int32_t difference = store::GETBITS(height, 0, 6);
  record.opponent_max_height_difference =
      difference == kLegacyHeightDifference ? kModelHeightDifference : difference;
  record.counter2 = store::GETBITS(height, 7, 17);
  record.breakcounter = store::GETBITS(height, 18, 31);
}

void ReadStyleCounters(int file, MoveRecord& record) {
  for (const StyleCounters& style : kStyleWords) {
    std::int32_t word = store::ReadNumber(file);
    record.*style.counter1 = store::GETBITS(word, 0, 11);
    record.*style.counter2 = store::GETBITS(word, 12, 23);
  }
}

}  // namespace

void LoadMoveRecord(int file, MoveRecord& record) {
  store::Procedure procedure("LOADMOVE");
  record.mname = store::ReadRecordString(file);
  record.mname_noarticle = RemoveArticle(record.mname);
  ReadDamageAndCounter(file, record);
  ReadProperties(file, record);
  ReadOpponentLimits(file, record);
  ReadStyleCounters(file, record);
  store::WriteImportStamp(record.stamp);
  store::SkipLines(file, kDiscardedLines);
}

}  // namespace kzo::roster
