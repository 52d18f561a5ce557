// kzo-export: runs the import's load and writes the whole model.
#include "export/export_main.h"
#include "platform/env.h"

int main(int argc, char** argv) {
  kzo::platform::ProgramArguments arguments(argc, argv);
  return kzo::exporter::ExportMain(arguments.count(), arguments.values(),
                                   kzo::platform::DefaultEnv(), kzo::platform::ExactPathEnv());
}
