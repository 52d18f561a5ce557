#include "circuits/load_circuit.h"

#include "circuits/circuit_test_support.h"
#include "store/run_test_support.h"

namespace kzo::circuits {
namespace {

class LoadCircuitTest : public CircuitTest {
 protected:
  void SetUp() override {
    CircuitTest::SetUp();
    SetWrestlers({"Orrin Vale", "Tuck Masden"});
  }
};

TEST_F(LoadCircuitTest, SettingsDefaultsReplaceZeroAfterAllAreRead) {
  model::CircuitRecord& c = AddCircuit();
  WriteCircuitFile("kzo.cnf",
                   "AddPointsForWin=0\r\nTitleBonusValue=7\r\nWinningStreakImportance=0\r\n"
                   "UniverseCircuit1=Other=One\r\n");
  LoadCircuit(1);
  EXPECT_EQ(c.AddPointsForWin, 500);
  EXPECT_EQ(c.DeductPointsForLoss, 250);
  EXPECT_EQ(c.TitleBonusValue, 7);
  EXPECT_EQ(c.WinningStreakImportance, 0);
  EXPECT_STREQ(c.UniverseCircuit1, "Other=One");
  EXPECT_STREQ(c.UniverseCircuit2, "");
}

TEST_F(LoadCircuitTest, EveryLoadedCircuitFolderGetsASettingsFile) {
  AddCircuit();
  LoadCircuit(1);
  EXPECT_TRUE(CircuitFileExists("kzo.cnf"));
  EXPECT_EQ(ReadCircuitFile("kzo.cnf"), "");
  EXPECT_TRUE(CircuitFileExists("circdb.dat"));
}

TEST_F(LoadCircuitTest, HiringListedNeedsTheBarsAroundTheFolder) {
  for (auto [limit, listed] : {std::pair{"|a|circ|", 1}, {"circ|a", 0}, {"|CIRC|", 0}, {"", 0}}) {
    model::CircuitRecord& c = AddCircuit();
    roster::Database().settings.GlobalHiringLimitTo = store::NewRecordString(limit);
    LoadCircuit(1);
    EXPECT_EQ(c.hiring_listed, listed) << limit;
  }
}

TEST_F(LoadCircuitTest, ShowRecordsComeFromTheOverviewFile) {
  model::CircuitRecord& c = AddCircuit();
  WriteCircuitFile("card.inf", "3\r\n");
  WriteCircuitFile("card.ovv", "Opening Night\r\nSecond\r\n");
  LoadCircuit(1);
  ASSERT_EQ(c.show_count, 3);
  EXPECT_STREQ(c.shows[1]->overview, "Opening Night");
  EXPECT_STREQ(c.shows[3]->overview, "") << "missing lines read as empty";
  ASSERT_EQ(env.reports.size(), 1u);
  EXPECT_NE(env.reports[0].find("#62"), std::string::npos);
  EXPECT_NE(env.reports[0].find("MAKEASCI"), std::string::npos);
}

TEST_F(LoadCircuitTest, WithoutAnOverviewFileNoShowHasARecord) {
  model::CircuitRecord& c = AddCircuit();
  WriteCircuitFile("card.inf", "2\r\n");
  LoadCircuit(1);
  EXPECT_EQ(c.show_count, 2);
  EXPECT_EQ(c.shows, nullptr);
}

TEST_F(LoadCircuitTest, FoldersOutsideOrAtTheLegacyFolderAreNotLoaded) {
  model::CircuitRecord& outside = AddCircuit("circ\\..\\..");
  LoadCircuit(1);
  EXPECT_EQ(env.console, "Circuit folder outside the legacy folder skipped: circ\\..\\..\r\n");
  EXPECT_EQ(outside.today, 0);
  for (const char* itself : {"", "\\", ".", "./."}) {
    model::CircuitRecord& c = AddCircuit();
    c.folder = store::NewRecordString(itself);
    LoadCircuit(1);
    EXPECT_EQ(c.today, 0) << itself;
  }
  EXPECT_FALSE(legacy.Exists("circdb.dat"));
  EXPECT_FALSE(legacy.Exists("kzo.cnf"));
  EXPECT_EQ(env.console, "Circuit folder outside the legacy folder skipped: circ\\..\\..\r\n");
}

}  // namespace
}  // namespace kzo::circuits

namespace kzo::circuits {
namespace {

// A platform whose heap has no more room once the test says so.
class FullHeap : public platform::TestEnv {
 public:
  void* HeapAlloc(int heap, std::size_t size) override {
    return full ? nullptr : TestEnv::HeapAlloc(heap, size);
  }
  bool full = false;
};

TEST(LoadCircuitHeapTest, ShowsThatCannotBeMadeEndTheCircuitsLoad) {
  FullHeap env;
  platform::TempFolder legacy;
  testing::ScopedRun run(env);
  std::string folder = legacy.path();
  roster::Database().legacy_folder = folder.c_str();
  model::Circuits().count = 1;
  model::Circuits().records[1].folder = "circ";
  legacy.Write("circ/card.inf", "2\r\n");
  legacy.Write("circ/card.ovv", "one\r\ntwo\r\n");
  env.full = true;
  store::BeginObjectHeap();  // a new heap that gets no memory at all
  LoadCircuit(1);
  EXPECT_EQ(env.console, "Null pointer returned for object creation.\r\n");
  EXPECT_EQ(model::Circuits().records[1].shows, nullptr);
  EXPECT_FALSE(legacy.Exists("circ/circdb.dat")) << "the rest of the circuit stays unloaded";
  EXPECT_TRUE(env.reports.empty());
}

}  // namespace
}  // namespace kzo::circuits
