// kzo-export: runs exactly the importer's load on a legacy folder and writes the model.
#pragma once

#include <string>

#include "export/json_writer.h"
#include "platform/env.h"

namespace kzo::exporter {

// kzo-export [--yes] [--explain] [--format json|sqlite] [--output FILE] [FOLDER]: loads
// FOLDER through a view that keeps the load's writes in memory and writes the model to
// FILE (through files, which takes paths exactly as written) or standard output. Returns
// the exit code: 0 after a complete run with the output written whole, 1 when it was not,
// 2 for bad arguments or a FOLDER that cannot be used; a cancelled error report ends the
// process with 255.
int ExportMain(int argc, char** argv, platform::Env& env, platform::Env& files);

// The JSON document of the model that the last load built.
std::string ModelJson();
// Writes that document with json.
void WriteModelJson(JsonWriter& json);

}  // namespace kzo::exporter
