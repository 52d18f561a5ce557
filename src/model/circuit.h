// The circuit table: one record per circuit (a promotion with a folder of its own), with
// its settings, titles, shows, its own view of the wrestler roster, per-wrestler values,
// tag teams, stables and points. Lists are heap lists sized to what they hold; the
// capacities below are limits.
#pragma once

#include <array>
#include <cstdint>

#include "model/show.h"
#include "roster/stable.h"
#include "roster/team.h"
#include "store/text.h"

namespace kzo::model {

constexpr int kMaxCircuits = 100;
constexpr int kMaxTitles = 100;
constexpr int kMaxShows = 5000;
constexpr int kMaxRosterEntries = 2000;
constexpr int kMaxCircuitTeams = 1000;
constexpr int kMaxCircuitStables = 200;
constexpr int kMaxHireTerms = 10;
constexpr int kMaxHolderNames = 10;
constexpr int kMaxPointsEntries = 2000;
constexpr int kMaxParticipants = 10;

struct HireTerm {
  std::int64_t start;  // date-time
  std::int64_t end;    // date-time
  std::int32_t days;   // whole days from start to end
};

// The circuit's view of one wrestler, read from its "circdb.dat".
// Hire states ("circdb.dat") that hire a wrestler when "card.cfg" does not: 1..99 hire for
// that many months, and the states above 100 up to an end hire without a term. The circuit
// load ends that range before kHiredStatesEnd, the points files before kActiveStatesEnd:
// the legacy program tested the two with different bounds, so a state of 32000..32766
// leaves a wrestler unhired in the circuit's roster yet active in its points.
constexpr std::int32_t kTermHireStatesEnd = 100;
constexpr std::int32_t kHiredStatesEnd = 32000;
constexpr std::int32_t kActiveStatesEnd = 32767;

// A hire state of 1..99: hired for that many months.
inline bool IsTermHireState(std::int32_t status) {
  return status > 0 && status < kTermHireStatesEnd;
}
// A hire state that hires, with a term or without one, where the termless range ends
// before end.
inline bool IsHiringState(std::int32_t status, std::int32_t end) {
  return IsTermHireState(status) || (status > kTermHireStatesEnd && status < end);
}

struct RosterEntry {
  Text name;  // the wrestler's name as this circuit knows it
  std::int32_t push;
  std::int32_t hire_status;
  // Slots 1..hire_term_count of a heap list of kMaxHireTerms slots, made with the first
  // term: most entries never get one.
  HireTerm** hire_terms;
  std::int32_t hire_term_count;
  HireTerm* current_term;  // the term added last
  std::int32_t hired;
  std::int32_t injury;
  std::int32_t heel_value;
  std::array<std::int32_t, 5> managers;  // slots 1..4
  std::int32_t manager_count;            // non-zero managers
  Text nickname;
};

struct TitleRecord {
  Text holder;  // as written in "card.ttl"; "vacant" for no holder
  Text title_name;
  Text title_short;  // the name without its " Title" or " Champion" ending
  std::int32_t title_number;
  std::int32_t holder_count;
  std::array<Text, kMaxHolderNames + 1> holder_names;  // slots 1..holder_count
};

struct PointsEntry {
  Text entry_name;
  std::int32_t active_product;
  std::array<std::int32_t, 7> values;                           // slots 1..6
  std::array<std::int32_t, kMaxParticipants + 1> participants;  // slots 1..participant_count
  std::int32_t participant_count;
  std::int64_t title_mask;
  std::int32_t gender_mask;
};

struct PointsTable {
  PointsEntry* entries;  // slots 1..entry_count (a heap list that grows as entries come)
  std::int32_t entry_count;
};

struct PointsSet {
  PointsTable pts;     // "card.pts"
  PointsTable pts_t;   // "cardt.pts"
  PointsTable pts_s;   // "cards.pts"
  PointsTable totals;  // per-wrestler sums of the three
};

struct CircuitRecord {
  Text lgs_line1;
  Text folder;
  Text lgs_line3;
  TitleRecord* titles;  // slots 1..title_count
  std::int32_t title_count;
  ShowRecord** shows;  // slots 1..show_count; null for a show without a record
  std::int32_t show_count;
  RosterEntry* roster;        // slots 1..RosterSlots(); entry i is wrestler number i
  std::int32_t* injuries;     // slots 1..RosterSlots()
  std::int32_t* wht_values;   // slots 1..RosterSlots()
  roster::TeamRecord* teams;  // slots 1..team_count
  std::int32_t team_count;
  roster::StableRecord* stables;  // slots 1..stable_count
  std::int32_t stable_count;
  PointsSet* points;
  std::int32_t card_cfg_value;
  std::int32_t HiringDontCheckGlobalTeams;
  std::int32_t AddPointsForWin;
  std::int32_t DeductPointsForLoss;
  std::int32_t TitleBonusValue;
  std::int32_t WinningStreakImportance;
  std::int32_t IgnoreTitlesInGlobalRatings;
  Text UniverseCircuit1;
  Text UniverseCircuit2;
  std::int32_t hiring_listed;
  std::int64_t today;  // date-time
};

struct CircuitTable {
  std::array<CircuitRecord, kMaxCircuits + 1> records;  // slots 1..count
  std::int32_t count;
};

// The one circuit table of the run.
CircuitTable& Circuits();

// The wrestler numbers a circuit holds values for: 1..min(N, 2000), N the wrestler count.
int RosterSlots();

}  // namespace kzo::model
