#include "export/sqlite_export.h"

#include "export/sqlite_circuits.h"
#include "export/sqlite_db.h"
#include "export/sqlite_roster.h"
#include "store/runtime.h"

namespace kzo::exporter {
namespace {

// How many random names are tried before the export gives up on a temporary file.
constexpr int kTemporaryNameTries = 100;

// A name next to path that no file has yet, or nullopt when every name tried is taken.
std::optional<std::string> TemporaryName(const std::string& path) {
  platform::Env& platform = store::Platform();
  for (int i = 0; i < kTemporaryNameTries; ++i) {
    std::string name =
        path + ".new-" + std::to_string(static_cast<int>(platform.Random() * 1000000));
    if (!platform.FileExists(name)) return name;
  }
  return std::nullopt;
}

void WriteDatabase(const std::string& path) {
  SqliteDb db(path);
  // The file is new and is thrown away on failure: no journal file next to it.
  db.Exec("PRAGMA journal_mode = MEMORY");
  db.Exec("PRAGMA user_version = 1");
  db.Exec("BEGIN");
  CreateRosterTables(db);
  CreateCircuitTables(db);
  WriteRosterRows(db);
  WriteCircuitRows(db);
  db.Exec("COMMIT");
  db.Close();
}

}  // namespace

std::optional<std::string> WriteSqliteDatabase(const std::string& path) {
  std::optional<std::string> temporary = TemporaryName(path);
  if (!temporary) return "no free name for a temporary file";
  platform::Env& platform = store::Platform();
  int error = 0;
  try {
    WriteDatabase(*temporary);
    error = platform.ReplaceFile(*temporary, path);
    if (error == 0) return std::nullopt;
  } catch (const std::exception& failure) {
    platform.DeleteFile(*temporary);
    return failure.what();
  }
  platform.DeleteFile(*temporary);
  return store::ErrorDescription(error);
}

}  // namespace kzo::exporter
