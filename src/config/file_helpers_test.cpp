#include "config/file_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/test_env.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::config {
namespace {

// Existing files cannot be opened, as without read permission.
struct UnreadableEnv : platform::TestEnv {
  platform::OpenResult Open(std::string_view, platform::OpenMode) override { return {0, 70}; }
};

class FileHelpersTest : public testing::RunTest {
 protected:
  UnreadableEnv unreadable;
  platform::TempFolder folder;
};

TEST_F(FileHelpersTest, SafeOpenOpensAnExistingFileInAnyLetterCase) {
  folder.Write("CARD.INF", "7\r\n");
  int file = SAFEOPEN(folder / "card.inf");
  ASSERT_NE(file, 0);
  EXPECT_EQ(store::ReadNumber(file), 7);
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(FileHelpersTest, SafeOpenOfNoRegularFileOpensNothingAndReportsNothing) {
  folder.Write("card.inf", "");
  folder.MakeFolder("data");
  for (std::string name : {folder / "missing.inf", folder / "nowhere/card.inf", folder / "data",
                           folder / "card.*", std::string("")}) {
    EXPECT_EQ(SAFEOPEN(name), 0) << name;
  }
  EXPECT_FALSE(store::IsFileOpen(1));
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(FileHelpersTest, ExistingFileThatFailsToOpenIsReportedAndItsNumberReturned) {
  store::BeginRun(unreadable);
  folder.Write("card.inf", "7\r\n");
  EXPECT_EQ(SAFEOPEN(folder / "card.inf"), 1);
  EXPECT_FALSE(store::IsFileOpen(1));
  EXPECT_EQ(unreadable.reports, std::vector<std::string>{store::ErrorReportText(70, "SAFEOPEN")});
}

TEST_F(FileHelpersTest, MsgBoxWritesTheBytesAndOneLineEnd) {
  MSGBOX("skipped: a\\b \x82");
  MSGBOX("");
  EXPECT_EQ(env.console, "skipped: a\\b \x82\r\n\r\n");
  EXPECT_TRUE(env.reports.empty());
}

}  // namespace
}  // namespace kzo::config
