#include "driver/loaddbs.h"

#include <string>
#include <vector>

#include "circuits/breakdowns.h"
#include "circuits/load_circuit.h"
#include "config/settings.h"
#include "config/translate.h"
#include "model/circuit.h"
#include "roster/crowd.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"
#include "roster/roster_file.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/numbers.h"
#include "store/runtime.h"

namespace kzo::driver {
namespace {

constexpr std::size_t kSettingLimit = 999;

void ReadGlobalSettings(const std::string& folder) {
  std::string file = folder + "\\kzo.cnf";
  roster::GlobalSettings& settings = roster::Database().settings;
  settings.UsePersons = store::NumericValue(config::GetSetting(file, "UsePersons"));
  settings.CCBackground = store::NumericValue(config::GetSetting(file, "CCBackground"));
  settings.GlobalHiring = store::NumericValue(config::GetSetting(file, "GlobalHiring"));
  std::string limit = config::GetSetting(file, "GlobalHiringLimitTo");
  settings.GlobalHiringLimitTo =
      store::NewRecordString(std::string_view(limit).substr(0, kSettingLimit));
}

// Reads one roster file of the legacy folder into its roster.
template <class Record, class... Rest>
void LoadRosterFile(int file, const std::string& path, int items_per_record,
                    std::vector<Record>& roster, std::int32_t& count, Rest... rest) {
  store::OpenFile(path, store::FileMode::kInput, file);
  roster::ReadRosterRecords(file, items_per_record, roster, count, rest...);
  store::CloseFile(file);
}

void LoadRosters(const std::string& folder, int file) {
  roster::RosterDatabase& db = roster::Database();
  std::string data = folder + "\\data\\";
  LoadRosterFile(file, data + "managers.dat", roster::kManagerRecordItems, db.managers,
                 db.manager_count, roster::LoadManagerRecord);
  LoadRosterFile(file, data + "moves.dat", roster::kMoveRecordItems, db.moves, db.move_count,
                 roster::LoadMoveRecord);
  db.moves[0].mname_noarticle = store::NewRecordString("--- None ---");
  db.moves[0].mname = store::NewRecordString("--- None ---");
  LoadRosterFile(file, data + "dives.dat", roster::kDiveRecordItems, db.dives, db.dive_count,
                 roster::LoadDiveRecord);
  LoadRosterFile(
      file, data + "wrestlrs.dat", roster::kWrestlerRecordItems, db.wrestlers, db.wrestler_count,
      roster::LoadWrestlerRecord, [&folder](roster::WrestlerRecord& wrestler) {
        wrestler.entrance_theme =
            store::NewRecordString(config::TranslatePath(View(wrestler.entrance_theme), folder, 0));
      });
  LoadRosterFile(file, data + "fobjects.dat", roster::kForeignObjectRecordItems, db.foreign_objects,
                 db.foreign_object_count, roster::LoadForeignObjectRecord);
  LoadRosterFile(file, data + "gimmicks.dat", roster::kGimmickRecordItems, db.gimmick_matches,
                 db.gimmick_match_count, roster::LoadGimmickRecord);
  LoadRosterFile(file, data + "stables.dat", roster::kStableRecordItems, db.stables,
                 db.stable_count, roster::LoadStableRecord);
  LoadRosterFile(file, data + "teams.dat", roster::kTeamRecordItems, db.teams, db.team_count,
                 roster::LoadTeamRecord);
}

// Reads the circuit list three lines per circuit, loading and breaking down each circuit
// before the next entry is read. The table holds 100 circuits; reading stops after them.
void LoadCircuitList(const std::string& folder, int file) {
  std::string path = folder + "\\card.lgs";
  if (!store::Platform().FileExists(path)) return;
  store::OpenFile(path, store::FileMode::kInput, file);
  model::CircuitTable& table = model::Circuits();
  while (!store::AtEndOfFile(file) && table.count < model::kMaxCircuits) {
    int c = ++table.count;
    model::CircuitRecord& circuit = table.records[static_cast<std::size_t>(c)];
    circuit.lgs_line1 = store::ReadRecordString(file);
    circuit.folder = store::ReadRecordString(file);
    circuit.lgs_line3 = store::ReadRecordString(file);
    circuits::LoadCircuit(c);
    circuits::ComputeMatchBreakdowns(c);
  }
  store::CloseFile(file);
}

}  // namespace

void LOADDBS(std::string_view legacy_folder) {
  store::Procedure procedure("LOADDBS");
  std::string folder(legacy_folder);
  roster::Database().legacy_folder = store::NewRecordString(folder);
  ReadGlobalSettings(folder);
  int file = store::FreeFile();
  LoadRosters(folder, file);
  roster::ReadCrowdFile(folder + "\\data\\crowd.cnf", 1);
  roster::ReadCrowdFile(folder + "\\data\\wcrowd.cnf", 2);
  LoadCircuitList(folder, file);
  roster::InitFieldDictionary();
}

}  // namespace kzo::driver
