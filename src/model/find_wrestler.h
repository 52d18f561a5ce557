// The wrestler lookup by name, in the wrestler roster or in one circuit's roster.
#pragma once

#include <string_view>

namespace kzo::model {

// The wrestler number of the first wrestler whose name is exactly name (same bytes, case
// and blanks count): circuit 0 searches the wrestler roster's names, any other circuit its
// roster entries' names (wrestler numbers 1..min(N, 2000)); a name the circuit's database
// did not fill counts as empty. 0 when there is none.
int FindWrestler(std::string_view name, int circuit);

// Forgets the lookup indexes; called whenever the rosters they were built from change.
void ForgetWrestlerIndexes();

}  // namespace kzo::model
