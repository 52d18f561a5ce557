#include "roster/stable.h"

#include <algorithm>

#include "store/files.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

constexpr int kManagerItems = 4;
constexpr int kDiscardedLines = 17;

// Reads the member count and all its members, keeping the first kMaxStableWrestlers. A
// count the rest of the file cannot hold is cut first, so a garbage count cannot make
// the import read failures for ever.
void ReadMembers(int file, StableRecord& record) {
  std::int32_t count = store::ReadNumber(file);
  if (count <= 0) {
    record.wrestlers_count = count;
    return;
  }
  count = store::CutCount(file, count, 1);
  std::int32_t kept = std::min(count, kMaxStableWrestlers);
  record.wrestlers = store::NewList<std::int32_t>(kept);
  record.wrestlers_count = record.wrestlers ? kept : 0;
  for (std::int32_t i = 1; i <= count; ++i) {
    std::int32_t member = store::ReadNumber(file);
    if (i <= record.wrestlers_count) record.wrestlers[i] = member;
  }
}

// Managers are packed: the non-zero numbers fill slots 1..managers_count in file order.
void ReadManagers(int file, StableRecord& record) {
  record.managers_count = 0;
  for (int i = 0; i < kManagerItems; ++i) {
    std::int32_t manager = store::ReadNumber(file);
    if (manager != 0) record.managers[static_cast<std::size_t>(++record.managers_count)] = manager;
  }
}

}  // namespace

void LoadStableRecord(int file, StableRecord& record) {
  store::Procedure procedure("LOADSTAB");
  record.sname = store::ReadRecordString(file);
  ReadMembers(file, record);
  ReadManagers(file, record);
  store::WriteImportStamp(record.stamp);
  store::SkipLines(file, kDiscardedLines);
}

}  // namespace kzo::roster
