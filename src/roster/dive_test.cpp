#include "roster/dive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/roster_test_support.h"

namespace kzo::roster {
namespace {

class DiveLoadTest : public RecordFileTest {
 protected:
  // A dive record: name, 5 numbers (d, c, F, w, h), 4 lines.
  DiveRecord LoadDive(const std::vector<std::int64_t>& numbers,
                      const std::string& name = "a Moonsault") {
    std::vector<std::string> items{name};
    for (std::size_t i = 0; i < 5; ++i)
      items.push_back(std::to_string(i < numbers.size() ? numbers[i] : 0));
    items.resize(kDiveRecordItems, "discarded");
    return Load<DiveRecord>(LoadDiveRecord, items);
  }
};

TEST_F(DiveLoadTest, DiveKeepsItsSubsetOfTheMoveBits) {
  DiveRecord r = LoadDive({2048 + 1024 + 77, (1 << 16) + 12, 0, 0x3C, 100 + 128 * 5 + (1 << 18)});
  EXPECT_STREQ(r.dname, "a Moonsault");
  EXPECT_EQ(next_line, "NEXT");
  EXPECT_STREQ(r.dname_noarticle, "Moonsault");
  EXPECT_EQ(r.damage, 77);
  EXPECT_EQ(r.counter1, 12);
  EXPECT_EQ(r.opponent_max_weight_class, 12);
  EXPECT_EQ(r.opponent_max_weight_difference, 3);
  EXPECT_EQ(r.opponent_max_height_difference, 100) << "a dive keeps 100";
  EXPECT_EQ(r.counter2, 5);
  EXPECT_STREQ(r.stamp.source, "Legacy KZO Data");
}

using Fields = std::vector<std::string>;

// Two property words that set the dive's bits once between them; the second also sets every
// bit that only a move uses.
TEST_F(DiveLoadTest, PropertyWordSetsItsFieldsBitByBit) {
  constexpr std::int32_t kFirst = (1 << 0) | (1 << 15) | (1 << 20) | (1 << 22);
  EXPECT_EQ(NonZeroFields(LoadDive({0, 0, kFirst}), "dives"),
            (Fields{"throw_off_turnbuckle=1", "possible_through_table=1", "possible_off_ladder=1",
                    "possible_off_chair=1"}));
  EXPECT_EQ(NonZeroFields(LoadDive({0, 0, ~kFirst}), "dives"),
            (Fields{"must_be_sold=1", "possible_off_cage=1", "possible_off_staircase=1",
                    "possible_with_chair=1"}));
}

}  // namespace
}  // namespace kzo::roster
