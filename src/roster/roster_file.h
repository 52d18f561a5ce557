// The records of one roster file, read the way the loading driver reads every roster.
#pragma once

#include <cstdint>
#include <vector>

#include "store/files.h"

namespace kzo::roster {

struct NothingAfterRecord {
  template <class Record>
  void operator()(Record&) const {}
};

// Reads from the open file its record count N, cut to what the file can hold, then records
// 1..N into roster (slots 0..N, zero-filled), each numbered by its slot before load reads
// it; after_record runs right after each record is loaded. count receives N.
template <class Record, class Loader, class AfterRecord = NothingAfterRecord>
void ReadRosterRecords(int file, int items_per_record, std::vector<Record>& roster,
                       std::int32_t& count, Loader load, AfterRecord after_record = {}) {
  count = store::CutCount(file, store::ReadNumber(file), items_per_record);
  roster.assign(static_cast<std::size_t>(count > 0 ? count : 0) + 1, Record{});
  for (std::int32_t i = 1; i <= count; ++i) {
    Record& record = roster[static_cast<std::size_t>(i)];
    if constexpr (requires { record.wnr; }) {
      record.wnr = i;
    } else {
      record.number = i;
    }
    load(file, record);
    after_record(record);
  }
}

}  // namespace kzo::roster
