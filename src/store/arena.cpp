#include "store/arena.h"

#include <cstdint>
#include <cstring>

#include "store/run.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define KZO_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define KZO_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define KZO_POISON(address, size) ((void)(address), (void)(size))
#define KZO_UNPOISON(address, size) ((void)(address), (void)(size))
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
    later_blocks_.push_back({block, needed});
    piece = AlignedAfter(block, prefix);
  } else {
    char* block = NewBlock(kBlockSize);
    if (block == nullptr) return nullptr;
    if (first_ == nullptr) {
      first_ = block;
    } else {
      if (first_used_end_ == nullptr) first_used_end_ = next_;  // the first block is left
      later_blocks_.push_back({block, kBlockSize});
    }
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

void Arena::GiveBack(const Block& block) {
  // The platform's memory leaves the arena as it came: without poisoned bytes.
  KZO_UNPOISON(block.start, block.size);
  Platform().HeapFree(heap_, block.start);
}

char* Arena::FirstBlockUsedEnd() const {
  // Until a later block is begun, the first block is the current one.
  return first_used_end_ != nullptr ? first_used_end_ : next_;
}

void Arena::Empty() {
  for (const Block& block : later_blocks_) GiveBack(block);
  later_blocks_.clear();
  if (first_ != nullptr) {
    char* used_end = FirstBlockUsedEnd();
    KZO_UNPOISON(first_, static_cast<std::size_t>(used_end - first_));
    std::memset(first_, 0, static_cast<std::size_t>(used_end - first_));
    KZO_POISON(first_, kBlockSize);
  }
  next_ = first_;
  end_ = first_ == nullptr ? nullptr : first_ + kBlockSize;
  first_used_end_ = nullptr;
}

void Arena::Release() {
  Empty();
  if (first_ != nullptr) GiveBack({first_, kBlockSize});
  first_ = next_ = end_ = nullptr;
}

}  // namespace kzo::store
