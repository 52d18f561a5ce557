// One run of the import. The run's state lives in the layers below: the platform and the
// object heap, the open files, the roster database, the crowd table, the field dictionary,
// the circuit table, the wrestler lookup indexes and the teams files and participant lists
// kept for name matching. BeginRun is the one place that clears all of it.
#pragma once

#include "platform/env.h"

namespace kzo::driver {

// Begins a run on env: every later call uses env; the open files, running procedures and
// object heaps of an earlier run are forgotten and a fresh object heap begun; every table
// and cache of the run is emptied. Every program, and every test, begins a run here.
void BeginRun(platform::Env& env);

// Begins a run on env and loads the legacy folder, env's working directory, into the model.
void LoadLegacyFolder(platform::Env& env);

}  // namespace kzo::driver
