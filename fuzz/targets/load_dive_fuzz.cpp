// Fuzzes the dive loader with a whole roster file of dive records.
#include "roster/dive.h"
#include "roster_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kzo::fuzz::FuzzRosterFile<kzo::roster::DiveRecord>(data, size, kzo::roster::kDiveRecordItems,
                                                     kzo::roster::LoadDiveRecord);
  return 0;
}
