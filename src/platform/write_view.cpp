#include "platform/write_view.h"

#include <algorithm>
#include <cstring>

#include "platform/paths.h"

namespace kzo::platform {
namespace {

// The bytes of a file on disk, read through env; nullopt when it cannot be read.
std::optional<std::string> ReadWhole(Env& env, std::string_view path) {
  OpenResult opened = env.Open(path, OpenMode::kInput);
  if (opened.error != 0) return std::nullopt;
  std::string bytes;
  char buffer[1 << 16];
  long n;
  while ((n = env.Read(opened.handle, buffer, sizeof buffer)) > 0) {
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  env.Close(opened.handle);
  if (n < 0) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<WriteView::Place> WriteView::PlaceOf(std::string_view path, int& error) {
  std::size_t end = path.size();
  while (end > 0 && IsPathSeparator(path[end - 1])) --end;
  std::size_t cut = end;
  while (cut > 0 && !IsPathSeparator(path[cut - 1])) --cut;
  std::string_view name = path.substr(cut, end - cut);
  std::string_view folder = path.substr(0, cut);
  std::string parent(folder);
  if (!IsAbsolutePath(parent)) {
    parent =
        target().WorkingDirectory() + kPathSeparator + parent;  // one place for relative paths too
  }
  std::optional<std::string> resolved = target().LongPath(parent);
  // A folder of the path is missing, or a file stands where a folder is expected.
  if (name.empty() || !resolved || target().FileExists(parent)) {
    error = name.empty() ? 75 : 76;
    return std::nullopt;
  }
  error = 0;
  std::optional<std::string> on_disk = target().LongPath(path);
  std::string shown = on_disk ? *on_disk : *resolved + kPathSeparator + std::string(name);
  return Place{*resolved + kPathSeparator + FoldAsciiCase(name), shown, on_disk.has_value(),
               on_disk && target().FileExists(path)};
}

bool WriteView::Load(const Place& place, std::string_view path) {
  if (InMemory(place.key)) return true;
  std::string bytes;
  if (OnDisk(place)) {
    std::optional<std::string> read = ReadWhole(target(), path);
    if (!read) return false;
    bytes = std::move(*read);
  }
  files_[place.key] = MemoryFile{place.path, std::move(bytes)};
  return true;
}

OpenResult WriteView::Open(std::string_view path, OpenMode mode) {
  int error = 0;
  std::optional<Place> place = PlaceOf(path, error);
  if (mode == OpenMode::kInput) {
    if (place && InMemory(place->key)) {
      open_[next_handle_] = OpenFile{place->key, 0, false};
      return {next_handle_++, 0};
    }
    if (place && deleted_.count(place->key) != 0) return {0, 53};
    return target().Open(path, mode);
  }
  if (!place) return {0, error};
  if (!InMemory(place->key) && FolderOnDisk(*place)) return {0, 75};
  if (mode == OpenMode::kOutput) {
    files_[place->key] = MemoryFile{place->path, std::string()};
  } else if (!Load(*place, path)) {
    return {0, 75};
  }
  open_[next_handle_] = OpenFile{place->key, 0, true};
  return {next_handle_++, 0};
}

long WriteView::Read(int handle, char* buffer, std::size_t size) {
  auto found = open_.find(handle);
  if (found == open_.end()) return target().Read(handle, buffer, size);
  OpenFile& file = found->second;
  if (file.writing) return -54;
  const std::string& bytes = files_[file.key].bytes;
  std::size_t n = std::min(size, bytes.size() - std::min(file.position, bytes.size()));
  if (n > 0) std::memcpy(buffer, bytes.data() + file.position, n);
  file.position += n;
  return static_cast<long>(n);
}

int WriteView::Write(int handle, const char* buffer, std::size_t size) {
  auto found = open_.find(handle);
  if (found == open_.end()) return target().Write(handle, buffer, size);
  if (!found->second.writing) return 54;
  files_[found->second.key].bytes.append(buffer, size);
  return 0;
}

int WriteView::Close(int handle) {
  if (open_.erase(handle) != 0) return 0;
  return target().Close(handle);
}

bool WriteView::FileExists(std::string_view path) {
  if (path.empty() || path.back() == ':' || path.find_first_of("?*") != std::string_view::npos) {
    return false;
  }
  int error = 0;
  std::optional<Place> place = PlaceOf(path, error);
  if (!place) return false;
  return InMemory(place->key) || OnDisk(*place);
}

int WriteView::DeleteFile(std::string_view path) {
  int error = 0;
  std::optional<Place> place = PlaceOf(path, error);
  if (!place) return 53;
  bool on_disk = OnDisk(*place);
  if (!InMemory(place->key) && !on_disk) return FolderOnDisk(*place) ? 75 : 53;
  files_.erase(place->key);
  if (on_disk) {
    deleted_.insert(place->key);
    disk_paths_[place->key] = place->path;
  }
  return 0;
}

int WriteView::Move(std::string_view from, std::string_view to, bool replace) {
  int error = 0;
  std::optional<Place> source = PlaceOf(from, error);
  if (!source || (!InMemory(source->key) && !OnDisk(*source))) return 53;
  std::optional<Place> destination = PlaceOf(to, error);
  if (!destination) return error;
  bool taken = InMemory(destination->key) || OnDisk(*destination) || FolderOnDisk(*destination);
  if (taken && !replace) return 58;
  if (!InMemory(destination->key) && FolderOnDisk(*destination)) return 75;
  if (!Load(*source, from)) return 75;
  std::string bytes = std::move(files_[source->key].bytes);
  bool source_on_disk = OnDisk(*source);
  files_.erase(source->key);
  if (source_on_disk) {
    deleted_.insert(source->key);
    disk_paths_[source->key] = source->path;
  }
  files_[destination->key] = MemoryFile{destination->path, std::move(bytes)};
  return 0;
}

int WriteView::RenameFile(std::string_view from, std::string_view to) {
  return Move(from, to, false);
}

int WriteView::ReplaceFile(std::string_view from, std::string_view to) {
  return Move(from, to, true);
}

std::optional<std::string> WriteView::LongPath(std::string_view path) {
  int error = 0;
  std::optional<Place> place = PlaceOf(path, error);
  if (place && InMemory(place->key)) return files_[place->key].path;
  if (place && deleted_.count(place->key) != 0) return std::nullopt;
  return target().LongPath(path);
}

std::vector<FileChange> WriteView::Changes() {
  std::vector<FileChange> changes;
  for (const auto& [key, file] : files_) {
    std::optional<std::string> disk =
        target().FileExists(file.path) ? ReadWhole(target(), file.path) : std::nullopt;
    if (!disk) {
      changes.push_back({FileChange::kCreate, file.path});
    } else if (*disk != file.bytes) {
      changes.push_back({FileChange::kRewrite, file.path});
    }
  }
  for (const std::string& key : deleted_) {
    if (!InMemory(key)) changes.push_back({FileChange::kDelete, disk_paths_[key]});
  }
  std::sort(changes.begin(), changes.end(),
            [](const FileChange& a, const FileChange& b) { return a.path < b.path; });
  return changes;
}

}  // namespace kzo::platform
