// The model as an SQLite database: the roster tables made from the field dictionary, the
// circuits with their shows, matches, titles, roster entries and points, the crowd
// reactions, the dictionary itself, and the answers made from matches and titles. Texts are stored
// as UTF-8 decoded from code page 437.
#pragma once

#include <optional>
#include <string>

#include "platform/env.h"

namespace kzo::exporter {

// Writes the model that the last load built as a database at path (files takes paths
// exactly as written). The database is built in one transaction in a new file next to
// path, which replaces path only once it is complete; on failure the new file is removed,
// path stays as it was, and the message is returned.
std::optional<std::string> WriteSqliteDatabase(platform::Env& files, const std::string& path);

}  // namespace kzo::exporter
