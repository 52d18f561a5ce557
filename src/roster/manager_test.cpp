#include "roster/manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/roster_test_support.h"

namespace kzo::roster {
namespace {

class ManagerLoadTest : public RecordFileTest {
 protected:
  ManagerRecord LoadManager(int word) {
    std::vector<std::string> items{"Sly Fox", "Cane", std::to_string(word)};
    items.resize(kManagerRecordItems, "line");
    return Load<ManagerRecord>(LoadManagerRecord, items);
  }
};

TEST_F(ManagerLoadTest, ManagerWord) {
  ManagerRecord r = LoadManager(1 + 2 * 7 + 32 * 9);  // 303
  EXPECT_STREQ(r.maname, "Sly Fox");
  EXPECT_EQ(next_line, "NEXT");
  EXPECT_STREQ(r.foreign_object, "Cane");
  EXPECT_EQ(r.is_female, 1);
  EXPECT_EQ(r.interference_rating, 7);
  EXPECT_EQ(r.toughness_rating, 9);
  EXPECT_EQ(r.stealthiness_rating, 5);
  EXPECT_STREQ(r.stamp.source, "Legacy KZO Data");
  r = LoadManager(-512);  // bits 9..31 only
  EXPECT_EQ(r.is_female, 0);
  EXPECT_EQ(r.interference_rating, 0);
  EXPECT_EQ(r.toughness_rating, 0);
  EXPECT_TRUE(env.reports.empty());
}

}  // namespace
}  // namespace kzo::roster
