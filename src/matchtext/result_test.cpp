#include "matchtext/result.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kzo::matchtext {
namespace {

using Entries = std::vector<std::pair<std::string, int>>;

Entries Parsed(std::string_view sentence) {
  Entries entries;
  for (const ResultEntry& entry : ParseResult(sentence))
    entries.emplace_back(entry.name, entry.value);
  return entries;
}

struct ResultCase {
  std::string_view sentence;
  Entries entries;
};

TEST(ParseResultTest, ResultSentences) {
  const ResultCase cases[] = {
      {"Orrin Vale pinned Tuck Masden after a suplex in 12:34.",
       {{"Orrin Vale", 1}, {"Tuck Masden", -1}}},
      {"Orrin Vale and Pim Lorca defeated The Drifters (Tuck Masden and Quill Danby) when "
       "Orrin Vale pinned Quill Danby.",
       {{"Orrin Vale", 1}, {"Pim Lorca", 1}, {"Tuck Masden", -1}, {"Quill Danby", -1}}},
      {"Orrin Vale and Tuck Masden battled to a double count-out.",
       {{"Orrin Vale", 2}, {"Tuck Masden", 2}}},
      {"Pim Lorca won a battle royal in 9:58.", {{"Pim Lorca", 1}}},
      {"Orrin Vale drew Tuck Masden in 20:00.", {{"Orrin Vale", 2}, {"Tuck Masden", -2}}},
      {"Orrin Vale drew with Tuck Masden.", {{"Orrin Vale", 2}}},
      {"Orrin Vale beat Tuck Masden 12:34", {{"Orrin Vale", 1}, {"Tuck Masden ", -1}}},
      {"Tuck Masden and Pim Lorca brawled to the back.", {}},
  };
  for (const ResultCase& c : cases) EXPECT_EQ(Parsed(c.sentence), c.entries) << c.sentence;
}

TEST(ParseResultTest, EdgeCases) {
  const ResultCase cases[] = {
      // Verb precedence, and a draw verb anywhere turning the values into 2 and -2.
      {"A pinned B defeated C.", {{"A pinned B", 1}, {"C.", -1}}},
      {"A beat B made C.", {{"A beat B", 1}, {"C.", -1}}},
      {"A drew B then pinned C.", {{"A drew B then", 2}, {"C.", -2}}},
      {"A battled to B and pinned C.", {{"A battled to B and", 2}}},
      // " won a" is the start of "won against"; the blank inside " won over " is skipped.
      {"Orrin Vale won against Tuck Masden.", {{"Orrin Vale", 1}}},
      {"A won over B.", {{"A", 1}, {"B.", -1}}},
      // Verbs need their blanks.
      {"Pinned by A.", {}},
      {"Orrin Vale was pinned", {}},
      {"A\tpinned B.", {}},
      // A cut word before the verb leaves only a first side.
      {"Orrin Vale with Pim Lorca pinned Tuck Masden.", {{"Orrin Vale", 1}}},
      {" pinned Tuck Masden.", {{"", 1}, {"Tuck Masden.", -1}}},
      {"Orrin Vale pinned Tuck Masden.", {{"Orrin Vale", 1}, {"Tuck Masden.", -1}}},
      // Cut words in their order, then the second-side cut words and the time.
      {"A pinned B by count after C", {{"A", 1}, {"B", -1}}},
      {"A pinned B in the ring when C falls to D", {{"A", 1}, {"B", -1}}},
      {"A pinned B falls to 2:1", {{"A", 1}, {"B", -1}}},
      {"A pinned 12:34", {{"A", 1}}},
      {"A pinned B  ", {{"A", 1}, {"B  ", -1}}},
      {"  A, B and C pinned D /E", {{"A", 1}, {"B", 1}, {"C", 1}, {"D ", -1}, {"E", -1}}},
      {"Team (A) pinned B", {{"A)", 1}, {"B", -1}}},
      {"", {}},
      {" pinned ", {{"", 1}}},
  };
  for (const ResultCase& c : cases) EXPECT_EQ(Parsed(c.sentence), c.entries) << c.sentence;
}

std::string NameList(int from, int to) {
  std::string names;
  for (int i = from; i <= to; ++i) names += (i == from ? "N" : ", N") + std::to_string(i);
  return names;
}

TEST(ParseResultTest, AtMostOneHundredEntries) {
  std::string one_side = NameList(1, 150) + " pinned X";
  std::vector<ResultEntry> entries = ParseResult(one_side);
  ASSERT_EQ(entries.size(), 100u);
  EXPECT_EQ(entries[99].name, "N100");

  std::string both_sides = NameList(1, 60) + " pinned " + NameList(61, 130);
  entries = ParseResult(both_sides);
  ASSERT_EQ(entries.size(), 100u);
  EXPECT_EQ(entries[59].value, 1);
  EXPECT_EQ(entries[60].name, "N61");
  EXPECT_EQ(entries[99].name, "N100");
  EXPECT_EQ(entries[99].value, -1);
}

TEST(SplitResultSideTest, FieldsAndMemberLists) {
  using Names = std::vector<std::string_view>;
  EXPECT_EQ(SplitResultSide("The Drifters (Tuck Masden and Quill Danby)"),
            (Names{"Tuck Masden", "Quill Danby"}));
  EXPECT_EQ(SplitResultSide("A, B and C/D"), (Names{"A", "B", "C", "D"}));
  EXPECT_EQ(SplitResultSide("A /B"), (Names{"A ", "B"}));
  EXPECT_EQ(SplitResultSide(")) A ))"), (Names{" A "}));
  EXPECT_EQ(SplitResultSide("A, and B"), (Names{"A", "and B"}));
  EXPECT_EQ(SplitResultSide("x(y(z)/"), (Names{"y(z)", ""}));
  EXPECT_EQ(SplitResultSide(""), (Names{""}));
  EXPECT_EQ(SplitResultSide(std::string(300, '/')).size(), 100u);
}

}  // namespace
}  // namespace kzo::matchtext
