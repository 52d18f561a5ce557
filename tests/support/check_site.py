#!/usr/bin/env python3
"""Checks a folder of HTML pages written by kzo-export --format html.

    check_site.py FOLDER

Every page must be UTF-8 without control characters, start with <!DOCTYPE html>, parse
with every element closed in order (void elements aside, SVG shapes closed by "/>"), hold
no id twice, and link (href, src) only to files of the folder by relative names, with
every "#fragment" naming an id of the page it points to. Prints "ok", or one line per
fault and exits 1.
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
        self.links = []
        self.faults = []

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

    def handle_starttag(self, tag, attrs):
        self.note_attributes(tag, attrs)
        if tag not in VOID:
            self.open.append((tag, self.getpos()))

    def handle_startendtag(self, tag, attrs):
        self.note_attributes(tag, attrs)
        if tag not in VOID and not any(t == "svg" for t, _ in self.open):
            self.faults.append("<%s/> outside SVG at line %d" % (tag, self.getpos()[0]))

    def handle_endtag(self, tag):
        if tag in VOID:
            self.faults.append("end tag of void <%s> at line %d" % (tag, self.getpos()[0]))
        elif not self.open or self.open[-1][0] != tag:
            expected = self.open[-1][0] if self.open else "nothing"
            self.faults.append("</%s> at line %d closes %s" % (tag, self.getpos()[0], expected))
        else:
            self.open.pop()


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
        faults += ["%s: %s" % (name, fault) for fault in page.faults]
        faults += ["%s: <%s> at line %d never closed" % (name, tag, line)
                   for tag, (line, _) in page.open]
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
