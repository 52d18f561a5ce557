// The object heap: the private heap of the run in which every record string and heap
// object lives. Every block is a heap array: a header of five 32-bit words (type code,
// element size, heap handle, 1, upper bound) right before element 0, then the elements
// 0..upper, zero-filled. A reference is the address of element 0. The heap's memory comes
// from the platform in large blocks (store/arena.h); everything in it lives until the next
// run begins (store/run.h), which takes the memory back at once.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "store/text.h"

namespace kzo::store {

// Creates a private heap; its handle, or 0 on failure.
int NEWHEAP();
// Retires the current object heap and makes a new one the object heap.
int BeginObjectHeap();
// Appends the object heap (when there is one) to the retired-heap list; its blocks live on
// to the end of the run.
void RetireObjectHeap();
// Gives the memory of every object heap of the run back to the platform and forgets the
// heaps (EndRun).
void GiveBackObjectHeaps();

// A heap array of elements 0..upper of the type's size (type 9: element_size); null when
// the type has no size, no heap can be made or the allocation fails.
void* NewHeapArray(int type_code, int upper, int element_size);
// The header word upper of a block (upper + 1 elements); -1 for a null reference.
int HeapArrayUpper(const void* reference);
// Gives a block up. Its memory stays with the heap: the heap's arena hands out no piece
// twice.
void FreeHeapArray(const void* reference);
// A new record string holding text up to its first zero byte: length + 2 zero-filled bytes.
char* NewRecordString(std::string_view text);
// A record string of text, as NewRecordString makes it, for a table built once per process:
// it lives to the end of the process, in memory of its own (its header names heap 0, the
// heap of nothing FreeHeapArray gives back to), whatever runs begin.
Text ConstantRecordString(std::string_view text);
// A record string holding text, as NewRecordString gives: the one made by an earlier call
// for the same bytes when the object heap still remembers it (it remembers the texts of
// recent calls), else a new one. For texts that nothing writes into, so that every holder
// may share one string.
Text SharedRecordString(std::string_view text);
// SharedRecordString of each text, into strings[0..texts.size()).
void SharedRecordStrings(std::span<const std::string_view> texts, Text* strings);
// A new heap object of size + 1 zero bytes, holding a copy of size bytes of source when
// source is not null.
void* NewHeapObject(const void* source, int size);

// A zero-filled heap object that holds one T, or null.
template <class T>
T* NewObject() {
  return static_cast<T*>(NewHeapObject(nullptr, static_cast<int>(sizeof(T))));
}

// A zero-filled heap list of T with slots 0..upper, or null.
template <class T>
T* NewList(int upper) {
  return static_cast<T*>(NewHeapArray(9, upper, static_cast<int>(sizeof(T))));
}

}  // namespace kzo::store
