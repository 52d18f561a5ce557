// The files the user names for the export's output: written whole into a new file beside
// the target, which then takes the target's name, or not at all.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/beside_files.h"
#include "platform/env.h"

namespace kzo::exporter {

// True when path names something other than a regular file: a folder, or a device or pipe
// (/dev/null, /dev/stdout) that cannot be replaced and is written to directly.
inline bool IsSpecialFile(platform::Env& files, const std::string& path) {
  return files.LongPath(path).has_value() && !files.FileExists(path);
}

// Writes the file at path whole or not at all: write(temporary) makes the file under a new
// name beside path and returns the reason when it failed; a complete file then replaces
// path. On failure the temporary file is removed, path stays as it was, and the reason is
// returned. files takes paths exactly as written.
template <class Write>
std::optional<std::string> WriteWholeFile(platform::Env& files, const std::string& path,
                                          Write write) {
  platform::RemoveLeftovers(files, path);
  std::optional<std::string> temporary = platform::FreeNameBeside(files, path, "new");
  if (!temporary) return "a file of the name it is written under first stands in the way";
  std::optional<std::string> failure = write(*temporary);
  if (!failure && files.ReplaceFile(*temporary, path) != 0) failure = files.LastErrorText();
  if (failure) files.DeleteFile(*temporary);
  return failure;
}

}  // namespace kzo::exporter
