// The platform of the fuzz targets: error reports are answered OK and not shown, console
// output is dropped, and the clock and the random source are fixed. Files registered with
// AddFile live in memory; other paths either go to the disk (SetDiskAccess) or act as
// missing files, with output opens writing into nothing. Every input is a run of its own,
// begun in the store as every program begins one: the object heap of the last run is
// emptied, not made anew.
#pragma once

#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <string_view>

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

  // Registers an in-memory file; its path is compared with "\" and "/" alike, empty
  // components skipped, ASCII letters in any case.
  void AddFile(std::string_view path, std::string_view bytes) {
    files_[Key(path)] = std::string(bytes);
  }
  void ClearFiles() { files_.clear(); }
  void SetDiskAccess(bool on) { disk_ = on; }

  // Starts a run on this platform: every table and cache of the run emptied.
  void BeginRun() { store::BeginRun(*this); }
  // Ends a run: closes what the code left open (no file handle outlives a run).
  void EndRun() { store::CloseAllFiles(); }

  platform::OpenResult Open(std::string_view path, platform::OpenMode mode) override {
    auto found = files_.find(Key(path));
    if (found != files_.end()) {
      int handle = next_handle_++;
      open_[handle] = OpenMemoryFile{&found->second, 0, mode != platform::OpenMode::kInput};
      if (mode == platform::OpenMode::kOutput) found->second.clear();
      return {handle, 0};
    }
    if (disk_) return target().Open(path, mode);
    if (mode == platform::OpenMode::kInput) return {0, 53};
    int handle = next_handle_++;
    open_[handle] = OpenMemoryFile{nullptr, 0, true};
    return {handle, 0};
  }
  long Read(int handle, char* buffer, std::size_t size) override {
    auto found = open_.find(handle);
    if (found == open_.end()) return disk_ ? target().Read(handle, buffer, size) : -52;
    OpenMemoryFile& f = found->second;
    if (f.bytes == nullptr || f.writing) return 0;
    std::size_t n = std::min(size, f.bytes->size() - f.pos);
    if (n > 0) std::memcpy(buffer, f.bytes->data() + f.pos, n);
    f.pos += n;
    return static_cast<long>(n);
  }
  int Write(int handle, const char* buffer, std::size_t size) override {
    auto found = open_.find(handle);
    if (found == open_.end()) return disk_ ? target().Write(handle, buffer, size) : 52;
    if (found->second.bytes != nullptr) found->second.bytes->append(buffer, size);
    return 0;
  }
  int Close(int handle) override {
    if (open_.erase(handle) == 1) return 0;
    return disk_ ? target().Close(handle) : 52;
  }
  bool FileExists(std::string_view path) override {
    if (files_.count(Key(path)) != 0) return true;
    return disk_ && target().FileExists(path);
  }
  int DeleteFile(std::string_view path) override {
    if (files_.erase(Key(path)) == 1) return 0;
    return disk_ ? target().DeleteFile(path) : 53;
  }
  int RenameFile(std::string_view from, std::string_view to) override {
    auto found = files_.find(Key(from));
    if (found != files_.end()) {
      if (files_.count(Key(to)) != 0) return 58;
      std::string bytes = std::move(found->second);
      files_.erase(found);
      files_[Key(to)] = std::move(bytes);
      return 0;
    }
    return disk_ ? target().RenameFile(from, to) : 53;
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
    std::string* bytes;  // null: an output file that keeps nothing
    std::size_t pos;
    bool writing;
  };
  static std::string Key(std::string_view path) {
    std::string key;
    for (char c : path) {
      if (c == '\\') c = '/';
      if (c == '/' && (key.empty() || key.back() == '/')) continue;
      key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    }
    if (!key.empty() && key.back() == '/') key.pop_back();
    return key;
  }

  std::map<std::string, std::string> files_;
  std::map<int, OpenMemoryFile> open_;
  int next_handle_ = 1 << 24;
  bool disk_ = false;
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
