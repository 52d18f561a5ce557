// What the pages of the HTML site show beyond the records themselves, gathered once per site
// in one walk over the model that every page shares: the wrestlers' careers and the title
// credits (the same numbers as the database's tables), the teams and stables each wrestler
// belongs to, and the ratings of the segments and shows.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "export/careers.h"
#include "export/title_credits.h"
#include "model/circuit.h"

namespace kzo::exporter {

// A rating in tenths (85 is 850): the number a segment's rating text begins with, blanks
// before it skipped ("85", " 7.5"); none for a text that begins with no number.
std::optional<std::int64_t> RatingTenths(Text rating_text);

// The ratings of a show's segments: how many are rated and their sum, in tenths.
struct ShowRating {
  int rated = 0;
  std::int64_t sum = 0;
  // The average in tenths, rounded; none without a rated segment.
  std::optional<std::int64_t> Average() const;
};

struct SiteIndex {
  // By wrestler number 1..StoredWrestlerCount (slot 0 is empty).
  std::vector<Career> careers;
  std::vector<std::vector<int>> titles;   // slots of holdings crediting the wrestler
  std::vector<std::vector<int>> teams;    // numbers of the roster's teams
  std::vector<std::vector<int>> stables;  // numbers of the roster's stables
  // Every title of every circuit, in order.
  std::vector<Holding> holdings;
  // By circuit number 1..count and show number 1..show slots (slot 0 is empty).
  std::vector<std::vector<ShowRating>> show_ratings;
};

// Gathers the index from the model that the last load built.
SiteIndex BuildSiteIndex();

// True when the wrestler number names a wrestler of the roster, which has a page.
bool IsStoredWrestler(std::int64_t wrestler);

}  // namespace kzo::exporter
