#include "matchtext/participants.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "roster/database.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::matchtext {
namespace {

using Names = std::vector<std::string>;

// One tag-team record of a teams file: members, team name and seven ignored lines.
std::string TeamRecord(std::string_view member1, std::string_view member2, std::string_view team) {
  std::string record =
      std::string(member1) + "\r\n" + std::string(member2) + "\r\n" + std::string(team) + "\r\n";
  for (int line = 4; line <= 10; ++line) record += "0\r\n";
  return record;
}

const std::string kDrifters = TeamRecord("Tuck Masden", "Quill Danby", "The Drifters");

class ParticipantsTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    legacy.MakeFolder("data");
    roster::Database().legacy_folder = legacy.path().c_str();
  }
  void WriteCircuitTeams(std::string_view content) { circuit.Write("teams.dat", content); }
  std::string Folder() const { return circuit.path() + "\\"; }

  platform::TempFolder legacy;
  platform::TempFolder circuit;
};

std::string ReportOf(int number, std::string_view tag) {
  return store::ErrorReportText(number, tag);
}

TEST(ReduceParticipantTextTest, RemarksMemberListsAndSlashes) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"Orrin Vale, The Drifters (Tuck Masden/Quill Danby) [c]",
       "Orrin Vale, Tuck Masden, Quill Danby"},
      {"The Drifters (Tuck Masden and Quill Danby)", "Tuck Masden and Quill Danby"},
      {"Pim Lorca and The Drifters (Tuck Masden/Quill Danby)", "Tuck Masden, Quill Danby"},
      {"[c] Orrin Vale", " Orrin Vale"},
      {"[a][b]", ""},
      {"Orrin Vale [c] [d]x", "Orrin Valex"},
      {"Orrin Vale [c", "Orrin Vale [c"},
      {"Orrin Vale ]c[", "Orrin Vale ]c["},
      {"A (B", "A (B"},
      {"A)(B", "A)(B"},
      {"A,(B))", "A,(B"},
      {"A, B (C) and D (E)", "A, E"},
      {"A/B", "A, B"},
      {"", ""},
  };
  for (const auto& [text, reduced] : cases) EXPECT_EQ(ReduceParticipantText(text), reduced) << text;
}

TEST(SplitParticipantListTest, SlotsAndSeparators) {
  EXPECT_EQ(SplitParticipantList("Orrin Vale,Pim Lorca"), (Names{"Orrin Vale", "im Lorca"}));
  EXPECT_EQ(SplitParticipantList("A, B and C"), (Names{"A", "B", "C"}));
  EXPECT_EQ(SplitParticipantList("A and and B"), (Names{"A", "and B"}));
  EXPECT_EQ(SplitParticipantList("A, and B"), (Names{"A", "and B", "and B"}));
  EXPECT_EQ(SplitParticipantList("A,"), (Names{"A", ""}));
  EXPECT_EQ(SplitParticipantList(""), (Names{""}));
  EXPECT_EQ(CountSeparators(" and and "), 1);
  EXPECT_EQ(CountSeparators("a,b and c, and d"), 4);
}

TEST_F(ParticipantsTest, MatchesComparesTheNamedParticipants) {
  WriteCircuitTeams("1\r\n" + kDrifters);
  const struct {
    std::string_view first, second;
    int matches;
  } cases[] = {
      {"Tuck Masden and Quill Danby", "The Drifters", 1},
      {"Quill Danby/Tuck Masden", "Tuck Masden, Quill Danby", 1},
      {"The Drifters (Tuck Masden and Quill Danby)", "Tuck Masden and Quill Danby", 1},
      {"Orrin Vale", "Orrin Vale [c]", 1},
      {"Orrin Vale", "Orrin Vale and Pim Lorca", 0},
      {"Orrin Vale", "orrin vale", 0},
      {"Orrin Vale, Orrin Vale", "Orrin Vale, Pim Lorca", 1},
      {"Orrin Vale, Pim Lorca", "Orrin Vale, Orrin Vale", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MATCHES(c.first, c.second, Folder()), c.matches) << c.first << " / " << c.second;
  }
  EXPECT_TRUE(env.reports.empty());
}

struct NameList {
  std::vector<std::string> storage;
  std::vector<Text> texts;
  roster::NameIndex index;
  explicit NameList(std::vector<std::string> names) : storage(std::move(names)) {
    for (const std::string& name : storage) texts.push_back(name.c_str());
    index.Build(texts);
  }
};

// Slot 7 "Orrin Vale", slot 3 "Tuck Masden", no "Quill Danby".
NameList SevenNames() {
  return NameList({"", "Pim Lorca", "W2", "Tuck Masden", "W4", "W5", "W6", "Orrin Vale"});
}

TEST_F(ParticipantsTest, BreakDownGivesTheSlotOfEveryName) {
  WriteCircuitTeams("1\r\n" + kDrifters);
  NameList names = SevenNames();
  std::array<std::int32_t, 201> numbers{};
  EXPECT_EQ(BreakDownParticipants("Orrin Vale and The Drifters", numbers, names.index, Folder()),
            3);
  EXPECT_EQ(numbers[1], 7);
  EXPECT_EQ(numbers[2], 3);
  EXPECT_EQ(numbers[3], -1);
  EXPECT_EQ(numbers[0], 0) << "slot 0 is never written";
}

TEST_F(ParticipantsTest, BreakDownWritesNoNumberBeyondTheList) {
  NameList names = SevenNames();
  std::array<std::int32_t, 3> numbers{};
  std::string text = "Orrin Vale";
  for (int i = 0; i < 300; ++i) text += ", Pim Lorca";
  EXPECT_EQ(BreakDownParticipants(text, numbers, names.index, circuit.path()), 301);
  EXPECT_EQ(numbers[1], 7);
  EXPECT_EQ(numbers[2], 1);
}

TEST_F(ParticipantsTest, ExpansionStopsWhereTheListIsFull) {
  WriteCircuitTeams("3\r\n" + TeamRecord("Loop", "Pim Lorca", "Loop") +
                    TeamRecord("The Drifters", "Orrin Vale", "Big") + kDrifters);
  // The names of a text's slots after expansion, in a list of 2 * separators + 2 slots.
  NameList names({"", "Loop", "Pim Lorca", "The Drifters", "Orrin Vale", "Tuck Masden",
                  "Quill Danby", "X", "Big", "Y"});
  auto expanded = [&](std::string_view text) {
    std::array<std::int32_t, 201> numbers{};
    int count = BreakDownParticipants(text, numbers, names.index, Folder());
    Names slots;
    for (int i = 1; i <= count; ++i) slots.push_back(names.storage[numbers[i]]);
    return slots;
  };
  EXPECT_EQ(expanded("Loop"), (Names{"Loop", "Pim Lorca"}));
  EXPECT_EQ(expanded("Loop, X"), (Names{"Loop", "X", "Pim Lorca", "Pim Lorca"}));
  EXPECT_EQ(expanded("Big"), (Names{"The Drifters", "Orrin Vale"}));
  EXPECT_EQ(expanded("Big and X"), (Names{"Tuck Masden", "X", "Orrin Vale", "Quill Danby"}));
  EXPECT_EQ(expanded("Big, X, Y"), (Names{"Tuck Masden", "X", "Y", "Orrin Vale", "Quill Danby"}));
}

// Teams given in place of a file expand as the same records of a file do, full list included.
TEST_F(ParticipantsTest, TeamsGivenInPlaceOfAFileExpandAsTheFileWould) {
  const TeamNames teams[] = {{"Loop", "Pim Lorca", "Loop"},
                             {"The Drifters", "Orrin Vale", "Big"},
                             {"Tuck Masden", "Quill Danby", "The Drifters"}};
  EXPECT_EQ(ParticipantNames("Big and X [c]", teams),
            (Names{"Tuck Masden", "X", "Orrin Vale", "Quill Danby"}));
  EXPECT_EQ(ParticipantNames("Champs (Loop/Y)", teams),
            (Names{"Loop", "Y", "Pim Lorca", "Pim Lorca"}));
  EXPECT_EQ(ParticipantNames("Nobody", {}), Names{"Nobody"});
}

TEST_F(ParticipantsTest, TheCircuitTeamsFileComesBeforeTheLegacyOne) {
  legacy.Write("data/teams.dat", "1\r\n" + TeamRecord("Orrin Vale", "Pim Lorca", "The Drifters"));
  EXPECT_EQ(MATCHES("The Drifters", "Orrin Vale, Pim Lorca", circuit.path()), 1);
  WriteCircuitTeams("1\r\n" + kDrifters);
  ForgetTeamsFiles();
  EXPECT_EQ(MATCHES("The Drifters", "Tuck Masden, Quill Danby", circuit.path() + "\\\\"), 1);
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(ParticipantsTest, EachTeamsFileIsReadOncePerRun) {
  WriteCircuitTeams("1\r\n" + kDrifters);
  EXPECT_EQ(MATCHES("The Drifters", "Tuck Masden and Quill Danby", Folder()), 1);
  WriteCircuitTeams("0\r\n");
  EXPECT_EQ(MATCHES("The Drifters", "Tuck Masden and Quill Danby", Folder()), 1);
  ForgetTeamsFiles();
  EXPECT_EQ(MATCHES("The Drifters", "Tuck Masden and Quill Danby", Folder()), 0);
}

TEST_F(ParticipantsTest, AMissingTeamsFileReportsTheSameOnEveryCall) {
  NameList names = SevenNames();
  std::array<std::int32_t, 201> numbers{};
  std::vector<std::string> expected;
  for (int call = 1; call <= 3; ++call) {
    EXPECT_EQ(BreakDownParticipants("The Drifters", numbers, names.index, circuit.path()), 1);
    expected.push_back(ReportOf(53, "BREAKDOW"));  // the open
    expected.push_back(ReportOf(52, "BREAKDOW"));  // the count read from a file not open
    EXPECT_EQ(env.reports, expected) << "call " << call;
  }
  EXPECT_EQ(MATCHES("A", "A", circuit.path()), 1);
  expected.push_back(ReportOf(53, "MATCHES "));
  expected.push_back(ReportOf(52, "MATCHES "));
  EXPECT_EQ(env.reports, expected);
}

TEST_F(ParticipantsTest, AShortTeamsFileReportsEveryMissingLineOnEveryCall) {
  WriteCircuitTeams("2\r\n" + kDrifters);
  std::vector<std::string> expected;
  for (int call = 1; call <= 2; ++call) {
    EXPECT_EQ(MATCHES("The Drifters", "Tuck Masden, Quill Danby", Folder()), 1);
    expected.insert(expected.end(), 10, ReportOf(62, "MAKEASCI"));
    EXPECT_EQ(env.reports, expected) << "call " << call;
  }
  // The second record came out empty: an empty slot is its team name.
  NameList names = SevenNames();
  std::array<std::int32_t, 201> numbers{};
  EXPECT_EQ(BreakDownParticipants("", numbers, names.index, Folder()), 2);
  EXPECT_EQ(numbers[1], -1);
}

TEST_F(ParticipantsTest, ACountMadeOfBlanksIsAFailedRead) {
  WriteCircuitTeams("   ");
  EXPECT_EQ(MATCHES("A", "A", Folder()), 1);
  EXPECT_EQ(MATCHES("A", "A", Folder()), 1);
  EXPECT_EQ(env.reports, Names(2, ReportOf(62, "MATCHES ")));
}

TEST_F(ParticipantsTest, AZeroCountIsNoFailure) {
  for (std::string_view content : {"0", "  0  ", "abc"}) {
    WriteCircuitTeams(content);
    ForgetTeamsFiles();
    EXPECT_EQ(MATCHES("A", "A", Folder()), 1);
    EXPECT_EQ(MATCHES("A", "A", Folder()), 1);
    EXPECT_TRUE(env.reports.empty()) << content;
  }
}

TEST_F(ParticipantsTest, AGarbageCountIsCutToTheFile) {
  WriteCircuitTeams("2000000000\r\n" + kDrifters);
  EXPECT_EQ(MATCHES("The Drifters", "Tuck Masden, Quill Danby", Folder()), 1);
  EXPECT_FALSE(env.reports.empty());
  EXPECT_LT(env.reports.size(), 200u);
}

}  // namespace
}  // namespace kzo::matchtext
