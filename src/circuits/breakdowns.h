// The breakdowns of a circuit's matches: every match result parsed once the circuit and its
// shows are loaded, each name resolved to a wrestler of the circuit's roster.
#pragma once

namespace kzo::circuits {

// Parses text line 1 of every match of every show of the circuit (0: of every circuit) and
// stores the entries as the match's breakdown, replacing an earlier one. A name that is no
// wrestler of the circuit gets wrestler number 0.
void ComputeMatchBreakdowns(int circuit);

}  // namespace kzo::circuits
