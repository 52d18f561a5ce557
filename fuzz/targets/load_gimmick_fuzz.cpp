// Fuzzes the gimmick loader with a whole roster file of gimmick records.
#include "roster/gimmick.h"
#include "roster_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kzo::fuzz::FuzzRosterFile<kzo::roster::GimmickMatchRecord>(
      data, size, kzo::roster::kGimmickRecordItems, kzo::roster::LoadGimmickRecord);
  return 0;
}
