// Files a program writes beside an output before they take its place: the match report, an
// export's file or site. Each carries the number of the process that writes it, so that a
// later run can remove what a run that was killed (power, kill -9) left behind, and nothing
// else.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/env.h"

namespace kzo::platform {

// The name this process gives what it writes beside path: path, a dot, what ("new" for the
// output being written, "old" for the one it replaces), a dash and the process's number.
std::string NameBeside(Env& env, std::string_view path, std::string_view what);
// NameBeside, or nullopt when something of that name stands there (a file of the user's:
// leftovers are removed before).
std::optional<std::string> FreeNameBeside(Env& env, std::string_view path, std::string_view what);

// Removes what earlier runs left beside path: the files and folders named as NameBeside
// names them, "new" or "old", whose process no longer runs (or is this one, which has made
// none yet). A folder goes only when it holds nothing but files and is empty or holds a file
// named marker (a site's folder). Returns how many were removed.
int RemoveLeftovers(Env& env, std::string_view path, std::string_view marker = {});

// Empties a folder of its files and removes it. False when something stays.
bool RemoveFolderOfFiles(Env& env, const std::string& folder);

}  // namespace kzo::platform
