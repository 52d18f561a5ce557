// What the platform services do alike on every system the programs are built for.
#include "platform/env.h"

#include <gtest/gtest.h>

#include "platform/testing/test_env.h"

namespace kzo::platform {
namespace {

class EnvTest : public ::testing::Test {
 protected:
  // A legacy-style path below the test folder, with backslashes.
  std::string Legacy(std::string_view relative) {
    return folder.path() + "\\" + std::string(relative);
  }

  Env& env = DefaultEnv();
  TempFolder folder;
};

TEST_F(EnvTest, ExistenceCountsRegularFilesOnly) {
  folder.Write("card.inf", "3");
  EXPECT_TRUE(env.FileExists(Legacy("CARD.INF")));
  EXPECT_FALSE(env.FileExists(folder.path()));
  EXPECT_FALSE(env.FileExists(Legacy("card.*")));
  EXPECT_FALSE(env.FileExists(Legacy("card.in?")));
  EXPECT_FALSE(env.FileExists("c:"));
  EXPECT_FALSE(env.FileExists(""));
}

TEST_F(EnvTest, OpenErrors) {
  folder.MakeFolder("sub");
  EXPECT_EQ(env.Open(Legacy("missing"), OpenMode::kInput).error, 53);
  EXPECT_EQ(env.Open(Legacy("gone\\missing"), OpenMode::kInput).error, 76);
  EXPECT_EQ(env.Open(Legacy("sub"), OpenMode::kInput).error, 75);
  EXPECT_EQ(env.Open(Legacy("gone\\new"), OpenMode::kOutput).error, 76);
}

TEST_F(EnvTest, OutputToANameInOtherCaseOpensThatFile) {
  folder.Write("KZO.CNF", "old");
  OpenResult opened = env.Open(Legacy("kzo.cnf"), OpenMode::kAppend);
  ASSERT_EQ(opened.error, 0);
  EXPECT_EQ(env.Write(opened.handle, "+", 1), 0);
  EXPECT_EQ(env.Close(opened.handle), 0);
  EXPECT_EQ(folder.Read("KZO.CNF"), "old+");
  EXPECT_EQ(folder.List(), std::vector<std::string>{"KZO.CNF"});
}

TEST_F(EnvTest, RenameNeverReplaces) {
  folder.Write("circdb.dat", "new");
  folder.Write("CIRCDB.DAT.BAK1", "old");
  EXPECT_EQ(env.RenameFile(Legacy("circdb.dat"), Legacy("circdb.dat.bak1")), 58);
  EXPECT_EQ(folder.Read("circdb.dat"), "new");
  EXPECT_EQ(folder.Read("CIRCDB.DAT.BAK1"), "old");
  EXPECT_EQ(env.RenameFile(Legacy("missing"), Legacy("other")), 53);
  EXPECT_EQ(env.RenameFile(Legacy("circdb.dat"), Legacy("circdb.dat.bak2")), 0);
  EXPECT_EQ(folder.Read("circdb.dat.bak2"), "new");
  EXPECT_EQ(env.DeleteFile(Legacy("circdb.dat")), 53);
  EXPECT_EQ(env.DeleteFile(Legacy("CIRCDB.dat.bak2")), 0);
  EXPECT_FALSE(folder.Exists("circdb.dat.bak2"));
}

TEST_F(EnvTest, ReplaceTakesTheNameOfAFileButNotOfAFolder) {
  folder.Write("model.db.new", "complete");
  folder.Write("model.db", "older");
  folder.MakeFolder("taken");
  EXPECT_EQ(env.ReplaceFile(Legacy("model.db.new"), Legacy("taken")), 75);
  EXPECT_EQ(env.ReplaceFile(Legacy("model.db.new"), Legacy("model.db")), 0);
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"model.db", "taken"}));
  EXPECT_EQ(folder.Read("model.db"), "complete");
  EXPECT_EQ(env.ReplaceFile(Legacy("missing"), Legacy("model.db")), 53);
}

TEST_F(EnvTest, FoldersAreMadeListedRenamedAndRemoved) {
  Env& exact = ExactPathEnv();
  EXPECT_EQ(exact.MakeFolder(folder / "site"), 0);
  EXPECT_EQ(exact.MakeFolder(folder / "site"), 58);
  EXPECT_EQ(exact.MakeFolder(folder / "none/site"), 76);
  folder.Write("site/b.html", "");
  folder.MakeFolder("site/a");
  EXPECT_EQ(exact.FolderEntries(folder / "site"), (std::vector<std::string>{"a", "b.html"}));
  EXPECT_EQ(exact.FolderEntries(folder / "site/b.html"), std::nullopt);
  EXPECT_EQ(exact.FolderEntries(folder / "none"), std::nullopt);

  folder.MakeFolder("taken");
  EXPECT_EQ(exact.RenameFile(folder / "site", folder / "taken"), 58) << "never replaces";
  EXPECT_EQ(exact.RenameFile(folder / "site", folder / "moved"), 0);
  EXPECT_EQ(folder.List("moved"), (std::vector<std::string>{"a", "b.html"}));

  EXPECT_EQ(exact.RemoveFolder(folder / "moved"), 75) << "not empty";
  EXPECT_EQ(exact.RemoveFolder(folder / "moved/b.html"), 75) << "not a folder";
  EXPECT_EQ(exact.RemoveFolder(folder / "moved/a"), 0);
  EXPECT_EQ(exact.RemoveFolder(folder / "moved/a"), 76);
}

TEST_F(EnvTest, HeapBlocksAreZeroFilledAndAligned) {
  int heap = env.HeapCreate();
  ASSERT_GT(heap, 0);
  auto* block = static_cast<unsigned char*>(env.HeapAlloc(heap, 64));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(block[i], 0);
  env.HeapFree(heap, block);
  EXPECT_EQ(env.HeapAlloc(heap + 100, 8), nullptr);
}

TEST_F(EnvTest, RandomNumbersStayBelowOne) {
  for (int i = 0; i < 1000; ++i) {
    double r = env.Random();
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, 1.0);
  }
}

TEST_F(EnvTest, IdentityFollowsTheFileWhateverNameReachesIt) {
  folder.Write("data/wrestlrs.dat", "1");
  folder.Write("data/teams.dat", "1");
  std::optional<FileIdentity> roster = env.IdentityOf(Legacy("DATA\\WRESTLRS.DAT"));
  ASSERT_TRUE(roster.has_value());
  EXPECT_EQ(ExactPathEnv().IdentityOf(folder / "data/wrestlrs.dat"), roster);
  EXPECT_NE(env.IdentityOf(Legacy("data\\teams.dat")), roster);
  EXPECT_NE(env.IdentityOf(Legacy("data")), roster);
  EXPECT_EQ(env.IdentityOf(Legacy("data\\missing.dat")), std::nullopt);
}

TEST_F(EnvTest, ThisProcessRunsAndAFolderOfItsOwnIsWritable) {
  EXPECT_TRUE(env.ProcessRuns(env.ProcessId()));
  EXPECT_FALSE(env.ProcessRuns(0));
  EXPECT_EQ(env.CheckFolderWritable(folder.path()), 0);
  EXPECT_EQ(folder.List(), std::vector<std::string>{}) << "a probe leaves nothing behind";
}

}  // namespace
}  // namespace kzo::platform
