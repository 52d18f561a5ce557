#include "config/translate.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/testing/test_env.h"
#include "store/cp437.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::config {
namespace {

// A platform with scripted short and long path forms, as a system with 8.3 names has.
struct ConversionEnv : platform::TestEnv {
  std::optional<std::string> ShortPath(std::string_view path) override {
    asked_short.emplace(path);
    return short_form;
  }
  std::optional<std::string> LongPath(std::string_view path) override {
    return long_form ? long_form : TestEnv::LongPath(path);
  }
  std::optional<std::string> short_form, long_form, asked_short;
};

class TranslatePathTest : public ::testing::Test {
 protected:
  void SetUp() override { store::BeginRun(env); }
  void TearDown() override { store::EndRun(); }
  ConversionEnv env;
  platform::TempFolder folder;
};

TEST_F(TranslatePathTest, FromLegacyFormReplacesTheFoldersInLowerCase) {
  EXPECT_EQ(TranslatePath("C:\\KZO7SE\\MUSIC\\\x80\x9A"
                          "A.MID",
                          "D:\\Games\\Legacy", 1),
            "d:\\games\\legacy\\music\\\x87\x81"
            "a.mid");
  EXPECT_EQ(TranslatePath("t:\\intro.mid", "e:\\old", 1), "c:\\kzo_xchg\\intro.mid");
  EXPECT_EQ(TranslatePath("c:\\kzo7se\\c:\\kzo7se", "x:\\c:\\kzo7se", 0),
            "x:\\c:\\kzo7se\\x:\\c:\\kzo7se")
      << "the inserted folder is not searched again";
  EXPECT_EQ(TranslatePath("", "e:\\old", 1), "");
  EXPECT_EQ(env.console, "") << "nothing resolved on disk, so nothing is shown";
}

TEST_F(TranslatePathTest, ExistingFileBecomesItsRealNameAndIsShownOnRequest) {
  folder.Write("Legacy/MUSIC/Intro.mid", "");
  std::string real = folder / "Legacy/MUSIC/Intro.mid";
  EXPECT_EQ(TranslatePath("C:\\KZO7SE\\MUSIC\\INTRO.MID", folder / "Legacy", 0), real);
  EXPECT_EQ(env.console, "");
  EXPECT_EQ(TranslatePath("c:\\kzo7se\\music\\intro.mid", folder / "Legacy", 7), real);
  EXPECT_EQ(env.console, real + "\r\n");
  env.long_form = std::string(1000, 'x');
  EXPECT_EQ(TranslatePath("t:\\a", "e:\\old", 1), "c:\\kzo_xchg\\a") << "1000 bytes do not fit";
}

TEST_F(TranslatePathTest, WithoutShortFormsTheLegacyFormIsTheLowerCasedPath) {
  folder.Write("Legacy/Data.TXT", "");
  std::string path = folder / "Legacy/Data.TXT";
  EXPECT_EQ(TranslatePath(path, folder / "Legacy", 1), store::LowerCase437(path));
  EXPECT_EQ(TranslatePath("C:\\KZO_XCHG\\Intro.MID", "e:\\old", 1), "c:\\kzo_xchg\\intro.mid");
  EXPECT_EQ(TranslatePath("C:\\KZO7SE\\X.DAT", "", 1), "c:\\kzo7se\\x.dat");
  EXPECT_EQ(env.console, "");
}

TEST_F(TranslatePathTest, ToLegacyFormKeepsTheShortLastComponent) {
  env.short_form = "D:\\GAMES\\LEGACY\\MUSIC\\LONGIN~1.MID";
  EXPECT_EQ(TranslatePath("D:\\Games\\Legacy\\Music\\Long Intro.mid", "D:\\Games\\Legacy", 0),
            "c:\\kzo7se\\music\\LONGIN~1.MID");
  EXPECT_EQ(env.asked_short, "d:\\games\\legacy\\music\\long intro.mid");
  env.short_form = "C:\\KZO_XC~1\\LONGNA~1.TXT";
  EXPECT_EQ(TranslatePath("C:\\KZO_XCHG\\Long Name.txt", "e:\\old", 0), "t:\\LONGNA~1.TXT");
  env.short_form = "C:\\KZO7SE\\DATA\\WRESTLRS.DAT";
  EXPECT_EQ(TranslatePath("c:\\kzo7se\\data\\wrestlrs.dat", "C:\\KZO7SE", 0),
            "c:\\kzo7se\\data\\WRESTLRS.DAT")
      << "a legacy folder named like the old installation contains itself";
  env.short_form = "INTRO.MID";
  EXPECT_EQ(TranslatePath("intro.mid", "", 0), "INTRO.MID");
  TranslatePath("c:\\kzo_xchg\\" + std::string(2000, 'a'), "e:\\old", 0);
  EXPECT_EQ(env.asked_short->size(), 999u);
}

}  // namespace
}  // namespace kzo::config
