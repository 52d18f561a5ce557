// kzo-import: imports the legacy installation in the working directory and writes its
// match report "matches.txt". Takes no arguments.
#include "driver/importer.h"
#include "platform/env.h"

int main() {
  return kzo::driver::ImporterMain(kzo::platform::DefaultEnv());
}
