#include "circuits/circuit_database.h"

#include "circuits/circuit_test_support.h"
#include "circuits/load_circuit.h"
#include "store/datetime.h"
#include "store/run_test_support.h"

namespace kzo::circuits {
namespace {

// The record the upkeep writes for wrestler i of SetWrestlers.
std::string NewRecord(int i, const std::string& name) {
  return DatabaseRecord({name, NumberLine(10 * i), " 100 ", i % 2 ? " 5 " : " 0 ", " 0 ",
                         NumberLine(i), " 0 ", " 0 ", "The " + name});
}

class CircuitDatabaseTest : public CircuitTest {
 protected:
  void SetUp() override {
    CircuitTest::SetUp();
    SetWrestlers({"Orrin Vale", "Tuck Masden", "Quill Danby"});
    AddCircuit();
  }
  void Upkeep() { UpdateCircuitDatabase(CircuitPath() + "\\circdb.dat"); }
  std::string Header(int count) { return NumberLine(count) + "\r\n"; }
  std::string OldRecord(const std::string& name) {
    return DatabaseRecord({name, "5", "150", "0", "1", "0", "0", "0", "nick"});
  }
};

TEST_F(CircuitDatabaseTest, NumberLinesHaveABlankSignAndATrailingBlank) {
  EXPECT_EQ(NumberLine(100), " 100 ");
  EXPECT_EQ(NumberLine(0), " 0 ");
  EXPECT_EQ(NumberLine(-7), "-7 ");
}

TEST_F(CircuitDatabaseTest, AMissingDatabaseIsCreatedWithoutBackupAndThenLeftAlone) {
  WriteCircuitFile("circdb.idx", "index");
  Upkeep();
  EXPECT_EQ(ReadCircuitFile("circdb.dat"), Header(3) + NewRecord(1, "Orrin Vale") +
                                               NewRecord(2, "Tuck Masden") +
                                               NewRecord(3, "Quill Danby"));
  EXPECT_FALSE(CircuitFileExists("circdb.dat.bak1"));
  EXPECT_TRUE(CircuitFileExists("circdb.idx"));
  Upkeep();
  EXPECT_FALSE(CircuitFileExists("circdb.dat.bak1")) << "K = N: nothing written";
  EXPECT_TRUE(CircuitFileExists("circdb.idx"));
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(CircuitDatabaseTest, ASmallerDatabaseGetsTheMissingRecordsAndABackup) {
  std::string old = Header(1) + OldRecord("Orrin V.");
  WriteCircuitFile("circdb.dat", old);
  WriteCircuitFile("circdb.idx", "index");
  WriteCircuitFile("circdb.dat.bak1", "older");
  Upkeep();
  EXPECT_EQ(ReadCircuitFile("circdb.dat"), Header(3) + OldRecord("Orrin V.") +
                                               NewRecord(2, "Tuck Masden") +
                                               NewRecord(3, "Quill Danby"));
  EXPECT_EQ(ReadCircuitFile("circdb.dat.bak1"), old);
  EXPECT_EQ(ReadCircuitFile("circdb.dat.bak2"), "older");
  EXPECT_FALSE(CircuitFileExists("circdb.idx"));
  EXPECT_FALSE(CircuitFileExists("circdb.dat.new"));
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(CircuitDatabaseTest, ALargerDatabaseKeepsEveryRecordUnderTheNewHeader) {
  std::string records = OldRecord("A") + OldRecord("B") + OldRecord("C") + OldRecord("D");
  WriteCircuitFile("circdb.dat", Header(4) + records);
  Upkeep();
  EXPECT_EQ(ReadCircuitFile("circdb.dat"), Header(3) + records);
}

TEST_F(CircuitDatabaseTest, AnEmptyDatabaseIsRewrittenAndBecomesBackupOne) {
  WriteCircuitFile("circdb.dat", "");
  Upkeep();
  ASSERT_EQ(env.reports.size(), 1u);
  EXPECT_NE(env.reports[0].find("#62 (Input past end)"), std::string::npos);
  EXPECT_EQ(ReadCircuitFile("circdb.dat.bak1"), "");
  EXPECT_EQ(ReadCircuitFile("circdb.dat").substr(0, Header(3).size()), Header(3));
}

TEST_F(CircuitDatabaseTest, OldLinesAreCopiedUnchangedUpToCtrlZ) {
  WriteCircuitFile("circdb.dat", std::string(" 0 \r\nodd\0line\nkept\r\nlast\x1Agone", 30));
  Upkeep();
  std::string expected = Header(3) + std::string("odd\0line\nkept\r\nlast\r\n", 21);
  EXPECT_EQ(ReadCircuitFile("circdb.dat").substr(0, expected.size()), expected);
}

// A platform whose writes fail, as on a full disk.
class FullDisk : public platform::TestEnv {
 public:
  int Write(int, const char*, std::size_t) override { return 61; }
};

TEST(CircuitDatabaseFailureTest, AFailedRewriteNeverReplacesTheDatabase) {
  FullDisk env;
  platform::TempFolder legacy;
  testing::ScopedRun run(env);
  roster::Database().wrestlers.assign(3, roster::WrestlerRecord{});
  roster::Database().wrestler_count = 2;
  legacy.Write("circdb.dat", " 1 \r\nkeep me\r\n");
  legacy.Write("circdb.idx", "index");
  UpdateCircuitDatabase(legacy.path() + "\\circdb.dat");
  EXPECT_EQ(legacy.Read("circdb.dat"), " 1 \r\nkeep me\r\n");
  EXPECT_FALSE(legacy.Exists("circdb.dat.bak1"));
  EXPECT_TRUE(legacy.Exists("circdb.idx"));
  ASSERT_FALSE(env.reports.empty());
  EXPECT_NE(env.reports[0].find("#61 (Disk full)"), std::string::npos);
}

class RosterReadTest : public CircuitTest {
 protected:
  void SetUp() override {
    CircuitTest::SetUp();
    SetWrestlers({"A", "B", "C", "D", "E", "F", "G"});
    AddCircuit();
  }
  // Loads the circuit with hire states for wrestlers 1..7 and returns its roster.
  model::RosterEntry* LoadWithHireStates(const std::vector<int>& states) {
    std::string db = " 7 \r\n";
    for (std::size_t i = 0; i < states.size(); ++i) {
      db += DatabaseRecord({std::string(1, static_cast<char>('A' + i)), " 1 ",
                            NumberLine(states[i]), " 0 ", " 3 ", " 0 ", " 2 ", " 0 ", "nick"});
    }
    WriteCircuitFile("circdb.dat", db);
    env.now = {2026, 1, 31, 18, 5, 0, 0};
    env.random_value = 0.5;  // jitter +1 day
    LoadCircuit(1);
    return model::Circuits().records[1].roster;
  }
};

TEST_F(RosterReadTest, HireStatesDecideWhoIsHired) {
  model::RosterEntry* roster = LoadWithHireStates({0, 1, 99, 100, 150, 32000, -4});
  ASSERT_NE(roster, nullptr);
  std::vector<int> hired, terms;
  for (int i = 1; i <= 7; ++i) {
    hired.push_back(roster[i].hired);
    terms.push_back(roster[i].hire_term_count);
  }
  EXPECT_EQ(hired, (std::vector<int>{0, 1, 1, 0, 1, 0, 0}));
  EXPECT_EQ(terms, (std::vector<int>{0, 1, 1, 0, 0, 0, 0}));
  std::int64_t today = store::DateTimeFromCalendar({2026, 1, 31});
  EXPECT_EQ(model::Circuits().records[1].today, today);
  EXPECT_EQ(roster[2].current_term->start, today);
  EXPECT_EQ(roster[2].current_term->end, store::DateTimeFromCalendar({2026, 3, 1}));
  EXPECT_EQ(roster[2].manager_count, 2);
  EXPECT_STREQ(roster[2].nickname, "nick");
}

TEST_F(RosterReadTest, ANonZeroCardConfigurationHiresEveryone) {
  WriteCircuitFile("card.cfg", "1\r\n");
  model::RosterEntry* roster = LoadWithHireStates({0, 1, 99, 100, 150, 32000, -4});
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(roster[i].hired, 1);
    EXPECT_EQ(roster[i].hire_term_count, 0);
  }
}

}  // namespace
}  // namespace kzo::circuits
