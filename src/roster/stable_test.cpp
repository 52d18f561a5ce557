#include "roster/stable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/roster_test_support.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

class StableLoadTest : public RecordFileTest {
 protected:
  // A record with the count item as given, the members, four managers and 17 lines.
  StableRecord Load(const std::string& count, const std::vector<int>& members,
                    const std::vector<int>& managers = {0, 0, 0, 0}) {
    std::vector<std::string> items{"The Family", count};
    for (int member : members) items.push_back(std::to_string(member));
    for (int manager : managers) items.push_back(std::to_string(manager));
    items.resize(items.size() + 17, "line");
    return RecordFileTest::Load<StableRecord>(LoadStableRecord, items);
  }
};

TEST_F(StableLoadTest, MembersAsReadZerosIncluded) {
  StableRecord r = Load("3", {4, 0, 9}, {0, 6, 0, 2});
  EXPECT_STREQ(r.sname, "The Family");
  ASSERT_EQ(r.wrestlers_count, 3);
  ASSERT_NE(r.wrestlers, nullptr);
  EXPECT_EQ(store::HeapArrayUpper(r.wrestlers), 3);
  EXPECT_EQ(r.wrestlers[1], 4);
  EXPECT_EQ(r.wrestlers[2], 0);
  EXPECT_EQ(r.wrestlers[3], 9);
  EXPECT_EQ(r.managers, (std::array<std::int32_t, 6>{0, 6, 2, 0, 0, 0}));
  EXPECT_EQ(r.managers_count, 2);
  EXPECT_EQ(r.entrance_theme, nullptr);
  EXPECT_EQ(r.exit_theme, nullptr);
  EXPECT_STREQ(r.stamp.source, "Legacy KZO Data");
  EXPECT_EQ(next_line, "NEXT");
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(StableLoadTest, ManagersArePacked) {
  EXPECT_EQ(Load("0", {}, {0, 0, 0, 0}).managers_count, 0);
  StableRecord r = Load("0", {}, {7, 8, 0, 9});
  EXPECT_EQ(r.managers, (std::array<std::int32_t, 6>{0, 7, 8, 9, 0, 0}));
  EXPECT_EQ(r.managers_count, 3);
}

TEST_F(StableLoadTest, NoMembersReadsTheManagersNext) {
  for (const char* count : {"0", "-2"}) {
    StableRecord r = Load(count, {}, {5, 0, 0, 0});
    EXPECT_EQ(r.wrestlers_count, std::stoi(count)) << "the count is kept as read";
    EXPECT_EQ(r.wrestlers, nullptr);
    EXPECT_EQ(r.managers[1], 5);
    EXPECT_EQ(next_line, "NEXT");
  }
}

TEST_F(StableLoadTest, MembersBeyondTheCapacityAreReadButNotKept) {
  std::vector<int> members;
  for (int i = 1; i <= 1005; ++i) members.push_back(i);
  StableRecord r = Load("1005", members, {3, 0, 0, 0});
  ASSERT_EQ(r.wrestlers_count, 1000);
  EXPECT_EQ(r.wrestlers[1000], 1000);
  EXPECT_EQ(r.managers[1], 3) << "the file stays in step";
  EXPECT_EQ(next_line, "NEXT");
}

TEST_F(StableLoadTest, AGarbageCountStopsAtTheFilesEnd) {
  StableRecord r = Load("2000000000", {1, 2});
  EXPECT_GT(r.wrestlers_count, 0);
  EXPECT_LE(r.wrestlers_count, 1000);
  EXPECT_EQ(r.wrestlers[1], 1);
  EXPECT_FALSE(env.reports.empty()) << "reads past the end are reported";
}

}  // namespace
}  // namespace kzo::roster
