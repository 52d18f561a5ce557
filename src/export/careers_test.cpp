#include "export/careers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/loaddbs.h"
#include "export/export_test_support.h"
#include "store/run_test_support.h"

namespace kzo::exporter {
namespace {

// A record as "matches/wins/losses/draws".
std::string Counts(const Record& record) {
  return std::to_string(record.matches) + "/" + std::to_string(record.wins) + "/" +
         std::to_string(record.losses) + "/" + std::to_string(record.draws);
}

// A career's opponents in one circuit as "wrestler:matches/wins/losses/draws".
std::vector<std::string> Opponents(const CircuitCareer& circuit) {
  std::vector<std::string> opponents;
  for (const Opponent& opponent : circuit.opponents) {
    opponents.push_back(std::to_string(opponent.wrestler) + ":" + Counts(opponent.record));
  }
  return opponents;
}

using Strings = std::vector<std::string>;

class CareersTest : public testing::RunTest {
 protected:
  // Loads the installation, its first show's card replaced by ra_block when it is given.
  std::vector<Career> Load(const std::string& ra_block = {}) {
    WriteInstallation(legacy);
    if (!ra_block.empty()) {
      std::string cards = legacy.Read("north/cardra.001");
      legacy.Write("north/cardra.001", ra_block + cards.substr(cards.find("6\r\n")));
    }
    driver::LOADDBS(legacy.path());
    return BuildCareers();
  }

  platform::TempFolder legacy;
};

// Show 1: Orrin Vale beats Tuck Masden; show 2: a comment (no match), then Orrin Vale and Pim
// Lorca beat Tuck Masden and Quill Danby; show 3: an interview, then a draw that names Orrin
// Vale and Tuck Masden as one side.
TEST_F(CareersTest, RecordsStreaksAndOpponentsFollowTheResults) {
  std::vector<Career> careers = Load();
  ASSERT_EQ(careers.size(), 5u);
  const Career& orrin = careers[1];
  EXPECT_EQ(Counts(orrin.total), "3/2/0/1");
  ASSERT_EQ(orrin.circuits.size(), 1u);
  const Streak& streak = orrin.circuits[0].streak;
  EXPECT_EQ(streak.longest, 2);
  EXPECT_EQ(streak.longest_first_show, 1);
  EXPECT_EQ(streak.longest_last_show, 2);
  EXPECT_EQ(streak.current, Result::kDraw);
  EXPECT_EQ(streak.current_length, 1);
  EXPECT_EQ(Opponents(orrin.circuits[0]), (Strings{"2:3/2/0/1", "3:1/1/0/0"}))
      << "a partner is no opponent; the one-sided draw is met";
  EXPECT_EQ(Opponents(careers[2].circuits[0]), (Strings{"1:3/0/2/1", "4:1/0/1/0"}));
  EXPECT_EQ(careers[2].circuits[0].streak.longest, 0);
  EXPECT_EQ(careers[2].appearances.size(), 3u);
  EXPECT_EQ(careers[2].appearances[1].match, 2) << "the comment before it is no match";
}

// A result that names a wrestler on both sides counts the match once, as a win and a loss
// (as the database's view of records does), a result of none that ends the streak; a name
// repeated on one side counts once.
TEST_F(CareersTest, AWrestlerOnBothSidesCountsOnceAndEndsTheStreak) {
  std::vector<Career> careers = Load(
      "3\r\n" + Lines({"1", "Handicap",
                       "Orrin Vale and Orrin Vale defeated Orrin Vale and Pim Lorca in 5:00."}));
  EXPECT_EQ(Counts(careers[1].total), "3/2/1/1");
  EXPECT_EQ(ResultOf(careers[1].appearances[0].outcome), Result::kNone);
  EXPECT_EQ(careers[1].circuits[0].streak.longest_first_show, 2);
  EXPECT_EQ(Opponents(careers[4].circuits[0]), (Strings{"1:1/0/1/0", "2:1/1/0/0", "3:1/1/0/0"}))
      << "Pim Lorca lost to Orrin Vale, then stood beside him";
  EXPECT_EQ(Record{}.WinPerMille(), -1);
  EXPECT_EQ((Record{3, 2, 1, 0}).WinPerMille(), 667);
}

}  // namespace
}  // namespace kzo::exporter
