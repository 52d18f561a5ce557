// The memory of one object heap: large blocks from the platform's private heap, handed out
// in pieces by moving a pointer along the current block. Pieces are never given back one
// by one: the heap keeps everything until the run ends. One allocation per block instead
// of one per record string keeps a run's memory near the size of its data. Under
// AddressSanitizer every byte outside the pieces stays poisoned, so that a read or write
// past the end of a heap array is still caught.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

  // Takes back every piece: the first block stays, zero-filled again as far as pieces were
  // cut from it, and every later block goes back to the platform. A new run costs what the
  // last one used, not a fresh block of pages.
  void Empty();
  // Gives every block back to the platform.
  void Release();

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

  struct Block {
    char* start;
    std::size_t size;
  };

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
  void GiveBack(const Block& block);
  // The end of the bytes cut from the first block.
  char* FirstBlockUsedEnd() const;

  int heap_;
  char* next_ = nullptr;  // the free part of the current block
  char* end_ = nullptr;
  char* first_ = nullptr;            // the first block of kBlockSize bytes, kept by Empty
  char* first_used_end_ = nullptr;   // where the pieces of the first block ended, once left
  std::vector<Block> later_blocks_;  // every other block, large pieces' blocks included
};

}  // namespace kzo::store
