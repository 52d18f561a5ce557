#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

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

// Listings of a folder that has not changed for a while are kept; a change to the folder,
// by this process or another, is seen at the next look.
TEST_F(PosixEnvTest, AKeptFolderListingFollowsChangesToTheFolder) {
  folder.Write("Music/Intro.MID", "x");
  std::this_thread::sleep_for(std::chrono::milliseconds(120));  // the folder's times settle
  FolderListings listings;
  ResolvedPath missing = ResolvePath(Legacy("music\\outro.mid"), &listings);
  EXPECT_EQ(missing.error, 53);
  EXPECT_EQ(ResolvePath(Legacy("music\\outro.mid"), &listings).error, 53) << "kept listing";
  folder.Write("Music/OUTRO.MID", "y");
  EXPECT_EQ(ResolvePath(Legacy("music\\outro.mid"), &listings).path,
            folder.path() + "/Music/OUTRO.MID");
  // The same through the environment, which also forgets its listings when it writes.
  EXPECT_FALSE(env.LongPath(Legacy("music\\theme.mid")).has_value());
  EXPECT_FALSE(env.LongPath(Legacy("music\\theme.mid")).has_value());
  int handle = env.Open(Legacy("music\\Theme.mid"), OpenMode::kOutput).handle;
  ASSERT_NE(handle, 0);
  env.Close(handle);
  EXPECT_EQ(env.LongPath(Legacy("MUSIC\\THEME.MID")), folder.path() + "/Music/Theme.mid");
}

// A listing read the moment after its folder changed is read again until a later change
// would show in the folder's times; times in whole milliseconds may be two-second steps.
TEST(FolderListingTest, AListingIsKeptOnlyWhenALaterChangeWouldShow) {
  constexpr std::int64_t kSecond = 1'000'000'000;
  std::int64_t fine = 1'700'000'000 * kSecond + 123'456'789;
  EXPECT_FALSE(ListingIsSettled(fine, fine, fine + 999'999)) << "within a millisecond";
  EXPECT_TRUE(ListingIsSettled(fine, fine - 5, fine + 1'000'000));
  EXPECT_FALSE(ListingIsSettled(fine - 5, fine + 1'000'000, fine + 1'000'000)) << "changed";
  std::int64_t whole = 1'700'000'000 * kSecond;
  EXPECT_FALSE(ListingIsSettled(whole, whole, whole + kSecond));
  EXPECT_TRUE(ListingIsSettled(whole, whole - 2 * kSecond, whole + 2 * kSecond));
}

TEST_F(PosixEnvTest, WildcardsAreOrdinaryCharactersInPathsTheUserNames) {
  folder.Write("x?y.db", "");
  folder.Write("a*:", "");
  EXPECT_TRUE(ExactPathEnv().FileExists(folder / "x?y.db"));
  EXPECT_TRUE(ExactPathEnv().FileExists(folder / "a*:"));
  EXPECT_FALSE(env.FileExists(folder / "x?y.db")) << "a legacy name with a wildcard names no file";
}

}  // namespace
}  // namespace kzo::platform
