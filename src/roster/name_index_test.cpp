#include "roster/name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kzo::roster {
namespace {

TEST(NameIndexTest, TheLowestSlotOfANameWins) {
  std::vector<std::string> texts;
  for (int i = 0; i < 1000; ++i) texts.push_back("Name " + std::to_string(i % 700));
  std::vector<Text> names = {nullptr, nullptr, ""};
  for (const std::string& text : texts) names.push_back(text.c_str());
  NameIndex index;
  index.Build(names);
  EXPECT_EQ(index.Find(""), 1) << "a null name is the empty text";
  EXPECT_EQ(index.Find("Name 5"), 8);
  EXPECT_EQ(index.Find("Name 699"), 702);
  EXPECT_EQ(index.Find("Name 700"), 0);
  EXPECT_EQ(index.Find("name 5"), 0) << "letter case counts";

  NameIndex grown;  // names added one by one, far beyond the first table
  EXPECT_EQ(grown.Find("x"), 0);
  for (int slot = 1; slot <= 1000; ++slot)
    grown.Add(texts[static_cast<std::size_t>(slot - 1)], slot);
  EXPECT_EQ(grown.Find("Name 5"), 6);
  EXPECT_EQ(grown.Find("Name 699"), 700);
  grown.Build(std::span<const Text>(names).first(3));
  EXPECT_EQ(grown.Find("Name 5"), 0) << "building anew forgets earlier names";
  EXPECT_EQ(grown.Find(""), 1);
}

}  // namespace
}  // namespace kzo::roster
