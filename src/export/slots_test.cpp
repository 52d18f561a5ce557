#include "export/slots.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "store/heap.h"
#include "store/run_test_support.h"

namespace kzo::exporter {
namespace {

using SlotsTest = testing::RunTest;

TEST_F(SlotsTest, TheCountAsStoredWithinTheCapacityAndTheHeapList) {
  EXPECT_EQ(StoredSlots(4, 10), 4);
  EXPECT_EQ(StoredSlots(-3, 10), 0);
  EXPECT_EQ(StoredSlots(12, 10), 10);
  const std::int32_t* list = store::NewList<std::int32_t>(5);
  EXPECT_EQ(StoredSlots(list, 4, 10), 4);
  EXPECT_EQ(StoredSlots(list, 8, 10), 5);
  EXPECT_EQ(StoredSlots(list, 8, 3), 3);
  EXPECT_EQ(StoredSlots(list, -1, 10), 0);
  EXPECT_EQ(StoredSlots(nullptr, 4, 10), 0);
}

}  // namespace
}  // namespace kzo::exporter
