#include "circuits/backups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::circuits {
namespace {

// A platform whose deletes fail, as on a write-protected backup.
struct ProtectedEnv : platform::TestEnv {
  int DeleteFile(std::string_view) override { return 70; }
};

class RotateBackupsTest : public testing::RunTest {
 protected:
  // The names of the database and its backups that exist, with their contents.
  std::vector<std::string> ExistingFiles() const {
    std::vector<std::string> found;
    for (const char* name :
         {"circdb.dat", "circdb.dat.bak1", "circdb.dat.bak2", "circdb.dat.bak3"}) {
      if (folder.Exists(name)) found.push_back(std::string(name) + ":" + folder.Read(name));
    }
    return found;
  }

  std::string Database() const { return folder / "circdb.dat"; }

  ProtectedEnv protected_env;
  platform::TempFolder folder;
};

using Names = std::vector<std::string>;

TEST_F(RotateBackupsTest, FirstRotationMakesBackupOne) {
  folder.Write("circdb.dat", "now");
  RotateBackups(Database(), 2);
  EXPECT_EQ(ExistingFiles(), (Names{"circdb.dat.bak1:now"}));
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(RotateBackupsTest, OldestBackupIsDroppedAndTheOthersMoveUp) {
  folder.Write("circdb.dat", "now");
  folder.Write("circdb.dat.bak1", "before");
  folder.Write("circdb.dat.bak2", "oldest");
  RotateBackups(Database(), 2);
  EXPECT_EQ(ExistingFiles(), (Names{"circdb.dat.bak1:now", "circdb.dat.bak2:before"}));
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(RotateBackupsTest, LoneOldestBackupIsDeletedAndNothingMovesIntoItsPlace) {
  folder.Write("circdb.dat", "now");
  folder.Write("circdb.dat.bak2", "oldest");
  RotateBackups(Database(), 2);
  EXPECT_EQ(ExistingFiles(), (Names{"circdb.dat.bak1:now"}));
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(RotateBackupsTest, DepthOneKeepsOnlyTheNewestBackup) {
  folder.Write("circdb.dat", "now");
  folder.Write("circdb.dat.bak1", "before");
  folder.Write("circdb.dat.bak2", "not ours");
  RotateBackups(Database(), 1);
  EXPECT_EQ(ExistingFiles(), (Names{"circdb.dat.bak1:now", "circdb.dat.bak2:not ours"}));
}

TEST_F(RotateBackupsTest, DepthBelowOneDeletesNothing) {
  folder.Write("circdb.dat", "now");
  folder.Write("circdb.dat.bak0", "not a backup");
  RotateBackups(Database(), 0);
  EXPECT_EQ(folder.Read("circdb.dat.bak0"), "not a backup");
  EXPECT_EQ(ExistingFiles(), (Names{"circdb.dat.bak1:now"}));
}

TEST_F(RotateBackupsTest, MissingFileIsReportedAfterTheBackupsMoved) {
  folder.Write("circdb.dat.bak1", "before");
  RotateBackups(Database(), 2);
  EXPECT_EQ(ExistingFiles(), (Names{"circdb.dat.bak2:before"}));
  EXPECT_EQ(env.reports, (Names{store::ErrorReportText(53, "BACKUPFI")}));
}

TEST_F(RotateBackupsTest, FailedDeleteLeavesEveryVersionInPlace) {
  store::BeginRun(protected_env);
  folder.Write("circdb.dat", "now");
  folder.Write("circdb.dat.bak1", "before");
  folder.Write("circdb.dat.bak2", "oldest");
  RotateBackups(Database(), 2);
  EXPECT_EQ(ExistingFiles(),
            (Names{"circdb.dat:now", "circdb.dat.bak1:before", "circdb.dat.bak2:oldest"}));
  std::string exists =
      "Untrapped Error #58 (File already exists)\r\nhas occurred following execution of "
      "BACKUPFI\r\n\r\nPress OK to continue, Cancel to terminate";
  EXPECT_EQ(protected_env.reports, (Names{store::ErrorReportText(70, "BACKUPFI"), exists, exists}))
      << "renames never replace the backups that could not be dropped";
}

}  // namespace
}  // namespace kzo::circuits
