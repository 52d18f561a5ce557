// The import stamp that closes every roster record.
#pragma once

#include <cstdint>

#include "store/text.h"

namespace kzo::store {

struct ImportStamp {
  Text source;
  std::int64_t created;
  Text importer;
  std::int64_t modified;
};

// Writes the stamp: source "Legacy KZO Data", created MAKEDATE(2003, 1, 1, 0, 0, 0),
// importer "KZO 7 For Windows Importer", modified DATETIME(); two new record strings.
void WriteImportStamp(ImportStamp& stamp);

}  // namespace kzo::store
