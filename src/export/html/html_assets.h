// The style sheet and the search script written with every site.
#pragma once

#include <string_view>

namespace kzo::exporter {

// "style.css": one style sheet for every page, readable on a phone and on a desktop.
extern const std::string_view kSiteStyleSheet;
// "search.js": finds wrestlers, shows, circuits and teams by name in the index
// "search-index.js" defines (KZO_SEARCH: [name, page, what] triples) and lists them on the
// search page as the header's search box is typed in; the query in the page's address
// (search.html?q=..., where every page's search box sends it) is searched at once. Results
// are made as text nodes, never as markup.
extern const std::string_view kSiteSearchScript;
// "sort.js": makes the headings of every table of class "sortable" buttons that sort its
// rows by their column.
extern const std::string_view kSiteSortScript;

}  // namespace kzo::exporter
