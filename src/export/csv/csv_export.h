// kzo-export --format csv: the tables of the database export as CSV files of a folder, for
// spreadsheets and any other program that reads CSV.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/env.h"

namespace kzo::exporter {

// The file that marks a folder as CSV files written by kzo-export, which a later export may
// replace.
inline constexpr std::string_view kCsvMarker = "kzo-export-csv.txt";

// Writes a file NAME.csv per table of the database export of the model that the last load
// built, with the same columns, names, values and rows (see csv_file.h), into a new
// folder beside folder and, when it is complete, gives it the name folder, replacing an
// empty folder or an earlier CSV export there. On failure nothing is left of the new
// folder, folder stays as it was, and the reason is returned. files takes paths exactly as
// written.
std::optional<std::string> WriteCsvFolder(platform::Env& files, const std::string& folder);

}  // namespace kzo::exporter
