#include "roster/manager.h"

#include "store/bits.h"
#include "store/files.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

constexpr int kDiscardedLines = 7;
// Imported managers carry no stealthiness; every one gets the middle rating.
constexpr std::int32_t kImportedStealthiness = 5;

}  // namespace

void LoadManagerRecord(int file, ManagerRecord& record) {
  store::Procedure procedure("LOADMANA");
  record.maname = store::ReadRecordString(file);
  record.foreign_object = store::ReadRecordString(file);
  std::int32_t word = store::ReadNumber(file);
  record.is_female = store::GETBITS(word, 0, 0);
  record.interference_rating = store::GETBITS(word, 1, 4);
  record.toughness_rating = store::GETBITS(word, 5, 8);
  record.stealthiness_rating = kImportedStealthiness;
  store::WriteImportStamp(record.stamp);
  store::SkipLines(file, kDiscardedLines);
}

}  // namespace kzo::roster
