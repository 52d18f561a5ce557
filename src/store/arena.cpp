#include "store/arena.h"

#include <cstdint>

#include "store/runtime.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define KZO_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#else
#define KZO_POISON(address, size) ((void)(address), (void)(size))
#endif

namespace kzo::store {

#if defined(__SANITIZE_ADDRESS__)
void Arena::Unpoison(char* at, std::size_t size) {
  ASAN_UNPOISON_MEMORY_REGION(at, size);
}
#endif

char* Arena::AllocateInNewBlock(std::size_t prefix, std::size_t size) {
  std::size_t needed = prefix + size + kAlignment + kRedZone;
  char* piece = nullptr;
  if (needed > kLargePiece) {
    char* block = NewBlock(needed);
    if (block == nullptr) return nullptr;
    piece = AlignedAfter(block, prefix);
  } else {
    char* block = NewBlock(kBlockSize);
    if (block == nullptr) return nullptr;
    piece = AlignedAfter(block, prefix);
    next_ = piece + size + kRedZone;
    end_ = block + kBlockSize;
  }
  Unpoison(piece - prefix, prefix + size);
  return piece;
}

char* Arena::NewBlock(std::size_t bytes) {
  auto* block = static_cast<char*>(Platform().HeapAlloc(heap_, bytes));
  if (block == nullptr) return nullptr;
  KZO_POISON(block, bytes);
  return block;
}

}  // namespace kzo::store
