#include "store/heap.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "store/arena.h"
#include "store/runtime.h"

namespace kzo::store {
namespace {

// Header words before element 0.
enum HeaderWord { kTypeCode, kElementSize, kHeap, kOne, kUpper, kHeaderWords };
constexpr int kHeaderBytes = kHeaderWords * 4;

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
struct SharedTexts {
  std::array<SharedText, kSharedTexts> places;
  std::vector<std::uint16_t> filled;  // the places in use, so that emptying costs what they hold
};

// The object heap of the run and the heaps it replaced, with their memory.
struct ObjectHeaps {
  platform::Env* platform = nullptr;                   // the platform that made the heaps
  int handle = 0;                                      // the object heap; 0 while none exists
  std::unique_ptr<Arena> arena;                        // its memory, once it gave out some
  std::vector<int> retired;                            // the retired-heap list
  std::vector<std::unique_ptr<Arena>> retired_arenas;  // their memory, kept to the run's end
  SharedTexts shared;
};

void EmptySharedTexts(SharedTexts& shared) {
  for (std::uint16_t place : shared.filled) shared.places[place] = {};
  shared.filled.clear();
}

// Forgets every heap without giving its memory back: for heaps of a platform that is no
// longer the run's, whose blocks stay with it.
void ForgetHeaps(ObjectHeaps& heaps) {
  heaps.platform = nullptr;
  heaps.handle = 0;
  heaps.arena.reset();
  heaps.retired.clear();
  heaps.retired_arenas.clear();
  EmptySharedTexts(heaps.shared);
}

// A new run on the platform of the last keeps the object heap and its first block, emptied;
// the retired heaps' memory goes back to the platform. Heaps of another platform are
// forgotten.
void EmptyObjectHeaps(ObjectHeaps& heaps) {
  if (heaps.platform != &Platform()) return ForgetHeaps(heaps);
  for (const std::unique_ptr<Arena>& arena : heaps.retired_arenas) arena->Release();
  heaps.retired_arenas.clear();
  heaps.retired.clear();
  if (heaps.arena) heaps.arena->Empty();
  EmptySharedTexts(heaps.shared);
}

RunLocal<ObjectHeaps> object_heaps(EmptyObjectHeaps);

// The object heap's memory.
Arena& ObjectArena() {
  ObjectHeaps& heaps = *object_heaps;
  if (!heaps.arena) heaps.arena = std::make_unique<Arena>(heaps.handle);
  return *heaps.arena;
}

// Makes a new heap the object heap.
void MakeObjectHeap(ObjectHeaps& heaps) {
  heaps.handle = NEWHEAP();
  heaps.platform = &Platform();
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
  ObjectHeaps& heaps = *object_heaps;
  if (heaps.handle == 0) return;
  heaps.retired.push_back(heaps.handle);
  if (heaps.arena) heaps.retired_arenas.push_back(std::move(heaps.arena));
}

int BeginObjectHeap() {
  RetireObjectHeap();
  ObjectHeaps& heaps = *object_heaps;
  EmptySharedTexts(heaps.shared);
  MakeObjectHeap(heaps);
  return heaps.handle;
}

void GiveBackObjectHeaps() {
  ObjectHeaps& heaps = *object_heaps;
  if (heaps.platform == &Platform()) {
    if (heaps.arena) heaps.arena->Release();
    for (const std::unique_ptr<Arena>& arena : heaps.retired_arenas) arena->Release();
  }
  ForgetHeaps(heaps);
}

namespace {

// A heap array of elements 0..upper of the given size (greater than 0) in the object heap.
// Inlined into its callers: record strings, made by the million, know their element size.
inline void* NewArrayOf(int type_code, int upper, int size) {
  ObjectHeaps& heaps = *object_heaps;
  if (heaps.handle == 0) MakeObjectHeap(heaps);
  if (heaps.handle == 0) return nullptr;
  std::int64_t elements = static_cast<std::int64_t>(upper) + 1;
  if (elements < 0) return nullptr;
  std::int64_t bytes = elements * size;  // at most 2^31 * 2^31: no overflow in 64 bits
  char* element0 = ObjectArena().Allocate(kHeaderBytes, static_cast<std::size_t>(bytes));
  if (element0 == nullptr) return nullptr;
  std::int32_t* header = Header(element0);
  header[kTypeCode] = type_code;
  header[kElementSize] = size;
  header[kHeap] = heaps.handle;
  header[kOne] = 1;
  header[kUpper] = upper;
  return element0;
}

}  // namespace

void* NewHeapArray(int type_code, int upper, int element_size) {
  int size = ElementSize(type_code, element_size);
  if (size <= 0) {
    if (object_heaps->handle == 0) MakeObjectHeap(*object_heaps);
    return nullptr;
  }
  return NewArrayOf(type_code, upper, size);
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

Text ConstantRecordString(std::string_view text) {
  if (text.size() > 0x7FFFFFF0u) return nullptr;
  std::string_view kept = CutAtZero(text);
  // The header ends where element 0 begins, on a boundary of 16 bytes.
  constexpr std::size_t kHeaderPlace = 32;
  std::size_t bytes = kHeaderPlace + text.size() + 2;
  auto* block = static_cast<char*>(::operator new (bytes, std::align_val_t{16}));
  std::memset(block, 0, bytes);
  char* element0 = block + kHeaderPlace;
  std::int32_t* header = Header(element0);
  header[kTypeCode] = 1;
  header[kElementSize] = 1;
  header[kHeap] = 0;
  header[kOne] = 1;
  header[kUpper] = static_cast<std::int32_t>(text.size()) + 1;
  std::memcpy(element0, kept.data(), kept.size());
  return element0;
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
  placed.shared = &object_heaps->shared.places[SharedPlace(text.size(), placed.head, placed.tail)];
  return placed;
}

Text SharedString(const PlacedText& placed) {
  SharedText& shared = *placed.shared;
  if (IsSharedText(shared, placed.text, placed.head, placed.tail)) return shared.text;
  std::string_view kept;
  char* copy = CopyToRecordString(placed.text, kept);
  // A text cut at a zero byte is not what its string holds: it is not shared.
  if (copy != nullptr && kept.size() == placed.text.size()) {
    SharedTexts& table = object_heaps->shared;
    if (shared.text == nullptr) {
      table.filled.push_back(static_cast<std::uint16_t>(placed.shared - table.places.data()));
    }
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
