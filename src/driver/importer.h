// The importer's main procedure and its match report.
#pragma once

#include "platform/env.h"

namespace kzo::driver {

// Runs the importer on env's working directory; returns the exit code.
int RunImporter(platform::Env& env);

// Starts a fresh object heap, loads the legacy folder (the working directory) and writes
// "matches.txt". Returns 0.
int ImporterMain();

// Writes "matches.txt" in the working directory: every match result of every show of
// every circuit, each followed by one line per participant ("name: value") and an empty
// line; segments of the kinds "Comments" and "Interview" are skipped.
void WriteMatchReport();

}  // namespace kzo::driver
