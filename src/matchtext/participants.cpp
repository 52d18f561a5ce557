#include "matchtext/participants.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "roster/database.h"
#include "store/files.h"
#include "store/runtime.h"

namespace kzo::matchtext {
namespace {

constexpr std::string_view kAnd = " and ";
// Lines of one tag-team record: first member, second member, team name, seven others.
constexpr int kTeamRecordLines = 10;
constexpr int kCountReadFailed = 62;
constexpr int kFileNotOpen = 52;

// ---- Reducing and splitting texts ------------------------------------------------------

// Removes "[...]" groups with the character before the "[" (normally a blank); a group at
// the very start goes alone. An unclosed "[" ends the step.
std::string RemoveBracketRemarks(std::string text) {
  while (true) {
    std::size_t open = text.find('[');
    if (open == std::string::npos) return text;
    std::size_t close = text.find(']', open + 1);
    if (close == std::string::npos) return text;
    std::size_t from = open == 0 ? 0 : open - 1;
    text.erase(from, close + 1 - from);
  }
}

// Puts the text inside "(...)" in place of the team name before it: what stands before the
// "(" is kept up to the character after its last comma, or dropped when there is none.
// Every round removes at least one character, so the step ends.
std::string ExpandMemberLists(std::string text) {
  while (true) {
    std::size_t open = text.find('(');
    if (open == std::string::npos) return text;
    std::size_t close = text.find(')', open + 1);
    if (close == std::string::npos) return text;
    std::size_t comma = open == 0 ? std::string::npos : text.rfind(',', open - 1);
    std::size_t kept = comma == std::string::npos ? 0 : comma + 2;
    text = text.substr(0, kept) + text.substr(open + 1, close - open - 1) + text.substr(close + 1);
  }
}

std::string ReplaceSlashes(std::string_view text) {
  std::string replaced;
  for (char c : text) {
    if (c == '/') {
      replaced += ", ";
    } else {
      replaced += c;
    }
  }
  return replaced;
}

// ---- Text lookups without making strings ------------------------------------------------

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

template <class Value>
using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

// A participant text reduced and split, before team expansion.
struct ParticipantList {
  int separators = 0;
  std::vector<std::string> slots;
};

TextMap<ParticipantList>& SplitTexts() {
  static TextMap<ParticipantList> texts;
  return texts;
}

const ParticipantList& SplitText(std::string_view text) {
  auto& texts = SplitTexts();
  auto found = texts.find(text);
  if (found != texts.end()) return found->second;
  std::string reduced = ReduceParticipantText(text);
  ParticipantList list{CountSeparators(reduced), SplitParticipantList(reduced)};
  return texts.emplace(std::string(text), std::move(list)).first->second;
}

// ---- Teams files ------------------------------------------------------------------------

struct TeamLines {
  std::string member1;
  std::string member2;
  std::string team;
};

// A run of equal error reports raised while the teams file was read: a failed line read
// reports the line reader, anything else the procedure that asked for the teams file.
struct RaisedErrors {
  int number;
  bool line_read;
  int times;
};

struct TeamsFile {
  std::vector<TeamLines> records;
  TextMap<std::vector<std::size_t>> records_by_team;  // record indexes, ascending
  std::vector<RaisedErrors> errors;
  TextMap<std::vector<std::string>> expanded;  // by list size and participant text
};

void NoteError(TeamsFile& teams, int number, bool line_read) {
  if (!teams.errors.empty() && teams.errors.back().number == number &&
      teams.errors.back().line_read == line_read) {
    ++teams.errors.back().times;
  } else {
    teams.errors.push_back({number, line_read, 1});
  }
}

// The open has reported its failure; the platform tells again which error it was.
void NoteOpenFailure(TeamsFile& teams, std::string_view path) {
  platform::OpenResult probe = store::Platform().Open(path, platform::OpenMode::kInput);
  if (probe.error != 0) {
    NoteError(teams, probe.error, false);
  } else {
    store::Platform().Close(probe.handle);
  }
}

// True when the bytes left in the file at path, from its start, are `bytes` blanks and
// nothing else: a number read there finds the file's end.
bool HoldsOnlyBlanks(std::string_view path, std::size_t bytes) {
  int file = store::FreeFile();
  store::OpenFile(path, store::FileMode::kInput, file);
  std::string_view line = store::ReadLine(file, false);
  bool blanks = line.size() == bytes && line.find_first_not_of(' ') == std::string_view::npos;
  store::CloseFile(file);
  return blanks;
}

std::int32_t ReadRecordCount(TeamsFile& teams, int file, std::string_view path) {
  bool open = store::IsFileOpen(file);
  std::size_t before = store::BytesLeft(file);
  std::int32_t count = store::ReadNumber(file);
  if (!open) {
    NoteError(teams, kFileNotOpen, false);
  } else if (before == 0 ||
             (count == 0 && store::BytesLeft(file) == 0 && HoldsOnlyBlanks(path, before))) {
    NoteError(teams, kCountReadFailed, false);
  }
  return store::CutCount(file, count, kTeamRecordLines);
}

std::string ReadTeamLine(TeamsFile& teams, int file) {
  if (!store::IsFileOpen(file)) {
    NoteError(teams, kFileNotOpen, true);
  } else if (store::AtEndOfFile(file)) {
    NoteError(teams, kCountReadFailed, true);
  }
  return std::string(store::ReadLine(file));
}

TeamLines ReadTeamRecord(TeamsFile& teams, int file) {
  TeamLines record;
  record.member1 = ReadTeamLine(teams, file);
  record.member2 = ReadTeamLine(teams, file);
  record.team = ReadTeamLine(teams, file);
  for (int line = 4; line <= kTeamRecordLines; ++line) ReadTeamLine(teams, file);
  return record;
}

// Reads the teams file as every call of the name matching would: a record count, then
// ten lines per record. Reports are raised as they come and noted for the replays.
std::unique_ptr<TeamsFile> ReadTeamsFile(std::string_view path) {
  auto teams = std::make_unique<TeamsFile>();
  int file = store::FreeFile();
  store::OpenFile(path, store::FileMode::kInput, file);
  if (!store::IsFileOpen(file)) NoteOpenFailure(*teams, path);
  std::int32_t count = ReadRecordCount(*teams, file, path);
  for (std::int32_t r = 1; r <= count; ++r) {
    teams->records.push_back(ReadTeamRecord(*teams, file));
    teams->records_by_team[teams->records.back().team].push_back(teams->records.size() - 1);
  }
  store::CloseFile(file);
  return teams;
}

void ReplayErrors(const TeamsFile& teams) {
  for (const RaisedErrors& errors : teams.errors) {
    for (int i = 0; i < errors.times; ++i) {
      if (errors.line_read) {
        store::Procedure procedure("MAKEASCI");
        store::RaiseError(errors.number);
      } else {
        store::RaiseError(errors.number);
      }
    }
  }
}

TextMap<std::string>& TeamsPaths() {
  static TextMap<std::string> paths;  // by the folder as given
  return paths;
}

TextMap<std::unique_ptr<TeamsFile>>& TeamsFiles() {
  static TextMap<std::unique_ptr<TeamsFile>> files;  // by path
  return files;
}

std::string TeamsPathOf(std::string_view folder) {
  std::size_t end = folder.find_last_not_of('\\');
  std::string circuit_path(folder.substr(0, end == std::string_view::npos ? 0 : end + 1));
  circuit_path += "\\teams.dat";
  if (store::Platform().FileExists(circuit_path)) return circuit_path;
  return std::string(View(roster::Database().legacy_folder)) + "\\data\\teams.dat";
}

const std::string& TeamsPath(std::string_view folder) {
  auto& paths = TeamsPaths();
  auto found = paths.find(folder);
  if (found != paths.end()) return found->second;
  return paths.emplace(std::string(folder), TeamsPathOf(folder)).first->second;
}

// The teams file of the folder: read at its first use, replayed (its reports raised
// again) at every later one.
TeamsFile& TeamsFileFor(std::string_view folder) {
  const std::string& path = TeamsPath(folder);
  auto& files = TeamsFiles();
  auto found = files.find(path);
  if (found != files.end()) {
    ReplayErrors(*found->second);
    return *found->second;
  }
  std::unique_ptr<TeamsFile> teams = ReadTeamsFile(path);
  return *files.emplace(path, std::move(teams)).first->second;
}

// ---- Team expansion ---------------------------------------------------------------------

// The first record at or after `from` whose team name some slot holds, or npos: records
// that name no slot have nothing to do at their turn.
std::size_t NextRecordNamingASlot(const TeamsFile& teams, const std::vector<std::string>& slots,
                                  std::size_t from) {
  std::size_t next = std::string::npos;
  for (const std::string& slot : slots) {
    auto found = teams.records_by_team.find(slot);
    if (found == teams.records_by_team.end()) continue;
    auto record = std::lower_bound(found->second.begin(), found->second.end(), from);
    if (record != found->second.end()) next = std::min(next, *record);
  }
  return next;
}

// A slot holding the team name gets the first member and the second member is appended;
// the slot is examined again. Without room for the appended member the slot keeps the
// team name, so a member that bears its own team name ends with the list full.
void ApplyTeamRecord(const TeamLines& record, std::vector<std::string>& slots, std::size_t size) {
  std::size_t i = 0;
  while (i < slots.size()) {
    if (slots[i] == record.team && slots.size() < size) {
      slots.push_back(record.member2);
      slots[i] = record.member1;
    } else {
      ++i;
    }
  }
}

void ExpandSlots(const TeamsFile& teams, std::vector<std::string>& slots, std::size_t size) {
  std::size_t from = 0;
  for (std::size_t r = NextRecordNamingASlot(teams, slots, from); r != std::string::npos;
       r = NextRecordNamingASlot(teams, slots, from)) {
    ApplyTeamRecord(teams.records[r], slots, size);
    from = r + 1;
  }
}

std::size_t SlotListSize(int separators) {
  return 2 * static_cast<std::size_t>(separators) + 2;
}

// The expanded slots of a participant text in a list of `size` slots, worked out once per
// teams file.
const std::vector<std::string>& ExpandedSlots(TeamsFile& teams, std::string_view text,
                                              std::size_t size) {
  std::string key(sizeof size, '\0');
  std::memcpy(key.data(), &size, sizeof size);
  key.append(text);
  auto found = teams.expanded.find(key);
  if (found != teams.expanded.end()) return found->second;
  std::vector<std::string> slots = SplitText(text).slots;
  ExpandSlots(teams, slots, size);
  return teams.expanded.emplace(std::move(key), std::move(slots)).first->second;
}

bool SameParticipants(const std::vector<std::string>& first,
                      const std::vector<std::string>& second) {
  if (first.size() != second.size()) return false;
  return std::all_of(first.begin(), first.end(), [&](const std::string& name) {
    return std::find(second.begin(), second.end(), name) != second.end();
  });
}

}  // namespace

std::string ReduceParticipantText(std::string_view text) {
  store::Procedure procedure("MGETNAME");
  return ReplaceSlashes(ExpandMemberLists(RemoveBracketRemarks(std::string(text))));
}

int CountSeparators(std::string_view reduced) {
  int count = static_cast<int>(std::count(reduced.begin(), reduced.end(), ','));
  for (std::size_t found = reduced.find(kAnd); found != std::string_view::npos;
       found = reduced.find(kAnd, found + kAnd.size())) {
    ++count;
  }
  return count;
}

std::vector<std::string> SplitParticipantList(std::string_view reduced) {
  int separators = CountSeparators(reduced);
  std::vector<std::string> slots;
  slots.reserve(static_cast<std::size_t>(separators) + 1);
  std::size_t start = 0;
  for (int i = 0; i <= separators; ++i) {
    std::size_t comma = reduced.find(',', start);
    std::size_t and_at = reduced.find(kAnd, start);
    std::size_t end = std::min(comma, and_at);
    std::string_view rest = start < reduced.size() ? reduced.substr(start) : std::string_view();
    if (end == std::string_view::npos) {
      slots.emplace_back(rest);
      continue;
    }
    slots.emplace_back(reduced.substr(start, end - start));
    start = end == comma ? end + 2 : end + kAnd.size();
  }
  return slots;
}

void ExpandTeamNames(std::span<SlotList* const> lists, std::string_view folder) {
  const TeamsFile& teams = TeamsFileFor(folder);
  for (SlotList* list : lists) ExpandSlots(teams, list->slots, list->size);
}

int BreakDownParticipants(std::string_view text, std::span<std::int32_t> numbers,
                          const roster::NameIndex& names, std::string_view folder) {
  store::Procedure procedure("BREAKDOW");
  std::size_t size = SlotListSize(SplitText(text).separators);
  const std::vector<std::string>& slots = ExpandedSlots(TeamsFileFor(folder), text, size);
  for (std::size_t i = 0; i < slots.size() && i + 1 < numbers.size(); ++i) {
    int slot = names.Find(slots[i]);
    numbers[i + 1] = slot == 0 ? -1 : slot;
  }
  return static_cast<int>(slots.size());
}

int MATCHES(std::string_view first, std::string_view second, std::string_view folder) {
  store::Procedure procedure("MATCHES");
  int separators = std::max(SplitText(first).separators, SplitText(second).separators);
  std::size_t size = SlotListSize(separators);
  TeamsFile& teams = TeamsFileFor(folder);
  const std::vector<std::string>& first_slots = ExpandedSlots(teams, first, size);
  const std::vector<std::string>& second_slots = ExpandedSlots(teams, second, size);
  return SameParticipants(first_slots, second_slots) ? 1 : 0;
}

void ForgetTeamsFiles() {
  TeamsFiles().clear();
  TeamsPaths().clear();
  SplitTexts().clear();
}

}  // namespace kzo::matchtext
