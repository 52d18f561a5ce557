// The legacy roster database: the global tables the loading driver fills, read-only once
// the load is done. Every roster has slots 0..N (N its record count); slot 0 exists and
// records 1..N come from the roster file, numbered by their slot.
#pragma once

#include <cstdint>
#include <vector>

#include "roster/dive.h"
#include "roster/foreign_object.h"
#include "roster/gimmick.h"
#include "roster/manager.h"
#include "roster/move.h"
#include "roster/stable.h"
#include "roster/team.h"
#include "roster/wrestler.h"
#include "store/text.h"

namespace kzo::roster {

// The four settings of the legacy folder's "\kzo.cnf".
struct GlobalSettings {
  std::int32_t UsePersons;
  std::int32_t CCBackground;
  std::int32_t GlobalHiring;
  Text GlobalHiringLimitTo;  // at most 999 characters
};

struct RosterDatabase {
  Text legacy_folder = nullptr;  // the folder the run imports
  GlobalSettings settings{};

  std::vector<ManagerRecord> managers;
  std::int32_t manager_count = 0;
  std::vector<MoveRecord> moves;
  std::int32_t move_count = 0;
  std::vector<DiveRecord> dives;
  std::int32_t dive_count = 0;
  std::vector<WrestlerRecord> wrestlers;
  std::int32_t wrestler_count = 0;
  std::vector<ForeignObjectRecord> foreign_objects;
  std::int32_t foreign_object_count = 0;
  std::vector<GimmickMatchRecord> gimmick_matches;
  std::int32_t gimmick_match_count = 0;
  std::vector<StableRecord> stables;
  std::int32_t stable_count = 0;
  std::vector<TeamRecord> teams;
  std::int32_t team_count = 0;
};

// The one database of the run.
RosterDatabase& Database();

// The wrestlers of the roster that exist: slots 1..min(count, stored slots - 1).
int StoredWrestlerCount();

}  // namespace kzo::roster
