#include "roster/move.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "driver/run_test_support.h"
#include "platform/testing/test_env.h"
#include "roster/dive.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

class MoveLoadTest : public testing::RunTest {
 protected:
  // Opens a file holding the items, one per line, followed by the line "NEXT".
  int Open(const std::vector<std::string>& items) {
    std::string bytes;
    for (const std::string& item : items) bytes += item + "\r\n";
    folder.Write("records.dat", bytes + "NEXT\r\n");
    int file = store::FreeFile();
    store::OpenFile(folder / "records.dat", store::FileMode::kInput, file);
    return file;
  }

  std::string NextLineAndClose(int file) {
    std::string next(View(store::ReadRecordString(file)));
    store::CloseFile(file);
    return next;
  }

  // A move record: name, 14 numbers (d, c, F, w, h, nine style words), 12 lines.
  MoveRecord LoadMove(const std::vector<std::int64_t>& numbers,
                      const std::string& name = "the Sleeper") {
    std::vector<std::string> items{name};
    for (std::size_t i = 0; i < 14; ++i)
      items.push_back(std::to_string(i < numbers.size() ? numbers[i] : 0));
    for (int i = 0; i < 12; ++i) items.push_back("discarded " + std::to_string(i));
    int file = Open(items);
    MoveRecord record{};
    LoadMoveRecord(file, record);
    EXPECT_EQ(NextLineAndClose(file), "NEXT");
    return record;
  }

  // A dive record: name, 5 numbers (d, c, F, w, h), 4 lines.
  DiveRecord LoadDive(const std::vector<std::int64_t>& numbers,
                      const std::string& name = "a Moonsault") {
    std::vector<std::string> items{name};
    for (std::size_t i = 0; i < 5; ++i)
      items.push_back(std::to_string(i < numbers.size() ? numbers[i] : 0));
    for (int i = 0; i < 4; ++i) items.push_back("discarded " + std::to_string(i));
    int file = Open(items);
    DiveRecord record{};
    LoadDiveRecord(file, record);
    EXPECT_EQ(NextLineAndClose(file), "NEXT");
    return record;
  }

  platform::TempFolder folder;
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

TEST_F(MoveLoadTest, DiveKeepsItsSubsetOfTheMoveBits) {
  DiveRecord r = LoadDive({2048 + 1024 + 77, (1 << 16) + 12, 0, 0x3C, 100 + 128 * 5 + (1 << 18)});
  EXPECT_STREQ(r.dname, "a Moonsault");
  EXPECT_STREQ(r.dname_noarticle, "Moonsault");
  EXPECT_EQ(r.damage, 77);
  EXPECT_EQ(r.counter1, 12);
  EXPECT_EQ(r.opponent_max_weight_class, 12);
  EXPECT_EQ(r.opponent_max_weight_difference, 3);
  EXPECT_EQ(r.opponent_max_height_difference, 100) << "a dive keeps 100";
  EXPECT_EQ(r.counter2, 5);
  EXPECT_STREQ(r.stamp.source, "Legacy KZO Data");
}

TEST_F(MoveLoadTest, DivePropertyBits) {
  struct Case {
    int bit;
    std::int32_t DiveRecord::*field;
  };
  const Case cases[] = {
      {0, &DiveRecord::throw_off_turnbuckle},    {7, &DiveRecord::must_be_sold},
      {15, &DiveRecord::possible_through_table}, {19, &DiveRecord::possible_off_cage},
      {20, &DiveRecord::possible_off_ladder},    {21, &DiveRecord::possible_off_staircase},
      {22, &DiveRecord::possible_off_chair},     {23, &DiveRecord::possible_with_chair},
  };
  for (const Case& c : cases) {
    DiveRecord r = LoadDive({0, 0, std::int64_t{1} << c.bit});
    for (const Case& other : cases)
      EXPECT_EQ(r.*other.field, &other == &c ? 1 : 0) << "bit " << c.bit;
  }
  // The move-only bits set nothing on a dive.
  DiveRecord r = LoadDive({0, 0, ~((1 << 0) | (1 << 7) | (1 << 15) | (0x1F << 19))});
  for (const Case& c : cases) EXPECT_EQ(r.*c.field, 0) << "bit " << c.bit;
}

}  // namespace
}  // namespace kzo::roster
