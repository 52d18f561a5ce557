#include "circuits/breakdowns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "matchtext/card.h"
#include "model/circuit.h"
#include "model/find_wrestler.h"
#include "platform/testing/test_env.h"
#include "roster/database.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::circuits {
namespace {

using model::BreakdownItem;
using model::MatchRecord;
using model::ShowRecord;

class BreakdownsTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    roster::Database().wrestlers.assign(3, roster::WrestlerRecord{});
    roster::Database().wrestler_count = 2;
    roster::Database().wrestlers[1].wname = store::NewRecordString("Orrin Vale");
    model::Circuits().count = 2;
    AddCircuit(1, {"O. Vale", "Tuck Masden"});
    AddCircuit(2, {"Orrin Vale", "Tuck Masden"});
    model::ForgetWrestlerIndexes();
  }

  // Circuit c with its roster names and two show slots: slot 1 empty, slot 2 a show.
  void AddCircuit(int c, const std::vector<std::string>& names) {
    model::CircuitRecord& circuit = model::Circuits().records[static_cast<std::size_t>(c)];
    circuit.roster = store::NewList<model::RosterEntry>(static_cast<int>(names.size()));
    for (std::size_t i = 1; i <= names.size(); ++i) {
      circuit.roster[i].name = store::NewRecordString(names[i - 1]);
    }
    circuit.shows = store::NewList<model::ShowRecord*>(2);
    circuit.show_count = 2;
    circuit.shows[2] = store::NewObject<model::ShowRecord>();
    std::vector<std::string_view> ra = {
        "1", "Singles", "O. Vale pinned Tuck Masden after a suplex.",
        "1", "Singles", "Orrin Vale drew Tuck Masden.",
        "0", "Comments"};
    matchtext::ShowCardDraft draft;
    matchtext::MakeShowCard(*circuit.shows[2], ra, {}, {}, draft);
  }
  const model::MatchRecord& Match(int c, int m) {
    return model::Circuits().records[static_cast<std::size_t>(c)].shows[2]->matches[m];
  }
};

struct Item {
  std::string name;
  int wrestler;
  int value;
  bool operator==(const Item&) const = default;
};

std::vector<Item> Items(const model::MatchRecord& match) {
  std::vector<Item> items;
  for (int i = 1; i <= match.breakdown_count; ++i) {
    const model::BreakdownItem& item = match.breakdown[i];
    items.push_back({std::string(View(item.name)), item.wrestler, item.value});
  }
  return items;
}

TEST_F(BreakdownsTest, NamesResolveInTheCircuitsOwnRoster) {
  ComputeMatchBreakdowns(1);
  EXPECT_EQ(Items(Match(1, 1)), (std::vector<Item>{{"O. Vale", 1, 1}, {"Tuck Masden", 2, -1}}));
  EXPECT_EQ(Items(Match(1, 2)), (std::vector<Item>{{"Orrin Vale", 0, 2}, {"Tuck Masden.", 0, -2}}));
  EXPECT_EQ(Match(1, 3).breakdown_count, 0);
  EXPECT_EQ(Match(2, 1).breakdown_count, 0) << "only the given circuit is visited";
}

TEST_F(BreakdownsTest, CircuitZeroVisitsEveryCircuit) {
  ComputeMatchBreakdowns(0);
  EXPECT_EQ(Match(1, 1).breakdown_count, 2);
  EXPECT_EQ(Items(Match(2, 2)), (std::vector<Item>{{"Orrin Vale", 1, 2}, {"Tuck Masden.", 0, -2}}));
  EXPECT_EQ(store::HeapArrayUpper(Match(2, 2).breakdown), 2);
}

TEST_F(BreakdownsTest, AMatchWithoutTextHasNoBreakdown) {
  model::MatchRecord& match = model::Circuits().records[1].shows[2]->matches[1];
  match.text_lines = nullptr;
  match.text_line_count = 0;
  ComputeMatchBreakdowns(1);
  EXPECT_EQ(match.breakdown_count, 0);
  ComputeMatchBreakdowns(-1);
  ComputeMatchBreakdowns(101);
  EXPECT_TRUE(env.reports.empty());
}

}  // namespace
}  // namespace kzo::circuits
