#include "roster/wrestler_lookup.h"

#include <algorithm>
#include <memory>

#include "roster/database.h"
#include "roster/name_index.h"
#include "store/run.h"

namespace kzo::roster {
namespace {

// Names do not change once loaded, so the index is built at the first lookup.
store::RunLocal<std::unique_ptr<NameIndex>> index;

}  // namespace

const NameIndex& WrestlerNames() {
  std::unique_ptr<NameIndex>& names = *index;
  if (!names) {
    names = std::make_unique<NameIndex>();
    const auto& wrestlers = Database().wrestlers;
    int count = StoredWrestlerCount();
    names->Reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 1; i <= count; ++i)
      names->Add(View(wrestlers[static_cast<std::size_t>(i)].wname), i);
  }
  return *names;
}

int FindWrestler(std::string_view name) {
  return WrestlerNames().Find(name);
}

void ForgetWrestlerIndex() {
  index->reset();
}

}  // namespace kzo::roster
