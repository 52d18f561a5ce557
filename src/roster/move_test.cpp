#include "roster/move.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "roster/roster_test_support.h"

namespace kzo::roster {
namespace {

class MoveLoadTest : public RecordFileTest {
 protected:
  // A move record: name, 14 numbers (d, c, F, w, h, nine style words), 12 lines.
  MoveRecord LoadMove(const std::vector<std::int64_t>& numbers,
                      const std::string& name = "the Sleeper") {
    std::vector<std::string> items{name};
    for (std::size_t i = 0; i < 14; ++i)
      items.push_back(std::to_string(i < numbers.size() ? numbers[i] : 0));
    items.resize(kMoveRecordItems, "discarded");
    return Load<MoveRecord>(LoadMoveRecord, items);
  }
};

// The 31 property flags and the 18 style counters each lie side by side in declared order.
std::int32_t Property(const MoveRecord& record, int k) {
  std::int32_t value;
  std::memcpy(&value,
              reinterpret_cast<const char*>(&record) + offsetof(MoveRecord, throw_off_turnbuckle) +
                  sizeof(std::int32_t) * static_cast<std::size_t>(k),
              sizeof value);
  return value;
}

std::int32_t StyleCounter(const MoveRecord& record, int style, int counter) {
  std::int32_t value;
  std::memcpy(&value,
              reinterpret_cast<const char*>(&record) +
                  offsetof(MoveRecord, style_technician_counter1) +
                  sizeof(std::int32_t) * static_cast<std::size_t>(2 * style + counter - 1),
              sizeof value);
  return value;
}

TEST_F(MoveLoadTest, NamesAndStamp) {
  MoveRecord r = LoadMove({}, "the Sleeper");
  EXPECT_EQ(next_line, "NEXT");
  EXPECT_STREQ(r.mname, "the Sleeper");
  EXPECT_STREQ(r.mname_noarticle, "Sleeper");
  EXPECT_STREQ(r.stamp.source, "Legacy KZO Data");
  EXPECT_STREQ(r.stamp.importer, "KZO 7 For Windows Importer");
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(MoveLoadTest, DamageAndCounterWords) {
  MoveRecord r = LoadMove({1024 + 5 + 2048, (1 << 16) + 42});
  EXPECT_EQ(r.damage, 5);
  EXPECT_EQ(r.is_not_blockable, 1);
  EXPECT_EQ(r.counter1, 42);
  EXPECT_EQ(r.pinfall_move, 1);
  EXPECT_EQ(r.submission_move, 0);
  r = LoadMove({1023, (1 << 17) + (1 << 18) + 7});
  EXPECT_EQ(r.damage, 1023);
  EXPECT_EQ(r.is_not_blockable, 0);
  EXPECT_EQ(r.counter1, 7);
  EXPECT_EQ(r.pinfall_move, 0);
  EXPECT_EQ(r.submission_move, 1);
}

TEST_F(MoveLoadTest, PropertyBitKSetsTheKthPropertyOnly) {
  for (int k = 0; k < 31; ++k) {
    MoveRecord r = LoadMove({0, 0, std::int64_t{1} << k});
    for (int j = 0; j < 31; ++j)
      EXPECT_EQ(Property(r, j), j == k ? 1 : 0) << "bit " << k << " flag " << j;
  }
  EXPECT_EQ(LoadMove({0, 0, 1 << 30}).double_team_followup, 1);
  EXPECT_EQ(LoadMove({0, 0, 1 << 0}).throw_off_turnbuckle, 1);
  MoveRecord r = LoadMove({0, 0, INT32_MIN});  // bit 31 alone
  for (int j = 0; j < 31; ++j) EXPECT_EQ(Property(r, j), 0) << "flag " << j;
}

TEST_F(MoveLoadTest, OpponentLimitsAndSecondCounters) {
  MoveRecord r = LoadMove({0, 0, 0, 0x5A + 0x100, 100 + 128 * 300 + 262144 * 1000});
  EXPECT_EQ(r.opponent_max_weight_class, 10);
  EXPECT_EQ(r.opponent_max_weight_difference, 5);
  EXPECT_EQ(r.opponent_max_height_difference, 19) << "100 is held as 19";
  EXPECT_EQ(r.counter2, 300);
  EXPECT_EQ(r.breakcounter, 1000);
  r = LoadMove({0, 0, 0, 0, -1});
  EXPECT_EQ(r.opponent_max_height_difference, 127);
  EXPECT_EQ(r.counter2, 2047);
  EXPECT_EQ(r.breakcounter, 16383);
  EXPECT_EQ(LoadMove({0, 0, 0, 0, 99}).opponent_max_height_difference, 99);
  EXPECT_EQ(LoadMove({0, 0, 0, 0, 19}).opponent_max_height_difference, 19);
}

TEST_F(MoveLoadTest, StyleCounterWordsInStyleOrder) {
  std::vector<std::int64_t> numbers{0, 0, 0, 0, 0};
  for (int style = 0; style < 9; ++style)
    numbers.push_back((1 << 24) + 4096 * (30 + style) + style + 1);
  MoveRecord r = LoadMove(numbers);
  for (int style = 0; style < 9; ++style) {
    EXPECT_EQ(StyleCounter(r, style, 1), style + 1) << "style " << style;
    EXPECT_EQ(StyleCounter(r, style, 2), 30 + style) << "style " << style;
  }
  EXPECT_EQ(r.style_brawler_counter1, 2);
  EXPECT_EQ(r.style_submissionspecialist_counter2, 38);
}

}  // namespace
}  // namespace kzo::roster
