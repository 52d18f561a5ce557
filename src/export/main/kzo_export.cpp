// kzo-export: runs the import's load and writes the whole model.
#include "export/export_main.h"
#include "platform/env.h"

int main(int argc, char** argv) {
  return kzo::exporter::ExportMain(argc, argv, kzo::platform::DefaultEnv(),
                                   kzo::platform::ExactPathEnv());
}
