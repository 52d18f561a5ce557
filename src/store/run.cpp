#include "store/run.h"

#include <cstdio>
#include <cstdlib>

#include "store/files.h"
#include "store/heap.h"

namespace kzo::store {
namespace {

// The first RunLocal of the process; each links the one made before it. Set before any
// RunLocal is made: a null pointer needs no constructor.
RunLocalLink* first_run_local = nullptr;

// The platform of the run. BeginRun installs it before the pieces of the run are reset
// (the object heap gives its blocks back to the platform that made them), so its own reset
// leaves it as it is.
RunLocal<platform::Env*> installed_platform([](platform::Env*&) {});

}  // namespace

void LinkRunLocal(RunLocalLink& link) {
  link.next = first_run_local;
  first_run_local = &link;
}

void BeginRun(platform::Env& env) {
  *installed_platform = &env;
  for (RunLocalLink* link = first_run_local; link != nullptr; link = link->next) {
    link->reset(*link);
  }
}

void EndRun() {
  if (*installed_platform == nullptr) return;
  CloseAllFiles();
  GiveBackObjectHeaps();
  *installed_platform = nullptr;
}

platform::Env& Platform() {
  platform::Env* env = *installed_platform;
  if (env == nullptr) {
    std::fputs("kzo: the store was used before a run began: no platform is installed\n", stderr);
    std::abort();
  }
  return *env;
}

}  // namespace kzo::store
