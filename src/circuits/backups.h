// Numbered backups of a data file that is about to be replaced by a rewritten version.
#pragma once

#include <string>
#include <string_view>

namespace kzo::circuits {

// The name of backup number (1 = newest) of the file at path: path + ".bak" + number.
std::string BackupName(std::string_view path, int number);

// Turns the file at path into its newest backup, keeping depth backups: the oldest
// (backup depth) is deleted, every other backup moves one number up, and the file becomes
// backup 1, in an order in which no rename finds its target taken. Missing backups are
// skipped; a failing delete or rename is reported and the rotation goes on. Renames never
// replace a file, so a failure loses no version. A depth below 1 deletes nothing.
void RotateBackups(std::string_view path, int depth);

}  // namespace kzo::circuits
