#include "circuits/card_files.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

#include "config/file_helpers.h"
#include "matchtext/card.h"
#include "matchtext/participants.h"
#include "model/circuit.h"
#include "model/find_wrestler.h"
#include "roster/database.h"
#include "roster/wrestler_lookup.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/numbers.h"
#include "store/runtime.h"
#include "store/text.h"

namespace kzo::circuits {
namespace {

constexpr int kItemsPerTitle = 3;
constexpr int kHolderNumbersConsidered = 200;
constexpr std::int32_t kDefaultWeight = 5;

model::CircuitRecord& Circuit(int circuit) {
  return model::Circuits().records[static_cast<std::size_t>(circuit)];
}

// A count that a list holds at most capacity of: stored as the capacity when above it.
std::int32_t StoredCount(std::int32_t count, int capacity) {
  return std::min(count, capacity);
}

// The name without its " Title" or " Champion" ending, trimmed; unchanged without either.
std::string ShortTitleName(std::string_view name) {
  std::size_t at = name.find(" Title");
  if (at == std::string_view::npos) at = name.find(" Champion");
  if (at == std::string_view::npos) return std::string(name);
  return std::string(TrimBlanks(name.substr(0, at)));
}

void FillHolderNames(model::TitleRecord& title, std::string_view folder,
                     const model::CircuitRecord& c) {
  std::array<std::int32_t, kHolderNumbersConsidered + 1> numbers{};
  int found = matchtext::BreakDownParticipants(View(title.holder), numbers, roster::WrestlerNames(),
                                               folder);
  found = std::min(found, kHolderNumbersConsidered);
  // Holders are wrestlers 1..min(N, 2000): the roster's index gives the lowest slot of a
  // name, so a name whose lowest slot lies beyond matches none of them.
  int slots = model::RosterSlots();
  if (found > 0 && (numbers[1] == -1 || numbers[1] > slots)) return;
  for (int k = 1; k <= found && title.holder_count < model::kMaxHolderNames; ++k) {
    std::int32_t wrestler = numbers[static_cast<std::size_t>(k)];
    if (wrestler < 1 || wrestler > slots || c.roster == nullptr) continue;
    title.holder_names[static_cast<std::size_t>(++title.holder_count)] =
        store::NewRecordString(View(c.roster[wrestler].name));
  }
}

void ReadTitle(int file, model::TitleRecord& title) {
  title.holder = store::ReadRecordString(file);
  title.title_name = store::ReadRecordString(file);
  title.title_number = store::ReadNumber(file);
  title.title_short = store::NewRecordString(ShortTitleName(View(title.title_name)));
}

// One block of a card line file: a line count L, then L lines, of which the first capacity
// are kept. A file not open has no block (with reads_missing, its count read is reported).
void ReadBlock(int file, bool reads_missing, int capacity, std::vector<std::string_view>& lines) {
  lines.clear();
  if (!store::IsFileOpen(file) && !reads_missing) return;
  std::int32_t count = store::CutCount(file, store::ReadNumber(file), 1);
  store::ReadLines(file, count, &lines, static_cast<std::size_t>(capacity));
}

std::string CardFileName(const std::string& folder, std::string_view series, int number) {
  char digits[16];
  std::snprintf(digits, sizeof(digits), "%03d", number);
  return folder + "\\card" + std::string(series) + "." + digits;
}

// The three card line files of one number: ra, fa, ca.
struct CardFileSet {
  std::array<int, 3> files{};
  bool later = false;  // a set after the first: its missing files are reported

  void Open(const std::string& folder, int number) {
    static constexpr std::array<std::string_view, 3> kSeries = {"ra", "fa", "ca"};
    for (std::size_t kind = 0; kind < 3; ++kind) {
      std::string path = CardFileName(folder, kSeries[kind], number);
      if (later) {
        files[kind] = FreeNumberAfter(kind);
        store::OpenFile(path, store::FileMode::kInput, files[kind]);
      } else {
        files[kind] = config::SAFEOPEN(path);
      }
    }
  }
  void Close() {
    for (int file : files) store::CloseFile(file);
  }

  // A free file number other than those of the kinds before kind: a number whose open
  // failed is still free, and must not name two files of the set.
  int FreeNumberAfter(std::size_t kind) const {
    for (int number = 1; number <= store::kMaxFileNumber; ++number) {
      bool taken = store::IsFileOpen(number);
      for (std::size_t before = 0; before < kind; ++before) taken |= files[before] == number;
      if (!taken) return number;
    }
    return 0;
  }
};

// Reads a circuit's own records file (its "teams.dat" or "stables.dat"). It differs from the
// loading driver's roster reader on purpose: a circuit keeps at most its capacity of records
// in a heap list and reads the rest to stay in step, its records are not numbered, and a
// missing file means no records without a report.
template <class Record, class Loader>
void ReadRecordsFile(const std::string& path, int items_per_record, int capacity, Record*& records,
                     std::int32_t& count, Loader load) {
  count = 0;
  if (!store::Platform().FileExists(path)) return;
  int file = config::SAFEOPEN(path);
  std::int32_t read = store::CutCount(file, store::ReadNumber(file), items_per_record);
  count = StoredCount(read, capacity);
  records = store::NewList<Record>(std::max(count, 0));
  Record dropped{};
  for (std::int32_t i = 1; i <= read; ++i) {
    dropped = Record{};
    load(file, records != nullptr && i <= capacity ? records[i] : dropped);
  }
  store::CloseFile(file);
}

}  // namespace

void ReadCardConfiguration(const std::string& folder, int circuit) {
  int file = config::SAFEOPEN(folder + "\\card.cfg");
  if (file == 0) return;
  Circuit(circuit).card_cfg_value = store::ReadNumber(file);
  store::CloseFile(file);
}

void ReadInjuries(const std::string& folder, int circuit) {
  model::CircuitRecord& c = Circuit(circuit);
  int slots = model::RosterSlots();
  c.injuries = store::NewList<std::int32_t>(slots);
  int file = config::SAFEOPEN(folder + "\\card.inj");
  if (file == 0) return;
  while (!store::AtEndOfFile(file)) {
    std::string name(store::ReadLine(file));
    std::int32_t value = store::NumericValue(store::ReadLine(file));
    std::int32_t wrestler = store::NumericValue(name);
    if (wrestler == 0) wrestler = model::FindWrestler(name, 0);
    if (c.injuries != nullptr && wrestler >= 0 && wrestler <= slots) c.injuries[wrestler] = value;
  }
  store::CloseFile(file);
}

void ReadTitles(const std::string& folder, int circuit) {
  model::CircuitRecord& c = Circuit(circuit);
  int file = config::SAFEOPEN(folder + "\\card.ttl");
  if (file == 0) return;
  std::int32_t count = store::CutCount(file, store::ReadNumber(file), kItemsPerTitle);
  c.title_count = StoredCount(count, model::kMaxTitles);
  c.titles = store::NewList<model::TitleRecord>(std::max(c.title_count, 0));
  model::TitleRecord dropped{};
  for (std::int32_t t = 1; t <= count; ++t) {
    bool kept = c.titles != nullptr && t <= model::kMaxTitles;
    model::TitleRecord& title = kept ? c.titles[t] : dropped;
    ReadTitle(file, title);
    if (kept && View(title.holder) != "vacant") FillHolderNames(title, folder, c);
  }
  store::CloseFile(file);
}

void ReadShowCards(const std::string& folder, int circuit) {
  model::CircuitRecord& c = Circuit(circuit);
  CardFileSet set;
  int number = 1;
  set.Open(folder, number);
  if (set.files[0] == 0) {
    set.Close();
    return;
  }
  std::vector<std::string_view> ra, fa, ca;
  matchtext::ShowCardDraft draft;
  for (std::int32_t j = 1; j <= c.show_count; ++j) {
    if (store::AtEndOfFile(set.files[0])) {
      set.Close();
      set.later = true;
      set.Open(folder, ++number);
    }
    ReadBlock(set.files[0], set.later, 2000, ra);
    ReadBlock(set.files[1], set.later, 40000, fa);
    ReadBlock(set.files[2], set.later, 2000, ca);
    model::ShowRecord* show = c.shows != nullptr ? c.shows[j] : nullptr;
    if (show != nullptr) matchtext::MakeShowCard(*show, ra, fa, ca, draft);
  }
  set.Close();
}

void ReadWeights(const std::string& folder, int circuit) {
  model::CircuitRecord& c = Circuit(circuit);
  int slots = model::RosterSlots();
  c.wht_values = store::NewList<std::int32_t>(slots);
  int file = config::SAFEOPEN(folder + "\\card.wht");
  int wrestlers = roster::StoredWrestlerCount();
  for (int i = 1; i <= wrestlers; ++i) {
    std::int32_t value =
        file != 0 && !store::AtEndOfFile(file) ? store::ReadNumber(file) : kDefaultWeight;
    if (i <= slots && c.wht_values != nullptr) c.wht_values[i] = value;
  }
  store::CloseFile(file);
}

void ReadCircuitTeams(const std::string& folder, int circuit) {
  model::CircuitRecord& c = Circuit(circuit);
  ReadRecordsFile(folder + "\\teams.dat", roster::kTeamRecordItems, model::kMaxCircuitTeams,
                  c.teams, c.team_count, roster::LoadTeamRecord);
}

void ReadCircuitStables(const std::string& folder, int circuit) {
  model::CircuitRecord& c = Circuit(circuit);
  ReadRecordsFile(folder + "\\stables.dat", roster::kStableRecordItems, model::kMaxCircuitStables,
                  c.stables, c.stable_count, roster::LoadStableRecord);
}

}  // namespace kzo::circuits
