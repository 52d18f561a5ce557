// kzo-export: runs exactly the importer's load on a legacy folder and writes the model.
#pragma once

#include "platform/env.h"

namespace kzo::exporter {

// kzo-export [--yes] [--explain] [--format FORMAT] [--output FILE|DIR] [FOLDER], FORMAT one
// of the formats that export_main.cpp lists (json by default): loads FOLDER through a view
// that keeps the load's writes in memory and writes the model to FILE or DIR (through files,
// which takes paths exactly as written), or to standard output. Returns the exit code: 0
// after a complete run with the output written whole, 1 when it was not, 2 for bad
// arguments or a FOLDER that cannot be used; a cancelled error report ends the process with
// 255.
int ExportMain(int argc, char** argv, platform::Env& env, platform::Env& files);

}  // namespace kzo::exporter
