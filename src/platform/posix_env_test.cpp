#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/env.h"
#include "platform/paths.h"
#include "platform/testing/test_env.h"

namespace kzo::platform {
namespace {

class PosixEnvTest : public ::testing::Test {
 protected:
  // A legacy-style path below the test folder, with backslashes.
  std::string Legacy(std::string_view relative) {
    return folder.path() + "\\" + std::string(relative);
  }

  Env& env = DefaultEnv();
  TempFolder folder;
};

TEST_F(PosixEnvTest, ComponentsAreFoundInAnyLetterCase) {
  folder.Write("DATA/WRESTLRS.DAT", "1");
  folder.Write("DATA/wrestlrs.DAT", "2");  // both fold equal: the first in byte order wins
  ResolvedPath resolved = ResolvePath(Legacy("data\\\\wrestlrs.dat"));
  EXPECT_EQ(resolved.error, 0);
  EXPECT_EQ(resolved.path, folder.path() + "/DATA/WRESTLRS.DAT");
  EXPECT_EQ(ResolvePath(Legacy("data\\none.dat")).error, 53);
  EXPECT_EQ(ResolvePath(Legacy("nofolder\\none.dat")).error, 76);
}

TEST_F(PosixEnvTest, AFileOrADanglingLinkWhereAFolderIsExpectedIsAMissingFolder) {
  folder.Write("data", "a file named like the folder");
  folder.MakeFolder("circ");
  ASSERT_EQ(symlink("nowhere", (folder / "circ/gone.dat").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (folder / "Music").c_str()), 0);
  for (OpenMode mode : {OpenMode::kInput, OpenMode::kOutput, OpenMode::kAppend}) {
    EXPECT_EQ(env.Open(Legacy("data\\wrestlrs.dat"), mode).error, 76);
  }
  EXPECT_FALSE(env.FileExists(Legacy("DATA\\wrestlrs.dat")));
  EXPECT_EQ(env.Open(Legacy("CIRC\\GONE.DAT"), OpenMode::kInput).error, 53);
  EXPECT_EQ(env.Open(Legacy("circ\\gone.dat"), OpenMode::kInput).error, 53);
  EXPECT_EQ(env.LongPath(Legacy("music")), std::nullopt);
  EXPECT_EQ(env.LongPath(Legacy("music\\intro.mid")), std::nullopt);
}

TEST_F(PosixEnvTest, ExistenceCountsRegularFilesOnly) {
  folder.Write("card.inf", "3");
  EXPECT_TRUE(env.FileExists(Legacy("CARD.INF")));
  EXPECT_FALSE(env.FileExists(folder.path()));
  EXPECT_FALSE(env.FileExists(Legacy("card.*")));
  EXPECT_FALSE(env.FileExists(Legacy("card.in?")));
  EXPECT_FALSE(env.FileExists("c:"));
  EXPECT_FALSE(env.FileExists(""));
}

TEST_F(PosixEnvTest, OpenErrors) {
  folder.MakeFolder("sub");
  EXPECT_EQ(env.Open(Legacy("missing"), OpenMode::kInput).error, 53);
  EXPECT_EQ(env.Open(Legacy("gone\\missing"), OpenMode::kInput).error, 76);
  EXPECT_EQ(env.Open(Legacy("sub"), OpenMode::kInput).error, 75);
  EXPECT_EQ(env.Open(Legacy("gone\\new"), OpenMode::kOutput).error, 76);
}

TEST_F(PosixEnvTest, OutputToANameInOtherCaseOpensThatFile) {
  folder.Write("KZO.CNF", "old");
  OpenResult opened = env.Open(Legacy("kzo.cnf"), OpenMode::kAppend);
  ASSERT_EQ(opened.error, 0);
  EXPECT_EQ(env.Write(opened.handle, "+", 1), 0);
  EXPECT_EQ(env.Close(opened.handle), 0);
  EXPECT_EQ(folder.Read("KZO.CNF"), "old+");
  EXPECT_FALSE(folder.Exists("kzo.cnf"));
}

TEST_F(PosixEnvTest, RenameNeverReplaces) {
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

TEST_F(PosixEnvTest, ReplaceTakesTheNameOfAFileButNotOfAFolder) {
  folder.Write("model.db.new", "complete");
  folder.Write("model.db", "older");
  folder.MakeFolder("taken");
  EXPECT_EQ(env.ReplaceFile(Legacy("model.db.new"), Legacy("taken")), 75);
  EXPECT_EQ(env.ReplaceFile(Legacy("model.db.new"), Legacy("model.db")), 0);
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"model.db", "taken"}));
  EXPECT_EQ(folder.Read("model.db"), "complete");
  EXPECT_EQ(env.ReplaceFile(Legacy("missing"), Legacy("model.db")), 53);
}

TEST_F(PosixEnvTest, FoldersAreMadeListedRenamedAndRemoved) {
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

TEST_F(PosixEnvTest, PathForms) {
  folder.Write("Music/Intro.MID", "x");
  EXPECT_FALSE(env.ShortPath(Legacy("music\\intro.mid")).has_value());
  EXPECT_EQ(env.LongPath(Legacy("music\\intro.mid")), folder.path() + "/Music/Intro.MID");
  EXPECT_EQ(env.LongPath(Legacy("music")), folder.path() + "/Music");
  EXPECT_FALSE(env.LongPath(Legacy("music\\outro.mid")).has_value());
  EXPECT_FALSE(env.LongPath("").has_value());
  std::string cwd = env.WorkingDirectory();
  ASSERT_EQ(chdir(folder.path().c_str()), 0);
  EXPECT_EQ(env.LongPath("MUSIC\\intro.mid"), "Music/Intro.MID") << "relative stays relative";
  ASSERT_EQ(chdir(cwd.c_str()), 0);
}

TEST_F(PosixEnvTest, HeapBlocksAreZeroFilledAndAligned) {
  int heap = env.HeapCreate();
  ASSERT_GT(heap, 0);
  auto* block = static_cast<unsigned char*>(env.HeapAlloc(heap, 64));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(block[i], 0);
  env.HeapFree(heap, block);
  EXPECT_EQ(env.HeapAlloc(heap + 100, 8), nullptr);
}

TEST_F(PosixEnvTest, RandomNumbersStayBelowOne) {
  for (int i = 0; i < 1000; ++i) {
    double r = env.Random();
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, 1.0);
  }
}

}  // namespace
}  // namespace kzo::platform
