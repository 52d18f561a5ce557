// Fuzzes the wrestler loader with a whole roster file of wrestler records.
#include "roster/wrestler.h"
#include "roster_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kzo::fuzz::FuzzRosterFile<kzo::roster::WrestlerRecord>(
      data, size, kzo::roster::kWrestlerRecordItems, kzo::roster::LoadWrestlerRecord);
  return 0;
}
