// The importer's main procedure and its match report.
#pragma once

#include "platform/env.h"

namespace kzo::driver {

// Begins a run on env, loads the legacy folder (env's working directory) and writes
// "matches.txt". Returns the exit code: 0, or 1 when "matches.txt" was not written whole.
int ImporterMain(platform::Env& env);

// Writes "matches.txt" in the working directory: every match result of every show of
// every circuit, each followed by one line per participant ("name: value") and an empty
// line; segments of the kinds "Comments" and "Interview" are skipped. The report is written
// into a new file beside "matches.txt" that takes its place only when it was written whole,
// so that a failure (a full disk) leaves the earlier report as it was; a "matches.txt" that
// may not be written is written to, every failure reported, and left as it is. True when
// the report was written whole.
bool WriteMatchReport();

}  // namespace kzo::driver
