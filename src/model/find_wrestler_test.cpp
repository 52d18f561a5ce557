#include "model/find_wrestler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/circuit.h"
#include "roster/database.h"
#include "store/heap.h"
#include "store/run_test_support.h"

namespace kzo::model {
namespace {

class FindWrestlerTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    SetRoster({"Orrin Vale", "Tuck Masden", "Orrin Vale"});
  }

  // Wrestlers 1..n of the roster.
  static void SetRoster(const std::vector<const char*>& names) {
    roster::RosterDatabase& db = roster::Database();
    db.wrestlers.assign(names.size() + 1, roster::WrestlerRecord{});
    db.wrestler_count = static_cast<std::int32_t>(names.size());
    for (std::size_t i = 1; i <= names.size(); ++i) {
      db.wrestlers[i].wname = store::NewRecordString(names[i - 1]);
    }
  }

  // The names of circuit c's roster entries 1..n, null for a name its database left unset;
  // the entries up to RosterSlots() are there, as the circuit load makes them.
  static RosterEntry* SetCircuit(int c, const std::vector<const char*>& names) {
    Circuits().count = std::max(Circuits().count, c);
    CircuitRecord& circuit = Circuits().records[static_cast<std::size_t>(c)];
    int entries = std::max(static_cast<int>(names.size()), RosterSlots());
    circuit.roster = store::NewList<RosterEntry>(entries);
    for (std::size_t i = 1; i <= names.size(); ++i) {
      circuit.roster[i].name = names[i - 1] ? store::NewRecordString(names[i - 1]) : nullptr;
    }
    return circuit.roster;
  }
};

TEST_F(FindWrestlerTest, CircuitZeroSearchesTheWrestlerRosterForTheExactName) {
  EXPECT_EQ(FindWrestler("Orrin Vale", 0), 1) << "the first of two";
  EXPECT_EQ(FindWrestler("Tuck Masden", 0), 2);
  EXPECT_EQ(FindWrestler("orrin vale", 0), 0);
  EXPECT_EQ(FindWrestler("Orrin Vale ", 0), 0);
}

TEST_F(FindWrestlerTest, ACircuitSearchesItsOwnNamesOfTheRostersWrestlers) {
  SetCircuit(1, {"O. Vale", nullptr, "Tuck Masden", "Beyond the roster"});
  SetCircuit(2, {"Tuck Masden", "Tuck Masden", "Pim Lorca"});
  EXPECT_EQ(FindWrestler("O. Vale", 1), 1);
  EXPECT_EQ(FindWrestler("Orrin Vale", 1), 0) << "the roster's name is not the circuit's";
  EXPECT_EQ(FindWrestler("", 1), 2) << "a name the database left unset is empty";
  EXPECT_EQ(FindWrestler("Beyond the roster", 1), 0) << "wrestlers 1..N only";
  EXPECT_EQ(FindWrestler("Tuck Masden", 2), 1);
  EXPECT_EQ(FindWrestler("Tuck Masden", 1), 3) << "each circuit its own names, in turn";
  EXPECT_EQ(FindWrestler("", 3), 1) << "a circuit without a roster has empty names";
  EXPECT_EQ(FindWrestler("Tuck Masden", -1), 0);
  EXPECT_EQ(FindWrestler("Tuck Masden", kMaxCircuits + 1), 0);
}

TEST_F(FindWrestlerTest, TheIndexesSeeChangedNamesOnlyWhenForgotten) {
  RosterEntry* roster = SetCircuit(1, {"Orrin Vale"});
  EXPECT_EQ(FindWrestler("Orrin Vale", 1), 1);
  EXPECT_EQ(FindWrestler("Tuck Masden", 0), 2);
  roster[1].name = "Pim Lorca";
  roster::Database().wrestlers[2].wname = "Quill Danby";
  EXPECT_EQ(FindWrestler("Pim Lorca", 1), 0) << "names do not change once loaded";
  ForgetWrestlerIndexes();
  EXPECT_EQ(FindWrestler("Pim Lorca", 1), 1);
  EXPECT_EQ(FindWrestler("Quill Danby", 0), 2);
}

TEST_F(FindWrestlerTest, ACircuitHoldsTheStoredWrestlersUpTo2000) {
  EXPECT_EQ(RosterSlots(), 3);
  roster::Database().wrestler_count = 5;
  EXPECT_EQ(RosterSlots(), 3) << "only wrestlers the roster stored";
  roster::Database().wrestlers.resize(2501);
  roster::Database().wrestler_count = 2500;
  EXPECT_EQ(RosterSlots(), kMaxRosterEntries);
}

}  // namespace
}  // namespace kzo::model
