// Every operating-system service the importer uses, behind one interface. Nothing else in
// the code base talks to the operating system: the loaders reach files, the console, the
// private heap, the clock and the random source only through an Env.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kzo::platform {

enum class OpenMode { kInput, kOutput, kAppend };

// Result of an open: a handle (> 0) or the error number of the error convention
// (53 file not found, 76 path not found, 75 path/file access error, 70 permission denied,
// 61 disk full, 67 too many files).
struct OpenResult {
  int handle = 0;
  int error = 0;
};

// The local calendar date and time of the machine.
struct LocalTime {
  int year = 1601, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

enum class Answer { kOk, kCancel };

// What makes a file or folder itself whatever name reaches it (another letter case, a
// symbolic or a hard link): the device and file number on Linux, the volume and file index
// on Windows.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

class Env {
 public:
  virtual ~Env() = default;

  // Opens the file at path ("\" and "/" both separate components; each component is
  // found on disk in any letter case). Input needs an existing regular file; output
  // creates or empties it; append creates it or positions at its end.
  virtual OpenResult Open(std::string_view path, OpenMode mode) = 0;
  // Reads up to size bytes into buffer. Returns the number read, 0 at the end of the
  // file, or a negative error number.
  virtual long Read(int handle, char* buffer, std::size_t size) = 0;
  // Writes all size bytes. Returns 0 or an error number.
  virtual int Write(int handle, const char* buffer, std::size_t size) = 0;
  // Closes the handle. Returns 0 or an error number.
  virtual int Close(int handle) = 0;

  // True only for an existing regular file; false for folders, empty names, names with
  // "?" or "*", and names ending with ":".
  virtual bool FileExists(std::string_view path) = 0;
  // Returns 0 or an error number (53 for a missing file).
  virtual int DeleteFile(std::string_view path) = 0;
  // Renames a file, or a folder with everything in it (the site export moves its finished
  // folder into place so); never replaces an existing target (58). Returns 0 or an error
  // number.
  virtual int RenameFile(std::string_view from, std::string_view to) = 0;
  // Gives the file at from the name to in one step, replacing a file of that name: an
  // output written whole takes the place of the older one. Returns 0 or an error number
  // (75 when to is a folder).
  virtual int ReplaceFile(std::string_view from, std::string_view to) = 0;
  // Folders, for the site export, which writes a folder of pages whole or not at all: it
  // makes a new folder beside the one the user named, fills it, renames it into place, and
  // empties and removes the folder of an earlier export that it replaces.
  //
  // Makes a new, empty folder. Returns 0 or an error number (58 when something of that
  // name exists, 76 when a folder of the path is missing, 70 no permission).
  virtual int MakeFolder(std::string_view path) = 0;
  // The names of a folder's entries, files and folders alike ("." and ".." left out), in
  // byte order; nullopt when path names no folder or the folder cannot be read.
  virtual std::optional<std::vector<std::string>> FolderEntries(std::string_view path) = 0;
  // Removes an empty folder. Returns 0 or an error number (75 when it is not empty or not a
  // folder, 76 when it is missing).
  virtual int RemoveFolder(std::string_view path) = 0;
  // The identity of the file or folder at path, links followed; nullopt when nothing stands
  // there.
  virtual std::optional<FileIdentity> IdentityOf(std::string_view path) = 0;
  // Whether this process may create files in the folder at path: 0, or an error number (70
  // no permission or a read-only file system) with the reason in LastErrorText.
  virtual int CheckFolderWritable(std::string_view path) = 0;
  // The current working directory exactly as the operating system reports it.
  virtual std::string WorkingDirectory() = 0;
  // The short (8.3) form of a path; fails (nullopt) when there is none.
  virtual std::optional<std::string> ShortPath(std::string_view path) = 0;
  // The long form of a path that names an existing file or folder, with the system's
  // separators ("/" on Linux, "\" on Windows); fails otherwise.
  virtual std::optional<std::string> LongPath(std::string_view path) = 0;

  // Makes the folder at path, taken exactly as written (a path named on the command line,
  // in command-line text), the working directory. Returns 0 or an error number (76 no such folder,
  // 75 not a folder, 70 no permission); LastErrorText tells the system's reason.
  virtual int ChangeDirectory(std::string_view path) = 0;
  // The system's description of the last file operation that failed ("No space left on
  // device"), for messages about the files the user names.
  virtual std::string LastErrorText() = 0;

  // Writes bytes to standard output; false when they could not be written whole (the
  // reason in LastErrorText).
  virtual bool WriteConsole(std::string_view bytes) = 0;
  // Writes bytes to standard error.
  virtual void WriteErrorOutput(std::string_view bytes) = 0;
  // Shows an error report with the buttons OK and Cancel and returns the answer. place
  // names where the error happened ("In data\wrestlrs.dat, line 12", or empty); the report
  // itself shows only text.
  virtual Answer ReportError(std::string_view text, std::string_view place) = 0;
  // Ends the process with the exit code.
  [[noreturn]] virtual void Exit(int code) = 0;

  // The private heap: a new heap's handle (> 0) or 0; a zero-filled block aligned for
  // any type, or null; the release of a block made by HeapAlloc of the same heap.
  virtual int HeapCreate() = 0;
  virtual void* HeapAlloc(int heap, std::size_t size) = 0;
  virtual void HeapFree(int heap, void* block) = 0;

  virtual LocalTime Now() = 0;
  // A pseudo-random number with 0 <= r < 1.
  virtual double Random() = 0;

  // This process's number, and whether the process of a number still runs: a file a
  // process writes beside its output carries its number, so that a later run can tell the
  // leftovers of a process that was killed from the work of one that still runs.
  virtual long ProcessId() = 0;
  virtual bool ProcessRuns(long id) = 0;
};

// The system's implementation of every service for the names of the legacy data: found in
// any letter case, with "\" and "/" as separators (on Windows code page 437 texts).
Env& DefaultEnv();
// The system's implementation with every path taken exactly as written, for the files the
// user names on the command line: on Linux with POSIX meaning (no letter-case matching, "\"
// an ordinary character), on Windows UTF-8 texts.
Env& ExactPathEnv();

// The program's arguments as command-line text: on Windows UTF-8, made from the system's
// own UTF-16 command line; elsewhere the bytes as given.
std::vector<std::string> CommandLineTexts(int argc, char** argv);

// The arguments in the form main gets them, for a parser that takes argc and argv.
class ProgramArguments {
 public:
  ProgramArguments(int argc, char** argv) : texts_(CommandLineTexts(argc, argv)) {
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
  }
  int count() const { return static_cast<int>(texts_.size()); }
  char** values() { return pointers_.data(); }

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;
};

// Forwards every call to another Env, so that a test overrides just what it cares about.
class EnvWrapper : public Env {
 public:
  explicit EnvWrapper(Env& target) : target_(target) {}
  Env& target() { return target_; }

  OpenResult Open(std::string_view path, OpenMode mode) override {
    return target_.Open(path, mode);
  }
  long Read(int handle, char* buffer, std::size_t size) override {
    return target_.Read(handle, buffer, size);
  }
  int Write(int handle, const char* buffer, std::size_t size) override {
    return target_.Write(handle, buffer, size);
  }
  int Close(int handle) override { return target_.Close(handle); }
  bool FileExists(std::string_view path) override { return target_.FileExists(path); }
  int DeleteFile(std::string_view path) override { return target_.DeleteFile(path); }
  int RenameFile(std::string_view from, std::string_view to) override {
    return target_.RenameFile(from, to);
  }
  int ReplaceFile(std::string_view from, std::string_view to) override {
    return target_.ReplaceFile(from, to);
  }
  int MakeFolder(std::string_view path) override { return target_.MakeFolder(path); }
  std::optional<std::vector<std::string>> FolderEntries(std::string_view path) override {
    return target_.FolderEntries(path);
  }
  int RemoveFolder(std::string_view path) override { return target_.RemoveFolder(path); }
  std::optional<FileIdentity> IdentityOf(std::string_view path) override {
    return target_.IdentityOf(path);
  }
  int CheckFolderWritable(std::string_view path) override {
    return target_.CheckFolderWritable(path);
  }
  std::string WorkingDirectory() override { return target_.WorkingDirectory(); }
  std::optional<std::string> ShortPath(std::string_view path) override {
    return target_.ShortPath(path);
  }
  std::optional<std::string> LongPath(std::string_view path) override {
    return target_.LongPath(path);
  }
  int ChangeDirectory(std::string_view path) override { return target_.ChangeDirectory(path); }
  std::string LastErrorText() override { return target_.LastErrorText(); }
  bool WriteConsole(std::string_view bytes) override { return target_.WriteConsole(bytes); }
  void WriteErrorOutput(std::string_view bytes) override { target_.WriteErrorOutput(bytes); }
  Answer ReportError(std::string_view text, std::string_view place) override {
    return target_.ReportError(text, place);
  }
  [[noreturn]] void Exit(int code) override {
    target_.Exit(code);
    std::abort();  // never reached: the target ends the process
  }
  int HeapCreate() override { return target_.HeapCreate(); }
  void* HeapAlloc(int heap, std::size_t size) override { return target_.HeapAlloc(heap, size); }
  void HeapFree(int heap, void* block) override { target_.HeapFree(heap, block); }
  LocalTime Now() override { return target_.Now(); }
  double Random() override { return target_.Random(); }
  long ProcessId() override { return target_.ProcessId(); }
  bool ProcessRuns(long id) override { return target_.ProcessRuns(id); }

 private:
  Env& target_;
};

// Answers every error report with OK without asking, the report still written to standard
// error (kzo-import --yes).
class ReportsAnsweredOk : public EnvWrapper {
 public:
  using EnvWrapper::EnvWrapper;
  Answer ReportError(std::string_view text, std::string_view) override {
    WriteErrorOutput(std::string(text) + "\r\n");
    return Answer::kOk;
  }
};

// Follows every error report with one more line naming where the error happened
// (kzo-import --explain); the report itself stays as it is.
class ReportsWithPlace : public EnvWrapper {
 public:
  using EnvWrapper::EnvWrapper;
  Answer ReportError(std::string_view text, std::string_view place) override {
    std::string explained(text);
    explained += "\r\n";
    explained += place.empty() ? std::string_view("In no file") : place;
    return EnvWrapper::ReportError(explained, place);
  }
};

}  // namespace kzo::platform
