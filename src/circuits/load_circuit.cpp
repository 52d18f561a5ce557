#include "circuits/load_circuit.h"

#include <algorithm>
#include <string>
#include <vector>

#include "circuits/card_files.h"
#include "circuits/circuit_database.h"
#include "circuits/points.h"
#include "config/file_helpers.h"
#include "config/settings.h"
#include "model/circuit.h"
#include "platform/paths.h"
#include "roster/database.h"
#include "store/datetime.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/numbers.h"
#include "store/runtime.h"

namespace kzo::circuits {
namespace {

std::int32_t NumberSetting(const std::string& file, const char* key) {
  return store::NumericValue(config::GetSetting(file, key));
}

void ReadSettings(const std::string& folder, model::CircuitRecord& c) {
  std::string file = folder + "\\kzo.cnf";
  c.AddPointsForWin = NumberSetting(file, "AddPointsForWin");
  c.DeductPointsForLoss = NumberSetting(file, "DeductPointsForLoss");
  c.TitleBonusValue = NumberSetting(file, "TitleBonusValue");
  c.WinningStreakImportance = NumberSetting(file, "WinningStreakImportance");
  c.IgnoreTitlesInGlobalRatings = NumberSetting(file, "IgnoreTitlesInGlobalRatings");
  c.HiringDontCheckGlobalTeams = NumberSetting(file, "HiringDontCheckGlobalTeams");
  c.UniverseCircuit1 = store::NewRecordString(config::GetSetting(file, "UniverseCircuit1"));
  c.UniverseCircuit2 = store::NewRecordString(config::GetSetting(file, "UniverseCircuit2"));
  if (c.AddPointsForWin == 0) c.AddPointsForWin = 500;
  if (c.DeductPointsForLoss == 0) c.DeductPointsForLoss = 250;
  if (c.TitleBonusValue == 0) c.TitleBonusValue = 10000;
}

std::int64_t Today() {
  platform::LocalTime now = store::Platform().Now();
  return store::DateTimeFromCalendar({now.year, now.month, now.day});
}

void ReadShowCount(const std::string& folder, model::CircuitRecord& c) {
  int file = config::SAFEOPEN(folder + "\\card.inf");
  if (file == 0) return;
  c.show_count = std::min<std::int32_t>(store::ReadNumber(file), model::kMaxShows);
  store::CloseFile(file);
}

// Creates one show record per show with its overview line; false when a creation failed.
bool ReadOverviews(const std::string& folder, model::CircuitRecord& c) {
  int file = config::SAFEOPEN(folder + "\\card.ovv");
  if (file == 0) return true;
  c.shows = store::NewList<model::ShowRecord*>(std::max(c.show_count, 0));
  for (std::int32_t j = 1; j <= c.show_count; ++j) {
    model::ShowRecord* show = c.shows ? store::NewObject<model::ShowRecord>() : nullptr;
    if (show == nullptr) {
      config::MSGBOX("Null pointer returned for object creation.");
      store::CloseFile(file);
      return false;
    }
    store::FreeHeapArray(c.shows[j]);
    c.shows[j] = show;
    show->overview = store::ReadRecordString(file);
  }
  store::CloseFile(file);
  return true;
}

void LoadCircuitFolder(int circuit, const std::string& folder) {
  model::CircuitRecord& c = model::Circuits().records[static_cast<std::size_t>(circuit)];
  std::string listed = "|" + std::string(View(c.folder)) + "|";
  c.hiring_listed =
      View(roster::Database().settings.GlobalHiringLimitTo).find(listed) != std::string_view::npos;
  c.today = Today();
  ReadSettings(folder, c);
  ReadShowCount(folder, c);
  if (!ReadOverviews(folder, c)) return;
  UpdateCircuitDatabase(folder + "\\circdb.dat");
  ReadCardConfiguration(folder, circuit);
  ReadInjuries(folder, circuit);
  ReadCircuitRoster(folder + "\\circdb.dat", circuit);
  ReadTitles(folder, circuit);
  ReadShowCards(folder, circuit);
  ReadWeights(folder, circuit);
  LoadCircuitPoints(circuit);
  ReadCircuitTeams(folder, circuit);
  ReadCircuitStables(folder, circuit);
}

}  // namespace

FolderPlace PlaceOf(std::string_view folder) {
  FolderPlace place = FolderPlace::kLegacyFolder;
  for (std::string_view part : platform::SplitPathComponents(folder)) {
    if (part == "..") return FolderPlace::kOutside;
    if (part != ".") place = FolderPlace::kBelow;
  }
  return place;
}

void LoadCircuit(int circuit) {
  store::Procedure procedure("LOADCIRC");
  model::CircuitRecord& c = model::Circuits().records[static_cast<std::size_t>(circuit)];
  if (c.folder == nullptr) return;
  FolderPlace place = PlaceOf(View(c.folder));
  if (place == FolderPlace::kOutside) {
    config::MSGBOX("Circuit folder outside the legacy folder skipped: " +
                   std::string(View(c.folder)));
  }
  if (place != FolderPlace::kBelow) return;
  LoadCircuitFolder(circuit, std::string(View(roster::Database().legacy_folder)) + "\\" +
                                 std::string(View(c.folder)));
}

}  // namespace kzo::circuits
