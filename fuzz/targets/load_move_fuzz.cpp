// Fuzzes the move loader with a whole roster file of move records.
#include "roster/move.h"
#include "roster_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kzo::fuzz::FuzzRosterFile<kzo::roster::MoveRecord>(data, size, kzo::roster::kMoveRecordItems,
                                                     kzo::roster::LoadMoveRecord);
  return 0;
}
