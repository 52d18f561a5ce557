// How a legacy path names a file on Linux: "\" and "/" both separate components, empty
// components are skipped, and each component is found on disk in any letter case, since
// data copied from DOS disks often has upper-case names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kzo::platform {

// What a path names, as the look at the disk that resolved it found it.
enum class EntryKind { kMissing, kRegularFile, kOtherFile, kFolder };

struct ResolvedPath {
  std::string path;  // components joined with "/"; the last one as found, or as written
  int error = 0;     // 0 found; 53 only the last component is missing; 76 a folder is missing
  EntryKind kind = EntryKind::kMissing;
};

// What stands at path. An entry exists when it resolves to an existing file or folder: a
// symbolic link whose target is missing is a missing entry.
EntryKind Look(const std::string& path);

// The separator the system puts between the components of the paths it gives.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The argument that asks a program for help by the system's own convention: "/?" on
// Windows; none elsewhere, where "/?" is a path like any other.
#ifdef _WIN32
inline constexpr std::string_view kSystemHelpArgument = "/?";
#else
inline constexpr std::string_view kSystemHelpArgument = {};
#endif

// True for "\" and "/".
bool IsPathSeparator(char c);

// The name with its ASCII letters in lower case: names that fold equal name one file
// wherever letter case does not matter.
std::string FoldAsciiCase(std::string_view name);

// Where the last name of path begins: after its last "\" or "/", or at 0.
std::size_t LastNameStart(std::string_view path);

// The same for a path named on the command line: after its last "/" (on Windows also "\").
std::size_t LastExactNameStart(std::string_view path);

// Splits at "\" and "/", skipping empty components.
std::vector<std::string_view> SplitPathComponents(std::string_view path);

// Whether a folder listing read at the file-time clock's reading `read` (nanoseconds since
// 1970) may be kept while the folder's times stay `modified` and `changed`: only when any
// change after the reading must show in those times. A change is stamped no earlier than
// the reading, cut down to the file system's step: the times must lie a millisecond before
// the reading, or two seconds when they are whole milliseconds (FAT keeps two-second steps).
bool ListingIsSettled(std::int64_t modified, std::int64_t changed, std::int64_t read);

// The entries of folders, as name resolution reads them to find a name in another letter
// case. A listing is kept while its folder is the same folder and unchanged: its identity
// and its times of change are compared with the disk's before each use, and a listing read
// before the folder's times are settled (above) is read again at the next use. Whoever
// changes folders forgets the listings.
class FolderListings {
 public:
  // The entries of folder ("" is the working folder); null when it cannot be read.
  const std::vector<std::string>* Entries(const std::string& folder);
  void Forget() { listings_.clear(); }

 private:
  struct Listing {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t modified = 0;  // nanoseconds since 1970
    std::int64_t changed = 0;
    std::int64_t read = 0;  // the file-time clock before the entries were read
    std::vector<std::string> entries;
  };
  std::unordered_map<std::string, Listing> listings_;
};

// Finds each component on disk: the exact name when it exists, else the entry whose name
// equals it with ASCII letters folded to one case (the first in byte order when several
// do). A path that starts with a separator is absolute, any other relative. Folders are
// listed anew unless listings are given to keep them in.
ResolvedPath ResolvePath(std::string_view path, FolderListings* listings = nullptr);

// True for a legacy path that does not depend on the working directory: one that starts
// with a separator, or on Windows with a drive ("c:").
bool IsAbsolutePath(std::string_view path);
// The same for a path named on the command line, taken exactly as written: on Linux only
// "/" makes it absolute.
bool IsAbsoluteExactPath(std::string_view path);

}  // namespace kzo::platform
