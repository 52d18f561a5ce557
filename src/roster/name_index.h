// An index of a list of names that answers, for any text, the lowest slot holding exactly
// that text, as a scan of the list in slot order would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "store/text.h"

namespace kzo::roster {

class NameIndex {
 public:
  // Indexes slots 1..names.size() - 1 of names (slot 0 is never used); a null name counts
  // as the empty text. The texts must outlive the index.
  void Build(std::span<const Text> names);
  // Makes room for this many names in all, so that adding them grows the table no more.
  void Reserve(std::size_t names);
  // Adds one slot; an earlier slot with the same name keeps precedence.
  void Add(std::string_view name, int slot);
  // The lowest slot holding exactly name, or 0.
  int Find(std::string_view name) const;

 private:
  // One place of the table: a name, its hash and its slot, or unused. The table is open
  // addressed (one allocation for all names, a lookup touches few places) and at most half
  // full; a name is compared only when its hash is the one sought.
  struct Place {
    std::string_view name;
    std::uint32_t hash = 0;
    int slot = 0;
    bool used = false;
  };

  static std::uint32_t HashOf(std::string_view name);
  // The place that holds name, or the unused place where it would go.
  std::size_t PlaceOf(std::string_view name, std::uint32_t hash) const;

  std::vector<Place> places_;  // a power of two in size, or empty
  std::size_t count_ = 0;
};

}  // namespace kzo::roster
