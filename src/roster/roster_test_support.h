// Fixtures of the roster loader tests: a records file written from its items, and a golden
// listing of the fields a loaded record sets.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "roster/field_dictionary.h"
#include "store/files.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::roster {

class RecordFileTest : public testing::RunTest {
 protected:
  // Loads a record from a file holding the items, one per line, followed by the line
  // "NEXT"; next_line receives the line read after the record ("NEXT" when the loader read
  // exactly the record's items).
  template <class Record, class Loader>
  Record Load(Loader load, const std::vector<std::string>& items) {
    std::string bytes;
    for (const std::string& item : items) bytes += item + "\r\n";
    folder.Write("records.dat", bytes + "NEXT\r\n");
    int file = store::FreeFile();
    store::OpenFile(folder / "records.dat", store::FileMode::kInput, file);
    Record record{};
    load(file, record);
    next_line = View(store::ReadRecordString(file));
    store::CloseFile(file);
    return record;
  }

  platform::TempFolder folder;
  std::string next_line;
};

// The int fields of a record that are not 0, as "field=value" in the field dictionary's
// order, for the entries of table ("wrestlers", "dives", ...): a golden listing that names
// every field the bits of a record set.
template <class Record>
std::vector<std::string> NonZeroFields(const Record& record, std::string_view table) {
  InitFieldDictionary();
  std::string prefix = std::string(table) + ".";
  std::vector<std::string> fields;
  const FieldDictionary& dictionary = Dictionary();
  for (int i = 1; i <= dictionary.entry_count; ++i) {
    const FieldEntry& entry = dictionary.entries[static_cast<std::size_t>(i)];
    std::string_view key = View(entry.key);
    if (!key.starts_with(prefix) || entry.slots != 0 || entry.value_type == kTypeText) continue;
    std::int32_t value;
    std::memcpy(&value, reinterpret_cast<const char*>(&record) + entry.field, sizeof value);
    if (value != 0)
      fields.push_back(std::string(key.substr(prefix.size())) + "=" + std::to_string(value));
  }
  return fields;
}

}  // namespace kzo::roster
