// The charts of the wrestlers' and circuits' pages.
#include <algorithm>
#include <string>

#include "export/html/html_pages.h"

namespace kzo::exporter {
namespace {

// Every chart is this many units wide; its texts are sized in these units (style.css).
constexpr int kWidth = 360;

void BeginChart(SiteFile& page, std::int64_t height, std::string_view title,
                std::string_view table) {
  page << "<figure class=\"chart\"><svg viewBox=\"0 0 " << kWidth << " " << height
       << "\" role=\"img\" aria-describedby=\"" << Plain{table} << "\"><title>" << Plain{title}
       << "</title>\n";
}

void EndChart(SiteFile& page, std::string_view caption) {
  page << "</svg><figcaption>" << Plain{caption} << "</figcaption></figure>\n";
}

}  // namespace

void WriteResultsChart(SiteFile& page, const Career& career, std::string_view table) {
  // A bar per match, in rows of kPerRow under the circuit's name.
  constexpr int kStep = 8, kBar = 6, kPerRow = kWidth / kStep, kLabel = 18, kRow = 28;
  std::int64_t height = 4;
  for (const CircuitCareer& circuit : career.circuits) {
    height += kLabel + (circuit.record.matches + kPerRow - 1) / kPerRow * kRow;
  }
  BeginChart(page, height,
             "Results match by match, a row per circuit: wins above the line, losses below it, "
             "draws on it",
             table);
  // The bars of each result in one path: a rectangle per match, kBar wide.
  std::string bars[3];  // wins, losses, draws
  std::int64_t y = 0;
  auto appearance = career.appearances.begin();
  for (const CircuitCareer& circuit : career.circuits) {
    page << "<text x=\"0\" y=\"" << y + 14 << "\">" << Legacy{CircuitName(circuit.circuit)}
         << "</text>\n";
    y += kLabel;
    for (int i = 0; i < circuit.record.matches; ++i, ++appearance) {
      std::int64_t x = i % kPerRow * kStep;
      std::int64_t line = y + i / kPerRow * kRow + kRow / 2;
      auto bar = [&](std::string& path, std::int64_t top, int height) {
        path += "M" + std::to_string(x) + " " + std::to_string(top) + "h" + std::to_string(kBar) +
                "v" + std::to_string(height) + "h-" + std::to_string(kBar) + "z";
      };
      switch (ResultOf(appearance->outcome)) {
        case Result::kWin:
          bar(bars[0], line - 11, 11);
          break;
        case Result::kLoss:
          bar(bars[1], line, 11);
          break;
        case Result::kDraw:
          bar(bars[2], line - 2, 4);
          break;
        case Result::kNone:
          break;
      }
    }
    y += (circuit.record.matches + kPerRow - 1) / kPerRow * kRow;
  }
  const Markup classes[] = {"win", "loss", "draw"};
  for (int kind = 0; kind < 3; ++kind) {
    if (bars[kind].empty()) continue;
    page << "<path class=\"" << classes[kind] << "\" d=\"" << Plain{bars[kind]} << "\"/>\n";
  }
  EndChart(page, "Wins up, losses down, draws on the line; the table of matches lists them.");
}

void WriteRatingsChart(SiteFile& page, const std::vector<ShowRating>& ratings,
                       std::string_view table) {
  // The plot: x from kLeft to kWidth - kRight, y from kTop (the highest rating) to kBottom (0).
  constexpr int kLeft = 36, kRight = 10, kTop = 10, kBottom = 170, kHeight = 196;
  std::int64_t highest = 0;
  std::vector<std::pair<int, std::int64_t>> points;
  for (std::size_t s = 1; s < ratings.size(); ++s) {
    if (std::optional<std::int64_t> average = ratings[s].Average()) {
      points.emplace_back(static_cast<int>(s), *average);
      highest = std::max(highest, *average);
    }
  }
  // The scale's top: the highest average rounded up to a multiple of ten (in tenths, 100).
  std::int64_t top = std::max<std::int64_t>(100, (highest + 99) / 100 * 100);
  int shows = std::max<int>(1, static_cast<int>(ratings.size()) - 1);
  int last = std::max(2, shows);
  auto x_of = [&](int show) {
    return kLeft + std::int64_t{show - 1} * (kWidth - kLeft - kRight) / (last - 1);
  };
  auto y_of = [&](std::int64_t tenths) { return kBottom - tenths * (kBottom - kTop) / top; };
  BeginChart(page, kHeight, "The average rating of each show, by show number", table);
  page << "<path class=\"axis\" d=\"M" << kLeft << " " << kTop << "V" << kBottom << "H"
       << kWidth - kRight << "\"/>\n";
  for (std::int64_t tick : {std::int64_t{0}, top / 2, top}) {
    page << "<text x=\"" << kLeft - 4 << "\" y=\"" << y_of(tick) + 4 << "\" text-anchor=\"end\">"
         << tick / 10 << "</text>";
  }
  page << "<text x=\"" << kLeft << "\" y=\"" << kHeight - 6 << "\">show 1</text><text x=\""
       << kWidth - kRight << "\" y=\"" << kHeight - 6 << "\" text-anchor=\"end\">show " << shows
       << "</text>\n";
  if (!points.empty()) {
    page << "<path class=\"line\" d=\"";
    for (const auto& [show, average] : points) {
      page << (&show == &points.front().first ? Markup("M") : Markup(" L")) << x_of(show) << " "
           << y_of(average);
    }
    page << "\"/>\n";
    // Points of their own only where there is room for them.
    for (std::size_t p = 0; points.size() <= 100 && p < points.size(); ++p) {
      page << "<circle class=\"point\" cx=\"" << x_of(points[p].first) << "\" cy=\""
           << y_of(points[p].second) << "\" r=\"2.5\"/>";
    }
  }
  EndChart(page, "Average rating per show; the table of shows lists them.");
}

}  // namespace kzo::exporter
