#include "roster/team.h"

#include <gtest/gtest.h>

#include <string>

#include "roster/roster_test_support.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

class TeamLoadTest : public RecordFileTest {
 protected:
  TeamRecord Load(const std::string& finisher, const std::string& tname = "",
                  const std::string& wrestler1 = "Ax Rivers",
                  const std::string& wrestler2 = "Bo Stone") {
    TeamRecord record = RecordFileTest::Load<TeamRecord>(
        LoadTeamRecord,
        {wrestler1, wrestler2, tname, finisher, "theme.mid", "6", "7", "8", "9", "10"});
    EXPECT_EQ(next_line, "NEXT");
    return record;
  }
};

TEST_F(TeamLoadTest, FullNameAndPlainItems) {
  TeamRecord r = Load("", "");
  EXPECT_STREQ(r.tname_full, "Ax Rivers/Bo Stone");
  EXPECT_STREQ(r.tname, "");
  EXPECT_STREQ(r.entrance_theme, "theme.mid");
  EXPECT_EQ(r.exit_theme, nullptr);
  EXPECT_STREQ(r.finisher, "");
  EXPECT_EQ(r.finisher_is_simple, 0);
  EXPECT_STREQ(r.stamp.source, "Legacy KZO Data");
  EXPECT_STREQ(r.stamp.importer, "KZO 7 For Windows Importer");
  EXPECT_STREQ(Load("", "Road Crew").tname_full, "Road Crew (Ax Rivers/Bo Stone)");
  EXPECT_TRUE(env.reports.empty());
}

enum Member { kNone, kFirst, kSecond };

struct FinisherCase {
  const char* code;
  const char* finisher;
  int simple;
  Member pins;
  int lift;
  Member lifts;
  int combo;
  int combo1;
  int combo2_is_named;
  int combo2_move;
  const char* combo2_named;  // null when not set
};

// Members "Ax Rivers" (abbreviation "Axrs") and "Bo Stone" ("Bone").
const FinisherCase kFinisherCases[] = {
    {"Doomsday/Axrs", "Doomsday", 1, kFirst, 0, kNone, 0, 0, 0, 0, nullptr},
    {"Doomsday/Bone", "Doomsday", 1, kSecond, 0, kNone, 0, 0, 0, 0, nullptr},
    {"Doomsday/zzzz", "Doomsday", 1, kSecond, 0, kNone, 0, 0, 0, 0, nullptr},
    {"Doomsday/axrs", "Doomsday", 1, kSecond, 0, kNone, 0, 0, 0, 0, nullptr},
    {"Doomsday", "Doomsday", 1, kNone, 0, kNone, 0, 0, 0, 0, nullptr},
    {"Doom/day/Axrs", "Doom", 1, kSecond, 0, kNone, 0, 0, 0, 0, nullptr},
    {"+Doomsday/Axrs", "Doomsday", 1, kFirst, 0, kNone, 0, 0, 0, 0, nullptr},
    {"+", "", 1, kNone, 0, kNone, 0, 0, 0, 0, nullptr},
    {"&Powerbomb/Axrs", "Powerbomb", 1, kNone, 1, kFirst, 0, 0, 0, 0, nullptr},
    {"+&Powerbomb/Bone", "Powerbomb", 1, kNone, 1, kSecond, 0, 0, 0, 0, nullptr},
    {"&Powerbomb", "Powerbomb", 1, kNone, 1, kNone, 0, 0, 0, 0, nullptr},
    {"!12-34/Axrs", "", 0, kFirst, 0, kNone, 1, 12, 0, 34, nullptr},
    {"+!12-34/Axrs", "", 0, kFirst, 0, kNone, 1, 12, 0, 34, nullptr},
    {"!12-Big Splash/Bone", "", 0, kSecond, 0, kNone, 1, 12, 1, 0, "Big Splash"},
    {"!12-0/Axrs", "", 0, kFirst, 0, kNone, 1, 12, 1, 0, "0"},
    {"!12-0.4/Axrs", "", 0, kFirst, 0, kNone, 1, 12, 1, 0, "0.4"},
    {"! 7-34/Axrs", "", 0, kFirst, 0, kNone, 1, 7, 0, 34, nullptr},
    // The only "/" before the "-": the rest names the pinner, the second part is "".
    {"!a/b-Axrs", "", 0, kFirst, 0, kNone, 1, 0, 1, 0, ""},
    {"!12/Axrs", "!12/Axrs", 0, kNone, 0, kNone, 0, 0, 0, 0, nullptr},
    {"+!12-34", "+!12-34", 0, kNone, 0, kNone, 0, 0, 0, 0, nullptr},
};

TEST_F(TeamLoadTest, FinisherCodes) {
  for (const FinisherCase& c : kFinisherCases) {
    SCOPED_TRACE(c.code);
    TeamRecord r = Load(c.code);
    auto member = [&r](Member m) -> Text {
      return m == kFirst ? r.wrestler1 : m == kSecond ? r.wrestler2 : nullptr;
    };
    EXPECT_STREQ(r.finisher, c.finisher);
    EXPECT_EQ(r.finisher_is_simple, c.simple);
    // The very record strings of the members, not copies.
    EXPECT_EQ(r.finisher_who_pins, member(c.pins));
    EXPECT_EQ(r.finisher_has_lift, c.lift);
    EXPECT_EQ(r.finisher_who_lifts, member(c.lifts));
    EXPECT_EQ(r.finisher_is_combo, c.combo);
    EXPECT_EQ(r.finisher_combo1, c.combo1);
    EXPECT_EQ(r.finisher_combo2_is_named, c.combo2_is_named);
    EXPECT_EQ(r.finisher_combo2_move, c.combo2_move);
    if (c.combo2_named) {
      EXPECT_STREQ(r.finisher_combo2_named, c.combo2_named);
    } else {
      EXPECT_EQ(r.finisher_combo2_named, nullptr);
    }
  }
}

TEST_F(TeamLoadTest, ShortMemberNamesMakeTheirAbbreviationFromWhatThereIs) {
  TeamRecord r = Load("Drop/AA", "", "A", "Bo");
  EXPECT_STREQ(r.finisher_who_pins, "A");
  r = Load("Drop/BoBo", "", "Bo", "Cy");
  EXPECT_STREQ(r.finisher_who_pins, "Bo");
  r = Load("Drop/", "", "", "Cy");
  EXPECT_EQ(r.finisher_who_pins, r.wrestler1)
      << "an empty abbreviation names an empty first member";
}

}  // namespace
}  // namespace kzo::roster
