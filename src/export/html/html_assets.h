// The style sheet and the search script written with every site.
#pragma once

#include <string_view>

namespace kzo::exporter {

// "style.css": one style sheet for every page, readable on a phone and on a desktop.
extern const std::string_view kSiteStyleSheet;
// "search.js": finds wrestlers and shows by name in the index "search-index.js" defines
// (KZO_SEARCH: [name, page, what] triples) and lists them under the home page's search box;
// a query in the page's address (index.html?q=...) is searched at once. Results are made
// as text nodes, never as markup.
extern const std::string_view kSiteSearchScript;

}  // namespace kzo::exporter
