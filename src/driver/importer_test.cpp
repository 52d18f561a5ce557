#include "driver/importer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "circuits/records/circuit.h"
#include "platform/testing/test_env.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::driver {
namespace {

class MatchReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store::InstallPlatform(env);
    store::BeginObjectHeap();
    circuits::ClearCircuits();
    previous = env.WorkingDirectory();
    ASSERT_EQ(chdir(folder.path().c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(chdir(previous.c_str()), 0); }

  // A show of segments, each given as its kind and result sentence.
  circuits::ShowRecord* Show(const std::vector<std::pair<const char*, const char*>>& segments) {
    auto* show = store::NewObject<circuits::ShowRecord>();
    show->match_count = static_cast<std::int32_t>(segments.size());
    show->matches = store::NewList<circuits::MatchRecord>(show->match_count);
    for (std::size_t m = 1; m <= segments.size(); ++m) {
      circuits::MatchRecord& match = show->matches[m];
      match.match_type = store::NewRecordString(segments[m - 1].first);
      match.text_line_count = 1;
      match.text_lines = store::NewList<Text>(1);
      match.text_lines[1] = store::NewRecordString(segments[m - 1].second);
    }
    return show;
  }

  platform::TestEnv env;
  platform::TempFolder folder;
  std::string previous;
};

TEST_F(MatchReportTest, EveryMatchWithItsBreakdownAndOnlyTwoKindsSkipped) {
  circuits::CircuitTable& table = circuits::Circuits();
  table.count = 2;
  circuits::CircuitRecord& first = table.records[1];
  first.show_count = 3;
  first.shows = store::NewList<circuits::ShowRecord*>(3);
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
