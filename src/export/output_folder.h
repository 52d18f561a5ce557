// The folders the user names for an export's output of many files: written whole into a new
// folder beside the target, which then takes the target's name, or not at all. A folder
// that an export wrote holds a file of its own name, its marker, which tells a later export
// of the same format that it may replace the folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/env.h"

namespace kzo::exporter {

// What stands at the folder the user names for the output.
enum class OutputFolder {
  kMissing,  // nothing: the output is made there
  kEmpty,    // an empty folder: replaced
  kEarlier,  // an earlier output of the format (its marker, and files only): replaced
  kFile,     // a file: refused
  kTaken,    // anything else (a folder of other things): refused
};
OutputFolder InspectOutputFolder(platform::Env& files, const std::string& folder,
                                 std::string_view marker);

// Writes the folder at path whole or not at all: the marker file of that name, holding
// marker_text, then write(folder) writes the other files into a new folder beside path and
// returns the reason when it failed. The complete folder then takes the name path,
// replacing an empty folder or an earlier output marked by the same marker there. On
// failure nothing is left of the new folder, path stays as it was, and the reason is
// returned. files takes paths exactly as written.
std::optional<std::string> WriteWholeFolder(
    platform::Env& files, const std::string& path, std::string_view marker,
    std::string_view marker_text,
    const std::function<std::optional<std::string>(const std::string& folder)>& write);

}  // namespace kzo::exporter
