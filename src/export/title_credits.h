// Who holds each title of each circuit. The holder text of "card.ttl" names wrestlers and
// tag teams in free text ("The Drifters (Tuck Masden and Quill Danby)", "A and B"); it is
// read as the import's name matching reads it (reduced, split, and its team names expanded
// with the circuit's own teams, else the roster's), and every team it names is credited with
// the title, and so is each of its members. The site shows these credits and the database
// holds them as a table, so that the two agree.
#pragma once

#include <vector>

#include "store/text.h"

namespace kzo::exporter {

// A tag team the holder text names.
struct HoldingTeam {
  Text name;
  int roster_team = 0;  // the roster's team of that name (which has a page), 0 for none
};

// A wrestler of the roster credited with a title.
struct HoldingWrestler {
  int wrestler;
  int team = 0;  // the team through which the wrestler holds it: its slot in teams + 1; 0 for
                 // a wrestler named alone
};

struct Holding {
  int circuit;
  int title;
  std::vector<HoldingTeam> teams;
  std::vector<HoldingWrestler> wrestlers;  // each wrestler once, in the order first named
};

// The holdings of every title of every circuit, in circuit and title order, from the model
// that the last load built; a vacant title has none. A name is a wrestler's when it is the
// name of a wrestler of the roster, or the circuit's name for one; names that match no one
// are credited to no one.
std::vector<Holding> BuildHoldings();

}  // namespace kzo::exporter
