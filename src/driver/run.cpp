#include "driver/run.h"

#include "driver/loaddbs.h"
#include "store/run.h"

namespace kzo::driver {

void LoadLegacyFolder(platform::Env& env) {
  store::BeginRun(env);
  LOADDBS(env.WorkingDirectory());
}

}  // namespace kzo::driver
