// kzo-import: imports a legacy installation and writes its match report "matches.txt".
#include "driver/import_command.h"
#include "platform/env.h"

int main(int argc, char** argv) {
  kzo::platform::ProgramArguments arguments(argc, argv);
  return kzo::driver::ImportCommand(arguments.count(), arguments.values(),
                                    kzo::platform::DefaultEnv());
}
