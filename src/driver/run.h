// The load of a legacy folder in a run of its own (store/run.h).
#pragma once

#include "platform/env.h"

namespace kzo::driver {

// Begins a run on env and loads the legacy folder, env's working directory, into the model.
void LoadLegacyFolder(platform::Env& env);

}  // namespace kzo::driver
