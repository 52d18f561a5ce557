// kzo-export --format json: the model as one JSON document.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "export/json_writer.h"
#include "platform/env.h"

namespace kzo::exporter {

// Writes the JSON document of the model that the last load built with json.
void WriteModelJson(JsonWriter& json);

// Writes a JSON document that write writes, a line end after it, to output (files takes
// paths exactly as written): replaced only by a complete document, or written straight into
// a device or pipe that cannot be replaced (/dev/stdout); to standard output through env
// when there is no output. The reason when it could not be written whole.
std::optional<std::string> WriteJsonFile(platform::Env& env, platform::Env& files,
                                         const std::optional<std::string>& output,
                                         const std::function<void(JsonWriter&)>& write);

// Writes that document, a line end after it, to output (files takes paths exactly as
// written): replaced only by a complete document, or written straight into a device or pipe
// that cannot be replaced (/dev/stdout); to standard output through env when there is no
// output. The reason when it could not be written whole.
std::optional<std::string> WriteJsonDocument(platform::Env& env, platform::Env& files,
                                             const std::optional<std::string>& output);

}  // namespace kzo::exporter
