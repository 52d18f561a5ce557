// An index of a list of names that answers, for any text, the lowest slot holding exactly
// that text, as a scan of the list in slot order would.
#pragma once

#include <span>
#include <string_view>
#include <unordered_map>

#include "store/text.h"

namespace kzo::roster {

class NameIndex {
 public:
  // Indexes slots 1..names.size() - 1 of names (slot 0 is never used); a null name counts
  // as the empty text. The texts must outlive the index.
  void Build(std::span<const Text> names);
  // Adds one slot; an earlier slot with the same name keeps precedence.
  void Add(std::string_view name, int slot) { slots_.emplace(name, slot); }
  // The lowest slot holding exactly name, or 0.
  int Find(std::string_view name) const {
    auto found = slots_.find(name);
    return found == slots_.end() ? 0 : found->second;
  }

 private:
  std::unordered_map<std::string_view, int> slots_;
};

}  // namespace kzo::roster
