// Writing the files of the HTML site: escaping, the one place where a text becomes part of
// a page; the page layout every page shares; and the names of the pages, so that every
// link names a page the site writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "export/output_file.h"
#include "platform/env.h"
#include "store/text.h"

namespace kzo::exporter {

// Appends a UTF-8 text as HTML text or attribute value: & < > " ' as character references,
// and control characters other than tab and line ends, which no page may hold, as U+FFFD.
void AppendHtmlEscaped(std::string& out, std::string_view utf8);

// Markup of this program's own: only string literals, so that no text of the model or of
// the user can reach a page unescaped.
struct Markup {
  template <std::size_t N>
  consteval Markup(const char (&literal)[N]) : text(literal, N - 1) {}
  std::string_view text;
};
// A text of the model (or a part of one): decoded from code page 437 to UTF-8, then
// escaped. A null text is the empty text.
struct Legacy {
  explicit Legacy(Text text) : bytes(View(text)) {}
  explicit Legacy(std::string_view part) : bytes(part) {}
  std::string_view bytes;
};
// A UTF-8 text that is not markup (a page name, a label): escaped.
struct Plain {
  std::string_view utf8;
};

// One file of the site, written to disk as it grows (a page's text is handed over in
// pieces, never held whole).
class SiteFile {
 public:
  // Creates the file at path (taken exactly as written by files).
  SiteFile(platform::Env& files, const std::string& path);
  SiteFile(const SiteFile&) = delete;
  SiteFile& operator=(const SiteFile&) = delete;

  SiteFile& operator<<(Markup markup);
  SiteFile& operator<<(Legacy text);
  SiteFile& operator<<(Plain text);
  SiteFile& operator<<(std::int64_t number);
  // Bytes of a file that is no page (the search index's script), taken as they are.
  void Verbatim(std::string_view bytes);

  // Closes the file; the reason when it could not be written whole.
  std::optional<std::string> Finish();

 private:
  PieceFile file_;
};

// The page layout: the head with the page's title (kind, or name and kind, when the name is
// not null), the style sheet, the header with the site's navigation and its search box, and
// the page's heading (the name, or the kind) unless the page writes a heading of its own.
enum class Heading { kName, kOwn };
void BeginPage(SiteFile& page, std::string_view kind, Text name = nullptr,
               Heading heading = Heading::kName);
// Ends what BeginPage began; every page loads the script that sorts its tables, and then
// the scripts named (file names of the site).
void EndPage(SiteFile& page, std::initializer_list<std::string_view> scripts = {});

// A table of rows under a row of column headings, which the site's script lets the reader
// sort by (a page is complete without it): BeginTable writes up to the first row. The id
// names the table for links and charts; none when empty.
void BeginTable(SiteFile& page, std::string_view id, std::initializer_list<Markup> headings);
void EndTable(SiteFile& page);

// A link to a page of the site with a model text as its label; "(no name)" for an empty
// one, so that every link has a name.
void Link(SiteFile& page, const std::string& href, Legacy label);

// The file names of the pages.
std::string WrestlerPage(int wrestler);
std::string MovePage(int move);
std::string ManagerPage(int manager);
std::string TeamPage(int team);
std::string StablePage(int stable);
std::string CircuitPage(int circuit);
std::string ShowPage(int circuit, int show);
inline constexpr std::string_view kLeadersPage = "leaders.html";
inline constexpr std::string_view kSearchPage = "search.html";

}  // namespace kzo::exporter
