#include "roster/wrestler.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "driver/run_test_support.h"
#include "platform/testing/test_env.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

constexpr int kItems = 120;

class WrestlerLoadTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    // Line items hold "L<item number>", numbers 0.
    for (int item = 1; item <= kItems; ++item) items.push_back("0");
    for (int item : {1, 2, 53, 60, 73, 74, 78, 80, 81, 82, 83, 89})
      Set(item, "L" + std::to_string(item));
    for (int item = 91; item <= kItems; ++item) Set(item, "L" + std::to_string(item));
  }

  void Set(int item, std::string value) {
    items[static_cast<std::size_t>(item - 1)] = std::move(value);
  }

  // Loads the record, followed in the file by the line "NEXT".
  WrestlerRecord Load() {
    std::string bytes;
    for (const std::string& item : items) bytes += item + "\r\n";
    folder.Write("wrestlrs.dat", bytes + "NEXT\r\n");
    int file = store::FreeFile();
    store::OpenFile(folder / "wrestlrs.dat", store::FileMode::kInput, file);
    WrestlerRecord record{};
    LoadWrestlerRecord(file, record);
    next_line = View(store::ReadRecordString(file));
    store::CloseFile(file);
    return record;
  }

  platform::TempFolder folder;
  std::vector<std::string> items;
  std::string next_line;
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

struct FlagBit {
  int item;  // 68 word A, 70 word B, 90 word C
  int bit;
  std::int32_t WrestlerRecord::*field;
  const char* name;
};

#define FLAG(item, bit, name) \
  { item, bit, &WrestlerRecord::name, #name }
const FlagBit kFlagBits[] = {
    FLAG(68, 0, heel_tactics),
    FLAG(68, 1, throw_off_turnbuckle),
    FLAG(68, 2, uses_chairs),
    FLAG(68, 3, out_of_ropes),
    FLAG(68, 9, finisher_opponent_on_mat),
    FLAG(68, 10, finisher_opponent_on_turnbuckle),
    FLAG(68, 11, masked),
    FLAG(68, 12, skins_the_cat),
    FLAG(68, 13, springs_up),
    FLAG(68, 14, wrestler_runs),
    FLAG(68, 15, opponent_runs),
    FLAG(70, 0, hulkup),
    FLAG(70, 1, hard_to_pin),
    FLAG(70, 2, has_combo_move),
    FLAG(70, 3, corner_follows_in),
    FLAG(70, 4, special_move_is_illegal),
    FLAG(70, 5, special_move_sets_up_finisher),
    FLAG(70, 7, doesnt_submit),
    FLAG(70, 8, works_crowd),
    FLAG(70, 9, juices),
    FLAG(70, 10, signals_for_finisher),
    FLAG(70, 11, cocky),
    FLAG(70, 12, sits_up),
    FLAG(70, 13, corner_has_move_out_of_corner),
    FLAG(70, 14, corner_has_counter_move),
    FLAG(70, 15, corner_opponent_has_to_move),
    FLAG(70, 16, corner_moves_exist),
    FLAG(70, 17, finisher_outside_ring),
    FLAG(70, 18, hardcore_wrestler),
    FLAG(70, 19, does_moves_through_tables),
    FLAG(70, 20, finisher_through_table),
    FLAG(70, 21, begs_off),
    FLAG(70, 22, walks_out),
    FLAG(70, 23, rarely_submits),
    FLAG(70, 24, no_sells),
    FLAG(70, 25, springs_off_chairs),
    FLAG(70, 26, finisher_no_rope_break),
    FLAG(70, 27, secondary_finisher_gives_sign),
    FLAG(90, 0, style_no_default),
    FLAG(90, 1, style_technician),
    FLAG(90, 2, style_brawler),
    FLAG(90, 3, style_highflyer),
    FLAG(90, 4, style_powerhouse),
    FLAG(90, 5, style_amateurwrestler),
    FLAG(90, 6, style_rulebreaker),
    FLAG(90, 7, style_oldschool),
    FLAG(90, 8, style_martialartist),
    FLAG(90, 9, style_submissionspecialist),
};
#undef FLAG

TEST_F(WrestlerLoadTest, EachFlagComesFromItsOwnBit) {
  for (const FlagBit& flag : kFlagBits) {
    for (int item : {68, 70, 90}) Set(item, "0");
    Set(flag.item, std::to_string(1 << flag.bit));
    WrestlerRecord r = Load();
    for (const FlagBit& other : kFlagBits) {
      EXPECT_EQ(r.*other.field, &other == &flag ? 1 : 0)
          << "item " << flag.item << " bit " << flag.bit << " (" << flag.name << ") sets "
          << other.name;
    }
    EXPECT_EQ(r.finisher_opponent_max_weight, 1);
  }
}

TEST_F(WrestlerLoadTest, UnusedBitsOfTheFlagWordsSetNothing) {
  Set(68, std::to_string(static_cast<std::int32_t>(0xFFFF0110u)));  // bits 4, 8, 16..31
  Set(70, std::to_string(static_cast<std::int32_t>(0xF0000040u)));  // bits 6, 28..31
  Set(90, std::to_string(static_cast<std::int32_t>(0xFFFFFC00u)));  // bits 10..31
  WrestlerRecord r = Load();
  for (const FlagBit& flag : kFlagBits) EXPECT_EQ(r.*flag.field, 0) << flag.name;
  EXPECT_EQ(r.finisher_opponent_max_weight, 1);
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
