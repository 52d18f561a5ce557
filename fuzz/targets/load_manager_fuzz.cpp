// Fuzzes the manager loader with a whole roster file of manager records.
#include "roster/manager.h"
#include "roster_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kzo::fuzz::FuzzRosterFile<kzo::roster::ManagerRecord>(
      data, size, kzo::roster::kManagerRecordItems, kzo::roster::LoadManagerRecord);
  return 0;
}
