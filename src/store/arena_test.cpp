#include "store/arena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "store/heap.h"
#include "store/heap_test_support.h"
#include "store/run_test_support.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace kzo::store {
namespace {

constexpr std::size_t kLarge = std::size_t{1} << 20;  // more than a quarter of a block

// An arena of a heap of its own on a platform that counts its blocks.
class ArenaTest : public testing::RunTestOn<HeapCountingEnv> {
 protected:
  void SetUp() override {
    RunTestOn::SetUp();
    made = std::make_unique<Arena>(NEWHEAP());
  }
  void TearDown() override {
    arena().Release();
    RunTestOn::TearDown();
  }
  Arena& arena() { return *made; }

  bool Zero(const char* at, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      if (at[i] != 0) return false;
    }
    return true;
  }

  std::unique_ptr<Arena> made;
};

TEST_F(ArenaTest, PiecesAreAlignedZeroFilledAndOwnTheirPrefix) {
  for (std::size_t prefix : {0, 1, 20, 31}) {
    for (std::size_t size : {0, 1, 7, 100}) {
      char* piece = arena().Allocate(prefix, size);
      ASSERT_NE(piece, nullptr);
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(piece) % 16, 0u);
      EXPECT_TRUE(Zero(piece - prefix, prefix + size));
      std::memset(piece - prefix, 0x5A, prefix + size);  // all of it may be written
    }
  }
}

TEST_F(ArenaTest, APieceFollowsTheLastInItsBlockAndALargeOneHasABlockOfItsOwn) {
  char* first = arena().Allocate(20, 4);
  char* large = arena().Allocate(20, kLarge);
  char* second = arena().Allocate(20, 4);
  EXPECT_EQ(env.allocated, 2);
  EXPECT_GT(second, first);
  EXPECT_LT(second - first, 64) << "the large piece did not use up the block";
  EXPECT_TRUE(large + kLarge <= first || large > second);
}

TEST_F(ArenaTest, EmptyKeepsTheFirstBlockZeroFilledAndGivesBackTheOthers) {
  char* first = arena().Allocate(20, 100);
  std::memset(first, 0x77, 100);
  for (int i = 0; i < 3000; ++i) std::memset(arena().Allocate(20, 1000), 0x66, 1000);
  arena().Allocate(0, kLarge);
  EXPECT_GE(env.live.size(), 3u);
  arena().Empty();
  EXPECT_EQ(env.live.size(), 1u);
  char* again = arena().Allocate(20, 100);
  EXPECT_EQ(again, first);
  EXPECT_TRUE(Zero(again - 20, 120));
  for (int i = 0; i < 1500; ++i) {
    char* piece = arena().Allocate(20, 1000);
    ASSERT_TRUE(Zero(piece - 20, 1020)) << i;
  }
  arena().Release();
  EXPECT_TRUE(env.live.empty());
}

#if defined(__SANITIZE_ADDRESS__)
TEST_F(ArenaTest, BytesOutsideThePiecesStayPoisoned) {
  char* piece = arena().Allocate(20, 10);
  char* next = arena().Allocate(20, 10);
  EXPECT_EQ(__asan_region_is_poisoned(piece - 20, 30), nullptr);
  EXPECT_TRUE(__asan_address_is_poisoned(piece + 10)) << "past the end";
  // (Before a piece's prefix, to the 8 bytes AddressSanitizer tells apart.)
  EXPECT_TRUE(__asan_address_is_poisoned(next - 20 - 8)) << "before the prefix";
  char* large = arena().Allocate(0, kLarge);
  EXPECT_TRUE(__asan_address_is_poisoned(large + kLarge));
  arena().Empty();
  EXPECT_TRUE(__asan_address_is_poisoned(piece)) << "pieces taken back";
  EXPECT_TRUE(__asan_address_is_poisoned(next));
}
#endif

}  // namespace
}  // namespace kzo::store
