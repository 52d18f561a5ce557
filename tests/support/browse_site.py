#!/usr/bin/env python3
"""Opens the site of the sample installation (examples/sample), as kzo-export --format html
writes it, in headless Chromium and checks what a reader sees.

    browse_site.py SITE SCREENSHOTS

A wrestler's page (the record, the matches with opponents, the record against each
opponent), the leaders, a circuit with its ratings chart and a show with its play-by-play
render their texts; clicking a column heading sorts the table; the search finds a wrestler.
On every page opened, every text and chart colour has a contrast of at least 4.5:1 to what
it stands on, and at 390 pixels wide no chart label is smaller than 11 pixels and the page
is no wider than the window. Screenshots of each page at 1280 and at 390 pixels wide go to
SCREENSHOTS. Prints "ok", or one line per fault and exits 1.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Browser  # noqa: E402

PAGES = ["wrestler-1.html", "leaders.html", "circuit-1.html", "show-1-1.html", "index.html"]

# Texts of the page's rows that the selector names: the cells of each, joined by "|".
ROWS = """(function (selector) {
  return Array.prototype.map.call(document.querySelectorAll(selector), function (row) {
    return Array.prototype.map.call(row.cells, function (cell) {
      return cell.textContent.trim().replace(/\\s+/g, ' ');
    }).join('|');
  });
})(%r)"""

# Texts and chart shapes whose colour has a contrast below 4.5:1 to their background.
CONTRAST = """(function () {
  function parse(text) {
    var match = /rgba?\\(([^)]*)\\)/.exec(text || '');
    if (!match) return null;
    var parts = match[1].split(',').map(parseFloat);
    return {r: parts[0], g: parts[1], b: parts[2], a: parts.length > 3 ? parts[3] : 1};
  }
  function luminance(c) {
    function channel(v) { v /= 255; return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); }
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
  }
  function contrast(a, b) {
    var x = luminance(a), y = luminance(b);
    return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);
  }
  function background(element) {
    for (; element; element = element.parentElement) {
      var colour = parse(getComputedStyle(element).backgroundColor);
      if (colour && colour.a > 0) return colour;
    }
    return {r: 255, g: 255, b: 255, a: 1};
  }
  var faults = [], seen = new Set();
  var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  while (walker.nextNode()) {
    var element = walker.currentNode.parentElement;
    if (!walker.currentNode.textContent.trim() || seen.has(element)) continue;
    seen.add(element);
    var style = getComputedStyle(element);
    var colour = parse(element.closest('svg') ? style.fill : style.color);
    var ratio = contrast(colour, background(element));
    if (ratio < 4.5) faults.push(element.tagName + ' "' + element.textContent.trim().slice(0, 30) + '" ' + ratio.toFixed(2));
  }
  document.querySelectorAll('svg rect, svg circle, svg path').forEach(function (shape) {
    var style = getComputedStyle(shape);
    var ratio = contrast(parse(style.fill !== 'none' ? style.fill : style.stroke), background(shape.closest('svg')));
    if (ratio < 4.5) faults.push('chart ' + shape.getAttribute('class') + ' ' + ratio.toFixed(2));
  });
  return faults;
})()"""

# At a phone's width: chart labels smaller than 11 pixels, and how much wider the page is.
PHONE = """({
  small: Array.prototype.filter.call(document.querySelectorAll('svg text'), function (text) {
    return text.getBoundingClientRect().height < 11;
  }).map(function (text) { return text.textContent; }),
  overflow: document.documentElement.scrollWidth - window.innerWidth
})"""


class Check:
    def __init__(self, browser, site):
        self.browser = browser
        self.site = site
        self.faults = []

    def open(self, page):
        self.page = page
        self.browser.open("file://" + os.path.join(self.site, page))

    def expect(self, what, actual, expected):
        if actual != expected:
            self.faults.append("%s: %s is %r, not %r" % (self.page, what, actual, expected))

    def rows(self, table, part="tbody"):
        return self.browser.evaluate(ROWS % ("%s %s tr" % (table, part)))

    def text(self, selector):
        return self.browser.evaluate(
            "(document.querySelector(%r) || {textContent: null}).textContent" % selector)


def check_pages(check):
    check.open("wrestler-1.html")
    check.expect("the heading", check.text("h1"), "Brannoc Tell")
    check.expect("the record in all", check.rows("#record", "tfoot"),
                 ["All circuits|5|3|0|2|60.0|2|"])
    check.expect("the first match",
                 check.rows("#matches")[:1],
                 ["Coastal Wrestling Alliance|1. Harborfest, Port Callow Civic Hall|Singles||"
                  "Iver Quist|W|82|Brannoc Tell made Iver Quist submit to the Figure Four in "
                  "18:05."])
    check.expect("the record against the first opponent",
                 check.rows("#head-to-head")[:1], ["Iver Quist|4|3|0|1|75.0"])
    check.expect("the attributes folded", check.browser.evaluate(
        "Array.prototype.some.call(document.querySelectorAll('details'), d => d.open)"), False)

    check.open("leaders.html")
    check.expect("the most wins", check.rows("#all-wins")[:1], ["Dace Morrow|7|4|3|0|57.1"])

    check.open("circuit-1.html")
    check.expect("the ratings chart", check.text("figure svg title"),
                 "The average rating of each show, by show number")
    check.expect("the shows", check.rows("#shows")[3:],
                 ["4|Last Tide, Saltmarsh Arena|3|2|73.3"])

    check.open("show-1-1.html")
    check.expect("the play-by-play", check.browser.evaluate(
        "document.querySelector('details.play-by-play pre').textContent.split('\\n')[0]"),
        "Rusk Amberlane rakes the eyes of Teo Salvaro.")

    check.open("wrestlers.html")
    wins = check.browser.evaluate("""(function () {
      var heading = document.querySelectorAll('#wrestlers thead th button')[2];
      function column() {
        return Array.prototype.map.call(document.querySelectorAll('#wrestlers tbody tr'),
                                        function (row) { return +row.cells[2].textContent; });
      }
      heading.click();
      var first = column();
      heading.click();
      return [first, column()];
    })()""")
    check.expect("the wins sorted by a click", wins[0], sorted(wins[0], reverse=True))
    check.expect("the wins sorted by a second click", wins[1], sorted(wins[0]))

    check.open("search.html?q=brannoc")
    check.expect("what the search finds", check.text("#results"), "Brannoc Tell (wrestler)")


def check_looks(check, screenshots):
    for width, height in ((1280, 900), (390, 844)):
        check.browser.resize(width, height, mobile=width < 500)
        for page in PAGES:
            check.open(page)
            if width > 500:
                for fault in sorted(set(check.browser.evaluate(CONTRAST))):
                    check.faults.append("%s: contrast of %s" % (page, fault))
            else:
                phone = check.browser.evaluate(PHONE)
                check.expect("the chart labels under 11 pixels", phone["small"], [])
                check.expect("how much wider than the window", phone["overflow"], 0)
            check.browser.screenshot(
                os.path.join(screenshots, "%s-%d.png" % (page[:-len(".html")], width)))


def main():
    site, screenshots = sys.argv[1], sys.argv[2]
    os.makedirs(screenshots, exist_ok=True)
    browser = Browser()
    check = Check(browser, os.path.abspath(site))
    try:
        check_pages(check)
        check_looks(check, screenshots)
    finally:
        browser.close()
    for fault in check.faults:
        print(fault)
    if check.faults:
        sys.exit(1)
    print("ok")


if __name__ == "__main__":
    main()
