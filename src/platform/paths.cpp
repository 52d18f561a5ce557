#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
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
std::optional<std::string> FindFolded(const std::string& folder, std::string_view name,
                                      FolderListings& listings) {
  const std::vector<std::string>* entries = listings.Entries(folder);
  if (entries == nullptr) return std::nullopt;
  std::optional<std::string> best;
  for (const std::string& candidate : *entries) {
    if (EqualFolded(candidate, name) && (!best || candidate < *best) &&
        Look(Join(folder, candidate)) != EntryKind::kMissing) {
      best = candidate;
    }
  }
  return best;
}

std::int64_t Nanoseconds(std::int64_t seconds, std::int64_t nanoseconds) {
  return seconds * 1000000000 + nanoseconds;
}

// The clock file times come from, read before a folder is looked at. Linux stamps a change
// with its coarse clock (or a finer reading, never an earlier one), so a change made after
// the reading gets a time at least the reading. Where there is no coarse clock, a reading
// of the fine one counts a generous tick earlier.
#ifdef CLOCK_REALTIME_COARSE
constexpr clockid_t kFileTimeClock = CLOCK_REALTIME_COARSE;
constexpr std::int64_t kClockTick = 0;
#else
constexpr clockid_t kFileTimeClock = CLOCK_REALTIME;
constexpr std::int64_t kClockTick = 50'000'000;
#endif
// A file system cuts a change's time down to the step it keeps times in, so a later change
// may keep the time a folder shows now while that lies less than a step before the
// reading. Steps are a nanosecond to a microsecond on most, a millisecond covers them;
// times in whole milliseconds suggest a coarse step (FAT's is two seconds).
constexpr std::int64_t kMillisecond = 1'000'000;
constexpr std::int64_t kCoarsestStep = 2'000'000'000;

std::int64_t FileTimeNow() {
  timespec now{};
  clock_gettime(kFileTimeClock, &now);
  return Nanoseconds(now.tv_sec, now.tv_nsec) - kClockTick;
}

// Listings kept at most; more are a sign of a walk over many folders, not of repeated looks.
constexpr std::size_t kMaxListings = 256;

}  // namespace

bool ListingIsSettled(std::int64_t modified, std::int64_t changed, std::int64_t read) {
  bool whole_steps = modified % kMillisecond == 0 && changed % kMillisecond == 0;
  std::int64_t step = whole_steps ? kCoarsestStep : kMillisecond;
  return std::max(modified, changed) <= read - step;
}

const std::vector<std::string>* FolderListings::Entries(const std::string& folder) {
  const char* name = folder.empty() ? "." : folder.c_str();
  std::int64_t now = FileTimeNow();
  struct stat st;
  if (stat(name, &st) != 0) return nullptr;
  Listing current{static_cast<std::uint64_t>(st.st_dev),
                  static_cast<std::uint64_t>(st.st_ino),
                  Nanoseconds(st.st_mtim.tv_sec, st.st_mtim.tv_nsec),
                  Nanoseconds(st.st_ctim.tv_sec, st.st_ctim.tv_nsec),
                  now,
                  {}};
  auto kept = listings_.find(folder);
  if (kept != listings_.end()) {
    const Listing& listing = kept->second;
    bool settled = ListingIsSettled(listing.modified, listing.changed, listing.read);
    if (settled && listing.device == current.device && listing.inode == current.inode &&
        listing.modified == current.modified && listing.changed == current.changed) {
      return &listing.entries;
    }
  }
  DIR* dir = opendir(name);
  if (dir == nullptr) return nullptr;
  while (const dirent* entry = readdir(dir)) current.entries.emplace_back(entry->d_name);
  closedir(dir);
  if (listings_.size() >= kMaxListings) listings_.clear();
  Listing& stored = listings_[folder];
  stored = std::move(current);
  return &stored.entries;
}

EntryKind Look(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return EntryKind::kMissing;
  if (S_ISDIR(st.st_mode)) return EntryKind::kFolder;
  return S_ISREG(st.st_mode) ? EntryKind::kRegularFile : EntryKind::kOtherFile;
}

ResolvedPath ResolvePath(std::string_view path, FolderListings* listings) {
  FolderListings read_once;
  if (listings == nullptr) listings = &read_once;
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
              usable ? FindFolded(result.path, part, *listings) : std::nullopt) {
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
