#!/usr/bin/env python3
"""Checks the CSV files written by kzo-export --format csv against the SQLite export of the
same installation.

    check_csv.py FOLDER DATABASE

The folder holds a file NAME.csv for every table of the database and its marker
kzo-export-csv.txt, nothing else. Each file parses with the csv module into a header of
the table's columns and the table's rows, in its order: an integer written in decimal, a
text as UTF-8, NULL as an empty field. Its bytes are the
byte order mark, then each row a line ended by CR LF, fields quoted where they hold a
comma, a quote or a line break and where they are an empty text. The end and days of the
hire terms, which each load moves by a few days at random, are left out. Prints "ok", or
one line per fault and exits 1.
"""

import csv
import io
import os
import sqlite3
import sys

JITTER = {"hire_terms": {"end", "days"}}


def field(value):
    if value is None:
        return ""
    if isinstance(value, int):
        return str(value)
    if value == "" or any(c in value for c in ',"\r\n'):
        return '"' + value.replace('"', '""') + '"'
    return value


def check(folder, db, name, faults):
    query = db.execute("SELECT * FROM \"%s\"" % name)
    columns = [c[0] for c in query.description]
    rows = query.fetchall()
    with open(os.path.join(folder, name + ".csv"), "rb") as file:
        data = file.read()
    kept = [i for i, c in enumerate(columns) if c not in JITTER.get(name, ())]
    lines = [[field(c) for c in columns]] + [[field(row[i]) for i in range(len(columns))]
                                             for row in rows]
    expected = b"\xef\xbb\xbf" + "".join(",".join(line) + "\r\n" for line in lines).encode()
    if len(kept) == len(columns) and data != expected:
        faults.append("%s.csv: not the bytes of the table's rows" % name)
    if not data.startswith(b"\xef\xbb\xbf"):
        faults.append("%s.csv: no byte order mark" % name)
    parsed = list(csv.reader(io.StringIO(data[3:].decode("utf-8"), newline="")))
    wanted = [columns] + [["" if v is None else str(v) for v in row] for row in rows]
    def without_jitter(table):
        return [[r[i] if i < len(r) else None for i in kept] for r in table]

    if without_jitter(parsed) != without_jitter(wanted):
        faults.append("%s.csv: the rows read are not those of the table" % name)


def main(folder, database):
    csv.field_size_limit(sys.maxsize)  # the hostile folders' texts of megabytes
    db = sqlite3.connect(database)
    names = [row[0] for row in db.execute("SELECT name FROM sqlite_schema WHERE type = 'table'")]
    faults = []
    expected = sorted([name + ".csv" for name in names] + ["kzo-export-csv.txt"])
    if sorted(os.listdir(folder)) != expected:
        faults.append("the folder holds %s" % sorted(os.listdir(folder)))
    for name in names:
        if os.path.exists(os.path.join(folder, name + ".csv")):
            check(folder, db, name, faults)
    print("\n".join(faults) if faults else "ok")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
