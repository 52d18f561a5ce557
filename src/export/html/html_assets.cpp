#include "export/html/html_assets.h"

namespace kzo::exporter {

const std::string_view kSiteStyleSheet = R"(body {
  margin: 0; font: 16px/1.45 system-ui, sans-serif; color: #1d232b; background: #f6f7f9;
}
nav { background: #23303f; padding: 0.5em 1em; }
nav a { color: #fff; margin-right: 1em; text-decoration: none; font-weight: 600; }
main { max-width: 70em; margin: 0 auto; padding: 0.5em 1em 2em; }
footer { max-width: 70em; margin: 0 auto; padding: 1em; color: #667; font-size: 0.85em; }
h1 { margin: 0.4em 0; }
h2 { margin-top: 1.5em; border-bottom: 1px solid #d5d9de; }
a { color: #1a5fb4; }
table { border-collapse: collapse; margin: 0.5em 0; display: block; overflow-x: auto; }
th, td { text-align: left; vertical-align: top; padding: 0.25em 0.6em; border-bottom: 1px solid #e1e4e8; }
th { background: #eceff3; }
table.fields th { background: none; font-weight: 600; }
ul.plain { list-style: none; margin: 0; padding: 0; }
ul.sizes { columns: 2 12em; }
pre { white-space: pre-wrap; overflow-wrap: anywhere; background: #fff; padding: 0.5em; border: 1px solid #e1e4e8; }
.nickname { font-style: italic; color: #445; }
.segment { background: #fff; border: 1px solid #e1e4e8; border-radius: 4px; padding: 0 1em 0.5em; margin: 1em 0; }
.segment h2 { border: none; margin-top: 0.5em; }
.rating { font-weight: 600; }
td.win { color: #1b7a35; } td.loss { color: #b0281a; } td.draw { color: #6b6f76; }
.chart svg { width: 100%; max-width: 40em; height: auto; font-size: 13px; }
.chart rect.win { fill: #2f9e50; } .chart rect.loss { fill: #d2473a; } .chart rect.draw { fill: #a3a8b0; }
.chart figcaption { color: #667; font-size: 0.85em; }
.search input { font-size: 1em; padding: 0.3em; width: min(24em, 90%); }
@media (max-width: 40em) { body { font-size: 15px; } th, td { padding: 0.2em 0.4em; } }
)";

const std::string_view kSiteSearchScript = R"(// Finds wrestlers and shows by name.
(function () {
  var input = document.getElementById('q');
  var list = document.getElementById('results');
  if (!input || !list || typeof KZO_SEARCH === 'undefined') return;
  function add(text, href, what) {
    var item = document.createElement('li');
    if (href) {
      var link = document.createElement('a');
      link.href = href;
      link.textContent = text;
      item.appendChild(link);
      item.appendChild(document.createTextNode(' (' + what + ')'));
    } else {
      item.textContent = text;
    }
    list.appendChild(item);
  }
  function search(query) {
    while (list.firstChild) list.removeChild(list.firstChild);
    var words = query.toLowerCase().split(/\s+/).filter(Boolean);
    if (!words.length) return;
    var found = 0;
    for (var i = 0; i < KZO_SEARCH.length && found < 50; i++) {
      var name = KZO_SEARCH[i][0].toLowerCase();
      if (!words.every(function (word) { return name.indexOf(word) >= 0; })) continue;
      add(KZO_SEARCH[i][0], KZO_SEARCH[i][1], KZO_SEARCH[i][2]);
      found++;
    }
    if (!found) add('Nothing found.');
  }
  input.addEventListener('input', function () { search(input.value); });
  var query = new URLSearchParams(location.search).get('q');
  if (query) {
    input.value = query;
    search(query);
  }
})();
)";

}  // namespace kzo::exporter
