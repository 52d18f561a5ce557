#include "export/title_credits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/loaddbs.h"
#include "export/export_test_support.h"
#include "store/run_test_support.h"

namespace kzo::exporter {
namespace {

// A holding as "team [roster team]; ...| wrestler@team ..." (team as the slot + 1, 0 alone).
std::string Credits(const Holding& holding) {
  std::string text;
  for (const HoldingTeam& team : holding.teams) {
    text += std::string(View(team.name)) + " [" + std::to_string(team.roster_team) + "]; ";
  }
  text += "|";
  for (const HoldingWrestler& wrestler : holding.wrestlers) {
    text += " " + std::to_string(wrestler.wrestler) + "@" + std::to_string(wrestler.team);
  }
  return text;
}

using TitleCreditsTest = testing::RunTest;

// The circuit has a teams file of its own, which name matching reads in place of the
// roster's: it lacks the roster's team The Drifters (Tuck Masden, Quill Danby), whose members
// the import cannot find by the team's name, and holds North Stars (Orrin Vale, Pim Lorca).
TEST_F(TitleCreditsTest, TeamsAndTheirMembersAndTheNamesOfListsAreCredited) {
  platform::TempFolder legacy;
  WriteInstallation(legacy);
  legacy.Write(
      "north/teams.dat",
      testing::RosterFile({testing::TeamRecord("Orrin Vale", "Pim Lorca", "North Stars", "")}));
  legacy.Write(
      "north/card.ttl",
      "5\r\n" +
          Lines({"The Drifters", "Tag Title", "1", "North Stars", "Stars Title", "2",
                 "Champs (Orrin Vale and Nobody) [c]", "Pair Title", "3", "vacant", "Open Title",
                 "4", "Pim Lorca, The Drifters (Tuck Masden/Quill Danby)", "Trio Title", "5"}));
  driver::LOADDBS(legacy.path());
  std::vector<Holding> holdings = BuildHoldings();
  ASSERT_EQ(holdings.size(), 5u);
  EXPECT_EQ(Credits(holdings[0]), "The Drifters [1]; | 2@1 3@1");
  EXPECT_EQ(Credits(holdings[1]), "North Stars [0]; | 1@1 4@1") << "a team of the circuit alone";
  EXPECT_EQ(Credits(holdings[2]), "| 1@0") << "a name that matches no one is credited to no one";
  EXPECT_EQ(Credits(holdings[3]), "|");
  EXPECT_EQ(Credits(holdings[4]), "The Drifters [1]; | 4@0 2@1 3@1");
  EXPECT_EQ(holdings[4].circuit, 1);
  EXPECT_EQ(holdings[4].title, 5);
}

}  // namespace
}  // namespace kzo::exporter
