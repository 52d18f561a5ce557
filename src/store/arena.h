// The memory of one object heap: large blocks from the platform's private heap, handed out
// in pieces by moving a pointer along the current block. Pieces are never given back: the
// object heap keeps everything until the process ends. One allocation per block instead
// of one per record string keeps a run's memory near the size of its data. Under
// AddressSanitizer every byte outside the pieces stays poisoned, so that a read or write
// past the end of a heap array is still caught.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kzo::store {

class Arena {
 public:
  explicit Arena(int heap) : heap_(heap) {}
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;

  // A zero-filled piece of size bytes whose address is aligned to 16 bytes and has at least
  // prefix bytes of the same piece before it; null when the platform has no memory.
  char* Allocate(std::size_t prefix, std::size_t size) {
    if (next_ == nullptr || prefix + size + kAlignment + kRedZone > kLargePiece) {
      return AllocateInNewBlock(prefix, size);
    }
    char* piece = AlignedAfter(next_, prefix);
    if (piece + size + kRedZone > end_) return AllocateInNewBlock(prefix, size);
    next_ = piece + size + kRedZone;
    Unpoison(piece - prefix, prefix + size);
    return piece;
  }

 private:
  static constexpr std::size_t kAlignment = 16;
  static constexpr std::size_t kBlockSize = std::size_t{2} << 20;  // a huge page
  // A piece larger than this gets a block of its own, so that a large list does not waste
  // the rest of the current block.
  static constexpr std::size_t kLargePiece = kBlockSize / 4;
#if defined(__SANITIZE_ADDRESS__)
  static constexpr std::size_t kRedZone = 16;  // poisoned bytes after every piece
#else
  static constexpr std::size_t kRedZone = 0;
#endif

  static char* AlignedAfter(char* at, std::size_t prefix) {
    auto address = reinterpret_cast<std::uintptr_t>(at) + prefix;
    address = (address + kAlignment - 1) & ~(std::uintptr_t{kAlignment} - 1);
    return reinterpret_cast<char*>(address);
  }
#if defined(__SANITIZE_ADDRESS__)
  static void Unpoison(char* at, std::size_t size);
#else
  static void Unpoison(char*, std::size_t) {}
#endif
  char* AllocateInNewBlock(std::size_t prefix, std::size_t size);
  char* NewBlock(std::size_t bytes);

  int heap_;
  char* next_ = nullptr;  // the free part of the current block
  char* end_ = nullptr;
};

}  // namespace kzo::store
