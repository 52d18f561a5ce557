// A run of the import and the state it keeps. The legacy procedures work on global tables,
// so a run's state is global; every piece of it (a table, a cache, the open files, the
// object heap) is declared as a RunLocal, and BeginRun resets them all in one call. A table
// declared so cannot be left out of the next run's beginning, and no list of them has to
// be kept by hand.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "platform/env.h"

namespace kzo::store {

// Begins a run on env: env becomes the platform of every later call, the files and
// procedures of the last run are forgotten and every RunLocal is reset. On the platform of
// the last run the object heap keeps its first block, emptied: beginning a run costs what
// the last run used; the heaps of another platform stay with it. env must live until
// EndRun or a run on another platform. Every program, fuzz target and test begins its runs
// here.
void BeginRun(platform::Env& env);

// Ends the use of the run's platform before it goes away (a test's platform): closes the
// files left open, gives the object heap's memory back to the platform and installs none.
// Using the store before the next BeginRun is an error.
void EndRun();

// The platform of the run. The store is not usable before a run began: the process is
// stopped with a message naming the mistake.
platform::Env& Platform();

// The link of every RunLocal of the process into the list BeginRun resets.
struct RunLocalLink {
  void (*reset)(RunLocalLink& link);
  RunLocalLink* next;
};
void LinkRunLocal(RunLocalLink& link);

// A piece of a run's state: one value of T, made when the process starts and reset by
// every BeginRun. The reset is `empty` when one is given (a table of fixed capacity empties
// only what the last run filled), else the value is made anew (T{}). The value lives to the
// end of the process: it is never destroyed, so its memory goes back with the process at
// once. Declared at namespace scope; reading it costs what reading a global costs.
template <class T>
class RunLocal : private RunLocalLink {
 public:
  using Empty = void (*)(T& value);

  explicit RunLocal(Empty empty = nullptr) : RunLocalLink{&Reset, nullptr}, empty_(empty) {
    LinkRunLocal(*this);
  }
  ~RunLocal() {}
  RunLocal(const RunLocal&) = delete;
  RunLocal& operator=(const RunLocal&) = delete;

  T& operator*() { return value_; }
  T* operator->() { return &value_; }

 private:
  static void Reset(RunLocalLink& link) {
    RunLocal& self = static_cast<RunLocal&>(link);
    if (self.empty_ != nullptr) {
      self.empty_(self.value_);
    } else {
      self.value_ = T{};
    }
  }

  Empty empty_;
  union {  // a member of a union is not destroyed with the RunLocal
    T value_{};
  };
};

// Empties a table of fixed capacity whose entries fill slots 1..count (slot 0 unused): the
// slots 0..count are zero-filled again and count becomes 0. A run fills no slot after its
// count, so those are still as the process made them: builds with assertions check it.
template <class Entry, std::size_t kSlots>
void EmptyFilledSlots(std::array<Entry, kSlots>& entries, std::int32_t& count) {
  static_assert(std::is_trivially_copyable_v<Entry>);
  std::size_t filled = static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, kSlots - 1)) + 1;
  std::memset(static_cast<void*>(entries.data()), 0, filled * sizeof(Entry));
  count = 0;
  assert(std::all_of(reinterpret_cast<const unsigned char*>(entries.data() + filled),
                     reinterpret_cast<const unsigned char*>(entries.data() + kSlots),
                     [](unsigned char byte) { return byte == 0; }));
}

}  // namespace kzo::store
