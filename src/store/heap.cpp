#include "store/heap.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "store/arena.h"
#include "store/runtime.h"

namespace kzo::store {
namespace {

// Header words before element 0.
enum HeaderWord { kTypeCode, kElementSize, kHeap, kOne, kUpper, kHeaderWords };
constexpr int kHeaderBytes = kHeaderWords * 4;

int object_heap_handle = 0;      // the object heap; 0 while none exists
std::vector<int> retired_heaps;  // heaps replaced by a new generation
// The memory of each heap in use, by handle.
std::map<int, std::unique_ptr<Arena>> arenas;
Arena* object_arena = nullptr;  // the object heap's, once it has given out memory

// The record strings shared lately, by a hash of their bytes: a small fixed table, so that
// a text met again soon (a match type, a rating, a line every show repeats) takes no new
// memory, and the strings compared are still in the processor's cache. It holds strings of
// the object heap only: a new object heap starts it afresh.
struct SharedText {
  const char* text = nullptr;
  std::size_t size = 0;
  std::uint64_t head = 0;  // the text's ends (see TextEnds): most texts that differ
  std::uint64_t tail = 0;  // differ there, and are told apart without reading the string
};
constexpr std::size_t kSharedTexts = 4096;
std::array<SharedText, kSharedTexts> shared_texts;

Arena& ArenaOf(int heap) {
  std::unique_ptr<Arena>& arena = arenas[heap];
  if (!arena) arena = std::make_unique<Arena>(heap);
  return *arena;
}

Arena& ObjectArena() {
  if (object_arena == nullptr) object_arena = &ArenaOf(object_heap_handle);
  return *object_arena;
}

int ElementSize(int type_code, int element_size) {
  switch (type_code) {
    case 1:
      return 1;
    case 2:
    case 3:
      return 2;
    case 4:
    case 5:
    case 6:
    case 10:
      return 4;
    case 7:
      return 8;
    case 8:
      return 10;
    case 9:
      return element_size;
    default:
      return 0;
  }
}

std::int32_t* Header(const void* reference) {
  return reinterpret_cast<std::int32_t*>(const_cast<char*>(static_cast<const char*>(reference)) -
                                         kHeaderBytes);
}

}  // namespace

int NEWHEAP() {
  return Platform().HeapCreate();
}

void RetireObjectHeap() {
  if (object_heap_handle != 0) retired_heaps.push_back(object_heap_handle);
}

int BeginObjectHeap() {
  RetireObjectHeap();
  shared_texts.fill({});
  object_arena = nullptr;
  object_heap_handle = NEWHEAP();
  return object_heap_handle;
}

int ObjectHeap() {
  return object_heap_handle;
}
int RetiredHeapCount() {
  return static_cast<int>(retired_heaps.size());
}

void ForgetObjectHeap() {
  object_heap_handle = 0;
  object_arena = nullptr;
  retired_heaps.clear();
  shared_texts.fill({});
  arenas.clear();  // their blocks stay with the platform that made them
}

namespace {

// A heap array of elements 0..upper of the given size (greater than 0) in the object heap.
// Inlined into its callers: record strings, made by the million, know their element size.
inline void* NewArrayOf(int type_code, int upper, int size) {
  if (object_heap_handle == 0) object_heap_handle = NEWHEAP();
  if (object_heap_handle == 0) return nullptr;
  std::int64_t elements = static_cast<std::int64_t>(upper) + 1;
  if (elements < 0) return nullptr;
  std::int64_t bytes = elements * size;  // at most 2^31 * 2^31: no overflow in 64 bits
  char* element0 = ObjectArena().Allocate(kHeaderBytes, static_cast<std::size_t>(bytes));
  if (element0 == nullptr) return nullptr;
  std::int32_t* header = Header(element0);
  header[kTypeCode] = type_code;
  header[kElementSize] = size;
  header[kHeap] = object_heap_handle;
  header[kOne] = 1;
  header[kUpper] = upper;
  return element0;
}

}  // namespace

void* NewHeapArray(int type_code, int upper, int element_size) {
  int size = ElementSize(type_code, element_size);
  if (size <= 0) {
    if (object_heap_handle == 0) object_heap_handle = NEWHEAP();
    return nullptr;
  }
  return NewArrayOf(type_code, upper, size);
}

int GETHEAP(const void* reference) {
  return reference ? Header(reference)[kHeap] : 0;
}

int HeapArrayUpper(const void* reference) {
  return reference ? Header(reference)[kUpper] : -1;
}

void FreeHeapArray(const void*) {
  // The arena gives nothing back piece by piece: its blocks go when the heap is retired.
}

namespace {

// A new record string of text; kept is the part of text it holds (up to a zero byte).
char* CopyToRecordString(std::string_view text, std::string_view& kept) {
  kept = {};
  if (text.size() > 0x7FFFFFF0u) return nullptr;
  auto* copy = static_cast<char*>(NewArrayOf(1, static_cast<int>(text.size()) + 1, 1));
  if (copy != nullptr) {
    kept = CutAtZero(text);
    if (!kept.empty()) std::memcpy(copy, kept.data(), kept.size());
  }
  return copy;
}

std::uint64_t Load(const char* at, std::size_t bytes) {
  std::uint64_t value = 0;
  std::memcpy(&value, at, bytes);
  return value;
}

// Two words that hold a text's first and last bytes: its first and last eight, or for a
// shorter text, all of its bytes. Texts of the same size up to 16 bytes are equal exactly
// when their ends are.
void TextEnds(std::string_view text, std::uint64_t& head, std::uint64_t& tail) {
  const char* at = text.data();
  std::size_t size = text.size();
  if (size >= 8) {
    head = Load(at, 8);
    tail = Load(at + size - 8, 8);
  } else if (size >= 4) {
    head = Load(at, 4);
    tail = Load(at + size - 4, 4);
  } else {
    head = size == 0 ? 0 : Load(at, 1) | Load(at + size / 2, 1) << 8 | Load(at + size - 1, 1) << 16;
    tail = 0;
  }
}

// The table place of a text: a hash of its size and its ends.
std::size_t SharedPlace(std::size_t size, std::uint64_t head, std::uint64_t tail) {
  std::uint64_t hash =
      head * 0x9E3779B97F4A7C15u ^ tail * 0xFF51AFD7ED558CCDu ^ size * 0xC4CEB9FE1A85EC53u;
  return static_cast<std::size_t>(hash ^ (hash >> 29) ^ (hash >> 43)) & (kSharedTexts - 1);
}

bool IsSharedText(const SharedText& shared, std::string_view text, std::uint64_t head,
                  std::uint64_t tail) {
  if (shared.text == nullptr || shared.size != text.size() || shared.head != head ||
      shared.tail != tail) {
    return false;
  }
  // The ends hold every byte of a text up to 16 bytes; a longer one compares its middle.
  return text.size() <= 16 || std::memcmp(shared.text + 8, text.data() + 8, text.size() - 16) == 0;
}

}  // namespace

char* NewRecordString(std::string_view text) {
  std::string_view kept;
  return CopyToRecordString(text, kept);
}

namespace {

// A text with its ends and its place in the table of shared strings.
struct PlacedText {
  std::string_view text;
  std::uint64_t head = 0;
  std::uint64_t tail = 0;
  SharedText* shared = nullptr;
};

PlacedText Placed(std::string_view text) {
  PlacedText placed{text};
  TextEnds(text, placed.head, placed.tail);
  placed.shared = &shared_texts[SharedPlace(text.size(), placed.head, placed.tail)];
  return placed;
}

Text SharedString(const PlacedText& placed) {
  SharedText& shared = *placed.shared;
  if (IsSharedText(shared, placed.text, placed.head, placed.tail)) return shared.text;
  std::string_view kept;
  char* copy = CopyToRecordString(placed.text, kept);
  // A text cut at a zero byte is not what its string holds: it is not shared.
  if (copy != nullptr && kept.size() == placed.text.size()) {
    shared = {copy, placed.text.size(), placed.head, placed.tail};
  }
  return copy;
}

}  // namespace

Text SharedRecordString(std::string_view text) {
  return SharedString(Placed(text));
}

void SharedRecordStrings(std::span<const std::string_view> texts, Text* strings) {
  // The table places are worked out a text ahead and fetched into the cache while the text
  // before is stored: most texts are told apart or found equal by their place alone.
  if (texts.empty()) return;
  PlacedText next = Placed(texts[0]);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    PlacedText placed = next;
    if (i + 1 < texts.size()) {
      next = Placed(texts[i + 1]);
      __builtin_prefetch(next.shared);
    }
    strings[i] = SharedString(placed);
  }
}

void* NewHeapObject(const void* source, int size) {
  void* object = NewHeapArray(1, size, 0);
  if (object != nullptr && source != nullptr && size > 0) {
    std::memmove(object, source, static_cast<std::size_t>(size));
  }
  return object;
}

}  // namespace kzo::store
