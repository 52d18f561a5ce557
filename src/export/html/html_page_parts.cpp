// Names, links and member lists that several kinds of page show.
#include "export/html/html_pages.h"
#include "export/slots.h"
#include "model/find_wrestler.h"
#include "roster/database.h"

namespace kzo::exporter {

void WriteCircuitLink(SiteFile& page, int circuit) {
  Link(page, CircuitPage(circuit), Legacy{CircuitName(circuit)});
}

const model::CircuitRecord& CircuitOf(int circuit) {
  return model::Circuits().records[static_cast<std::size_t>(circuit)];
}

void WriteNamedWrestler(SiteFile& page, Text name, std::int64_t wrestler) {
  if (IsStoredWrestler(wrestler)) {
    Link(page, WrestlerPage(static_cast<int>(wrestler)), Legacy{NameOr(name, kNoName)});
  } else {
    page << Legacy{name};
  }
}

void WriteTeamMembers(SiteFile& page, const roster::TeamRecord& team, int circuit) {
  WriteNamedWrestler(page, team.wrestler1, model::FindWrestler(View(team.wrestler1), circuit));
  page << " &amp; ";
  WriteNamedWrestler(page, team.wrestler2, model::FindWrestler(View(team.wrestler2), circuit));
}

void WriteStableMembers(SiteFile& page, const roster::StableRecord& stable) {
  int members = StoredSlots(stable.wrestlers, stable.wrestlers_count, roster::kMaxStableWrestlers);
  bool first = true;
  for (int m = 1; m <= members; ++m) {
    if (stable.wrestlers[m] == 0) continue;
    if (!first) page << ", ";
    first = false;
    WriteReference(page, roster::kKindWrestlers, offsetof(roster::WrestlerRecord, wname),
                   stable.wrestlers[m]);
  }
}

Text NameOr(Text name, Text fallback) {
  return View(name).empty() ? fallback : name;
}

Text CircuitName(int circuit) {
  return NameOr(CircuitOf(circuit).lgs_line1, kNoName);
}

Text ShowName(const model::ShowRecord& show) {
  return NameOr(show.overview, kNoName);
}

void WriteTitleHolders(SiteFile& page, int circuit, const model::TitleRecord& title) {
  int holders = StoredSlots(title.holder_count, model::kMaxHolderNames);
  if (holders == 0) page << Legacy{title.holder};
  for (int h = 1; h <= holders; ++h) {
    if (h > 1) page << " &amp; ";
    Text name = title.holder_names[static_cast<std::size_t>(h)];
    WriteNamedWrestler(page, name, model::FindWrestler(View(name), circuit));
  }
}

}  // namespace kzo::exporter
