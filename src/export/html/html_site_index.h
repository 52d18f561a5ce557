// What the pages of the HTML site show about a wrestler beyond the wrestler's own record,
// gathered in one walk over the model: the matches each wrestler took part in and how each
// ended for them, and the teams, stables and titles each wrestler belongs to or holds.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/circuit.h"

namespace kzo::exporter {

// A wrestler's part in one match: where the match stands and the value of the wrestler's
// side in its result (1 won, -1 lost, 2 or -2 a draw).
struct Appearance {
  int circuit;
  int show;
  int match;
  int value;
};

// A wrestler's record in one circuit: matches taken part in, wins, losses and draws.
struct ResultCounts {
  int matches = 0;
  int wins = 0;
  int losses = 0;
  int draws = 0;
};

struct HeldTitle {
  int circuit;
  int title;
};

struct SiteIndex {
  // By wrestler number 1..StoredWrestlerCount (slot 0 unused).
  std::vector<std::vector<Appearance>> appearances;  // in circuit, show and match order
  std::vector<std::vector<int>> teams;               // numbers of the roster's teams
  std::vector<std::vector<int>> stables;             // numbers of the roster's stables
  std::vector<std::vector<HeldTitle>> titles;
};

// Gathers the index from the model that the last load built.
SiteIndex BuildSiteIndex();

// True for a segment that is a match (careers.h).
bool IsMatch(const model::MatchRecord& segment);

// "win", "loss", "draw", or "" for a value that is none of them.
std::string_view OutcomeWord(int value);

// True when the wrestler number names a wrestler of the roster, which has a page.
bool IsStoredWrestler(std::int64_t wrestler);

// The record of a wrestler in one circuit (a match counts once, however often the
// wrestler is named in its result).
ResultCounts CountResults(const std::vector<Appearance>& appearances, int circuit);

}  // namespace kzo::exporter
