#include "roster/database.h"

#include <algorithm>

namespace kzo::roster {

RosterDatabase& Database() {
  static RosterDatabase database;
  return database;
}

int StoredWrestlerCount() {
  const RosterDatabase& database = Database();
  int stored = static_cast<int>(database.wrestlers.size()) - 1;
  return std::max(0, std::min(database.wrestler_count, stored));
}

}  // namespace kzo::roster
