// What the tests of the object heap and its memory read: a block's header, and a platform
// that counts the heap blocks it gives out and gets back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>

#include "platform/testing/test_env.h"

namespace kzo::store {

// The heap handle in a block's header, the third of the five words before element 0; 0 for
// a null reference.
inline int GETHEAP(const void* reference) {
  if (reference == nullptr) return 0;
  std::int32_t heap;
  std::memcpy(&heap, static_cast<const char*>(reference) - 12, sizeof heap);
  return heap;
}

// A test platform that keeps the heap blocks it gave out and not yet got back.
class HeapCountingEnv : public platform::TestEnv {
 public:
  void* HeapAlloc(int heap, std::size_t size) override {
    void* block = TestEnv::HeapAlloc(heap, size);
    if (block != nullptr) {
      live.insert(block);
      ++allocated;
    }
    return block;
  }
  void HeapFree(int heap, void* block) override {
    live.erase(block);
    TestEnv::HeapFree(heap, block);
  }

  std::set<void*> live;
  int allocated = 0;
};

}  // namespace kzo::store
