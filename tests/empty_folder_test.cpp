// The importer on an installation that holds nothing at all.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/test_env.h"
#include "support/run_program.h"

namespace kzo {
namespace {

std::string Report(int number, const char* description) {
  return "Untrapped Error #" + std::to_string(number) + " (" + description +
         ")\r\nhas occurred following execution of LOADDBS \r\n\r\nPress OK to continue, "
         "Cancel to terminate\r\n";
}

TEST(EmptyFolderTest, EveryRosterFileIsReportedMissingAndTheReportIsEmpty) {
  platform::TempFolder folder;
  testing::ProgramRun run = testing::RunProgram(KZO_IMPORT_PROGRAM, {}, folder.path());
  EXPECT_EQ(run.exit_code, 0);
  std::string expected;
  for (int file = 0; file < 8; ++file) {
    expected += Report(76, "Path not found") + Report(52, "Bad file name or number");
  }
  EXPECT_EQ(run.err, expected);
  EXPECT_EQ(run.out, "");
  ASSERT_TRUE(folder.Exists("kzo.cnf"));
  EXPECT_EQ(folder.Read("kzo.cnf"), "");
  ASSERT_TRUE(folder.Exists("matches.txt"));
  EXPECT_EQ(folder.Read("matches.txt"), "");
}

TEST(EmptyFolderTest, MissingFilesOfAnExistingDataFolderAreNotFound) {
  platform::TempFolder folder;
  folder.MakeFolder("data");
  testing::ProgramRun run = testing::RunProgram(KZO_IMPORT_PROGRAM, {}, folder.path());
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err.substr(0, Report(53, "File not found").size()), Report(53, "File not found"));
}

TEST(EmptyFolderTest, CancelAtTheFirstReportEndsWith255) {
  platform::TempFolder folder;
  testing::ProgramRun run =
      testing::RunProgramOnTerminal(KZO_IMPORT_PROGRAM, folder.path(), {"Cancel"});
  EXPECT_EQ(run.exit_code, 255);
  EXPECT_EQ(run.out.find("OK/Cancel? "), run.out.rfind("OK/Cancel? ")) << "asked once";
  EXPECT_FALSE(folder.Exists("matches.txt"));
}

TEST(EmptyFolderTest, OkAtTheTerminalGoesOn) {
  platform::TempFolder folder;
  testing::ProgramRun run = testing::RunProgramOnTerminal(KZO_IMPORT_PROGRAM, folder.path(),
                                                          std::vector<std::string>(16, "ok"));
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_TRUE(folder.Exists("matches.txt"));
}

}  // namespace
}  // namespace kzo
