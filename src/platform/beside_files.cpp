#include "platform/beside_files.h"

#include <charconv>
#include <optional>
#include <vector>

#include "platform/paths.h"

namespace kzo::platform {
namespace {

constexpr std::string_view kKinds[] = {"new", "old"};

// The folder of path (the working directory when it names none) and its last name. A path
// named on the command line may hold "\" as an ordinary character on Linux, so only the
// system's own separators divide it.
struct FolderAndName {
  std::string folder;
  std::string_view name;
};
FolderAndName Split(Env& env, std::string_view path) {
  std::size_t start = LastExactNameStart(path);
  if (start == 0) return {env.WorkingDirectory(), path};
  return {std::string(path.substr(0, start)), path.substr(start)};
}

// The process number in an entry named as NameBeside names what goes beside name.
std::optional<long> WriterOf(std::string_view entry, std::string_view name) {
  if (!entry.starts_with(name) || entry.size() <= name.size() + 1) return std::nullopt;
  std::string_view rest = entry.substr(name.size() + 1);
  if (entry[name.size()] != '.') return std::nullopt;
  for (std::string_view kind : kKinds) {
    if (!rest.starts_with(kind) || rest.size() < kind.size() + 2) continue;
    if (rest[kind.size()] != '-') continue;
    std::string_view digits = rest.substr(kind.size() + 1);
    long id = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    if (error == std::errc() && end == digits.data() + digits.size() && digits[0] != '-') return id;
  }
  return std::nullopt;
}

// A folder that a stopped run of the site export left: files only, and the marker or none.
bool IsLeftFolder(Env& env, const std::string& folder, std::string_view marker) {
  if (marker.empty()) return false;
  std::optional<std::vector<std::string>> names = env.FolderEntries(folder);
  if (!names) return false;
  bool marked = names->empty();
  for (const std::string& name : *names) {
    if (!env.FileExists(folder + "/" + name)) return false;
    marked = marked || name == marker;
  }
  return marked;
}

}  // namespace

std::string NameBeside(Env& env, std::string_view path, std::string_view what) {
  return std::string(path) + "." + std::string(what) + "-" + std::to_string(env.ProcessId());
}

std::optional<std::string> FreeNameBeside(Env& env, std::string_view path, std::string_view what) {
  std::string name = NameBeside(env, path, what);
  if (env.LongPath(name)) return std::nullopt;
  return name;
}

int RemoveLeftovers(Env& env, std::string_view path, std::string_view marker) {
  FolderAndName place = Split(env, path);
  std::optional<std::vector<std::string>> entries = env.FolderEntries(place.folder);
  if (!entries || place.name.empty()) return 0;
  std::string folder = place.folder;
  if (!IsPathSeparator(folder.back())) folder += kPathSeparator;
  int removed = 0;
  for (const std::string& entry : *entries) {
    std::optional<long> writer = WriterOf(entry, place.name);
    if (!writer || (*writer != env.ProcessId() && env.ProcessRuns(*writer))) continue;
    std::string left = folder + entry;
    if (env.FileExists(left)) {
      removed += env.DeleteFile(left) == 0;
    } else if (IsLeftFolder(env, left, marker)) {
      removed += RemoveFolderOfFiles(env, left);
    }
  }
  return removed;
}

bool RemoveFolderOfFiles(Env& env, const std::string& folder) {
  std::optional<std::vector<std::string>> names = env.FolderEntries(folder);
  if (!names) return false;
  for (const std::string& name : *names) env.DeleteFile(folder + "/" + name);
  return env.RemoveFolder(folder) == 0;
}

}  // namespace kzo::platform
