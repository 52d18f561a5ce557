// kzo-export: runs exactly the importer's load on a legacy folder and writes the model.
#pragma once

#include <string>

#include "platform/env.h"

namespace kzo::exporter {

// kzo-export [--format json|sqlite] [--output FILE] [FOLDER]. Returns the exit code: 0
// after a complete run, 2 for bad arguments (with a usage line on standard error); a
// cancelled error report ends the process with 255.
int ExportMain(int argc, char** argv, platform::Env& env);

// The JSON document of the model that the last load built.
std::string ModelJson();

}  // namespace kzo::exporter
