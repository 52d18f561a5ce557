#include "store/heap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "store/heap_test_support.h"
#include "store/run_test_support.h"

namespace kzo::store {
namespace {

using HeapTest = testing::RunTest;

const std::int32_t* HeaderOf(const void* reference) {
  return reinterpret_cast<const std::int32_t*>(static_cast<const char*>(reference) - 20);
}

TEST_F(HeapTest, ArraysCarryTheirHeaderAndStartZeroFilled) {
  int heap = BeginObjectHeap();
  ASSERT_NE(heap, 0);
  auto* ints = static_cast<std::int32_t*>(NewHeapArray(4, 9, 0));
  ASSERT_NE(ints, nullptr);
  const std::int32_t* header = HeaderOf(ints);
  EXPECT_EQ(header[0], 4);
  EXPECT_EQ(header[1], 4);
  EXPECT_EQ(header[2], heap);
  EXPECT_EQ(header[3], 1);
  EXPECT_EQ(header[4], 9);
  for (int i = 0; i <= 9; ++i) EXPECT_EQ(ints[i], 0);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(ints) % alignof(std::max_align_t), 0u);
  EXPECT_EQ(GETHEAP(ints), heap);
  FreeHeapArray(ints);
}

TEST_F(HeapTest, TypeCodesDecideTheElementSize) {
  BeginObjectHeap();
  EXPECT_EQ(NewHeapArray(11, 3, 0), nullptr);
  EXPECT_EQ(NewHeapArray(9, 3, 0), nullptr);
  EXPECT_EQ(HeaderOf(NewHeapArray(8, 0, 0))[1], 10);
  EXPECT_EQ(HeaderOf(NewHeapArray(9, 0, 24))[1], 24);
  EXPECT_EQ(HeaderOf(NewHeapArray(2, 0, 99))[1], 2) << "the size argument counts only for 9";
  void* header_only = NewHeapArray(4, -1, 0);
  EXPECT_NE(header_only, nullptr);
  EXPECT_EQ(HeapArrayUpper(header_only), -1);
  EXPECT_EQ(NewHeapArray(4, -2, 0), nullptr);
}

TEST_F(HeapTest, RecordStrings) {
  BeginObjectHeap();
  char* empty = NewRecordString("");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(HeapArrayUpper(empty), 1) << "two zero bytes";
  EXPECT_EQ(empty[0], 0);
  char* text = NewRecordString("abc");
  EXPECT_EQ(HeapArrayUpper(text), 4);
  EXPECT_EQ(std::memcmp(text, "abc\0\0", 5), 0);
  char* cut = NewRecordString(std::string_view("ab\0cd", 5));
  EXPECT_STREQ(cut, "ab");
}

TEST_F(HeapTest, SharedRecordStringsServeEqualTextsFromTheCurrentHeap) {
  int first = BeginObjectHeap();
  Text singles = SharedRecordString("Singles");
  EXPECT_EQ(SharedRecordString(std::string("Singles")), singles);
  EXPECT_NE(SharedRecordString("Singlez"), singles);
  EXPECT_EQ(HeapArrayUpper(SharedRecordString("")), 1);
  EXPECT_EQ(SharedRecordString(""), SharedRecordString(std::string_view()));
  // A text cut at a zero byte keeps its own string, of its own length.
  Text cut = SharedRecordString(std::string_view("ab\0cd", 5));
  EXPECT_STREQ(cut, "ab");
  EXPECT_EQ(HeapArrayUpper(cut), 6);
  EXPECT_EQ(HeapArrayUpper(SharedRecordString("ab")), 3);
  EXPECT_EQ(HeapArrayUpper(SharedRecordString(std::string_view("ab\0cd", 5))), 6);
  // A new object heap shares nothing of the one it retires.
  int second = BeginObjectHeap();
  Text again = SharedRecordString("Singles");
  EXPECT_NE(again, singles);
  EXPECT_EQ(GETHEAP(again), second);
  EXPECT_EQ(GETHEAP(singles), first);
}

TEST_F(HeapTest, AListOfTextsIsSharedAsEachTextAlone) {
  BeginObjectHeap();
  const std::string_view texts[] = {"Singles", "Tag Team", "Singles", "", {}, {"ab\0cd", 5}};
  Text strings[std::size(texts)] = {};
  SharedRecordStrings(texts, strings);
  EXPECT_EQ(strings[2], strings[0]);
  EXPECT_EQ(SharedRecordString("Singles"), strings[0]);
  EXPECT_STREQ(strings[1], "Tag Team");
  EXPECT_EQ(strings[4], strings[3]);
  EXPECT_EQ(HeapArrayUpper(strings[3]), 1);
  EXPECT_STREQ(strings[5], "ab");
  EXPECT_EQ(HeapArrayUpper(strings[5]), 6);
}

TEST_F(HeapTest, SharedRecordStringsTellApartTextsThatDifferInAnyOneByte) {
  BeginObjectHeap();
  for (std::size_t size = 1; size <= 40; ++size) {
    std::string text(size, 'a');
    Text original = SharedRecordString(text);
    for (std::size_t at = 0; at < size; ++at) {
      std::string other = text;
      other[at] = 'b';
      Text changed = SharedRecordString(other);
      ASSERT_NE(changed, original) << size << " " << at;
      ASSERT_EQ(std::string_view(changed), other);
    }
  }
}

TEST_F(HeapTest, HeapObjectsCopyTheirSource) {
  BeginObjectHeap();
  auto* blank = static_cast<unsigned char*>(NewHeapObject(nullptr, 6));
  for (int i = 0; i <= 6; ++i) EXPECT_EQ(blank[i], 0);
  const char source[] = "xyz";
  auto* copy = static_cast<char*>(NewHeapObject(source, 3));
  EXPECT_EQ(std::memcmp(copy, "xyz\0", 4), 0);
  std::memcpy(copy, "abc", 3);
  NewHeapObject(copy + 1, 2);  // a source inside another heap object is copied too
}

TEST_F(HeapTest, AHeapIsMadeOnFirstUseAndRetiredByTheNextGeneration) {
  void* early = NewHeapArray(1, 0, 0);
  int first = GETHEAP(early);
  EXPECT_NE(first, 0);
  int second = BeginObjectHeap();
  EXPECT_NE(second, first);
  EXPECT_EQ(GETHEAP(NewHeapArray(1, 0, 0)), second);
  EXPECT_EQ(GETHEAP(early), first) << "a block keeps the heap current at its creation";
  FreeHeapArray(early);
  FreeHeapArray(nullptr);
  EXPECT_EQ(GETHEAP(nullptr), 0);
}

TEST_F(HeapTest, ConstantRecordStringsAreRecordStringsOfNoHeap) {
  static Text constant = ConstantRecordString(std::string_view("ab\0cd", 5));  // kept for good
  EXPECT_STREQ(constant, "ab");
  EXPECT_EQ(HeapArrayUpper(constant), 6) << "sized as NewRecordString sizes it";
  EXPECT_EQ(constant[5] | constant[6], 0);
  EXPECT_EQ(GETHEAP(constant), 0);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(constant) % alignof(std::max_align_t), 0u);
  BeginRun(env);
  EXPECT_STREQ(constant, "ab") << "it outlives the run";
}

}  // namespace
}  // namespace kzo::store
