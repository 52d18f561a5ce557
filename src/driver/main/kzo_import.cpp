// kzo-import: imports a legacy installation and writes its match report "matches.txt".
#include "driver/import_command.h"
#include "platform/env.h"

int main(int argc, char** argv) {
  return kzo::driver::ImportCommand(argc, argv, kzo::platform::DefaultEnv());
}
