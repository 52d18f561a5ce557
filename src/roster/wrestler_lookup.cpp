#include "roster/wrestler_lookup.h"

#include <algorithm>
#include <memory>

#include "roster/database.h"
#include "roster/name_index.h"

namespace kzo::roster {
namespace {

// Names do not change once loaded, so the index is built at the first lookup.
std::unique_ptr<NameIndex> index;

}  // namespace

const NameIndex& WrestlerNames() {
  if (!index) {
    index = std::make_unique<NameIndex>();
    const auto& wrestlers = Database().wrestlers;
    int count = StoredWrestlerCount();
    index->Reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 1; i <= count; ++i)
      index->Add(View(wrestlers[static_cast<std::size_t>(i)].wname), i);
  }
  return *index;
}

int FindWrestler(std::string_view name) {
  return WrestlerNames().Find(name);
}

void ForgetWrestlerIndex() {
  index.reset();
}

}  // namespace kzo::roster
