#include "export/sqlite/sqlite_export.h"

#include "export/output_file.h"
#include "export/sqlite/sqlite_circuits.h"
#include "export/sqlite/sqlite_db.h"
#include "export/sqlite/sqlite_roster.h"

namespace kzo::exporter {
namespace {

void WriteDatabase(const std::string& path) {
  SqliteDb db(path);
  // The file is new, written by this process alone, and thrown away on failure: nothing to
  // roll back, so no journal at all, no waits for the disk, no locks taken again and again.
  // Rows come in the order of their keys, so only the last pages of each table and index
  // change again: a small cache holds them, and larger pages mean fewer pages to write and
  // link.
  db.Exec("PRAGMA page_size = 16384");
  db.Exec("PRAGMA journal_mode = OFF");
  db.Exec("PRAGMA synchronous = OFF");
  db.Exec("PRAGMA locking_mode = EXCLUSIVE");
  db.Exec("PRAGMA cache_size = -4096");
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

std::optional<std::string> WriteSqliteDatabase(platform::Env& files, const std::string& path) {
  return WriteWholeFile(files, path, [](const std::string& temporary) {
    try {
      WriteDatabase(temporary);
      return std::optional<std::string>();
    } catch (const std::exception& failure) {
      return std::optional<std::string>(failure.what());
    }
  });
}

}  // namespace kzo::exporter
