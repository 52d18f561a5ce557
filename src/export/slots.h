// How many slots of a list the exports write. A list holds slots 1..n and its record keeps
// the count beside it as it was stored, which may lie below 0 or above the list's capacity.
// The count is written as stored; the list is written as slots 1..StoredSlots, so it never
// holds more than its capacity nor reads beyond the slots that exist.
#pragma once

#include <algorithm>
#include <cstdint>

#include "model/circuit.h"
#include "store/heap.h"

namespace kzo::exporter {

// The slots written of a list inside its record: the count, never below 0 nor above the
// capacity.
inline int StoredSlots(std::int32_t count, int capacity) {
  return std::max(0, std::min<int>(count, capacity));
}

// The slots written of a heap list: as above, and never beyond the slots the list holds
// (none for a null list).
inline int StoredSlots(const void* list, std::int32_t count, int capacity) {
  return std::min(StoredSlots(count, capacity), std::max(0, store::HeapArrayUpper(list)));
}

// The slots written of a circuit's per-wrestler list (roster, injuries, "card.wht" values):
// 1..N, N the wrestler count at most the capacity. A circuit that was not loaded has no
// such list; it is written as the fixed lists of a zero-filled circuit record would be,
// N zero-filled slots (see SlotOf).
inline int PerWrestlerSlots(const void* list) {
  int wrestlers = model::RosterSlots();
  return list == nullptr ? wrestlers : StoredSlots(list, wrestlers, model::kMaxRosterEntries);
}

// Slot i of a list; a zero-filled slot for a null list.
template <class T>
const T& SlotOf(const T* list, int i) {
  static const T zero{};
  return list == nullptr ? zero : list[i];
}

}  // namespace kzo::exporter
