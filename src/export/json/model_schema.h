// kzo-export --format json-schema: the JSON Schema (draft 2020-12) of the JSON document,
// made from the descriptions the document is written by.
#pragma once

#include <optional>
#include <string>

#include "export/json_writer.h"
#include "platform/env.h"

namespace kzo::exporter {

// Writes the schema of the document WriteModelJson writes: every record an object of the
// members its description names (the roster records' by the run's field dictionary, which
// must be filled), each with its type, its bounds or capacity where it has them and its
// meaning (for roster fields the dictionary's label); no member may be missing, and none
// that is not described may be there.
void WriteModelSchema(JsonWriter& json);

// Writes the schema, indented for people to read and a line end after it, to output as
// WriteJsonDocument writes the document; the reason when it could not be written whole.
std::optional<std::string> WriteSchemaDocument(platform::Env& env, platform::Env& files,
                                               const std::optional<std::string>& output);

}  // namespace kzo::exporter
