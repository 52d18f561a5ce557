#include "export/output_folder.h"

#include <vector>

#include "platform/beside_files.h"
#include "platform/paths.h"

namespace kzo::exporter {
namespace {

// Writes a whole file of the bytes; the reason when it failed.
std::optional<std::string> WriteFile(platform::Env& files, const std::string& path,
                                     std::string_view bytes) {
  platform::OpenResult opened = files.Open(path, platform::OpenMode::kOutput);
  if (opened.error != 0) return files.LastErrorText();
  std::optional<std::string> failure;
  if (files.Write(opened.handle, bytes.data(), bytes.size()) != 0) {
    failure = files.LastErrorText();
  }
  if (files.Close(opened.handle) != 0 && !failure) failure = files.LastErrorText();
  return failure;
}

// Gives the complete folder at written the name folder, moving what stands there aside
// first and removing it once the new folder is in place.
std::optional<std::string> MoveIntoPlace(platform::Env& files, const std::string& written,
                                         const std::string& folder, std::string_view marker) {
  OutputFolder state = InspectOutputFolder(files, folder, marker);
  if (state == OutputFolder::kTaken || state == OutputFolder::kFile) {
    return "not empty, and not written by kzo-export in this format";
  }
  if (state == OutputFolder::kMissing) {
    if (files.RenameFile(written, folder) != 0) return files.LastErrorText();
    return std::nullopt;
  }
  std::optional<std::string> aside = platform::FreeNameBeside(files, folder, "old");
  if (!aside) return "no free name beside it";
  if (files.RenameFile(folder, *aside) != 0) return files.LastErrorText();
  if (files.RenameFile(written, folder) != 0) {
    std::string reason = files.LastErrorText();
    files.RenameFile(*aside, folder);
    return reason;
  }
  platform::RemoveFolderOfFiles(files, *aside);
  return std::nullopt;
}

}  // namespace

OutputFolder InspectOutputFolder(platform::Env& files, const std::string& folder,
                                 std::string_view marker) {
  if (!files.LongPath(folder)) return OutputFolder::kMissing;
  if (files.FileExists(folder)) return OutputFolder::kFile;
  std::optional<std::vector<std::string>> names = files.FolderEntries(folder);
  if (!names) return OutputFolder::kTaken;
  if (names->empty()) return OutputFolder::kEmpty;
  bool marked = false;
  for (const std::string& name : *names) {
    if (!files.FileExists(folder + "/" + name)) return OutputFolder::kTaken;
    marked = marked || name == marker;
  }
  return marked ? OutputFolder::kEarlier : OutputFolder::kTaken;
}

std::optional<std::string> WriteWholeFolder(
    platform::Env& files, const std::string& path, std::string_view marker,
    std::string_view marker_text,
    const std::function<std::optional<std::string>(const std::string& folder)>& write) {
  std::string folder = path;
  // "out/" names the folder "out" (and "out\" on Windows, where "\" separates too).
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == platform::kPathSeparator)) {
    folder.pop_back();
  }
  platform::RemoveLeftovers(files, folder, marker);
  std::optional<std::string> written = platform::FreeNameBeside(files, folder, "new");
  if (!written) return "no free name beside it";
  if (files.MakeFolder(*written) != 0) return files.LastErrorText();
  std::optional<std::string> failure =
      WriteFile(files, *written + "/" + std::string(marker), marker_text);
  if (!failure) failure = write(*written);
  if (!failure) failure = MoveIntoPlace(files, *written, folder, marker);
  if (failure) platform::RemoveFolderOfFiles(files, *written);
  return failure;
}

}  // namespace kzo::exporter
