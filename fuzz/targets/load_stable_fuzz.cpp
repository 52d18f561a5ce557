// Fuzzes the stable loader with a whole roster file of stable records.
#include "roster/stable.h"
#include "roster_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kzo::fuzz::FuzzRosterFile<kzo::roster::StableRecord>(data, size, kzo::roster::kStableRecordItems,
                                                       kzo::roster::LoadStableRecord);
  return 0;
}
