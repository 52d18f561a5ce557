// The platform of the fuzz targets: error reports are answered OK and not shown, console
// output is dropped, and the clock and the random source are fixed. Files and folders live
// in memory, under the working directory "/legacy" (a path that does not start with a
// separator is taken from there): no input touches the disk. Paths are compared with "\"
// and "/" alike, empty components skipped, ASCII letters in any case. Every input is a run
// of its own, begun in the store as every program begins one: the object heap of the last
// run is emptied, not made anew.
#pragma once

#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/env.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/run.h"
#include "store/runtime.h"

namespace kzo::fuzz {

class FuzzEnv : public platform::EnvWrapper {
 public:
  FuzzEnv() : EnvWrapper(platform::DefaultEnv()) {}
  FuzzEnv(const FuzzEnv&) = delete;
  FuzzEnv& operator=(const FuzzEnv&) = delete;

  // Registers a file, and the folders of its path.
  void AddFile(std::string_view path, std::string_view bytes) {
    std::string key = Key(path);
    AddFolder(key.substr(0, key.rfind('/')));
    files_[key] = std::string(bytes);
  }
  // Registers a folder and the folders of its path.
  void AddFolder(std::string_view path) {
    for (std::string key = Key(path); key.size() > 1; key.resize(key.rfind('/'))) {
      folders_.insert(key);
    }
  }
  void ClearFiles() {
    files_.clear();
    folders_.clear();
  }
  // The bytes of a file; empty when there is none.
  std::string FileText(std::string_view path) const {
    auto found = files_.find(Key(path));
    return found == files_.end() ? std::string() : found->second;
  }

  // Starts a run on this platform: every table and cache of the run emptied.
  void BeginRun() { store::BeginRun(*this); }
  // Ends a run: closes what the code left open (no file handle outlives a run) and empties
  // the run's tables at once, so that the memory an input took is given back while it
  // runs. (libFuzzer takes an input that leaves more allocated than it found for a possible
  // leak, runs it again and, when that happens again, searches the whole process for
  // leaks, which costs far more than the input.)
  void EndRun() {
    store::CloseAllFiles();
    store::BeginRun(*this);
  }

  platform::OpenResult Open(std::string_view path, platform::OpenMode mode) override {
    std::string key = Key(path);
    auto found = files_.find(key);
    if (found == files_.end()) {
      if (!IsFolder(key.substr(0, key.rfind('/')))) return {0, 76};
      if (IsFolder(key)) return {0, 75};
      if (mode == platform::OpenMode::kInput) return {0, 53};
      found = files_.emplace(key, std::string()).first;
    }
    if (mode == platform::OpenMode::kOutput) found->second.clear();
    int handle = next_handle_++;
    open_[handle] = OpenMemoryFile{&found->second, 0, mode != platform::OpenMode::kInput};
    return {handle, 0};
  }
  long Read(int handle, char* buffer, std::size_t size) override {
    auto found = open_.find(handle);
    if (found == open_.end()) return -52;
    OpenMemoryFile& f = found->second;
    if (f.writing) return 0;
    std::size_t n = std::min(size, f.bytes->size() - f.pos);
    if (n > 0) std::memcpy(buffer, f.bytes->data() + f.pos, n);
    f.pos += n;
    return static_cast<long>(n);
  }
  int Write(int handle, const char* buffer, std::size_t size) override {
    auto found = open_.find(handle);
    if (found == open_.end()) return 52;
    found->second.bytes->append(buffer, size);
    return 0;
  }
  int Close(int handle) override { return open_.erase(handle) == 1 ? 0 : 52; }

  bool FileExists(std::string_view path) override { return files_.count(Key(path)) != 0; }
  int DeleteFile(std::string_view path) override { return files_.erase(Key(path)) == 1 ? 0 : 53; }
  int RenameFile(std::string_view from, std::string_view to) override {
    std::string target = Key(to);
    if (files_.count(target) != 0 || IsFolder(target)) return 58;
    return MoveFile(from, target);
  }
  int ReplaceFile(std::string_view from, std::string_view to) override {
    std::string target = Key(to);
    if (IsFolder(target)) return 75;
    return MoveFile(from, target);
  }
  int MakeFolder(std::string_view path) override {
    std::string key = Key(path);
    if (files_.count(key) != 0 || IsFolder(key)) return 58;
    if (!IsFolder(key.substr(0, key.rfind('/')))) return 76;
    folders_.insert(key);
    return 0;
  }
  std::optional<std::vector<std::string>> FolderEntries(std::string_view path) override {
    std::string key = Key(path);
    if (!IsFolder(key)) return std::nullopt;
    std::set<std::string> names;
    std::string prefix = key == "/" ? key : key + "/";
    for (const auto& [file, bytes] : files_) AddEntry(names, prefix, file);
    for (const std::string& folder : folders_) AddEntry(names, prefix, folder);
    return std::vector<std::string>(names.begin(), names.end());
  }
  int RemoveFolder(std::string_view path) override {
    std::string key = Key(path);
    if (!IsFolder(key)) return 76;
    std::optional<std::vector<std::string>> entries = FolderEntries(key);
    if (!entries->empty()) return 75;
    folders_.erase(key);
    return 0;
  }
  std::string WorkingDirectory() override { return std::string(kWorkingDirectory); }
  std::optional<std::string> ShortPath(std::string_view) override { return std::nullopt; }
  std::optional<std::string> LongPath(std::string_view path) override {
    std::string key = Key(path);
    if (files_.count(key) == 0 && !IsFolder(key)) return std::nullopt;
    return key;
  }

  bool WriteConsole(std::string_view) override { return true; }
  void WriteErrorOutput(std::string_view) override {}
  platform::Answer ReportError(std::string_view, std::string_view) override {
    return platform::Answer::kOk;
  }
  // Only a Cancel ends the importer early, and every report here is answered OK.
  [[noreturn]] void Exit(int) override { std::abort(); }
  platform::LocalTime Now() override { return {2026, 12, 7, 15, 30, 0, 0}; }
  double Random() override { return 0.5; }

 private:
  struct OpenMemoryFile {
    std::string* bytes;
    std::size_t pos;
    bool writing;
  };
  static constexpr std::string_view kWorkingDirectory = "/legacy";

  // The path as "/" followed by its components in lower case, joined by "/".
  static std::string Key(std::string_view path) {
    std::string key;
    key.reserve(kWorkingDirectory.size() + path.size() + 2);
    key += '/';
    if (path.empty() || (path.front() != '/' && path.front() != '\\')) {
      key.append(kWorkingDirectory.substr(1)).append("/");
    }
    for (char c : path) {
      if (c == '\\') c = '/';
      if (c == '/' && key.back() == '/') continue;
      key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    }
    if (key.size() > 1 && key.back() == '/') key.pop_back();
    return key;
  }

  bool IsFolder(const std::string& key) const {
    return key.empty() || key == "/" || folders_.count(key) != 0;
  }

  int MoveFile(std::string_view from, const std::string& target) {
    auto found = files_.find(Key(from));
    if (found == files_.end()) return 53;
    if (!IsFolder(target.substr(0, target.rfind('/')))) return 76;
    std::string bytes = std::move(found->second);
    files_.erase(found);
    files_[target] = std::move(bytes);
    return 0;
  }

  // The name of the entry of the folder (prefix) that holds path, when path is below it.
  static void AddEntry(std::set<std::string>& names, const std::string& prefix,
                       const std::string& path) {
    if (path.size() <= prefix.size() || !path.starts_with(prefix)) return;
    std::string_view rest = std::string_view(path).substr(prefix.size());
    names.emplace(rest.substr(0, rest.find('/')));
  }

  std::map<std::string, std::string> files_;
  std::set<std::string> folders_;
  std::map<int, OpenMemoryFile> open_;
  int next_handle_ = 1 << 24;
};

// Splits fuzz input into parts at a separator line of its own ("\n---\n"), so that one
// input can carry several files; missing parts are empty.
inline std::string_view Part(std::string_view input, int index) {
  constexpr std::string_view kSeparator = "\n---\n";
  for (int i = 0; i < index; ++i) {
    std::size_t at = input.find(kSeparator);
    if (at == std::string_view::npos) return {};
    input.remove_prefix(at + kSeparator.size());
  }
  return input.substr(0, input.find(kSeparator));
}

// Lines of a text split at LF with a CR before it dropped, as card blocks arrive.
inline std::deque<std::string_view> SplitLines(std::string_view text) {
  std::deque<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace kzo::fuzz
