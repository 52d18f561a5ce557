#include "export/html/html_writer.h"

#include <array>

#include "platform/code_page.h"

namespace kzo::exporter {
namespace {

// How much of a file is gathered before it is handed to the file.

// The pages every page links to, with their labels.
constexpr std::pair<std::string_view, std::string_view> kNavigation[] = {
    {"index.html", "Home"},  {"wrestlers.html", "Wrestlers"}, {kLeadersPage, "Leaders"},
    {"teams.html", "Teams"}, {"stables.html", "Stables"},     {"managers.html", "Managers"},
    {"moves.html", "Moves"},
};

// What an ASCII byte becomes on a page: a character reference, U+FFFD for a control
// character other than tab and line ends (which no page may hold), or nothing for a byte
// kept.
constexpr std::string_view ReplacementOf(unsigned char byte) {
  switch (byte) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&#39;";
    case '\t':
    case '\n':
    case '\r':
      return {};
    default:
      return byte < 0x20 || byte == 0x7F ? "\xEF\xBF\xBD" : std::string_view();
  }
}

// The ASCII bytes a page shows as they are.
constexpr std::array<bool, 0x80> kKeptBytes = [] {
  std::array<bool, 0x80> kept{};
  for (unsigned char byte = 0; byte < 0x80; ++byte) kept[byte] = ReplacementOf(byte).empty();
  return kept;
}();

std::string NumberedPage(std::string_view kind, int number) {
  return std::string(kind) + "-" + std::to_string(number) + ".html";
}

}  // namespace

void AppendHtmlEscaped(std::string& out, std::string_view utf8) {
  // Runs of bytes that stay as they are are copied whole; the bytes of UTF-8 characters
  // beyond ASCII all do.
  std::size_t kept = 0;
  for (std::size_t at = 0; at < utf8.size(); ++at) {
    auto byte = static_cast<unsigned char>(utf8[at]);
    if (byte >= 0x80 || kKeptBytes[byte]) continue;
    out.append(utf8.substr(kept, at - kept)).append(ReplacementOf(byte));
    kept = at + 1;
  }
  out.append(utf8.substr(kept));
}

SiteFile::SiteFile(platform::Env& files, const std::string& path) : file_(files, path) {}

SiteFile& SiteFile::operator<<(Markup markup) {
  file_.pending() += markup.text;
  file_.HandOver();
  return *this;
}

SiteFile& SiteFile::operator<<(Legacy text) {
  // Decoded and escaped in one pass: a byte beyond ASCII becomes a UTF-8 character, none
  // of whose bytes is ASCII, so that nothing of it is escaped.
  std::string_view bytes = text.bytes;
  std::size_t kept = 0;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80 && kKeptBytes[byte]) continue;
    file_.pending().append(bytes.substr(kept, at - kept));
    if (byte >= 0x80) {
      platform::AppendCp437AsUtf8(file_.pending(), bytes.substr(at, 1));
    } else {
      file_.pending().append(ReplacementOf(byte));
    }
    kept = at + 1;
  }
  file_.pending().append(bytes.substr(kept));
  file_.HandOver();
  return *this;
}

SiteFile& SiteFile::operator<<(Plain text) {
  AppendHtmlEscaped(file_.pending(), text.utf8);
  file_.HandOver();
  return *this;
}

SiteFile& SiteFile::operator<<(std::int64_t number) {
  file_.pending() += std::to_string(number);
  return *this;
}

void SiteFile::Verbatim(std::string_view bytes) {
  file_.pending() += bytes;
  file_.HandOver();
}

std::optional<std::string> SiteFile::Finish() {
  return file_.Finish();
}

void BeginPage(SiteFile& page, std::string_view kind, Text name, Heading heading) {
  page << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
       << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  if (name != nullptr) page << Legacy{name} << " &ndash; ";
  page << Plain{kind} << "</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n"
       << "<body>\n<header>\n<nav aria-label=\"Site\">";
  for (const auto& [href, label] : kNavigation) {
    page << "<a href=\"" << Plain{href} << "\">" << Plain{label} << "</a> ";
  }
  page << "</nav>\n<form class=\"search\" role=\"search\" action=\"" << Plain{kSearchPage}
       << "\"><input name=\"q\" type=\"search\" aria-label=\"Find a wrestler, show, circuit "
       << "or team\" placeholder=\"Find a wrestler, show, circuit or team\">"
       << "<button type=\"submit\">Search</button></form>\n</header>\n<main>\n";
  if (heading == Heading::kOwn) return;
  page << "<h1>";
  if (name != nullptr) {
    page << Legacy{name};
  } else {
    page << Plain{kind};
  }
  page << "</h1>\n";
}

void EndPage(SiteFile& page, std::initializer_list<std::string_view> scripts) {
  page << "</main>\n<footer>Written by kzo-export from the imported installation.</footer>\n"
       << "<script src=\"sort.js\"></script>\n";
  for (std::string_view script : scripts) {
    page << "<script src=\"" << Plain{script} << "\"></script>\n";
  }
  page << "</body>\n</html>\n";
}

void BeginTable(SiteFile& page, std::string_view id, std::initializer_list<Markup> headings) {
  page << "<table class=\"sortable\"";
  if (!id.empty()) page << " id=\"" << Plain{id} << "\"";
  page << ">\n<thead><tr>";
  for (Markup heading : headings) page << "<th>" << heading << "</th>";
  page << "</tr></thead>\n<tbody>\n";
}

void EndTable(SiteFile& page) {
  page << "</tbody>\n</table>\n";
}

void Link(SiteFile& page, const std::string& href, Legacy label) {
  page << "<a href=\"" << Plain{href} << "\">";
  if (label.bytes.empty()) {
    page << "(no name)";
  } else {
    page << label;
  }
  page << "</a>";
}

std::string WrestlerPage(int wrestler) {
  return NumberedPage("wrestler", wrestler);
}
std::string MovePage(int move) {
  return NumberedPage("move", move);
}
std::string ManagerPage(int manager) {
  return NumberedPage("manager", manager);
}
std::string TeamPage(int team) {
  return NumberedPage("team", team);
}
std::string StablePage(int stable) {
  return NumberedPage("stable", stable);
}
std::string CircuitPage(int circuit) {
  return NumberedPage("circuit", circuit);
}
std::string ShowPage(int circuit, int show) {
  return "show-" + std::to_string(circuit) + "-" + std::to_string(show) + ".html";
}

}  // namespace kzo::exporter
