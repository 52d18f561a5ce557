#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <optional>

namespace kzo::platform {
namespace {

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool EqualFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::string Join(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  if (folder == "/") return "/" + std::string(name);
  return folder + "/" + std::string(name);
}

// The existing entry of folder whose name equals name in any ASCII letter case, first in
// byte order.
std::optional<std::string> FindFolded(const std::string& folder, std::string_view name) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> best;
  while (dirent* entry = readdir(dir)) {
    std::string_view candidate(entry->d_name);
    if (EqualFolded(candidate, name) && (!best || candidate < *best) &&
        Look(Join(folder, candidate)) != EntryKind::kMissing) {
      best = std::string(candidate);
    }
  }
  closedir(dir);
  return best;
}

}  // namespace

EntryKind Look(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return EntryKind::kMissing;
  if (S_ISDIR(st.st_mode)) return EntryKind::kFolder;
  return S_ISREG(st.st_mode) ? EntryKind::kRegularFile : EntryKind::kOtherFile;
}

ResolvedPath ResolvePath(std::string_view path) {
  ResolvedPath result;
  std::string root = (!path.empty() && IsPathSeparator(path[0])) ? "/" : "";
  std::vector<std::string_view> parts = SplitPathComponents(path);
  // A path that exists as written is its own resolution: the system found every folder of
  // it under its exact name. One look at the disk then does for all components.
  if (path.find('\0') == std::string_view::npos) {
    result.path = root;
    for (std::string_view part : parts) result.path = Join(result.path, part);
    if (result.path.empty()) result.path = ".";
    result.kind = Look(result.path);
    if (result.kind != EntryKind::kMissing) return result;
  }
  result.path = root;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::string_view part = parts[i];
    bool last = i + 1 == parts.size();
    bool usable = part.find('\0') == std::string_view::npos;
    std::string exact = Join(result.path, part);
    std::string found = exact;
    EntryKind entry = usable ? Look(exact) : EntryKind::kMissing;
    if (entry == EntryKind::kMissing) {
      if (std::optional<std::string> folded =
              usable ? FindFolded(result.path, part) : std::nullopt) {
        found = Join(result.path, *folded);
        entry = Look(found);
      }
    }
    // A component before the last must be a folder; a file in its place means that a
    // folder of the path is missing.
    if (entry != EntryKind::kMissing && (last || entry == EntryKind::kFolder)) {
      result.path = found;
      result.kind = entry;
      continue;
    }
    result.path = exact;
    result.error = last ? 53 : 76;
    result.kind = EntryKind::kMissing;
    for (std::size_t j = i + 1; j < parts.size(); ++j) result.path = Join(result.path, parts[j]);
    return result;
  }
  if (result.path.empty()) {
    result.path = ".";
    result.kind = Look(result.path);
  }
  return result;
}

}  // namespace kzo::platform
