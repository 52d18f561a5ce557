#include "driver/run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "driver/importer.h"
#include "matchtext/participants.h"
#include "model/circuit.h"
#include "model/find_wrestler.h"
#include "roster/crowd.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"
#include "roster/wrestler_lookup.h"
#include "store/run_test_support.h"

namespace kzo::driver {
namespace {

// The sample installation, copied into a folder of its own, is the working directory.
class SampleRunTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    std::filesystem::copy(std::filesystem::path(KZO_SOURCE_DIR) / "examples" / "sample",
                          folder.path(), std::filesystem::copy_options::recursive);
    previous = env.WorkingDirectory();
    ASSERT_EQ(env.ChangeDirectory(folder.path()), 0);
  }
  void TearDown() override {
    RunTest::TearDown();
    ASSERT_EQ(env.ChangeDirectory(previous), 0);
  }

  platform::TempFolder folder;
  std::string previous;
};

TEST_F(SampleRunTest, ANewRunBeginsWithNothingOfTheLast) {
  LoadLegacyFolder(env);
  const roster::RosterDatabase& db = roster::Database();
  ASSERT_GT(db.wrestler_count, 0);
  ASSERT_GT(roster::CrowdReactions().count, 0);
  ASSERT_EQ(roster::Dictionary().entry_count, 243);
  ASSERT_EQ(model::Circuits().count, 2);
  std::string wrestler(View(db.wrestlers[1].wname));
  std::string in_circuit(View(model::Circuits().records[1].roster[1].name));
  ASSERT_EQ(model::FindWrestler(in_circuit, 1), 1);
  ASSERT_EQ(roster::FindWrestler(wrestler), 1);
  int texts_met = matchtext::ParticipantTextId("a text no run met");

  store::BeginRun(env);
  EXPECT_EQ(db.legacy_folder, nullptr);
  EXPECT_EQ(db.settings.GlobalHiringLimitTo, nullptr);
  EXPECT_TRUE(db.wrestlers.empty() && db.moves.empty() && db.teams.empty() && db.stables.empty());
  EXPECT_EQ(db.wrestler_count + db.move_count + db.team_count + db.stable_count, 0);
  EXPECT_EQ(roster::CrowdReactions().count, 0);
  EXPECT_EQ(roster::CrowdReactions().entries[1].text, nullptr);
  EXPECT_EQ(roster::Dictionary().entry_count, 0);
  EXPECT_EQ(roster::Dictionary().entries[1].key, nullptr);
  EXPECT_EQ(model::Circuits().count, 0);
  EXPECT_EQ(model::Circuits().records[1].roster, nullptr);
  EXPECT_EQ(model::FindWrestler(in_circuit, 1), 0);
  EXPECT_EQ(roster::FindWrestler(wrestler), 0);
  EXPECT_GT(texts_met, 0);
  EXPECT_EQ(matchtext::ParticipantTextId("a text no run met"), 0) << "participant texts forgotten";
}

TEST_F(SampleRunTest, ASecondRunOfTheFolderReportsAsTheFirst) {
  LoadLegacyFolder(env);
  ASSERT_TRUE(WriteMatchReport());
  std::string first = folder.Read("matches.txt");
  LoadLegacyFolder(env);
  ASSERT_TRUE(WriteMatchReport());
  EXPECT_EQ(folder.Read("matches.txt"), first);
  EXPECT_TRUE(env.reports.empty());
}

}  // namespace
}  // namespace kzo::driver
