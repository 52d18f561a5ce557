#include "roster/wrestler.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "roster/roster_test_support.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

class WrestlerLoadTest : public RecordFileTest {
 protected:
  void SetUp() override {
    RecordFileTest::SetUp();
    // Line items hold "L<item number>", numbers 0.
    items.assign(kWrestlerRecordItems, "0");
    for (int item : {1, 2, 53, 60, 73, 74, 78, 80, 81, 82, 83, 89})
      Set(item, "L" + std::to_string(item));
    for (int item = 91; item <= kWrestlerRecordItems; ++item) Set(item, "L" + std::to_string(item));
  }

  void Set(int item, std::string value) {
    items[static_cast<std::size_t>(item - 1)] = std::move(value);
  }

  WrestlerRecord Load() { return RecordFileTest::Load<WrestlerRecord>(LoadWrestlerRecord, items); }

  std::vector<std::string> items;
};

TEST_F(WrestlerLoadTest, ItemsLandInTheirFieldsAndTheFileStaysInStep) {
  const int numbers[] = {57, 58, 59, 65, 66, 67, 69, 72, 75, 76, 77, 79};
  for (int item : numbers) Set(item, std::to_string(item * 10));
  WrestlerRecord r = Load();
  EXPECT_STREQ(r.wname, "L1");
  EXPECT_STREQ(r.abbreviation, "L2");
  EXPECT_STREQ(r.finisher, "L53");
  EXPECT_STREQ(r.foreign_object, "L60");
  EXPECT_STREQ(r.working_crowd_string, "L73");
  EXPECT_STREQ(r.specialmove, "L74");
  EXPECT_STREQ(r.nickname, "L78");
  EXPECT_STREQ(r.hometown, "L80");
  EXPECT_STREQ(r.height, "L81");
  EXPECT_STREQ(r.build, "L82");
  EXPECT_STREQ(r.entrance_theme, "L83");
  EXPECT_EQ(r.workrate, 570);
  EXPECT_EQ(r.push, 580);
  EXPECT_EQ(r.charisma, 590);
  EXPECT_EQ(r.stamina, 650);
  EXPECT_EQ(r.setup_move, 660);
  EXPECT_EQ(r.weight, 670);
  EXPECT_EQ(r.finisher_like_move, 690);
  EXPECT_EQ(r.cross_corner_move, 720);
  EXPECT_EQ(r.corner_move1, 750);
  EXPECT_EQ(r.corner_move2, 760);
  EXPECT_EQ(r.corner_move3, 770);
  EXPECT_EQ(r.is_female, 790);
  EXPECT_EQ(r.wname_full, nullptr);
  EXPECT_EQ(r.exit_theme, nullptr);
  EXPECT_STREQ(r.stamp.source, "Legacy KZO Data");
  EXPECT_STREQ(r.stamp.importer, "KZO 7 For Windows Importer");
  EXPECT_EQ(r.stamp.created, 0);
  EXPECT_EQ(r.stamp.modified, 0);
  EXPECT_EQ(next_line, "NEXT");
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(WrestlerLoadTest, MoveListKeepsTheNonZeroNumbersInOrder) {
  struct Case {
    std::vector<int> given;  // items 3.. in order; the rest of the 50 are 0
    std::vector<int> slots;  // expected slots 1..moves_count
  };
  std::vector<int> fifty;
  for (int i = 1; i <= 50; ++i) fifty.push_back(100 + i);
  const Case cases[] = {
      {{5, 0, 7}, {5, 7}},
      {{}, {}},
      {{0, 0, 0, 0, 9}, {9}},
      {fifty, fifty},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 50; ++i) Set(3 + i, "0");
    for (std::size_t i = 0; i < c.given.size(); ++i)
      Set(3 + static_cast<int>(i), std::to_string(c.given[i]));
    WrestlerRecord r = Load();
    ASSERT_EQ(r.moves_count, static_cast<int>(c.slots.size()));
    for (std::size_t i = 0; i < c.slots.size(); ++i) EXPECT_EQ(r.moves[i + 1], c.slots[i]);
    for (std::size_t i = c.slots.size() + 1; i <= 50; ++i) EXPECT_EQ(r.moves[i], 0) << "slot " << i;
    EXPECT_EQ(r.moves[0], 0);
    EXPECT_EQ(next_line, "NEXT");
  }
}

TEST_F(WrestlerLoadTest, ManagersAndDivesKeepTheirPlacesAndAreCounted) {
  const char* managers[] = {"0", "3", "0", "4"};
  const char* dives[] = {"2", "0", "0", "6", "8"};
  for (int i = 0; i < 4; ++i) Set(61 + i, managers[i]);
  for (int i = 0; i < 5; ++i) Set(84 + i, dives[i]);
  WrestlerRecord r = Load();
  EXPECT_EQ(r.managers, (std::array<std::int32_t, 6>{0, 0, 3, 0, 4, 0}));
  EXPECT_EQ(r.dives, (std::array<std::int32_t, 7>{0, 2, 0, 0, 6, 8, 0}));
  EXPECT_EQ(r.managers_count, 2);
  EXPECT_EQ(r.dives_count, 3);
}

TEST_F(WrestlerLoadTest, SplitCounterWords) {
  Set(54, std::to_string(65536 * 1 + 300));  // is_submission_move, counter1
  Set(55, std::to_string(65536 * 12 + 7));
  Set(56, std::to_string(65536 * 3 + 9));  // bits above 15 of similar_to dropped
  Set(71, std::to_string(65536 * 4 + 5));
  WrestlerRecord r = Load();
  EXPECT_EQ(r.counter1, 300);
  EXPECT_EQ(r.is_submission_move, 1);
  EXPECT_EQ(r.counter2, 7);
  EXPECT_EQ(r.counter3, 12);
  EXPECT_EQ(r.similar_to, 9);
  EXPECT_EQ(r.combo_setup, 4);
  EXPECT_EQ(r.combo_followup, 5);

  // Every bit set: bit 31 never reaches a field, bit 17 of c1 is no flag.
  for (int item : {54, 55, 56, 71}) Set(item, "-1");
  r = Load();
  EXPECT_EQ(r.counter1, 65535);
  EXPECT_EQ(r.is_submission_move, 1);
  EXPECT_EQ(r.counter2, 65535);
  EXPECT_EQ(r.counter3, 32767);
  EXPECT_EQ(r.similar_to, 65535);
  EXPECT_EQ(r.combo_setup, 32767);
  EXPECT_EQ(r.combo_followup, 65535);
}

TEST_F(WrestlerLoadTest, FinisherWeightClassIsBitsFiveToSevenPlusOne) {
  const std::pair<int, int> cases[] = {{0, 1}, {0xE0, 8}, {0x40, 3}, {0x11F, 1}};
  for (auto [word, weight] : cases) {
    Set(68, std::to_string(word));
    EXPECT_EQ(Load().finisher_opponent_max_weight, weight) << "word " << word;
  }
}

using Fields = std::vector<std::string>;

// Two records that set every bit of the flag words A (item 68), B (item 70) and C (item 90)
// once between them; the second also sets the bits the words ignore (A 4, 8, 16..31; B 6,
// 28..31; C 10..31). The fields each sets, in the record's order:
TEST_F(WrestlerLoadTest, FlagWordsSetTheirFieldsBitByBit) {
  Set(68, "43621");     // A: bits 0, 2, 9, 11, 13, 15; weight class bits 5..7 = 3
  Set(70, "89478485");  // B: bits 0, 2, 4, ..., 26
  Set(90, "341");       // C: bits 0, 2, 4, 6, 8
  EXPECT_EQ(NonZeroFields(Load(), "wrestlers"), (Fields{"heel_tactics=1",
                                                        "uses_chairs=1",
                                                        "finisher_opponent_max_weight=4",
                                                        "finisher_opponent_on_mat=1",
                                                        "masked=1",
                                                        "hulkup=1",
                                                        "has_combo_move=1",
                                                        "special_move_is_illegal=1",
                                                        "works_crowd=1",
                                                        "signals_for_finisher=1",
                                                        "sits_up=1",
                                                        "corner_has_counter_move=1",
                                                        "corner_moves_exist=1",
                                                        "walks_out=1",
                                                        "no_sells=1",
                                                        "finisher_no_rope_break=1",
                                                        "style_no_default=1",
                                                        "style_brawler=1",
                                                        "style_powerhouse=1",
                                                        "style_rulebreaker=1",
                                                        "style_martialartist=1",
                                                        "hardcore_wrestler=1",
                                                        "finisher_through_table=1",
                                                        "springs_up=1",
                                                        "opponent_runs=1"}));
  Set(68, "87322");      // A: bits 1, 3, 10, 12, 14 and 4, 8, 16
  Set(70, "-89478422");  // B: bits 1, 3, 5, ..., 27 and 6, 28..31
  Set(90, "-342");       // C: bits 1, 3, 5, 7, 9 and 10..31
  EXPECT_EQ(NonZeroFields(Load(), "wrestlers"), (Fields{"throw_off_turnbuckle=1",
                                                        "out_of_ropes=1",
                                                        "finisher_opponent_max_weight=1",
                                                        "finisher_opponent_on_turnbuckle=1",
                                                        "hard_to_pin=1",
                                                        "corner_follows_in=1",
                                                        "special_move_sets_up_finisher=1",
                                                        "doesnt_submit=1",
                                                        "juices=1",
                                                        "cocky=1",
                                                        "corner_opponent_has_to_move=1",
                                                        "finisher_outside_ring=1",
                                                        "begs_off=1",
                                                        "rarely_submits=1",
                                                        "springs_off_chairs=1",
                                                        "secondary_finisher_gives_sign=1",
                                                        "style_technician=1",
                                                        "style_highflyer=1",
                                                        "style_amateurwrestler=1",
                                                        "style_oldschool=1",
                                                        "style_submissionspecialist=1",
                                                        "corner_has_move_out_of_corner=1",
                                                        "does_moves_through_tables=1",
                                                        "skins_the_cat=1",
                                                        "wrestler_runs=1"}));
}

TEST_F(WrestlerLoadTest, ATruncatedRecordReportsAndYieldsZeros) {
  items.resize(10);
  WrestlerRecord r = Load();
  EXPECT_FALSE(env.reports.empty());
  EXPECT_EQ(r.workrate, 0);
  EXPECT_STREQ(r.hometown, "");
}

}  // namespace
}  // namespace kzo::roster
