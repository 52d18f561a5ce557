#include "circuits/points.h"

#include "circuits/circuit_database.h"
#include "circuits/circuit_test_support.h"
#include "circuits/load_circuit.h"

namespace kzo::circuits {
namespace {

class PointsTest : public CircuitTest {
 protected:
  void SetUp() override {
    CircuitTest::SetUp();
    SetWrestlers({"Orrin Vale", "Tuck Masden", "Quill Danby", "Pim Lorca"});
    roster::Database().wrestlers[2].is_female = 1;
    circuit = &AddCircuit();
    legacy.Write("data/teams.dat", "0\r\n");  // name matching reads the legacy teams file
    std::string db = NumberLine(4) + "\r\n";
    for (int status : {1, 150, 100, 0}) {
      db += DatabaseRecord({"x", " 0 ", NumberLine(status), " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", ""});
    }
    WriteCircuitFile("circdb.dat", db);
  }
  // The circuit's roster names are "x": points entries name wrestlers by the circuit's
  // names, so the tests rename them as the roster knows them.
  void Load() {
    std::string db = ReadCircuitFile("circdb.dat");
    for (const char* name : {"Orrin Vale", "Tuck Masden", "Quill Danby", "Pim Lorca"}) {
      db.replace(db.find("x\r\n"), 1, name);
    }
    WriteCircuitFile("circdb.dat", db);
    LoadCircuit(1);
  }
  const model::PointsEntry& Entry(const model::PointsTable& table, int slot) {
    return table.entries[slot];
  }

  model::CircuitRecord* circuit = nullptr;
};

TEST_F(PointsTest, ActiveProductsAndGenderMasks) {
  WriteCircuitFile("card.pts",
                   "Orrin Vale and Tuck Masden\r\n1, 2, 3, 4, 5, 6\r\n"
                   "Orrin Vale and Quill Danby\r\n0,0,0,0,0,0\r\n"
                   "Orrin Vale and Nobody\r\n0,0,0,0,0,0\r\n"
                   "Nobody/Somebody\r\n0,0,0,0,0,0\r\n");
  Load();
  const model::PointsTable& pts = circuit->points->pts;
  ASSERT_EQ(pts.entry_count, 4);
  EXPECT_EQ(Entry(pts, 1).active_product, 1);
  EXPECT_EQ(Entry(pts, 1).gender_mask, 3);
  EXPECT_EQ(Entry(pts, 1).values[6], 6);
  EXPECT_EQ(Entry(pts, 2).active_product, 0);
  EXPECT_EQ(Entry(pts, 2).gender_mask, 1);
  EXPECT_EQ(Entry(pts, 3).active_product, -99);
  EXPECT_EQ(Entry(pts, 3).participants[2], 0);
  EXPECT_EQ(Entry(pts, 4).active_product, 9801);
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(PointsTest, TotalsSumEveryTableAndKeepTheFirstTitleMask) {
  WriteCircuitFile("card.ttl",
                   "3\r\nvacant\r\nA Title\r\n1\r\nvacant\r\nB Title\r\n2\r\n"
                   "Orrin Vale and Tuck Masden\r\nTag Title\r\n3\r\n");
  WriteCircuitFile("card.pts", "Tuck Masden, Orrin Vale\r\n1,1,1,1,1,1\r\n");
  WriteCircuitFile("cardt.pts", "Orrin Vale\r\n10 20 30 40 50 60\r\n");
  Load();
  const model::PointsSet& points = *circuit->points;
  EXPECT_EQ(Entry(points.pts, 1).title_mask, 8) << "bit 3 for title 3";
  EXPECT_EQ(Entry(points.pts_t, 1).title_mask, 0);
  ASSERT_EQ(points.totals.entry_count, 2);
  const model::PointsEntry& tuck = Entry(points.totals, 1);
  const model::PointsEntry& orrin = Entry(points.totals, 2);
  EXPECT_STREQ(tuck.entry_name, "Tuck Masden");
  EXPECT_EQ(orrin.participants[1], 1);
  EXPECT_EQ(orrin.values[1], 11);
  EXPECT_EQ(orrin.values[6], 61);
  EXPECT_EQ(orrin.title_mask, 8);
  EXPECT_EQ(orrin.active_product, 1);
  EXPECT_EQ(orrin.gender_mask, 0);
}

TEST_F(PointsTest, MissingFilesGiveEmptyTablesAndATrailingEmptyLineOneMoreEntry) {
  Load();
  ASSERT_NE(circuit->points, nullptr);
  EXPECT_EQ(circuit->points->pts.entry_count, 0);
  EXPECT_EQ(circuit->points->totals.entry_count, 0);
}

TEST_F(PointsTest, ATrailingEmptyLineGivesOneMoreEntry) {
  WriteCircuitFile("cards.pts", "Pim Lorca\r\n1,2,3,4,5,6\r\n\r\n");
  Load();
  const model::PointsTable& pts_s = circuit->points->pts_s;
  ASSERT_EQ(pts_s.entry_count, 2);
  EXPECT_STREQ(Entry(pts_s, 2).entry_name, "");
  EXPECT_EQ(Entry(pts_s, 2).values[1], 0);
  EXPECT_EQ(env.reports.size(), 6u) << "each of its six numbers is input past end";
  EXPECT_NE(env.reports[0].find("OC_LOADR"), std::string::npos);
  const model::PointsTable& totals = circuit->points->totals;
  ASSERT_EQ(totals.entry_count, 2);
  EXPECT_STREQ(Entry(totals, 2).entry_name, "") << "unmatched participants sum into one entry";
  EXPECT_EQ(Entry(totals, 2).active_product, -99);
}

}  // namespace
}  // namespace kzo::circuits
