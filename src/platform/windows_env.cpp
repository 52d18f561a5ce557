// The Windows implementation of the platform services. The file system finds names in any
// letter case itself; paths become UTF-16 here and nowhere else: legacy paths from code
// page 437, paths named on the command line from UTF-8.
#include <windows.h>
// After windows.h, which it builds on.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
// The services of Env that share a name with a Windows macro keep their own names here.
#undef DeleteFile
#undef ReplaceFile
#undef WriteConsole

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <random>
#include <vector>

#include "platform/env.h"
#include "platform/paths.h"
#include "platform/windows_text.h"

namespace kzo::platform {
namespace {

constexpr std::size_t kPathLimit = 999;
constexpr DWORD kChunk = DWORD{1} << 30;  // the most one read or write call moves

int ErrorFromSystem(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_NAME:  // a name no file can have
      return 53;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return 76;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return 70;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return 61;
    case ERROR_TOO_MANY_OPEN_FILES:
      return 67;
    case ERROR_FILE_EXISTS:  // a rename target that appeared meanwhile
    case ERROR_ALREADY_EXISTS:
      return 58;
    default:
      return 75;
  }
}

// A legacy path as Windows takes it: its components joined with "\", empty ones skipped; a
// path that starts with a separator stays rooted, one that starts with two (a network
// share) keeps both.
std::string JoinLegacyPath(std::string_view path) {
  std::string joined;
  if (!path.empty() && IsPathSeparator(path[0])) joined = "\\";
  if (path.size() > 1 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) joined = "\\\\";
  std::vector<std::string_view> parts = SplitPathComponents(path);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += '\\';
    joined += parts[i];
  }
  return joined.empty() ? "." : joined;
}

DWORD Attributes(const std::wstring& path) {
  return GetFileAttributesW(path.c_str());
}

bool Exists(const std::wstring& path) {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::wstring& path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The result of a Windows path service that fills a buffer of UTF-16 characters; nullopt
// when it fails.
template <typename Service>
std::optional<std::wstring> Filled(Service service) {
  std::wstring buffer(MAX_PATH, L'\0');
  while (true) {
    DWORD length = service(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) return buffer.substr(0, length);
    buffer.resize(length);
  }
}

std::optional<std::wstring> ShortForm(const std::wstring& path) {
  return Filled(
      [&](wchar_t* out, DWORD size) { return GetShortPathNameW(path.c_str(), out, size); });
}

// How much of a path names its root: "c:\", "c:", "\\server\share\", "\", or nothing.
std::size_t RootLength(std::wstring_view path) {
  auto separator = [&](std::size_t i) {
    return i < path.size() && (path[i] == L'\\' || path[i] == L'/');
  };
  if (path.size() > 1 && path[1] == L':') return separator(2) ? 3 : 2;
  if (!separator(0)) return 0;
  if (!separator(1)) return 1;
  std::size_t at = 2;
  for (int parts = 0; parts < 2 && at < path.size(); ++parts) {
    while (at < path.size() && !separator(at)) ++at;
    if (at < path.size()) ++at;
  }
  return at;
}

// The path with its drive and each name after the root in the letter case the system shows
// them in ("c:\x" and "C:\X" name one file): the long form keeps the case of the names it
// was given.
std::wstring AsOnDisk(std::wstring_view path) {
  std::size_t start = RootLength(path);
  std::wstring result(path.substr(0, start));
  if (result.size() > 1 && result[1] == L':') result[0] = std::towupper(result[0]);
  while (start < path.size()) {
    std::size_t end = std::min(path.find_first_of(L"\\/", start), path.size());
    std::wstring_view name = path.substr(start, end - start);
    result += name;
    WIN32_FIND_DATAW found;
    bool plain =
        !name.empty() && name != L"." && name != L".." && name.find_first_of(L"*?") == name.npos;
    HANDLE search = plain ? FindFirstFileW(result.c_str(), &found) : INVALID_HANDLE_VALUE;
    if (search != INVALID_HANDLE_VALUE) {
      FindClose(search);
      result.replace(result.size() - name.size(), name.size(), found.cFileName);
    }
    if (end < path.size()) result += path[end];
    start = end + 1;
  }
  return result;
}

// Standard error is a console window that a person reads.
bool ErrorOutputOnConsole() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

class WindowsEnv final : public Env {
 public:
  explicit WindowsEnv(bool exact_paths)
      : exact_paths_(exact_paths), random_(GetTickCount64() ^ GetCurrentProcessId()) {
    // The reports' bytes go out as they are: no LF becomes CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
  }

  OpenResult Open(std::string_view path, OpenMode mode) override {
    std::wstring name = Native(path);
    if (IsFolder(name)) return {0, NotAFile()};
    DWORD access = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    if (mode != OpenMode::kInput) {
      access = mode == OpenMode::kOutput ? GENERIC_WRITE : FILE_APPEND_DATA | SYNCHRONIZE;
      disposition = OPEN_ALWAYS;
    }
    HANDLE file =
        CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {0, Failed()};
    // Output empties the file it opens (a hidden or system file as well).
    if (mode == OpenMode::kOutput && !SetEndOfFile(file)) {
      int error = Failed();
      CloseHandle(file);
      return {0, error};
    }
    return {Keep(file), 0};
  }

  long Read(int handle, char* buffer, std::size_t size) override {
    HANDLE file = Find(handle);
    if (file == nullptr) return -BadHandle();
    DWORD read = 0;
    DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, kChunk));
    if (ReadFile(file, buffer, wanted, &read, nullptr)) return static_cast<long>(read);
    if (GetLastError() == ERROR_BROKEN_PIPE) return 0;  // the writing end closed
    return -Failed();
  }

  int Write(int handle, const char* buffer, std::size_t size) override {
    HANDLE file = Find(handle);
    if (file == nullptr) return BadHandle();
    while (size > 0) {
      DWORD written = 0;
      DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, kChunk));
      if (!WriteFile(file, buffer, piece, &written, nullptr)) return Failed();
      if (written == 0) {
        last_error_ = ERROR_WRITE_FAULT;
        return 75;
      }
      buffer += written;
      size -= written;
    }
    return 0;
  }

  int Close(int handle) override {
    HANDLE file = Find(handle);
    if (file == nullptr) return BadHandle();
    files_[static_cast<std::size_t>(handle) - 1] = nullptr;
    return CloseHandle(file) ? 0 : Failed();
  }

  bool FileExists(std::string_view path) override {
    if (path.empty() || path.back() == ':') return false;
    if (path.find_first_of("?*") != std::string_view::npos) return false;
    std::wstring name = Native(path);
    return Exists(name) && !IsFolder(name);
  }

  int DeleteFile(std::string_view path) override {
    std::wstring name = Native(path);
    if (!Exists(name)) return 53;
    if (IsFolder(name)) return NotAFile();
    if (DeleteFileW(name.c_str())) return 0;
    DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return 53;
    return Failed();
  }

  // A target that exists in any letter case counts as taken: a rename that only changes
  // the letter case of a name is a rename onto an existing file as well.
  int RenameFile(std::string_view from, std::string_view to) override {
    std::wstring source = Native(from);
    std::wstring target = Native(to);
    if (!Exists(source)) return 53;
    if (Exists(target)) return 58;
    return MoveFileExW(source.c_str(), target.c_str(), 0) ? 0 : Failed();
  }

  int ReplaceFile(std::string_view from, std::string_view to) override {
    std::wstring source = Native(from);
    std::wstring target = Native(to);
    if (!Exists(source)) return 53;
    if (IsFolder(target)) return NotAFile();
    return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : Failed();
  }

  int MakeFolder(std::string_view path) override {
    return CreateDirectoryW(Native(path).c_str(), nullptr) ? 0 : Failed();
  }

  // An entry whose name this environment's text cannot spell is listed by its short name,
  // or left out when it has none.
  std::optional<std::vector<std::string>> FolderEntries(std::string_view path) override {
    std::wstring folder = Native(path);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      Failed();
      return std::nullopt;
    }
    std::vector<std::string> names;
    do {
      std::wstring_view name = found.cFileName;
      std::optional<std::string> text = Text(std::wstring(name));
      if (!text && found.cAlternateFileName[0] != L'\0') text = Text(found.cAlternateFileName);
      if (text && name != L"." && name != L"..") names.push_back(*text);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }

  int RemoveFolder(std::string_view path) override {
    std::wstring folder = Native(path);
    if (!Exists(folder)) return 76;
    if (!IsFolder(folder)) return NotAFile();
    return RemoveDirectoryW(folder.c_str()) ? 0 : Failed();
  }

  std::optional<FileIdentity> IdentityOf(std::string_view path) override {
    HANDLE file =
        CreateFileW(Native(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information;
    bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!known) return std::nullopt;
    return FileIdentity{
        information.dwVolumeSerialNumber,
        (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
  }

  // A folder's attributes do not tell whether files may be made in it: a probe file that
  // the system removes when it is closed does.
  int CheckFolderWritable(std::string_view path) override {
    std::wstring probe = Native(path) + L"\\kzo-probe-" + std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      int error = Failed();
      return error == 58 ? 0 : error;  // a probe of another run stands there: writable
    }
    CloseHandle(file);
    return 0;
  }

  // A folder whose long name code page 437 cannot spell is named by its short form; "."
  // when it has none either.
  std::string WorkingDirectory() override {
    std::optional<std::wstring> folder =
        Filled([](wchar_t* out, DWORD size) { return GetCurrentDirectoryW(size, out); });
    if (!folder) return ".";
    if (std::optional<std::string> text = Text(*folder)) return *text;
    std::optional<std::wstring> short_form = ShortForm(*folder);
    std::optional<std::string> text = short_form ? Text(*short_form) : std::nullopt;
    return text ? *text : ".";
  }

  std::optional<std::string> ShortPath(std::string_view path) override {
    path = path.substr(0, kPathLimit);
    if (path.empty()) return std::nullopt;
    std::optional<std::wstring> short_form = ShortForm(Native(path));
    return short_form ? Limited(Text(*short_form)) : std::nullopt;
  }

  std::optional<std::string> LongPath(std::string_view path) override {
    path = path.substr(0, kPathLimit);
    if (path.empty()) return std::nullopt;
    std::wstring name = Native(path);
    std::optional<std::wstring> long_form =
        Filled([&](wchar_t* out, DWORD size) { return GetLongPathNameW(name.c_str(), out, size); });
    return long_form ? Limited(Text(AsOnDisk(*long_form))) : std::nullopt;
  }

  // The path is the command line's text in either environment.
  int ChangeDirectory(std::string_view path) override {
    std::wstring folder = WideFromUtf8(path);
    if (SetCurrentDirectoryW(folder.c_str())) return 0;
    if (Exists(folder) && !IsFolder(folder)) return NotAFile();
    int error = Failed();
    return error == 53 ? 76 : error;
  }

  std::string LastErrorText() override {
    wchar_t* message = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, last_error_, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring text = length > 0 ? std::wstring(message, length) : L"Unknown error";
    LocalFree(message);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                             text.back() == L'.')) {
      text.pop_back();
    }
    return Utf8FromWide(text);
  }

  bool WriteConsole(std::string_view bytes) override {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
    last_error_ = GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT;
    std::clearerr(stdout);
    return false;
  }

  void WriteErrorOutput(std::string_view bytes) override {
    std::fflush(stdout);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
  }

  // The report goes to standard error; when a person reads that console, a message box
  // asks as well, with the system's own caption.
  Answer ReportError(std::string_view text, std::string_view) override {
    WriteErrorOutput(std::string(text) + "\r\n");
    if (!ErrorOutputOnConsole()) return Answer::kOk;
    int answer = MessageBoxW(nullptr, WideFromCp437(text).c_str(), nullptr,
                             MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL);
    return answer == IDCANCEL ? Answer::kCancel : Answer::kOk;
  }

  [[noreturn]] void Exit(int code) override {
    std::fflush(stdout);
    std::exit(code);
  }

  int HeapCreate() override {
    HANDLE heap = ::HeapCreate(0, 0, 0);
    if (heap == nullptr) return 0;
    heaps_.push_back(heap);
    return static_cast<int>(heaps_.size());
  }

  void* HeapAlloc(int heap, std::size_t size) override {
    if (!KnownHeap(heap)) return nullptr;
    return ::HeapAlloc(heaps_[static_cast<std::size_t>(heap) - 1], HEAP_ZERO_MEMORY, size);
  }

  void HeapFree(int heap, void* block) override {
    if (!KnownHeap(heap) || block == nullptr) return;
    ::HeapFree(heaps_[static_cast<std::size_t>(heap) - 1], 0, block);
  }

  LocalTime Now() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds};
  }

  double Random() override {
    double r = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
    return r < 1.0 ? r : std::nextafter(1.0, 0.0);
  }

  long ProcessId() override { return static_cast<long>(GetCurrentProcessId()); }

  bool ProcessRuns(long id) override {
    if (id <= 0) return false;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return runs;
  }

 private:
  // The UTF-16 form of a path by the rule of this environment. A zero byte, which would end
  // the name early, becomes a control character, which no name holds.
  std::wstring Native(std::string_view path) const {
    std::wstring name = exact_paths_ ? WideFromUtf8(path) : WideFromCp437(JoinLegacyPath(path));
    std::replace(name.begin(), name.end(), L'\0', L'\x01');
    return name;
  }
  // A path the system gave, in this environment's text; nullopt when a character of it
  // has none there.
  std::optional<std::string> Text(const std::wstring& path) const {
    if (exact_paths_) return Utf8FromWide(path);
    return Cp437FromWide(path);
  }
  static std::optional<std::string> Limited(std::optional<std::string> path) {
    if (path && path->size() > kPathLimit) return std::nullopt;
    return path;
  }

  // Handles start at 1 so that 0 can mean "none"; a closed handle's slot is used again.
  int Keep(HANDLE file) {
    for (std::size_t i = 0; i < files_.size(); ++i) {
      if (files_[i] == nullptr) {
        files_[i] = file;
        return static_cast<int>(i + 1);
      }
    }
    files_.push_back(file);
    return static_cast<int>(files_.size());
  }
  // The file of an open handle; null for any other number.
  HANDLE Find(int handle) const {
    if (handle <= 0 || static_cast<std::size_t>(handle) > files_.size()) return nullptr;
    return files_[static_cast<std::size_t>(handle) - 1];
  }
  bool KnownHeap(int heap) const {
    return heap > 0 && static_cast<std::size_t>(heap) <= heaps_.size();
  }

  // A folder where a file is needed: 75, with the system's reason for LastErrorText.
  int NotAFile() {
    last_error_ = ERROR_ACCESS_DENIED;
    return 75;
  }
  int BadHandle() {
    last_error_ = ERROR_INVALID_HANDLE;
    return 75;
  }
  // Notes the system's last error for LastErrorText and returns its error number.
  int Failed() {
    last_error_ = GetLastError();
    return ErrorFromSystem(last_error_);
  }

  bool exact_paths_;
  DWORD last_error_ = 0;
  std::vector<HANDLE> files_;  // by handle - 1; null for a closed one
  std::vector<HANDLE> heaps_;
  std::mt19937_64 random_;
};

}  // namespace

Env& DefaultEnv() {
  // Never destroyed: the heaps it made live until the process ends.
  static WindowsEnv& env = *new WindowsEnv(false);
  return env;
}

Env& ExactPathEnv() {
  static WindowsEnv& env = *new WindowsEnv(true);
  return env;
}

std::vector<std::string> CommandLineTexts(int argc, char** argv) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) texts.push_back(Utf8FromWide(arguments[i]));
  LocalFree(arguments);
  return texts;
}

}  // namespace kzo::platform
