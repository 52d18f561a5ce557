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

// A file of an output folder (a page, a CSV file) written to disk as it grows: its text is
// appended to pending() and handed over in pieces, never held whole. The first failure is
// kept, and after it nothing more is written.
class PieceFile {
 public:
  // Creates the file at path (taken exactly as written by files).
  PieceFile(platform::Env& files, const std::string& path);
  PieceFile(const PieceFile&) = delete;
  PieceFile& operator=(const PieceFile&) = delete;
  ~PieceFile();

  // The text not yet written; HandOver writes it once it makes a piece.
  std::string& pending() { return pending_; }
  void HandOver();

  // Writes what is pending and closes the file; the reason when it could not be written
  // whole.
  std::optional<std::string> Finish();

 private:
  void Write();

  platform::Env& files_;
  int handle_ = 0;
  std::string pending_;
  std::optional<std::string> failure_;
};

}  // namespace kzo::exporter
