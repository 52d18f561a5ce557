#include "store/run.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "store/files.h"
#include "store/heap.h"
#include "store/heap_test_support.h"
#include "store/run_test_support.h"

namespace kzo::store {
namespace {

// Pieces of a run's state as the code declares them.
RunLocal<std::vector<int>> numbers;
struct Slot {
  std::int32_t value;
};
struct Table {
  std::array<Slot, 5> slots;
  std::int32_t count;
  int emptied;
};
RunLocal<Table> table([](Table& t) {
  EmptyFilledSlots(t.slots, t.count);
  ++t.emptied;
});

using RunStateTest = testing::RunTestOn<HeapCountingEnv>;

TEST_F(RunStateTest, EveryRunLocalIsResetWhenARunBegins) {
  numbers->assign({1, 2, 3});
  table->slots[1].value = 7;
  table->count = 1;
  int emptied = table->emptied;
  BeginRun(env);
  EXPECT_TRUE(numbers->empty()) << "made anew";
  EXPECT_EQ(table->count, 0);
  EXPECT_EQ(table->slots[1].value, 0);
  EXPECT_EQ(table->emptied, emptied + 1) << "by its own emptying";
}

TEST(EmptyFilledSlotsTest, ZeroFillsTheSlotsUpToTheCount) {
  std::array<Slot, 4> slots{};
  for (std::int32_t count : {-5, 0, 2, 3, 99}) {
    for (Slot& slot : slots) slot.value = 0;
    for (std::int32_t i = 0; i < 4 && i <= count; ++i) slots[i].value = 9;
    std::int32_t kept = count;
    EmptyFilledSlots(slots, kept);
    EXPECT_EQ(kept, 0);
    for (const Slot& slot : slots) EXPECT_EQ(slot.value, 0) << count;
  }
}

TEST_F(RunStateTest, ANewRunOnThePlatformOfTheLastReusesTheHeapsFirstBlock) {
  char* first = NewRecordString("the first text of a run");
  auto* object = static_cast<unsigned char*>(NewHeapObject(nullptr, 1000));
  std::memset(object, 0xAB, 1000);
  std::size_t blocks = env.live.size();
  BeginRun(env);
  EXPECT_EQ(NewRecordString("the first text of a run"), first);
  auto* again = static_cast<unsigned char*>(NewHeapObject(nullptr, 1000));
  EXPECT_EQ(again, object);
  for (int i = 0; i <= 1000; ++i) ASSERT_EQ(again[i], 0) << i;
  EXPECT_EQ(env.live.size(), blocks) << "no new block";
}

TEST_F(RunStateTest, EveryBlockButTheFirstGoesBackWhenARunBegins) {
  for (int i = 0; i < 5; ++i) NewHeapObject(nullptr, 1 << 20);  // pieces of blocks of their own
  for (int i = 0; i < 3000; ++i) NewHeapObject(nullptr, 1000);  // more than one block
  EXPECT_GE(env.live.size(), 7u);
  BeginRun(env);
  EXPECT_EQ(env.live.size(), 1u);
  EndRun();
  EXPECT_TRUE(env.live.empty()) << "the run's end gives back the rest";
}

TEST_F(RunStateTest, ARunOnAnotherPlatformLeavesTheHeapsOfTheLastWithIt) {
  NewRecordString("made on the first platform");
  HeapCountingEnv other;
  {
    testing::ScopedRun run(other);
    EXPECT_EQ(env.live.size(), 1u) << "nothing given back through another platform";
    NewRecordString("made on the other");
    EXPECT_EQ(other.live.size(), 1u);
  }
  EXPECT_TRUE(other.live.empty());
}

TEST_F(RunStateTest, TheFilesOfTheLastRunAreForgotten) {
  platform::TempFolder folder;
  folder.Write("a.txt", "1\r\n");
  int file = FreeFile();
  OpenFile(folder / "a.txt", FileMode::kInput, file);
  ASSERT_TRUE(IsFileOpen(file));
  BeginRun(env);
  EXPECT_FALSE(IsFileOpen(file));
  EXPECT_EQ(FreeFile(), 1);
}

TEST(RunDeathTest, UsingTheStoreBeforeARunBeganStopsTheProcess) {
  EndRun();
  EXPECT_DEATH(Platform(), "before a run began");
}

}  // namespace
}  // namespace kzo::store
