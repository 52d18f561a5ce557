// The loading driver: the fixed sequence that reads a whole legacy installation into the
// model's global tables.
#pragma once

#include <string_view>

namespace kzo::driver {

// Loads the global settings, the eight roster files, the crowd files, every circuit of the
// circuit list (each broken down before the next is read) and the field dictionary. The
// run's tables start empty: a run begins with store::BeginRun.
void LOADDBS(std::string_view legacy_folder);

}  // namespace kzo::driver
