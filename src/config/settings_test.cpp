#include "config/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/test_env.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::config {
namespace {

class SettingsTest : public testing::RunTest {
 protected:
  std::string Lookup(std::string_view bytes, std::string_view key) {
    folder.Write("kzo.cnf", bytes);
    return GetSetting(folder / "kzo.cnf", key);
  }

  platform::TempFolder folder;
};

TEST_F(SettingsTest, KeyMatchesInAnyCaseOnlyRightBeforeTheEquals) {
  EXPECT_EQ(Lookup("usepersons=1\r\n", "UsePersons"), "1");
  EXPECT_EQ(Lookup("UsePersons = 1\r\n", "UsePersons"), "");
  EXPECT_EQ(Lookup("\x90LAN=Orrin Vale\r\n", "\x82lan"), "Orrin Vale");
  EXPECT_EQ(Lookup("GlobalHiringLimitTo=x\r\nGlobalHiring=3\r\nGlobalHiring=4", "GlobalHiring"),
            "3");
}

TEST_F(SettingsTest, LineIsTrimmedOfBlanksButTheValueKeepsTheRest) {
  EXPECT_EQ(Lookup("   UsePersons=1  \r\n", "UsePersons"), "1");
  EXPECT_EQ(Lookup("AddPointsForWin=  700\r\n", "AddPointsForWin"), "  700");
  EXPECT_EQ(Lookup("Limit=a=b\r\n", "Limit"), "a=b");
  EXPECT_EQ(Lookup("\tLimit=1\r\n", "Limit"), "") << "only blanks are trimmed";
}

TEST_F(SettingsTest, ScrambledLineNeedsTheMarkInItsVeryFirstByte) {
  std::string scrambled = ScrambleText("  UsePersons=2 ", 1);
  EXPECT_EQ(Lookup(scrambled + "\r\n", "usepersons"), "2");
  EXPECT_EQ(Lookup(" " + scrambled + "\r\n", "usepersons"), "");
}

TEST_F(SettingsTest, MissingFileIsCreatedEmptyAndEveryCallReadsAnew) {
  EXPECT_EQ(GetSetting(folder / "kzo.cnf", "UsePersons"), "");
  EXPECT_TRUE(folder.Exists("kzo.cnf"));
  EXPECT_EQ(folder.Read("kzo.cnf"), "");
  folder.Write("kzo.cnf", "UsePersons=1\r\n");
  EXPECT_EQ(GetSetting(folder / "kzo.cnf", "UsePersons"), "1");
  EXPECT_EQ(folder.Read("kzo.cnf"), "UsePersons=1\r\n");
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(SettingsTest, FileInAMissingFolderReportsBothOpensAndGivesEmpty) {
  EXPECT_EQ(GetSetting(folder / "nowhere/kzo.cnf", "UsePersons"), "");
  std::string report = store::ErrorReportText(76, "GETCONFS");
  EXPECT_EQ(env.reports, (std::vector<std::string>{report, report}));
}

TEST_F(SettingsTest, ScramblingShiftsByPositionAndLengthAndWraps) {
  EXPECT_EQ(ScrambleOrUnscramble("abc", 7), "_ecc");
  EXPECT_EQ(ScrambleOrUnscramble("_ecc", 0), "abc");
  EXPECT_EQ(ScrambleText("\xFF"
                         "bc",
                         1),
            "_\x03"
            "cc");
  EXPECT_EQ(ScrambleText("_\x03"
                         "cc",
                         -1),
            "\xFF"
            "bc");
  std::string text;
  for (int i = 0; i < 100000; ++i) text += static_cast<char>(i * 37);
  EXPECT_EQ(ScrambleText(ScrambleText(text, 1), -1), text);
}

TEST_F(SettingsTest, TextAlreadyInTheAskedFormIsUnchanged) {
  EXPECT_EQ(ScrambleText("_ecc", 1), "_ecc");
  EXPECT_EQ(ScrambleText("abc", -1), "abc");
  EXPECT_EQ(ScrambleText("", 1), "_");
  EXPECT_EQ(ScrambleText("_", -1), "");
  EXPECT_EQ(ScrambleText("", -1), "");
  EXPECT_EQ(ScrambleText("abc", 0), "abc");
}

}  // namespace
}  // namespace kzo::config
