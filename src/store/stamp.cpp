#include "store/stamp.h"

#include "store/datetime.h"
#include "store/heap.h"

namespace kzo::store {

void WriteImportStamp(ImportStamp& stamp) {
  stamp.source = NewRecordString("Legacy KZO Data");
  stamp.created = MAKEDATE(2003, 1, 1, 0, 0, 0);
  stamp.importer = NewRecordString("KZO 7 For Windows Importer");
  stamp.modified = DATETIME();
}

}  // namespace kzo::store
