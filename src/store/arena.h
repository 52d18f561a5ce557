// The memory of one object heap: large blocks from the platform's private heap, handed out
// in pieces by moving a pointer along the current block. Pieces are never given back: the
// object heap keeps everything until the process ends. One allocation per block instead
// of one per record string keeps a run's memory near the size of its data. Under
// AddressSanitizer every byte outside the pieces stays poisoned, so that a read or write
// past the end of a heap array is still caught.
#pragma once

#include <cstddef>

namespace kzo::store {

class Arena {
 public:
  explicit Arena(int heap) : heap_(heap) {}
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;

  // A zero-filled piece of size bytes whose address is aligned to 16 bytes and has at least
  // prefix bytes of the same piece before it; null when the platform has no memory.
  char* Allocate(std::size_t prefix, std::size_t size);

 private:
  char* NewBlock(std::size_t bytes);

  int heap_;
  char* next_ = nullptr;  // the free part of the current block
  char* end_ = nullptr;
};

}  // namespace kzo::store
