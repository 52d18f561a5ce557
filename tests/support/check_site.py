#!/usr/bin/env python3
"""Checks a folder of HTML pages written by kzo-export --format html.

    check_site.py FOLDER

Every page must be UTF-8 without control characters, start with <!DOCTYPE html>, parse
with every element closed in order (void elements aside, SVG shapes closed by "/>"), hold
no id twice, and link (href, src) only to files of the folder by relative names, with
every "#fragment" naming an id of the page it points to. Every page must also meet the
basics of accessibility: a language on <html>, one <h1>, headings that go down one level at
a time, links and buttons with a text (or aria-label), inputs with a label, and every chart
(<svg>) an image with a text alternative (<title> or aria-label) that names the table of
its numbers (aria-describedby). Prints "ok", or one line per fault and exits 1.
"""

import html.parser
import os
import re
import sys

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta",
        "source", "track", "wbr"}
CONTROL = re.compile(r"[\x00-\x08\x0b\x0c\x0e-\x1f\x7f]")


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.ids = set()
        self.tables = set()  # ids of tables
        self.links = []
        self.faults = []
        self.lang = None
        self.headings = []  # levels, in order
        self.named = []  # open links and buttons: [tag, line, text or label]
        self.labelled = set()  # ids that a <label for> names
        self.inputs = []  # (id, line) of inputs without aria-label
        self.charts = []  # (line, alternative, described by)

    def check_accessibility(self):
        if not self.lang:
            self.faults.append("no lang on <html>")
        if self.headings.count(1) != 1:
            self.faults.append("%d <h1>" % self.headings.count(1))
        for before, level in zip([0] + self.headings, self.headings):
            if level > before + 1:
                self.faults.append("<h%d> after <h%d>" % (level, before))
                break
        for input_id, line in self.inputs:
            if input_id not in self.labelled:
                self.faults.append("input without a label at line %d" % line)
        for line, alternative, described in self.charts:
            if not alternative:
                self.faults.append("chart without a text alternative at line %d" % line)
            if described not in self.tables:
                self.faults.append("chart at line %d names no table of its numbers" % line)

    def handle_decl(self, decl):
        if decl.lower() != "doctype html":
            self.faults.append("unexpected declaration " + decl)

    def note_attributes(self, tag, attrs):
        for name, value in attrs:
            if name == "id":
                if value in self.ids:
                    self.faults.append("id %r twice" % value)
                self.ids.add(value)
            if name in ("href", "src"):
                self.links.append(value or "")

    def note_accessibility(self, tag, attrs):
        values = dict(attrs)
        line = self.getpos()[0]
        if tag == "html":
            self.lang = values.get("lang")
        elif re.fullmatch(r"h[1-6]", tag):
            self.headings.append(int(tag[1]))
        elif tag in ("a", "button"):
            self.named.append([tag, line, values.get("aria-label") or ""])
        elif tag == "label" and values.get("for"):
            self.labelled.add(values["for"])
        elif tag == "input" and values.get("type") != "hidden" and not values.get("aria-label"):
            self.inputs.append((values.get("id"), line))
        elif tag == "table" and values.get("id"):
            self.tables.add(values["id"])
        elif tag == "svg":
            alternative = values.get("role") == "img" and bool(values.get("aria-label"))
            self.charts.append([line, alternative, values.get("aria-describedby")])
        elif tag == "title" and self.open and self.open[-1][0] == "svg":
            self.charts[-1][1] = dict(self.open[-1][2]).get("role") == "img"

    def handle_data(self, data):
        for named in self.named:
            named[2] += data

    def handle_starttag(self, tag, attrs):
        self.note_attributes(tag, attrs)
        self.note_accessibility(tag, attrs)
        if tag not in VOID:
            self.open.append((tag, self.getpos(), attrs))

    def handle_startendtag(self, tag, attrs):
        self.note_attributes(tag, attrs)
        if tag not in VOID and not any(t == "svg" for t, _, _ in self.open):
            self.faults.append("<%s/> outside SVG at line %d" % (tag, self.getpos()[0]))

    def handle_endtag(self, tag):
        if tag in VOID:
            self.faults.append("end tag of void <%s> at line %d" % (tag, self.getpos()[0]))
        elif not self.open or self.open[-1][0] != tag:
            expected = self.open[-1][0] if self.open else "nothing"
            self.faults.append("</%s> at line %d closes %s" % (tag, self.getpos()[0], expected))
        else:
            self.open.pop()
        if tag in ("a", "button") and self.named and self.named[-1][0] == tag:
            _, line, name = self.named.pop()
            if not name.strip():
                self.faults.append("<%s> at line %d has no name" % (tag, line))


def check(folder):
    faults = []
    pages = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".html"):
            continue
        raw = open(os.path.join(folder, name), "rb").read()
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError as error:
            faults.append("%s: not UTF-8 (%s)" % (name, error))
            continue
        if not text.startswith("<!DOCTYPE html>"):
            faults.append(name + ": no doctype first")
        if CONTROL.search(text):
            faults.append(name + ": a control character")
        page = Page()
        page.feed(text)
        page.close()
        page.check_accessibility()
        faults += ["%s: %s" % (name, fault) for fault in page.faults]
        faults += ["%s: <%s> at line %d never closed" % (name, tag, line)
                   for tag, (line, _), _ in page.open]
        pages[name] = page
    for name, page in pages.items():
        for link in page.links:
            target, _, fragment = link.partition("#")
            if re.match(r"^[a-z][a-z0-9+.-]*:|^/", target, re.I) or "//" in target:
                faults.append("%s: link %r leaves the folder" % (name, link))
            elif target and not os.path.isfile(os.path.join(folder, target)):
                faults.append("%s: link %r names no file" % (name, link))
            elif fragment and fragment not in pages.get(target or name, Page()).ids:
                faults.append("%s: link %r names no id of its page" % (name, link))
    if not pages:
        faults.append("no pages")
    return faults


if __name__ == "__main__":
    found = check(sys.argv[1])
    for fault in found[:50]:
        print(fault)
    if found:
        sys.exit(1)
    print("ok")
