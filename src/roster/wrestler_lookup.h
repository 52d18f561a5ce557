// The wrestler lookup by name in the wrestler roster.
#pragma once

#include <string_view>

#include "roster/name_index.h"

namespace kzo::roster {

// The wrestler number of the first wrestler of the roster whose name is exactly name (same
// bytes, case and blanks count); 0 when there is none.
int FindWrestler(std::string_view name);

// The index FindWrestler looks names up in: wrestlers 1..StoredWrestlerCount().
const NameIndex& WrestlerNames();

// Forgets the index of the roster's names; called whenever the wrestler roster changes.
void ForgetWrestlerIndex();

}  // namespace kzo::roster
