// A roster file read the way the loading driver reads one: the record count, cut to what
// the file can hold, then records 1..N, each numbered by its slot before its loader runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_env.h"
#include "roster/roster_file.h"

namespace kzo::fuzz {

template <class Record, class Loader>
void FuzzRosterFile(const std::uint8_t* data, std::size_t size, int items_per_record, Loader load) {
  static FuzzEnv env;
  env.BeginRun();
  env.ClearFiles();
  env.AddFile("/legacy/data/roster.dat",
              std::string_view(reinterpret_cast<const char*>(data), size));
  int file = store::FreeFile();
  store::OpenFile("/legacy/data/roster.dat", store::FileMode::kInput, file);
  std::vector<Record> roster;
  std::int32_t count = 0;
  roster::ReadRosterRecords(file, items_per_record, roster, count, load);
  // The record is read whole and the file stays usable.
  while (!store::AtEndOfFile(file)) store::ReadLine(file);
  env.EndRun();
}

}  // namespace kzo::fuzz
