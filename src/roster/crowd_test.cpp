#include "roster/crowd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings.h"
#include "platform/testing/test_env.h"
#include "roster/database.h"
#include "roster/wrestler_lookup.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

class CrowdFileTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    AddWrestlers();
  }

  // Wrestlers 1..3 of the roster, two of them with the same name.
  static void AddWrestlers() {
    roster::RosterDatabase& db = roster::Database();
    const char* names[] = {"Orrin Vale", "Tuck Masden", "Orrin Vale"};
    db.wrestlers.resize(4);
    db.wrestler_count = 3;
    for (int i = 1; i <= 3; ++i) {
      db.wrestlers[static_cast<std::size_t>(i)].wnr = i;
      db.wrestlers[static_cast<std::size_t>(i)].wname = store::NewRecordString(names[i - 1]);
    }
  }

  // Reads a crowd file holding the lines (CR LF after each).
  void Read(const std::vector<std::string>& lines, int kind = 1) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    folder.Write("crowd.cnf", bytes);
    ReadCrowdFile(folder / "crowd.cnf", kind);
  }

  const CrowdReaction& Entry(int number) {
    return CrowdReactions().entries[static_cast<std::size_t>(number)];
  }

  // The texts of the table, in order.
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (int i = 1; i <= CrowdReactions().count; ++i) texts.emplace_back(View(Entry(i).text));
    return texts;
  }

  platform::TempFolder folder;
};

using TextList = std::vector<std::string>;

TEST_F(CrowdFileTest, OneEntryPerText) {
  Read({"Orrin Vale_Face=Orrin! Orrin!|Orrin rules!"}, 2);
  ASSERT_EQ(CrowdReactions().count, 2);
  EXPECT_EQ(Texts(), (TextList{"Orrin! Orrin!", "Orrin rules!"}));
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(Entry(i).crowd_kind, 2);
    EXPECT_EQ(Entry(i).reaction, kReactionFace);
    EXPECT_STREQ(Entry(i).wrestler_name, "Orrin Vale");
    EXPECT_NE(Entry(i).wrestler_name, roster::Database().wrestlers[1].wname) << "a copy";
    EXPECT_EQ(Entry(i).spare, 0);
  }
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(CrowdFileTest, ReactionWords) {
  const std::pair<const char*, int> cases[] = {
      {"Face", kReactionFace},  {"Heel", kReactionHeel},   {"*", kReactionAny},
      {"face", kReactionOther}, {"Face_x", kReactionFace}, {"Tweener", kReactionOther},
  };
  for (auto [word, reaction] : cases) {
    store::BeginRun(env);
    AddWrestlers();
    Read({std::string("Tuck Masden_") + word + "=Boo"});
    ASSERT_EQ(CrowdReactions().count, 1) << word;
    EXPECT_EQ(Entry(1).reaction, reaction) << word;
  }
}

TEST_F(CrowdFileTest, LinesThatDoNotFitAreSkipped) {
  Read({
      "Orrin ValeFace=no underscore",
      "Orrin Vale_Face no equals",
      "_Face=no name",
      "Orrin Vale_=no word",
      "Orrin Vale_Face=",
      "orrin vale_Face=other case",
      "Orrin Vale _Face=trailing blank",
      "Nobody_Face=unknown",
      "",
      "Tuck Masden_Heel=kept",
  });
  EXPECT_EQ(Texts(), (TextList{"kept"}));
}

TEST_F(CrowdFileTest, TextsAreCutAtTheSecondEqualsAndEmptyPartsCount) {
  Read({"Tuck Masden_Heel=a=b|c", "Tuck Masden_Heel=|x||y|"});
  EXPECT_EQ(Texts(), (TextList{"a", "", "x", "", "y", ""}));
}

TEST_F(CrowdFileTest, ScrambledLinesAreUnscrambled) {
  std::string scrambled = config::ScrambleText("Tuck Masden_*=Hidden|Text", 1);
  ASSERT_EQ(scrambled.front(), '_');
  Read({scrambled, "Orrin Vale_Face=Plain"});
  EXPECT_EQ(Texts(), (TextList{"Hidden", "Text", "Plain"}));
  EXPECT_EQ(Entry(1).reaction, kReactionAny);
}

TEST_F(CrowdFileTest, AMissingFileIsSkippedSilently) {
  ReadCrowdFile(folder / "nothing.cnf", 1);
  EXPECT_EQ(CrowdReactions().count, 0);
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(CrowdFileTest, TextsBeyondTheTablesCapacityAreDropped) {
  std::string texts(kMaxCrowdReactions + 10, '|');
  Read({"Tuck Masden_Heel=" + texts, "Orrin Vale_Face=late"});
  EXPECT_EQ(CrowdReactions().count, kMaxCrowdReactions);
  EXPECT_STREQ(Entry(kMaxCrowdReactions).wrestler_name, "Tuck Masden");
}

}  // namespace
}  // namespace kzo::roster
