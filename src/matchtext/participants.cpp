#include "matchtext/participants.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <unordered_map>

#include "roster/database.h"
#include "roster/name_index.h"
#include "roster/team.h"
#include "store/files.h"
#include "store/run.h"
#include "store/runtime.h"
#include "store/text.h"

namespace kzo::matchtext {
namespace {

constexpr std::string_view kAnd = " and ";

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

// ---- Participant texts ------------------------------------------------------------------

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

template <class Value>
using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

struct TeamsFile;

// A participant text's slot list expanded with a teams file into a list of `size` slots.
struct Expansion {
  std::size_t size;
  std::vector<std::string> slots;
};

// A participant text reduced and split, before team expansion, and its expansions with the
// teams file used last. Circuits are loaded one after the other, each with the teams file
// of its folder, so expansions with earlier files are not asked for again and are dropped.
struct ParticipantList {
  int separators = 0;
  std::vector<std::string> slots;
  const TeamsFile* expanded_with = nullptr;
  std::vector<Expansion> expansions;
};

// Every participant text met in the run gets a number, under which its split list and its
// expansions are kept: the same texts come back for every title and points entry.
struct ParticipantTexts {
  roster::NameIndex ids;          // a text's number + 1
  std::deque<std::string> texts;  // the texts the index looks at, never moved
  std::vector<ParticipantList> lists;
};

store::RunLocal<ParticipantTexts> participant_texts;

ParticipantTexts& Texts() {
  return *participant_texts;
}

int TextId(std::string_view text) {
  ParticipantTexts& texts = Texts();
  if (int known = texts.ids.Find(text); known != 0) return known - 1;
  std::string reduced = ReduceParticipantText(text);
  texts.lists.push_back({CountSeparators(reduced), SplitParticipantList(reduced), nullptr, {}});
  int id = static_cast<int>(texts.lists.size()) - 1;
  texts.ids.Add(texts.texts.emplace_back(text), id + 1);
  return id;
}

ParticipantList& ListOf(int id) {
  return Texts().lists[static_cast<std::size_t>(id)];
}

// ---- Teams files ------------------------------------------------------------------------

struct TeamLines {
  std::string member1;
  std::string member2;
  std::string team;
};

// An error report the reading of a teams file raised: a failed line read reports the line
// reader, anything else the procedure that asked for the teams file.
struct ReplayedError {
  int number;
  bool line_read;
  std::string place;
};

struct TeamsFile {
  std::vector<TeamLines> records;
  TextMap<std::vector<std::size_t>> records_by_team;  // record indexes, ascending
  std::vector<ReplayedError> errors;
};

// A tag-team record's lines: first member, second member, team name, seven others.
TeamLines ReadTeamRecord(int file) {
  TeamLines record;
  record.member1 = store::ReadLine(file);
  record.member2 = store::ReadLine(file);
  record.team = store::ReadLine(file);
  store::SkipLines(file, roster::kTeamRecordItems - 3);
  return record;
}

// Reads the teams file as every call of the name matching would: a record count, then
// ten lines per record. Its reports are raised as they come and kept for the replays.
std::unique_ptr<TeamsFile> ReadTeamsFile(std::string_view path) {
  auto teams = std::make_unique<TeamsFile>();
  store::ErrorRecorder recorder;
  int file = store::FreeFile();
  store::OpenFile(path, store::FileMode::kInput, file);
  std::int32_t count = store::CutCount(file, store::ReadNumber(file), roster::kTeamRecordItems);
  for (std::int32_t r = 1; r <= count; ++r) {
    teams->records.push_back(ReadTeamRecord(file));
    teams->records_by_team[teams->records.back().team].push_back(teams->records.size() - 1);
  }
  store::CloseFile(file);
  for (const store::RaisedError& error : recorder.errors()) {
    teams->errors.push_back({error.number, error.tag == "MAKEASCI", error.place});
  }
  return teams;
}

void ReplayErrors(const TeamsFile& teams) {
  for (const ReplayedError& error : teams.errors) {
    if (error.line_read) {
      store::Procedure procedure("MAKEASCI");
      store::RaiseErrorAt(error.number, error.place);
    } else {
      store::RaiseErrorAt(error.number, error.place);
    }
  }
}

struct TeamsFiles {
  TextMap<std::string> paths;                   // by the folder as given
  TextMap<std::unique_ptr<TeamsFile>> by_path;  // every teams file read so far
  std::string last_folder;                      // the folder asked for last, and its file
  TeamsFile* last = nullptr;
};

store::RunLocal<TeamsFiles> teams_files;

TeamsFiles& Teams() {
  return *teams_files;
}

std::string TeamsPathOf(std::string_view folder) {
  std::size_t end = folder.find_last_not_of('\\');
  std::string circuit_path(folder.substr(0, end == std::string_view::npos ? 0 : end + 1));
  circuit_path += "\\teams.dat";
  if (store::Platform().FileExists(circuit_path)) return circuit_path;
  return std::string(View(roster::Database().legacy_folder)) + "\\data\\teams.dat";
}

// The teams file of the folder: read at its first use, replayed (its reports raised
// again) at every later one.
TeamsFile& TeamsFileFor(std::string_view folder) {
  TeamsFiles& teams = Teams();
  if (teams.last != nullptr && folder == teams.last_folder) {
    ReplayErrors(*teams.last);
    return *teams.last;
  }
  auto known = teams.paths.find(folder);
  if (known == teams.paths.end()) {
    known = teams.paths.emplace(std::string(folder), TeamsPathOf(folder)).first;
  }
  const std::string& path = known->second;
  auto found = teams.by_path.find(path);
  if (found != teams.by_path.end()) {
    ReplayErrors(*found->second);
  } else {
    found = teams.by_path.emplace(path, ReadTeamsFile(path)).first;
  }
  teams.last_folder = folder;
  teams.last = found->second.get();
  return *teams.last;
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
void ApplyTeamRecord(const TeamNames& record, std::vector<std::string>& slots, std::size_t size) {
  std::size_t i = 0;
  while (i < slots.size()) {
    if (slots[i] == record.team && slots.size() < size) {
      slots.emplace_back(record.member2);
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
    const TeamLines& record = teams.records[r];
    ApplyTeamRecord({record.member1, record.member2, record.team}, slots, size);
    from = r + 1;
  }
}

std::size_t SlotListSize(int separators) {
  return 2 * static_cast<std::size_t>(separators) + 2;
}

// The expanded slots of a participant text in a list of `size` slots, worked out once per
// teams file (a text meets few list sizes, so they are kept in a list).
const std::vector<std::string>& ExpandedSlots(const TeamsFile& teams, int id, std::size_t size) {
  ParticipantList& list = ListOf(id);
  if (list.expanded_with != &teams) {
    list.expansions.clear();
    list.expanded_with = &teams;
  }
  for (const Expansion& expansion : list.expansions) {
    if (expansion.size == size) return expansion.slots;
  }
  std::vector<std::string> slots = list.slots;
  ExpandSlots(teams, slots, size);
  return list.expansions.push_back({size, std::move(slots)}), list.expansions.back().slots;
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
  return ReplaceAll(ExpandMemberLists(RemoveBracketRemarks(std::string(text))), "/", ", ");
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

int BreakDownParticipants(std::string_view text, std::span<std::int32_t> numbers,
                          const roster::NameIndex& names, std::string_view folder) {
  return BreakDownParticipantsById(TextId(text), numbers, names, folder);
}

int BreakDownParticipantsById(int id, std::span<std::int32_t> numbers,
                              const roster::NameIndex& names, std::string_view folder) {
  store::Procedure procedure("BREAKDOW");
  std::size_t size = SlotListSize(ListOf(id).separators);
  const std::vector<std::string>& slots = ExpandedSlots(TeamsFileFor(folder), id, size);
  for (std::size_t i = 0; i < slots.size() && i + 1 < numbers.size(); ++i) {
    int slot = names.Find(slots[i]);
    numbers[i + 1] = slot == 0 ? -1 : slot;
  }
  return static_cast<int>(slots.size());
}

std::vector<std::string> ParticipantNames(std::string_view text, std::span<const TeamNames> teams) {
  std::string reduced = ReduceParticipantText(text);
  std::vector<std::string> slots = SplitParticipantList(reduced);
  std::size_t size = SlotListSize(CountSeparators(reduced));
  // A record that names no slot changes nothing, so applying every record in turn is the
  // expansion with a teams file of these records.
  for (const TeamNames& team : teams) ApplyTeamRecord(team, slots, size);
  return slots;
}

int ParticipantTextId(std::string_view text) {
  return TextId(text);
}

int MATCHES(std::string_view first, std::string_view second, std::string_view folder) {
  return MatchesById(TextId(first), TextId(second), folder);
}

int MatchesById(int first_id, int second_id, std::string_view folder) {
  store::Procedure procedure("MATCHES");
  int separators = std::max(ListOf(first_id).separators, ListOf(second_id).separators);
  std::size_t size = SlotListSize(separators);
  TeamsFile& teams = TeamsFileFor(folder);
  const std::vector<std::string>& first_slots = ExpandedSlots(teams, first_id, size);
  const std::vector<std::string>& second_slots = ExpandedSlots(teams, second_id, size);
  return SameParticipants(first_slots, second_slots) ? 1 : 0;
}

void ForgetTeamsFiles() {
  Teams() = TeamsFiles{};
  Texts() = ParticipantTexts{};
}

}  // namespace kzo::matchtext
