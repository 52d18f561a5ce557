#include "store/arena.h"

#include <cstdint>

#include "store/runtime.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define KZO_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define KZO_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
constexpr std::size_t kRedZone = 16;  // poisoned bytes after every piece
#else
#define KZO_POISON(address, size) ((void)(address), (void)(size))
#define KZO_UNPOISON(address, size) ((void)(address), (void)(size))
constexpr std::size_t kRedZone = 0;
#endif

namespace kzo::store {
namespace {

constexpr std::size_t kBlockSize = std::size_t{2} << 20;  // a huge page of the platform
constexpr std::size_t kAlignment = 16;
// A piece larger than this gets a block of its own, so that a large list does not waste
// the rest of the current block.
constexpr std::size_t kLargePiece = kBlockSize / 4;

char* AlignedAfter(char* at, std::size_t prefix) {
  auto address = reinterpret_cast<std::uintptr_t>(at) + prefix;
  address = (address + kAlignment - 1) & ~(std::uintptr_t{kAlignment} - 1);
  return reinterpret_cast<char*>(address);
}

}  // namespace

char* Arena::Allocate(std::size_t prefix, std::size_t size) {
  std::size_t needed = prefix + size + kAlignment + kRedZone;
  char* piece = nullptr;
  if (needed > kLargePiece) {
    char* block = NewBlock(needed);
    if (block == nullptr) return nullptr;
    piece = AlignedAfter(block, prefix);
  } else {
    if (next_ == nullptr || AlignedAfter(next_, prefix) + size + kRedZone > end_) {
      char* block = NewBlock(kBlockSize);
      if (block == nullptr) return nullptr;
      next_ = block;
      end_ = block + kBlockSize;
    }
    piece = AlignedAfter(next_, prefix);
    next_ = piece + size + kRedZone;
  }
  KZO_UNPOISON(piece - prefix, prefix + size);
  return piece;
}

char* Arena::NewBlock(std::size_t bytes) {
  auto* block = static_cast<char*>(Platform().HeapAlloc(heap_, bytes));
  if (block == nullptr) return nullptr;
  KZO_POISON(block, bytes);
  return block;
}

}  // namespace kzo::store
