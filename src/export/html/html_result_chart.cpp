// The chart of wins, losses and draws on the pages of wrestlers and circuits.
#include <algorithm>

#include "export/html/html_pages.h"

namespace kzo::exporter {

void WriteResultChart(SiteFile& page, std::string_view caption,
                      const std::vector<ResultBar>& bars) {
  constexpr int kRow = 24, kLabel = 200, kBar = 300;
  int longest = 1;
  for (const ResultBar& bar : bars) {
    longest = std::max(longest, bar.counts.wins + bar.counts.losses + bar.counts.draws);
  }
  page << "<figure class=\"chart\"><svg viewBox=\"0 0 " << kLabel + kBar + 90 << " "
       << static_cast<std::int64_t>(bars.size()) * kRow + 4 << "\" role=\"img\"><title>"
       << Plain{caption} << "</title>\n";
  std::int64_t y = 2;
  for (const ResultBar& bar : bars) {
    page << "<text x=\"0\" y=\"" << y + 16 << "\">" << Legacy{bar.label} << "</text>";
    std::int64_t x = kLabel;
    struct Part {
      int count;
      Markup kind;
    };
    const Part parts[] = {
        {bar.counts.wins, "win"}, {bar.counts.losses, "loss"}, {bar.counts.draws, "draw"}};
    for (const auto& [count, kind] : parts) {
      std::int64_t width = std::int64_t{count} * kBar / longest;
      page << "<rect class=\"" << kind << "\" x=\"" << x << "\" y=\"" << y << "\" width=\"" << width
           << "\" height=\"" << kRow - 6 << "\"/>";
      x += width;
    }
    page << "<text x=\"" << x + 6 << "\" y=\"" << y + 16 << "\">" << bar.counts.wins << "-"
         << bar.counts.losses << "-" << bar.counts.draws << "</text>\n";
    y += kRow;
  }
  page << "</svg><figcaption>" << Plain{caption} << "</figcaption></figure>\n";
}

}  // namespace kzo::exporter
