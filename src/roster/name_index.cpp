#include "roster/name_index.h"

namespace kzo::roster {

void NameIndex::Build(std::span<const Text> names) {
  slots_.clear();
  slots_.reserve(names.size());
  for (std::size_t slot = 1; slot < names.size(); ++slot)
    Add(View(names[slot]), static_cast<int>(slot));
}

}  // namespace kzo::roster
