// Fuzzes the foreign object loader with a whole roster file of foreign object records.
#include "roster/foreign_object.h"
#include "roster_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kzo::fuzz::FuzzRosterFile<kzo::roster::ForeignObjectRecord>(
      data, size, kzo::roster::kForeignObjectRecordItems, kzo::roster::LoadForeignObjectRecord);
  return 0;
}
