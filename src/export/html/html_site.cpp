#include "export/html/html_site.h"

#include <functional>

#include "export/html/html_assets.h"
#include "export/html/html_pages.h"
#include "export/json_writer.h"
#include "export/output_folder.h"
#include "export/slots.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

constexpr std::string_view kMarkerText =
    "This folder is a web site written by kzo-export --format html. The next export to this\n"
    "folder replaces it whole, with everything in it.\n";

// Writes the files of the site into an existing folder, one at a time, and keeps the first
// failure; after a failure nothing more is written.
class SiteFolderWriter {
 public:
  SiteFolderWriter(platform::Env& files, std::string folder)
      : files_(files), folder_(std::move(folder)) {}

  void Write(const std::string& name, const std::function<void(SiteFile&)>& write) {
    if (failure_) return;
    SiteFile file(files_, folder_ + "/" + name);
    write(file);
    failure_ = file.Finish();
  }
  const std::optional<std::string>& failure() const { return failure_; }

 private:
  platform::Env& files_;
  std::string folder_;
  std::optional<std::string> failure_;
};

// Hands the search index's JSON to its file as it is written.
class SearchIndexSink : public JsonSink {
 public:
  explicit SearchIndexSink(SiteFile& file) : file_(file) {}
  void Take(std::string_view bytes) override { file_.Verbatim(bytes); }

 private:
  SiteFile& file_;
};

void WriteSearchEntry(JsonWriter& json, Text name, const std::string& page, Text what) {
  json.BeginArray();
  json.TextValue(NameOr(name, kNoName));
  json.String(page);
  json.TextValue(what);
  json.EndArray();
}

// "search-index.js": KZO_SEARCH, the name, page and kind of every wrestler, team, circuit
// and show.
void WriteSearchIndex(SiteFile& file) {
  std::string pending = "var KZO_SEARCH = ";
  SearchIndexSink sink(file);
  JsonWriter json(pending, &sink);
  json.BeginArray();
  const auto& wrestlers = roster::Database().wrestlers;
  for (int w = 1; w <= roster::StoredWrestlerCount(); ++w) {
    WriteSearchEntry(json, wrestlers[static_cast<std::size_t>(w)].wname, WrestlerPage(w),
                     "wrestler");
  }
  const auto& teams = roster::Database().teams;
  for (std::size_t t = 1; t < teams.size(); ++t) {
    WriteSearchEntry(json, teams[t].tname, TeamPage(static_cast<int>(t)), "team");
  }
  for (int c = 1; c <= CircuitCount(); ++c) {
    WriteSearchEntry(json, CircuitName(c), CircuitPage(c), "circuit");
    const model::CircuitRecord& circuit = CircuitOf(c);
    for (int s = 1; s <= ShowSlots(circuit); ++s) {
      if (circuit.shows[s] == nullptr) continue;
      WriteSearchEntry(json, ShowName(*circuit.shows[s]), ShowPage(c, s), CircuitName(c));
    }
  }
  json.EndArray();
  pending += ";\n";
  json.Flush();
}

void WriteCircuitPages(SiteFolderWriter& out, const Site& site) {
  for (int c = 1; c <= CircuitCount(); ++c) {
    out.Write(CircuitPage(c), [&](SiteFile& page) { WriteCircuitPage(page, site, c); });
    const model::CircuitRecord& circuit = CircuitOf(c);
    for (int s = 1; s <= ShowSlots(circuit); ++s) {
      if (circuit.shows[s] == nullptr) continue;
      out.Write(ShowPage(c, s), [&](SiteFile& page) { WriteShowPage(page, site, c, s); });
    }
  }
}

// The index of a roster and a page for each of its records 1..last.
void WriteRosterPages(SiteFolderWriter& out, const Site& site, const std::string& index,
                      const std::function<void(SiteFile&)>& write_index, int last,
                      std::string (*page_of)(int),
                      void (*write_page)(SiteFile&, const Site&, int)) {
  out.Write(index, write_index);
  for (int i = 1; i <= last; ++i) {
    out.Write(page_of(i), [&](SiteFile& page) { write_page(page, site, i); });
  }
}

// Writes every file of the site but its marker into the folder; the reason when one failed.
std::optional<std::string> WriteSiteFiles(platform::Env& files, const std::string& folder) {
  const roster::RosterDatabase& db = roster::Database();
  Site site{BuildSiteIndex(), GatherSiteFields()};
  SiteFolderWriter out(files, folder);
  out.Write("style.css", [](SiteFile& file) { file.Verbatim(kSiteStyleSheet); });
  out.Write("search.js", [](SiteFile& file) { file.Verbatim(kSiteSearchScript); });
  out.Write("sort.js", [](SiteFile& file) { file.Verbatim(kSiteSortScript); });
  out.Write("search-index.js", WriteSearchIndex);
  out.Write("index.html", [&](SiteFile& page) { WriteHomePage(page, site); });
  out.Write(std::string(kSearchPage), WriteSearchPage);
  out.Write(std::string(kLeadersPage), [&](SiteFile& page) { WriteLeadersPage(page, site); });
  WriteRosterPages(
      out, site, "wrestlers.html", [&](SiteFile& page) { WriteWrestlerIndex(page, site); },
      roster::StoredWrestlerCount(), WrestlerPage, WriteWrestlerPage);
  auto last = [](const auto& roster) { return static_cast<int>(roster.size()) - 1; };
  WriteRosterPages(out, site, "teams.html", WriteTeamIndex, last(db.teams), TeamPage,
                   WriteTeamPage);
  WriteRosterPages(out, site, "stables.html", WriteStableIndex, last(db.stables), StablePage,
                   WriteStablePage);
  WriteRosterPages(out, site, "managers.html", WriteManagerIndex, last(db.managers), ManagerPage,
                   WriteManagerPage);
  WriteRosterPages(out, site, "moves.html", WriteMoveIndex, last(db.moves), MovePage,
                   WriteMovePage);
  WriteCircuitPages(out, site);
  return out.failure();
}

}  // namespace

std::optional<std::string> WriteHtmlSite(platform::Env& files, const std::string& folder) {
  return WriteWholeFolder(files, folder, kSiteMarker, kMarkerText, [&](const std::string& written) {
    return WriteSiteFiles(files, written);
  });
}

}  // namespace kzo::exporter
