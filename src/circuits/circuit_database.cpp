#include "circuits/circuit_database.h"

#include <algorithm>
#include <array>

#include "circuits/backups.h"
#include "circuits/hire_terms.h"
#include "model/circuit.h"
#include "roster/database.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::circuits {
namespace {

// The 18 items of one wrestler's record, in file order. The writer of new records and the
// reader both walk this one description.
enum class Item { kName, kPush, kHireStatus, kHeelValue, kManager, kNickname, kUnused };
constexpr std::array<Item, 18> kRecordItems = {
    Item::kName,    Item::kPush,    Item::kHireStatus, Item::kHeelValue, Item::kManager,
    Item::kManager, Item::kManager, Item::kManager,    Item::kNickname,  Item::kUnused,
    Item::kUnused,  Item::kUnused,  Item::kUnused,     Item::kUnused,    Item::kUnused,
    Item::kUnused,  Item::kUnused,  Item::kUnused};
// The hire state of a new record: not hired.
constexpr std::int32_t kNewRecordHireStatus = 100;

void WriteNewRecord(int file, const roster::WrestlerRecord& wrestler) {
  std::size_t manager = 0;
  for (Item item : kRecordItems) {
    switch (item) {
      case Item::kName:
        store::PrintLine(file, View(wrestler.wname));
        break;
      case Item::kPush:
        store::PrintLine(file, NumberLine(wrestler.push));
        break;
      case Item::kHireStatus:
        store::PrintLine(file, NumberLine(kNewRecordHireStatus));
        break;
      case Item::kHeelValue:
        store::PrintLine(file, NumberLine(5 * wrestler.heel_tactics));
        break;
      case Item::kManager:
        store::PrintLine(file, NumberLine(wrestler.managers[++manager]));
        break;
      case Item::kNickname:
        store::PrintLine(file, View(wrestler.nickname));
        break;
      case Item::kUnused:
        store::PrintLine(file, "");
        break;
    }
  }
}

// Writes the records of wrestlers first..N.
void WriteNewRecords(int file, std::int64_t first) {
  const roster::RosterDatabase& db = roster::Database();
  int stored = roster::StoredWrestlerCount();
  for (std::int64_t i = std::max<std::int64_t>(first, 1); i <= stored; ++i) {
    WriteNewRecord(file, db.wrestlers[static_cast<std::size_t>(i)]);
  }
}

// Deletes a file that was not written whole, so that no later run takes it as complete.
void DiscardPartialFile(const std::string& path) {
  if (!store::Platform().FileExists(path)) return;
  int error = store::Platform().DeleteFile(path);
  if (error != 0) store::RaiseErrorAt(error, store::FilePlace(path));
}

void CreateDatabase(const std::string& path) {
  int file = store::FreeFile();
  store::OpenFile(path, store::FileMode::kOutput, file);
  bool opened = store::IsFileOpen(file);
  store::PrintLine(file, NumberLine(roster::Database().wrestler_count));
  WriteNewRecords(file, 1);
  // A database cut short by a failed write would carry the full header, and every later
  // run would take it as complete: it is removed, and the next run creates it again.
  if (!(store::CloseFile(file) && opened)) DiscardPartialFile(path);
}

// Writes the rewritten database; true when it was written whole.
bool WriteRewrittenDatabase(const std::string& new_path, int old_file, std::int32_t old_count) {
  int file = store::FreeFile();
  store::OpenFile(new_path, store::FileMode::kOutput, file);
  bool opened = store::IsFileOpen(file);
  store::PrintLine(file, NumberLine(roster::Database().wrestler_count));
  while (!store::AtEndOfFile(old_file)) store::PrintLine(file, store::ReadLine(old_file, false));
  WriteNewRecords(file, static_cast<std::int64_t>(old_count) + 1);
  return store::CloseFile(file) && opened;
}

// Deletes the index of the database at path before the database is replaced; true when
// no index is left. An index that cannot be deleted keeps the database from being
// replaced, so that no index stands beside a database it does not belong to.
bool DeleteIndex(const std::string& path) {
  std::string index = path.substr(0, path.size() - 3) + "idx";
  if (!store::Platform().FileExists(index)) return true;
  int error = store::Platform().DeleteFile(index);
  if (error != 0) store::RaiseErrorAt(error, store::FilePlace(index));
  return error == 0;
}

// Gives the rewritten database at new_path the name path; true when it has it.
bool RenameIntoPlace(const std::string& new_path, const std::string& path) {
  int error = store::Platform().RenameFile(new_path, path);
  if (error != 0) store::RaiseErrorAt(error, store::FilePlace(new_path));
  return error == 0;
}

// Reads one record into entry. Most circuits know a wrestler by the roster's own name and
// nickname (a new database copies them): such texts share the roster's strings.
void ReadRosterEntry(int file, model::RosterEntry& entry, const roster::WrestlerRecord& own) {
  std::size_t manager = 0;
  for (std::size_t k = 0; k < kRecordItems.size(); ++k) {
    switch (kRecordItems[k]) {
      case Item::kName:
        entry.name = store::ReadRecordString(file, own.wname);
        break;
      case Item::kPush:
        entry.push = store::ReadNumber(file);
        break;
      case Item::kHireStatus:
        entry.hire_status = store::ReadNumber(file);
        break;
      case Item::kHeelValue:
        entry.heel_value = store::ReadNumber(file);
        break;
      case Item::kManager:
        entry.managers[++manager] = store::ReadNumber(file);
        if (entry.managers[manager] != 0) ++entry.manager_count;
        break;
      case Item::kNickname:
        entry.nickname = store::ReadRecordString(file, own.nickname);
        break;
      case Item::kUnused: {  // a run of unused lines is passed in one go
        std::size_t run = 1;
        while (k + run < kRecordItems.size() && kRecordItems[k + run] == Item::kUnused) ++run;
        store::SkipLines(file, static_cast<int>(run));
        k += run - 1;
        break;
      }
    }
  }
}

void DecideHire(model::RosterEntry& entry, int circuit) {
  const model::CircuitRecord& c = model::Circuits().records[static_cast<std::size_t>(circuit)];
  std::int32_t status = entry.hire_status;
  if (c.card_cfg_value != 0) {
    entry.hired = 1;
  } else if (model::IsTermHireState(status)) {
    entry.hired = 1;
    AddHireTerm(&entry, status, kMonths, circuit, 1);
  } else if (model::IsHiringState(status, model::kHiredStatesEnd)) {
    entry.hired = 1;
  }
}

}  // namespace

std::string NumberLine(std::int32_t value) {
  std::string line = std::to_string(value);
  if (value >= 0) line.insert(0, 1, ' ');
  line += ' ';
  return line;
}

void UpdateCircuitDatabase(const std::string& path) {
  std::string new_path = path + ".new";
  platform::Env& platform = store::Platform();
  if (!platform.FileExists(path)) {
    // An earlier upkeep stopped after the old database became backup 1 and before the
    // rewritten one took its name ("circdb.dat.new" is left only when written whole): the
    // replacement is finished, as creating a database from the roster would lose every
    // hire of the old one. When it cannot be finished, nothing else is written.
    if (platform.FileExists(new_path) && platform.FileExists(BackupName(path, 1))) {
      if (!DeleteIndex(path) || !RenameIntoPlace(new_path, path)) return;
    } else {
      CreateDatabase(path);
      return;
    }
  }
  int old_file = store::FreeFile();
  store::OpenFile(path, store::FileMode::kInput, old_file);
  if (!store::IsFileOpen(old_file)) return;  // a database it cannot read stays as it is
  std::int32_t old_count = store::ReadNumber(old_file);
  if (old_count == roster::Database().wrestler_count) {
    store::CloseFile(old_file);
    return;
  }
  bool written = WriteRewrittenDatabase(new_path, old_file, old_count);
  store::CloseFile(old_file);
  if (!written) {
    // The old database, its backups and its index stay as they were.
    DiscardPartialFile(new_path);
    return;
  }
  if (!DeleteIndex(path)) return;
  RotateBackups(path, 2);
  RenameIntoPlace(new_path, path);
}

void ReadCircuitRoster(const std::string& path, int circuit) {
  model::CircuitRecord& c = model::Circuits().records[static_cast<std::size_t>(circuit)];
  int slots = model::RosterSlots();
  c.roster = store::NewList<model::RosterEntry>(slots);
  if (c.roster == nullptr || !store::Platform().FileExists(path)) return;
  int file = store::FreeFile();
  store::OpenFile(path, store::FileMode::kInput, file);
  std::int32_t count =
      store::CutCount(file, store::ReadNumber(file), static_cast<int>(kRecordItems.size()));
  model::RosterEntry dropped{};
  const roster::WrestlerRecord none{};
  const auto& wrestlers = roster::Database().wrestlers;
  int stored = roster::StoredWrestlerCount();
  for (std::int32_t i = 1; i <= count; ++i) {
    model::RosterEntry& entry = i <= slots ? c.roster[i] : dropped;
    entry = model::RosterEntry{};
    ReadRosterEntry(file, entry, i <= stored ? wrestlers[static_cast<std::size_t>(i)] : none);
    DecideHire(entry, circuit);
    if (i <= slots && c.injuries != nullptr) entry.injury = c.injuries[i];
  }
  store::CloseFile(file);
}

}  // namespace kzo::circuits
