#include "driver/run.h"

#include "driver/loaddbs.h"
#include "matchtext/participants.h"
#include "model/circuit.h"
#include "model/find_wrestler.h"
#include "roster/crowd.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::driver {

void BeginRun(platform::Env& env) {
  store::InstallPlatform(env);
  store::BeginObjectHeap();
  roster::Database() = roster::RosterDatabase{};
  roster::ClearCrowdReactions();
  roster::ClearFieldDictionary();
  model::ClearCircuits();
  model::ForgetWrestlerIndexes();
  matchtext::ForgetTeamsFiles();
}

void LoadLegacyFolder(platform::Env& env) {
  BeginRun(env);
  LOADDBS(env.WorkingDirectory());
}

}  // namespace kzo::driver
