// Hire terms of a circuit's roster entries.
#pragma once

#include <cstdint>

#include "model/circuit.h"

namespace kzo::circuits {

// Units of a hire term's length.
enum HireUnit { kDays = 1, kWeeks = 2, kMonths = 3, kYears = 4, kUntilDate = 5 };

// Appends a term to entry (nothing when entry is null or holds 10 terms already). The term
// starts where the entry's last term ends, or at the circuit's today; it lasts amount
// units (calendar months keep the day when the new month has it, else take its last day;
// 29 February plus whole years becomes 28 February in a common year); unit 5 ends at
// amount itself. With jitter the end moves by -6..+7 days.
void AddHireTerm(model::RosterEntry* entry, std::int64_t amount, int unit, int circuit, int jitter);

}  // namespace kzo::circuits
