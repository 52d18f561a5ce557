#include "circuits/backups.h"

#include "store/runtime.h"

namespace kzo::circuits {
namespace {

// Reports a failed delete or rename of the file at path.
void ReportFailure(int error, std::string_view path) {
  if (error != 0) store::RaiseErrorAt(error, store::FilePlace(path));
}

}  // namespace

std::string BackupName(std::string_view path, int number) {
  return std::string(path) + ".bak" + std::to_string(number);
}

void RotateBackups(std::string_view path, int depth) {
  store::Procedure procedure("BACKUPFI");
  platform::Env& platform = store::Platform();
  // Backup numbers start at 1: a depth below 1 names no backup, and a file such as
  // path + ".bak0" is not one to delete.
  if (depth >= 1 && platform.FileExists(BackupName(path, depth))) {
    std::string oldest = BackupName(path, depth);
    ReportFailure(platform.DeleteFile(oldest), oldest);
  }
  for (int i = depth; i >= 2; --i) {
    std::string older = BackupName(path, i - 1);
    if (platform.FileExists(older))
      ReportFailure(platform.RenameFile(older, BackupName(path, i)), older);
  }
  ReportFailure(platform.RenameFile(path, BackupName(path, 1)), path);
}

}  // namespace kzo::circuits
