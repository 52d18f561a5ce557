// The load of one circuit folder: its settings, show list, circuit wrestler database
// (brought up to date on disk), card files, points tables, tag teams and stables.
#pragma once

namespace kzo::circuits {

// Loads circuit number circuit (1..count), whose circuit-list lines the driver has filled.
void LoadCircuit(int circuit);

}  // namespace kzo::circuits
