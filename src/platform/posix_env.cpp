// The Linux implementation of the platform services.
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <random>
#include <unordered_map>
#include <vector>

#include "platform/env.h"
#include "platform/paths.h"

namespace kzo::platform {
namespace {

constexpr std::size_t kPathLimit = 999;

int ErrorFromErrno(int err) {
  switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
      return 70;
    case ENOSPC:
      return 61;
    case EMFILE:
    case ENFILE:
      return 67;
    case ENOENT:
    case ENOTDIR:
      return 76;
    case EEXIST:  // a rename target that appeared meanwhile
      return 58;
    default:
      return 75;
  }
}

// A path taken exactly as written: 53 when only its last component is missing, 76 when a
// folder of it is.
ResolvedPath ResolveExactly(std::string_view path) {
  ResolvedPath resolved{std::string(path), 0};
  if (resolved.path.empty()) resolved.path = ".";
  resolved.kind = Look(resolved.path);
  if (resolved.kind != EntryKind::kMissing) return resolved;
  std::size_t slash = resolved.path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : resolved.path.substr(0, slash + 1);
  resolved.error = Look(folder) == EntryKind::kFolder ? 53 : 76;
  return resolved;
}

// Forgets the folder listings of name resolution when a change to folders is over.
class ForgetListingsAfter {
 public:
  explicit ForgetListingsAfter(FolderListings& listings) : listings_(listings) {}
  ForgetListingsAfter(const ForgetListingsAfter&) = delete;
  ForgetListingsAfter& operator=(const ForgetListingsAfter&) = delete;
  ~ForgetListingsAfter() { listings_.Forget(); }

 private:
  FolderListings& listings_;
};

class PosixEnv final : public Env {
 public:
  explicit PosixEnv(bool exact_paths)
      : exact_paths_(exact_paths), random_(static_cast<std::uint64_t>(time(nullptr)) ^ clock()) {}

  OpenResult Open(std::string_view path, OpenMode mode) override {
    ResolvedPath resolved = mode == OpenMode::kInput ? Resolve(path) : ResolveForCreate(path);
    if (resolved.error != 0) return {0, NotFound(resolved.error)};
    if (resolved.kind == EntryKind::kFolder) return {0, NotAFile()};
    int flags = O_RDONLY;
    if (mode == OpenMode::kOutput) flags = O_WRONLY | O_CREAT | O_TRUNC;
    if (mode == OpenMode::kAppend) flags = O_WRONLY | O_CREAT | O_APPEND;
    int fd = open(resolved.path.c_str(), flags | O_CLOEXEC, 0666);
    if (mode != OpenMode::kInput) listings_.Forget();  // the file may be new
    if (fd < 0) return {0, Failed(ErrorFromErrno(errno))};
    // Handles start at 1 so that 0 can mean "none".
    return {fd + 1, 0};
  }

  long Read(int handle, char* buffer, std::size_t size) override {
    while (true) {
      ssize_t n = read(handle - 1, buffer, size);
      if (n >= 0) return static_cast<long>(n);
      if (errno != EINTR) return -Failed(ErrorFromErrno(errno));
    }
  }

  int Write(int handle, const char* buffer, std::size_t size) override {
    while (size > 0) {
      ssize_t n = write(handle - 1, buffer, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        return Failed(ErrorFromErrno(errno));
      }
      buffer += n;
      size -= static_cast<std::size_t>(n);
    }
    return 0;
  }

  int Close(int handle) override {
    return close(handle - 1) == 0 ? 0 : Failed(ErrorFromErrno(errno));
  }

  bool FileExists(std::string_view path) override {
    if (path.empty()) return false;
    // Wildcards and a drive-like ending mean no file in a legacy name; in a path the user
    // named they are ordinary characters ("/tmp/a?b.db" may well exist).
    if (!exact_paths_ &&
        (path.back() == ':' || path.find_first_of("?*") != std::string_view::npos)) {
      return false;
    }
    ResolvedPath resolved = Resolve(path);
    return resolved.error == 0 && resolved.kind == EntryKind::kRegularFile;
  }

  int DeleteFile(std::string_view path) override {
    ForgetListingsAfter changing(listings_);
    ResolvedPath resolved = Resolve(path);
    if (resolved.error != 0) return 53;
    if (resolved.kind == EntryKind::kFolder) return 75;
    if (unlink(resolved.path.c_str()) != 0)
      return errno == ENOENT ? 53 : Failed(ErrorFromErrno(errno));
    return 0;
  }

  int RenameFile(std::string_view from, std::string_view to) override {
    ForgetListingsAfter changing(listings_);
    ResolvedPath source = Resolve(from);
    if (source.error != 0) return 53;
    ResolvedPath target = Resolve(to);
    if (target.error == 0) return 58;
    if (target.error == 76) return 76;
    if (renameat2(AT_FDCWD, source.path.c_str(), AT_FDCWD, target.path.c_str(), RENAME_NOREPLACE) ==
        0) {
      return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) return Failed(ErrorFromErrno(errno));
    // A file system without a no-replace rename: a hard link fails when the target exists;
    // a folder, which cannot be linked, is renamed after the test above.
    if (source.kind == EntryKind::kFolder) {
      return rename(source.path.c_str(), target.path.c_str()) == 0 ? 0
                                                                   : Failed(ErrorFromErrno(errno));
    }
    if (link(source.path.c_str(), target.path.c_str()) != 0) return Failed(ErrorFromErrno(errno));
    if (unlink(source.path.c_str()) != 0) return Failed(ErrorFromErrno(errno));
    return 0;
  }

  int ReplaceFile(std::string_view from, std::string_view to) override {
    ForgetListingsAfter changing(listings_);
    ResolvedPath source = Resolve(from);
    if (source.error != 0) return 53;
    ResolvedPath target = ResolveForCreate(to);
    if (target.error != 0) return NotFound(target.error);
    if (target.kind == EntryKind::kFolder) return NotAFile();
    return rename(source.path.c_str(), target.path.c_str()) == 0 ? 0
                                                                 : Failed(ErrorFromErrno(errno));
  }

  int MakeFolder(std::string_view path) override {
    ForgetListingsAfter changing(listings_);
    ResolvedPath resolved = ResolveForCreate(path);
    if (resolved.error != 0) return NotFound(resolved.error);
    return mkdir(resolved.path.c_str(), 0777) == 0 ? 0 : Failed(ErrorFromErrno(errno));
  }

  std::optional<std::vector<std::string>> FolderEntries(std::string_view path) override {
    ResolvedPath resolved = Resolve(path);
    if (resolved.error != 0) {
      NotFound(resolved.error);
      return std::nullopt;
    }
    DIR* folder = opendir(resolved.path.c_str());
    if (folder == nullptr) {
      Failed(ErrorFromErrno(errno));
      return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(folder)) {
      std::string_view name = entry->d_name;
      if (name != "." && name != "..") names.emplace_back(name);
    }
    closedir(folder);
    std::sort(names.begin(), names.end());
    return names;
  }

  int RemoveFolder(std::string_view path) override {
    ForgetListingsAfter changing(listings_);
    ResolvedPath resolved = Resolve(path);
    if (resolved.error != 0) return NotFound(76);
    if (rmdir(resolved.path.c_str()) == 0) return 0;
    return Failed(errno == ENOENT ? 76 : errno == EACCES || errno == EPERM ? 70 : 75);
  }

  std::optional<FileIdentity> IdentityOf(std::string_view path) override {
    ResolvedPath resolved = Resolve(path);
    struct stat status;
    if (resolved.error != 0 || stat(resolved.path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                        static_cast<std::uint64_t>(status.st_ino)};
  }

  int CheckFolderWritable(std::string_view path) override {
    ResolvedPath resolved = Resolve(path);
    if (resolved.error != 0) return NotFound(76);
    if (faccessat(AT_FDCWD, resolved.path.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return 0;
    return Failed(ErrorFromErrno(errno));
  }

  std::string WorkingDirectory() override {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
      if (errno != ERANGE) return ".";
      buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
  }

  std::optional<std::string> ShortPath(std::string_view) override { return std::nullopt; }

  std::optional<std::string> LongPath(std::string_view path) override {
    path = path.substr(0, kPathLimit);
    if (path.empty()) return std::nullopt;
    ResolvedPath resolved = Resolve(path);
    if (resolved.error != 0 || resolved.path.size() > kPathLimit) return std::nullopt;
    return resolved.path;
  }

  int ChangeDirectory(std::string_view path) override {
    ForgetListingsAfter changing(listings_);
    std::string folder(path);
    if (chdir(folder.c_str()) == 0) return 0;
    return Failed(errno == ENOTDIR ? 75 : ErrorFromErrno(errno));
  }

  std::string LastErrorText() override { return std::strerror(last_errno_); }

  bool WriteConsole(std::string_view bytes) override {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
    last_errno_ = errno;
    std::clearerr(stdout);
    return false;
  }

  void WriteErrorOutput(std::string_view bytes) override {
    std::fflush(stdout);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
  }

  Answer ReportError(std::string_view text, std::string_view) override {
    std::fflush(stdout);
    std::string report(text);
    report += "\r\n";
    std::fwrite(report.data(), 1, report.size(), stderr);
    std::fflush(stderr);
    if (!isatty(STDERR_FILENO)) return Answer::kOk;
    return AskTerminal();
  }

  [[noreturn]] void Exit(int code) override {
    std::fflush(stdout);
    std::exit(code);
  }

  int HeapCreate() override {
    heaps_.push_back(BlockLinks{});
    BlockLinks& head = heaps_.back();
    head.prev = head.next = &head;
    return static_cast<int>(heaps_.size());
  }

  // Every block of a heap stays linked into its heap until it is freed, so that the
  // heap holds all it gave out for the life of the process. Blocks of a huge page or more
  // (the object heap's) are mapped on their own.
  void* HeapAlloc(int heap, std::size_t size) override {
    if (!KnownHeap(heap) || size > kMaxBlock) return nullptr;
    if (size >= kHugePage) return MapHugeBlock(size);
    auto* links = static_cast<BlockLinks*>(std::calloc(1, sizeof(BlockLinks) + size));
    if (links == nullptr) return nullptr;
    BlockLinks& head = heaps_[static_cast<std::size_t>(heap) - 1];
    links->prev = &head;
    links->next = head.next;
    head.next->prev = links;
    head.next = links;
    return links + 1;
  }

  void HeapFree(int heap, void* block) override {
    if (!KnownHeap(heap) || block == nullptr) return;
    if (auto mapped = mapped_blocks_.find(block); mapped != mapped_blocks_.end()) {
      munmap(block, mapped->second);
      mapped_blocks_.erase(mapped);
      return;
    }
    BlockLinks* links = static_cast<BlockLinks*>(block) - 1;
    links->prev->next = links->next;
    links->next->prev = links->prev;
    std::free(links);
  }

  LocalTime Now() override {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    tm local;
    localtime_r(&now.tv_sec, &local);
    return {local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec,
            static_cast<int>(now.tv_nsec / 1000000)};
  }

  double Random() override {
    double r = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
    return r < 1.0 ? r : std::nextafter(1.0, 0.0);
  }

  long ProcessId() override { return static_cast<long>(getpid()); }

  // A process that runs but belongs to another user answers EPERM.
  bool ProcessRuns(long id) override {
    if (id <= 0 || id > std::numeric_limits<pid_t>::max()) return false;
    return kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
  }

 private:
  bool KnownHeap(int heap) const {
    return heap > 0 && static_cast<std::size_t>(heap) <= heaps_.size();
  }

  // Asks "OK/Cancel? " on the controlling terminal; an answer starting with "c" cancels.
  static Answer AskTerminal() {
    int tty = open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (tty < 0) return Answer::kOk;
    static constexpr char kPrompt[] = "OK/Cancel? ";
    ssize_t written = write(tty, kPrompt, sizeof(kPrompt) - 1);
    (void)written;
    char first = 0;
    char c;
    bool any = false;
    while (read(tty, &c, 1) == 1 && c != '\n') {
      if (!any) first = c;
      any = true;
    }
    close(tty);
    return (first == 'c' || first == 'C') ? Answer::kCancel : Answer::kOk;
  }

  // The links in front of every heap block; 16 bytes, so the block stays aligned.
  struct BlockLinks {
    BlockLinks* prev = nullptr;
    BlockLinks* next = nullptr;
  };
  static constexpr std::size_t kMaxBlock = std::size_t{1} << 40;
  static constexpr std::size_t kHugePage = std::size_t{2} << 20;

  // A zero-filled block aligned to a huge page and asked to be backed by huge pages, so
  // that filling it costs one page fault per 2 MB instead of one per 4 KB.
  void* MapHugeBlock(std::size_t size) {
    std::size_t length = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* mapped = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    auto start = reinterpret_cast<std::uintptr_t>(mapped);
    std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start) munmap(mapped, aligned - start);
    std::size_t tail = start + length + kHugePage - (aligned + length);
    if (tail > 0) munmap(reinterpret_cast<char*>(aligned + length), tail);
    auto* block = reinterpret_cast<void*>(aligned);
    madvise(block, length, MADV_HUGEPAGE);
    mapped_blocks_[block] = length;
    return block;
  }

  // Resolves a path by the rule of this environment.
  ResolvedPath Resolve(std::string_view path) const {
    return exact_paths_ ? ResolveExactly(path) : ResolvePath(path, &listings_);
  }
  // The name a created file gets: the resolved file when one exists (in any letter case
  // for legacy names), else the last component as written, in the resolved folder.
  ResolvedPath ResolveForCreate(std::string_view path) const {
    ResolvedPath resolved = Resolve(path);
    if (resolved.error == 53) resolved.error = 0;
    return resolved;
  }
  // A path that names nothing, or a folder where a file is needed: error, with the system's
  // reason for LastErrorText.
  int NotFound(int error) {
    last_errno_ = ENOENT;
    return error;
  }
  int NotAFile() {
    last_errno_ = EISDIR;
    return 75;
  }
  // Notes errno for LastErrorText and returns error.
  int Failed(int error) {
    last_errno_ = errno;
    return error;
  }

  bool exact_paths_;
  // Folders read to find names in another letter case: a name missing from the legacy
  // folder (a wrestler's theme, say) is looked for once per change, not once per use.
  mutable FolderListings listings_;
  int last_errno_ = 0;
  std::deque<BlockLinks> heaps_;  // one list head per heap; a deque never moves them
  std::unordered_map<void*, std::size_t> mapped_blocks_;  // huge blocks and their lengths
  std::mt19937_64 random_;
};

}  // namespace

// A write beyond the process's file-size limit fails like any other write (EFBIG) instead
// of ending the process.
void IgnoreFileSizeSignal() {
  static bool ignored = (std::signal(SIGXFSZ, SIG_IGN), true);
  (void)ignored;
}

Env& DefaultEnv() {
  IgnoreFileSizeSignal();
  // Never destroyed: the heaps it made live until the process ends.
  static PosixEnv& env = *new PosixEnv(false);
  return env;
}

Env& ExactPathEnv() {
  IgnoreFileSizeSignal();
  static PosixEnv& env = *new PosixEnv(true);
  return env;
}

std::vector<std::string> CommandLineTexts(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace kzo::platform
