#include "circuits/card_files.h"

#include "circuits/circuit_test_support.h"
#include "circuits/load_circuit.h"

namespace kzo::circuits {
namespace {

class CardFilesTest : public CircuitTest {
 protected:
  void SetUp() override {
    CircuitTest::SetUp();
    SetWrestlers({"Orrin Vale", "Tuck Masden", "Quill Danby", "Pim Lorca"});
    circuit = &AddCircuit();
  }
  // A show's ra block with one singles match, named after its show.
  static std::string OneMatch(const std::string& show) {
    return "4\r\n2\r\nSingles\r\nOrrin Vale pinned " + show + ".\r\nRating: 50\r\n";
  }
  model::CircuitRecord* circuit = nullptr;
};

TEST_F(CardFilesTest, InjuriesByNumberOrByName) {
  WriteCircuitFile("card.inj",
                   "2\r\n3\r\nQuill Danby\r\n7\r\nnobody\r\n9\r\n4x\r\n1\r\n99999\r\n5\r\n");
  LoadCircuit(1);
  EXPECT_EQ(circuit->injuries[2], 3);
  EXPECT_EQ(circuit->injuries[3], 7);
  EXPECT_EQ(circuit->injuries[4], 1) << "a name that begins with digits is a number";
  EXPECT_EQ(circuit->roster[3].injury, 7);
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(CardFilesTest, TitlesWithShortNamesAndHolders) {
  WriteCircuitFile(
      "card.ttl",
      "4\r\nvacant\r\nIntercontinental Title\r\n1\r\nVacant\r\nTag Team Champions\r\n2\r\n"
      "Orrin Vale and Quill Danby\r\n  World   Title Belt\r\n3\r\nNobody, Orrin Vale\r\n"
      "Belt\r\n4\r\n");
  LoadCircuit(1);
  ASSERT_EQ(circuit->title_count, 4);
  model::TitleRecord* titles = circuit->titles;
  EXPECT_STREQ(titles[1].title_short, "Intercontinental");
  EXPECT_EQ(titles[1].holder_count, 0);
  EXPECT_STREQ(titles[2].title_short, "Tag Team");
  EXPECT_EQ(titles[2].holder_count, 0) << "\"Vacant\" is a name that matches nobody";
  EXPECT_STREQ(titles[3].title_short, "World");
  ASSERT_EQ(titles[3].holder_count, 2);
  EXPECT_STREQ(titles[3].holder_names[1], "Orrin Vale");
  EXPECT_STREQ(titles[3].holder_names[2], "Quill Danby");
  EXPECT_EQ(titles[3].title_number, 3);
  EXPECT_STREQ(titles[4].title_short, "Belt");
  EXPECT_EQ(titles[4].holder_count, 0) << "the first name matches no wrestler";
}

TEST_F(CardFilesTest, TitleHoldersAreWrestlersUpToTwoThousand) {
  std::vector<std::string> names;
  for (int i = 1; i <= 2000; ++i) names.push_back("W" + std::to_string(i));
  names.push_back("Late Star");
  names.push_back("W7");  // a second W7 beyond: the first one is the holder
  SetWrestlers(names);
  WriteCircuitFile("card.ttl",
                   "3\r\nLate Star, W1\r\nA\r\n1\r\nW1, Late Star\r\nB\r\n2\r\n"
                   "W7\r\nC\r\n3\r\n");
  LoadCircuit(1);
  ASSERT_EQ(circuit->title_count, 3);
  EXPECT_EQ(circuit->titles[1].holder_count, 0) << "the first name is wrestler 2001";
  ASSERT_EQ(circuit->titles[2].holder_count, 1);
  EXPECT_STREQ(circuit->titles[2].holder_names[1], "W1");
  ASSERT_EQ(circuit->titles[3].holder_count, 1);
  EXPECT_STREQ(circuit->titles[3].holder_names[1], "W7");
}

TEST_F(CardFilesTest, ShowBlocksFollowTheRaFileIntoTheNextNumber) {
  WriteCircuitFile("card.inf", "3\r\n");
  WriteCircuitFile("card.ovv", "one\r\ntwo\r\nthree\r\n");
  WriteCircuitFile("cardra.001", OneMatch("A") + OneMatch("B"));
  WriteCircuitFile("cardfa.001", "0\r\n0\r\n0\r\n");
  WriteCircuitFile("cardca.001", "1\r\nfirst\r\n1\r\nsecond\r\n1\r\nstale\r\n");
  WriteCircuitFile("cardra.002", OneMatch("C"));
  WriteCircuitFile("cardca.002", "1\r\nthird\r\n");
  LoadCircuit(1);
  model::ShowRecord** shows = circuit->shows;
  EXPECT_STREQ(shows[1]->matches[1].text_lines[1], "Orrin Vale pinned A.");
  EXPECT_STREQ(shows[3]->matches[1].text_lines[1], "Orrin Vale pinned C.");
  EXPECT_STREQ(shows[3]->ca_text, "third\r\n");
  ASSERT_EQ(env.reports.size(), 2u) << "the missing cardfa.002 is opened and read";
  EXPECT_NE(env.reports[0].find("#53 (File not found)"), std::string::npos);
  EXPECT_NE(env.reports[0].find("LOADCIRC"), std::string::npos);
  EXPECT_NE(env.reports[1].find("#52 (Bad file name or number)"), std::string::npos);
}

TEST_F(CardFilesTest, WithoutTheFirstRaFileNoShowHasMatches) {
  WriteCircuitFile("card.inf", "1\r\n");
  WriteCircuitFile("card.ovv", "one\r\n");
  WriteCircuitFile("cardra.002", OneMatch("A"));
  LoadCircuit(1);
  EXPECT_EQ(circuit->shows[1]->match_count, 0);
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(CardFilesTest, WeightsDefaultToFive) {
  WriteCircuitFile("card.wht", "120\r\n240\r\n");
  LoadCircuit(1);
  EXPECT_EQ(circuit->wht_values[1], 120);
  EXPECT_EQ(circuit->wht_values[2], 240);
  EXPECT_EQ(circuit->wht_values[3], 5);
  EXPECT_EQ(circuit->wht_values[4], 5);
}

TEST_F(CardFilesTest, CircuitTeamsAndStablesAreNotNumbered) {
  WriteCircuitFile("teams.dat",
                   "1\r\nOrrin Vale\r\nTuck Masden\r\nThe Crew\r\nSlam/Orle\r\ntheme\r\n"
                   "\r\n\r\n\r\n\r\n\r\n");
  std::string trailing;
  for (int line = 0; line < 17; ++line) trailing += "\r\n";
  WriteCircuitFile("stables.dat",
                   "1\r\nThe Stable\r\n2\r\n1\r\n2\r\n0\r\n0\r\n0\r\n3\r\n" + trailing);
  LoadCircuit(1);
  ASSERT_EQ(circuit->team_count, 1);
  EXPECT_EQ(circuit->teams[1].number, 0);
  EXPECT_STREQ(circuit->teams[1].tname_full, "The Crew (Orrin Vale/Tuck Masden)");
  EXPECT_EQ(circuit->teams[1].finisher_who_pins, circuit->teams[1].wrestler1);
  ASSERT_EQ(circuit->stable_count, 1);
  EXPECT_EQ(circuit->stables[1].wrestlers_count, 2);
  EXPECT_EQ(circuit->stables[1].managers_count, 1);
}

TEST_F(CardFilesTest, NoTeamsFileMeansNoTeams) {
  legacy.Write("data/teams.dat", "1\r\nA\r\nB\r\nC\r\nD\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
  LoadCircuit(1);
  EXPECT_EQ(circuit->team_count, 0);
}

}  // namespace
}  // namespace kzo::circuits
