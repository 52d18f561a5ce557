// The roster records on the site's pages: every field of a record under its field
// dictionary label, and references to other records as links to their pages (or as their
// names, for the kinds that have no pages).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/html/html_writer.h"
#include "export/record_fields.h"

namespace kzo::exporter {

// The dictionary's fields of the record types that have pages, read once per site.
struct SiteFields {
  std::vector<RecordField> wrestlers;
  std::vector<RecordField> moves;
  std::vector<RecordField> managers;
  std::vector<RecordField> teams;
  std::vector<RecordField> stables;
};
SiteFields GatherSiteFields();

// The page of record number of a kind, or "" when the kind has no pages or the site holds
// no such record.
std::string PageOfRecord(std::int32_t kind, std::int64_t number);

// Writes a reference to record number of a kind: a link to its page labelled with its
// name (the field at name_field of its record), its name alone when it has no page, and
// nothing for 0 (except move 0, which names the move "--- None ---").
void WriteReference(SiteFile& page, std::int32_t kind, std::int32_t name_field,
                    std::int64_t number);

// Writes every field of a record, its label and its value (lists as their non-empty slots),
// in groups as the dictionary's labels group them ("Style: Brawler" is "Brawler" of the
// group "Style"; labels of no group are "General"), each a table in a block of its own that
// the reader unfolds, or that stands open.
enum class Groups { kFolded, kOpen };
void WriteFieldGroups(SiteFile& page, const std::vector<RecordField>& fields,
                      const std::byte* record, Groups groups);

}  // namespace kzo::exporter
