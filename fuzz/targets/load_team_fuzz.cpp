// Fuzzes the team loader with a whole roster file of team records.
#include "roster/team.h"
#include "roster_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kzo::fuzz::FuzzRosterFile<kzo::roster::TeamRecord>(data, size, kzo::roster::kTeamRecordItems,
                                                     kzo::roster::LoadTeamRecord);
  return 0;
}
