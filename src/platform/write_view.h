// A view of the legacy folder that reads it as it is and keeps every write in memory: files
// created, rewritten, appended to, renamed and deleted through the view change nothing on
// disk, and later reads through the view see them as they would on disk. The export loads
// through it so that it never writes into the user's folder; a dry run of the import uses
// it to tell what the import would write.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/env.h"

namespace kzo::platform {

// What a run through the view would have done to one file on disk.
struct FileChange {
  enum Kind { kCreate, kRewrite, kDelete };
  Kind kind;
  std::string path;  // the file's path as the view resolved it
};

class WriteView : public EnvWrapper {
 public:
  using EnvWrapper::EnvWrapper;

  OpenResult Open(std::string_view path, OpenMode mode) override;
  long Read(int handle, char* buffer, std::size_t size) override;
  int Write(int handle, const char* buffer, std::size_t size) override;
  int Close(int handle) override;
  bool FileExists(std::string_view path) override;
  int DeleteFile(std::string_view path) override;
  int RenameFile(std::string_view from, std::string_view to) override;
  int ReplaceFile(std::string_view from, std::string_view to) override;
  std::optional<std::string> LongPath(std::string_view path) override;

  // The files the writes through the view would have created, rewritten or deleted on
  // disk, in the order of their paths.
  std::vector<FileChange> Changes();

 private:
  // A file as the view knows it: its place (the folder resolved on disk, the name folded to
  // one letter case), the name it shows, and what stands at its path on disk.
  struct Place {
    std::string key;
    std::string path;
    bool entry_on_disk = false;  // a file or folder
    bool file_on_disk = false;   // a regular file
  };
  struct MemoryFile {
    std::string path;
    std::string bytes;
  };
  struct OpenFile {
    std::string key;
    std::size_t position = 0;
    bool writing = false;
  };

  // The place of path: error 76 when a folder of it is missing.
  std::optional<Place> PlaceOf(std::string_view path, int& error);
  // What stands at a place through the view: a file in memory, a file on disk (not
  // deleted), or a folder on disk.
  bool InMemory(const std::string& key) const { return files_.count(key) != 0; }
  bool OnDisk(const Place& place) const {
    return place.file_on_disk && deleted_.count(place.key) == 0;
  }
  bool FolderOnDisk(const Place& place) const {
    return place.entry_on_disk && !place.file_on_disk && deleted_.count(place.key) == 0;
  }
  // Makes the file at place a memory file holding what it holds through the view.
  bool Load(const Place& place, std::string_view path);
  int Move(std::string_view from, std::string_view to, bool replace);

  std::map<std::string, MemoryFile> files_;        // written through the view, by key
  std::set<std::string> deleted_;                  // disk files deleted through the view, by key
  std::map<std::string, std::string> disk_paths_;  // keys of disk files touched: their paths
  std::map<int, OpenFile> open_;                   // memory handles
  int next_handle_ = 1 << 24;
};

}  // namespace kzo::platform
