#include "export/html/html_assets.h"

namespace kzo::exporter {

// Every colour of text and of the charts has a contrast of at least 4.5:1 to what it stands
// on. Chart texts are sized in the units of charts 360 units wide, so that they stay
// readable where a phone shows the chart about as wide.
const std::string_view kSiteStyleSheet = R"(body {
  margin: 0; font: 16px/1.45 system-ui, sans-serif; color: #1d232b; background: #f6f7f9;
}
header {
  background: #23303f; padding: 0.4em 1em; display: flex; flex-wrap: wrap; gap: 0.4em 1em;
  align-items: center; justify-content: space-between;
}
header nav a { color: #fff; margin-right: 0.9em; text-decoration: none; font-weight: 600; white-space: nowrap; }
header form { display: flex; gap: 0.3em; flex: 1 1 14em; max-width: 24em; }
header input { flex: 1; min-width: 0; font-size: 1em; padding: 0.2em 0.4em; color: #1d232b; background: #fff; }
header button { font-size: 0.95em; color: #1d232b; background: #e6eaef; }
main { max-width: 72em; margin: 0 auto; padding: 0.5em 1em 2em; }
footer { max-width: 72em; margin: 0 auto; padding: 1em; color: #545b66; font-size: 0.85em; }
h1 { margin: 0.4em 0; }
h2 { margin-top: 1.5em; border-bottom: 1px solid #d5d9de; }
a { color: #1a5fb4; }
table { border-collapse: collapse; margin: 0.5em 0; display: block; overflow-x: auto; max-width: 100%; }
th, td { text-align: left; vertical-align: top; padding: 0.25em 0.6em; border-bottom: 1px solid #e1e4e8; }
th { background: #e6eaef; }
th button { font: inherit; font-weight: 600; color: #1d232b; background: none; border: 0; padding: 0; cursor: pointer; text-align: left; }
th[aria-sort=ascending] button::after { content: " \25B2"; }
th[aria-sort=descending] button::after { content: " \25BC"; }
tfoot td { font-weight: 600; }
td.sentence { min-width: 16em; }
.boards { display: grid; grid-template-columns: repeat(auto-fill, minmax(24em, 1fr)); gap: 0 2em; }
.boards h3 { margin-bottom: 0.2em; }
table.fields th { background: none; font-weight: 600; }
ul.plain { list-style: none; margin: 0; padding: 0; }
ul.sizes { columns: 2 12em; }
pre { white-space: pre-wrap; overflow-wrap: anywhere; background: #fff; padding: 0.5em; border: 1px solid #e1e4e8; }
.nickname { font-style: italic; color: #3d4450; }
.headline { display: flex; flex-wrap: wrap; gap: 0.5em; margin: 0.5em 0; padding: 0; }
.headline div { background: #fff; border: 1px solid #d5d9de; border-radius: 4px; padding: 0.2em 0.8em; }
.headline dt { font-size: 0.8em; color: #4a5360; }
.headline dd { margin: 0; font-size: 1.4em; font-weight: 700; }
.segment { background: #fff; border: 1px solid #e1e4e8; border-radius: 4px; padding: 0 1em 0.5em; margin: 1em 0; }
.segment h2 { border: none; margin-top: 0.5em; }
.rating { font-weight: 600; }
.pager { display: flex; flex-wrap: wrap; justify-content: space-between; gap: 0.5em 1em; margin: 0.5em 0; }
details { background: #fff; border: 1px solid #e1e4e8; border-radius: 4px; margin: 0.4em 0; padding: 0.2em 0.8em; }
summary { cursor: pointer; font-weight: 600; }
.win { color: #1b7a35; } .loss { color: #b3261e; } .draw { color: #51565c; }
figure.chart { margin: 0.5em 0; background: #fff; border: 1px solid #e1e4e8; padding: 0.5em; max-width: 30em; }
.chart svg { width: 100%; height: auto; display: block; }
.chart text { font-size: 13px; fill: #1d232b; }
.chart .win { fill: #1b7a35; } .chart .loss { fill: #b3261e; } .chart .draw { fill: #51565c; }
.chart .axis { fill: none; stroke: #51565c; stroke-width: 1; }
.chart .line { fill: none; stroke: #1a5fb4; stroke-width: 2; }
.chart .point { fill: #1a5fb4; }
figcaption { color: #4a5360; font-size: 0.85em; }
@media (max-width: 40em) { body { font-size: 15px; } th, td { padding: 0.2em 0.4em; } }
)";

const std::string_view kSiteSearchScript = R"(// Finds wrestlers, shows, circuits and teams by name.
(function () {
  var input = document.querySelector('header input[name=q]');
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
    for (var i = 0; i < KZO_SEARCH.length && found < 100; i++) {
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

const std::string_view kSiteSortScript =
    R"(// Sorts a table by the column whose heading is clicked: numbers by value, texts in
// alphabetical order; a column of numbers from the highest at the first click, and a
// second click reverses the order.
(function () {
  function key(cell) {
    if (!cell) return '';
    var text = (cell.getAttribute('data-sort') || cell.textContent).trim();
    var number = text.replace(/[,%\s]/g, '');
    return /^-?\d+(\.\d+)?$/.test(number) ? parseFloat(number) : text.toLowerCase();
  }
  // Numbers before texts in either order, so that a cell without a number stays last.
  function compare(a, b, order) {
    var numbers = typeof a === 'number', other = typeof b === 'number';
    if (numbers !== other) return numbers ? -1 : 1;
    return order * (numbers ? a - b : a < b ? -1 : a > b ? 1 : 0);
  }
  function sortable(table) {
    var body = table.tBodies[0];
    if (!table.tHead || !body) return;
    var headings = table.tHead.rows[0].cells;
    Array.prototype.forEach.call(headings, function (heading, column) {
      var button = document.createElement('button');
      button.type = 'button';
      while (heading.firstChild) button.appendChild(heading.firstChild);
      heading.appendChild(button);
      button.addEventListener('click', function () {
        var rows = Array.prototype.map.call(body.rows, function (row, index) {
          return {row: row, key: key(row.cells[column]), index: index};
        });
        var was = heading.getAttribute('aria-sort');
        var ascending = was ? was === 'descending' : !rows.length || typeof rows[0].key !== 'number';
        Array.prototype.forEach.call(headings, function (other) { other.removeAttribute('aria-sort'); });
        heading.setAttribute('aria-sort', ascending ? 'ascending' : 'descending');
        rows.sort(function (a, b) {
          return compare(a.key, b.key, ascending ? 1 : -1) || a.index - b.index;
        });
        rows.forEach(function (item) { body.appendChild(item.row); });
      });
    });
  }
  Array.prototype.forEach.call(document.querySelectorAll('table.sortable'), sortable);
})();
)";

}  // namespace kzo::exporter
