// kzo-import's command line.
#pragma once

#include "platform/env.h"

namespace kzo::driver {

// kzo-import [--yes] [--explain] [--dry-run] [FOLDER], or --help, or --version. Imports
// FOLDER (default: the working directory) as if run in it and returns the exit code: 0
// after a complete run, 1 when "matches.txt" could not be written whole, 2 for bad
// arguments or a FOLDER that cannot be used (nothing read or written); a cancelled error
// report ends the process with 255. A dry run writes nothing and lists what the import
// would write.
int ImportCommand(int argc, char** argv, platform::Env& env);

}  // namespace kzo::driver
