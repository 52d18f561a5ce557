#include "roster/database.h"

#include <algorithm>

#include "store/run.h"

namespace kzo::roster {
namespace {

store::RunLocal<RosterDatabase> database;

}  // namespace

RosterDatabase& Database() {
  return *database;
}

int StoredWrestlerCount() {
  const RosterDatabase& database = Database();
  int stored = static_cast<int>(database.wrestlers.size()) - 1;
  return std::max(0, std::min(database.wrestler_count, stored));
}

}  // namespace kzo::roster
