// The importer's main procedure and its match report.
#pragma once

#include "platform/env.h"

namespace kzo::driver {

// Begins a run on env, loads the legacy folder (env's working directory) and writes
// "matches.txt". Returns the exit code: 0, or 1 when "matches.txt" was not written whole.
int ImporterMain(platform::Env& env);

// Writes "matches.txt" in the working directory: every match result of every show of
// every circuit, each followed by one line per participant ("name: value") and an empty
// line; segments of the kinds "Comments" and "Interview" are skipped. True when the file
// was written whole.
bool WriteMatchReport();

}  // namespace kzo::driver
