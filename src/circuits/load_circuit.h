// The load of one circuit folder: its settings, show list, circuit wrestler database
// (brought up to date on disk), card files, points tables, tag teams and stables.
#pragma once

#include <string_view>

namespace kzo::circuits {

// Where a circuit's folder text leads, judged by its components: nowhere (empty and "."
// components only: the legacy folder itself), outside the legacy folder (a ".."), or to a
// folder below it. Only a folder below the legacy folder is loaded.
enum class FolderPlace { kLegacyFolder, kOutside, kBelow };
FolderPlace PlaceOf(std::string_view folder);

// Loads circuit number circuit (1..count), whose circuit-list lines the driver has filled.
void LoadCircuit(int circuit);

}  // namespace kzo::circuits
