#!/usr/bin/env python3
"""Counts every wrestler's career from an installation's JSON document, as kzo-export
writes it, and checks that the site and the SQLite database of the same installation show
the same numbers.

    check_careers.py MODEL.json DATABASE SITE

The count is made here, from the matches' breakdowns alone: a segment is a match unless its
type is "Comments" or "Interview"; a wrestler (a breakdown entry's number, 1..N) takes part
once per match whatever its entries, and has a win, a loss or a draw for each value 1, -1,
2 and -2 among them; two wrestlers met when they stood on opposite sides (1 against -1, 2
against -2), or everyone in a draw whose entries are all 2. A winning streak is a run of
matches (in show and card order, per circuit) that are wins and nothing else.

Checked: per wrestler and circuit the record and the streaks, per pair of wrestlers the
record against each other (on the site: in all circuits together), against the site's
wrestler pages (tables "record" and "head-to-head") and the database's view wrestler_records
and tables head_to_head and streaks. Prints "ok", or the first faults and exits 1.
"""

import collections
import html.parser
import json
import os
import re
import sqlite3
import sys


def result(values):
    if values == {1}:
        return "win"
    if values == {-1}:
        return "loss"
    if values and values <= {2, -2}:
        return "draw"
    return None


def count(model):
    """records[(c, w)] = [matches, wins, losses, draws]; meetings[(c, w, o)] likewise;
    streaks[(c, w)] = (longest, first show, last show, current result, its length)."""
    wrestlers = len(model["wrestlers"]) - 1
    records = collections.defaultdict(lambda: [0, 0, 0, 0])
    meetings = collections.defaultdict(lambda: [0, 0, 0, 0])
    results = collections.defaultdict(list)
    for c, circuit in enumerate(model["circuits"], 1):
        for s, show in enumerate(circuit["shows"], 1):
            for match in show["matches"] if show else []:
                if match["match_type"] in ("Comments", "Interview"):
                    continue
                values = collections.defaultdict(set)
                for item in match["breakdown"]:
                    if 1 <= item["wrestler"] <= wrestlers:
                        values[item["wrestler"]].add(item["value"])
                everyone = bool(match["breakdown"]) and all(
                    item["value"] == 2 for item in match["breakdown"])
                for w, mine in values.items():
                    record = records[(c, w)]
                    record[0] += 1
                    record[1] += 1 in mine
                    record[2] += -1 in mine
                    record[3] += (2 in mine) + (-2 in mine)
                    results[(c, w)].append((s, result(mine)))
                    for o, theirs in values.items():
                        win = 1 in mine and -1 in theirs
                        loss = -1 in mine and 1 in theirs
                        draw = everyone or (2 in mine and -2 in theirs) or (
                            -2 in mine and 2 in theirs)
                        if o != w and (win or loss or draw):
                            met = meetings[(c, w, o)]
                            met[0] += 1
                            met[1] += win
                            met[2] += loss
                            met[3] += draw
    streaks = {}
    for key, played in results.items():
        longest, first, last, run, start = 0, None, None, 0, None
        for show, outcome in played:
            run = run + 1 if outcome == "win" else 0
            start = show if run == 1 else start
            if run > longest:
                longest, first, last = run, start, show
        current, length = played[-1][1], 0
        for _, outcome in reversed(played):
            if outcome != current or current is None:
                break
            length += 1
        streaks[key] = (longest, first, last, current, length)
    return records, meetings, streaks


class Tables(html.parser.HTMLParser):
    """The rows of the tables with an id: per row, per cell its text and its first link."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tables = collections.defaultdict(list)
        self.table = None
        self.part = None

    def handle_starttag(self, tag, attrs):
        values = dict(attrs)
        if tag == "table":
            self.table = values.get("id")
        elif tag in ("tbody", "tfoot", "thead"):
            self.part = tag
        elif tag == "tr" and self.table and self.part != "thead":
            self.tables[self.table].append([])
        elif tag == "td" and self.table and self.part != "thead":
            self.tables[self.table][-1].append(["", None])
        elif tag == "a" and self.table and self.tables[self.table] and \
                self.tables[self.table][-1] and self.tables[self.table][-1][-1][1] is None:
            self.tables[self.table][-1][-1][1] = values.get("href")

    def handle_endtag(self, tag):
        if tag == "table":
            self.table = None

    def handle_data(self, data):
        rows = self.tables[self.table] if self.table else None
        if rows and rows[-1]:
            rows[-1][-1][0] += data


def number_in(link):
    return int(re.search(r"-(\d+)\.html", link).group(1))


def run_words(outcome, length):
    if outcome is None or length == 0:
        return "\u2013"
    plural = {"win": "wins", "loss": "losses", "draw": "draws"}[outcome]
    return "%d %s" % (length, outcome if length == 1 else plural)


def check_site(site, wrestlers, records, meetings, streaks, faults):
    for w in range(1, wrestlers + 1):
        page = Tables()
        with open(os.path.join(site, "wrestler-%d.html" % w), encoding="utf-8") as file:
            page.feed(file.read())
        shown = {}
        for row in page.tables["record"]:
            if row[0][1] is None:
                continue  # the row of all circuits
            c = number_in(row[0][1])
            cells = [text.strip() for text, _ in row]
            longest, first, last, current, length = streaks[(c, w)]
            shown[c] = ([int(cell) for cell in cells[1:5]], cells[6], cells[7])
            expected = str(longest) + (" (shows %d\u2013%d)" % (first, last) if longest else "")
            if shown[c] != (records[(c, w)], expected, run_words(current, length)):
                faults.append("wrestler-%d.html: circuit %d shows %r" % (w, c, shown[c]))
        if set(shown) != {c for c, who in records if who == w}:
            faults.append("wrestler-%d.html: the circuits %r" % (w, sorted(shown)))
        against = collections.defaultdict(lambda: [0, 0, 0, 0])
        for (c, who, o), met in meetings.items():
            if who == w:
                against[o] = [a + b for a, b in zip(against[o], met)]
        site_against = {number_in(row[0][1]): [int(text) for text, _ in row[1:5]]
                        for row in page.tables["head-to-head"]}
        if site_against != dict(against):
            faults.append("wrestler-%d.html: the record against each opponent" % w)


def check_database(path, records, meetings, streaks, faults):
    db = sqlite3.connect(path)
    rows = {(c, w): list(rest) for c, w, *rest in db.execute(
        "SELECT circuit, wnr, matches, wins, losses, draws FROM wrestler_records")}
    if rows != dict(records):
        faults.append("the database's wrestler_records")
    rows = {(c, w, o): list(rest) for c, w, o, *rest in db.execute(
        "SELECT circuit, wnr, opponent, matches, wins, losses, draws FROM head_to_head")}
    if rows != dict(meetings):
        faults.append("the database's head_to_head")
    rows = {(c, w): (longest, first, last, current, length)
            for c, w, longest, first, last, current, length in db.execute(
                "SELECT circuit, wnr, longest_winning_streak, longest_first_show, "
                "longest_last_show, current, current_length FROM streaks")}
    if rows != streaks:
        faults.append("the database's streaks")
    db.close()


def main():
    with open(sys.argv[1], encoding="utf-8") as file:
        model = json.load(file)
    records, meetings, streaks = count(model)
    faults = []
    check_database(sys.argv[2], records, meetings, streaks, faults)
    check_site(sys.argv[3], len(model["wrestlers"]) - 1, records, meetings, streaks, faults)
    if not records or not meetings:
        faults.append("no matches to count")
    for fault in faults[:20]:
        print(fault)
    if faults:
        sys.exit(1)
    print("ok")


if __name__ == "__main__":
    main()
