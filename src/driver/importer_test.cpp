#include "driver/importer.h"

#include <gtest/gtest.h>

#include "model/circuit.h"
#include "platform/testing/test_env.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::driver {
namespace {

class MatchReportTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    previous = env.WorkingDirectory();
    ASSERT_EQ(env.ChangeDirectory(folder.path()), 0);
  }
  void TearDown() override {
    RunTest::TearDown();
    ASSERT_EQ(env.ChangeDirectory(previous), 0);
  }

  // A show of segments, each given as its kind and result sentence.
  model::ShowRecord* Show(const std::vector<std::pair<const char*, const char*>>& segments) {
    auto* show = store::NewObject<model::ShowRecord>();
    show->match_count = static_cast<std::int32_t>(segments.size());
    show->matches = store::NewList<model::MatchRecord>(show->match_count);
    for (std::size_t m = 1; m <= segments.size(); ++m) {
      model::MatchRecord& match = show->matches[m];
      match.match_type = store::NewRecordString(segments[m - 1].first);
      match.text_line_count = 1;
      match.text_lines = store::NewList<Text>(1);
      match.text_lines[1] = store::NewRecordString(segments[m - 1].second);
    }
    return show;
  }

  platform::TempFolder folder;
  std::string previous;
};

TEST_F(MatchReportTest, EveryMatchWithItsBreakdownAndOnlyTwoKindsSkipped) {
  model::CircuitTable& table = model::Circuits();
  table.count = 2;
  model::CircuitRecord& first = table.records[1];
  first.show_count = 3;
  first.shows = store::NewList<model::ShowRecord*>(3);
  first.shows[1] = Show({{"Singles", "Orrin Vale beat Tuck Masden in 3:10."},
                         {"Comments", "Orrin Vale pinned Nobody."},
                         {"Interview", "Orrin Vale pinned Nobody."},
                         {"comments", "Pim Lorca drew Quill Danby."}});
  first.shows[3] = Show({{"Brawl", "They brawled to the back."}});
  table.records[2].show_count = 1;  // no show records at all
  table.records[2].shows = nullptr;
  WriteMatchReport();
  EXPECT_EQ(folder.Read("matches.txt"),
            "Orrin Vale beat Tuck Masden in 3:10.\r\nOrrin Vale: 1\r\nTuck Masden: -1\r\n\r\n"
            "Pim Lorca drew Quill Danby.\r\nPim Lorca: 2\r\nQuill Danby.: -2\r\n\r\n"
            "They brawled to the back.\r\n\r\n");
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(MatchReportTest, NoCircuitsGiveAnEmptyReport) {
  WriteMatchReport();
  EXPECT_TRUE(folder.Exists("matches.txt"));
  EXPECT_EQ(folder.Read("matches.txt"), "");
}

}  // namespace
}  // namespace kzo::driver
