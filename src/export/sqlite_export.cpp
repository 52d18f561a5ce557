#include "export/sqlite_export.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "export/sqlite_circuits.h"
#include "export/sqlite_db.h"
#include "export/sqlite_roster.h"

namespace kzo::exporter {
namespace {

// A name next to path that no file has yet.
std::string TemporaryName(const std::string& path) {
  std::random_device random;
  std::string name;
  std::error_code error;
  do {
    name = path + ".new-" + std::to_string(random() % 1000000);
  } while (std::filesystem::exists(name, error));
  return name;
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
  std::string temporary = TemporaryName(path);
  std::error_code error;
  try {
    WriteDatabase(temporary);
    std::filesystem::rename(temporary, path, error);
    if (!error) return std::nullopt;
  } catch (const std::exception& failure) {
    std::filesystem::remove(temporary, error);
    return failure.what();
  }
  std::string message = error.message();
  std::filesystem::remove(temporary, error);
  return message;
}

}  // namespace kzo::exporter
