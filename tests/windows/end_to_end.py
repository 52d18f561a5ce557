#!/usr/bin/env python3
"""The Windows programs under the emulator, on the sample installation: the golden match
report, a copy with DOS-case names, the circuit database upkeep with its backups, and
exports equal to the Linux export's (the folder's path and the random part of hire terms
aside). Prints one line per check and "N passed, N failed"."""
import argparse
import json
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import tempfile

args = argparse.ArgumentParser()
args.add_argument("--emulator", required=True)
args.add_argument("--import-program", required=True)
args.add_argument("--export-program", required=True)
args.add_argument("--linux-export", default="")
args.add_argument("--source", required=True)
options = args.parse_args()

SAMPLE = os.path.join(options.source, "examples", "sample")
GOLDEN = os.path.join(options.source, "tests", "golden", "sample-matches.txt")
results = {"passed": 0, "failed": 0}


def check(name, ok, detail=""):
    results["passed" if ok else "failed"] += 1
    print(("ok      " if ok else "FAILED  ") + name + ("" if ok else ": " + detail))


def run(program, arguments, folder, emulated=True):
    command = ([options.emulator] if emulated else []) + [program] + arguments
    return subprocess.run(command, cwd=folder, capture_output=True, timeout=300)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def copy_sample(target, rename=lambda name: name):
    """Copies the sample installation, every name passed through rename."""
    for folder, _, files in os.walk(SAMPLE):
        relative = os.path.relpath(folder, SAMPLE)
        parts = [] if relative == "." else [rename(p) for p in relative.split(os.sep)]
        os.makedirs(os.path.join(target, *parts), exist_ok=True)
        for name in files:
            shutil.copy(os.path.join(folder, name), os.path.join(target, *parts, rename(name)))


def import_checks(work):
    golden = read(GOLDEN)
    sample = os.path.join(work, "sample")
    copy_sample(sample)
    done = run(options.import_program, [], sample)
    check("the sample imports without reports", (done.returncode, done.stdout, done.stderr) == (0, b"", b""),
          repr((done.returncode, done.stdout[:300], done.stderr[:300])))
    check("its matches.txt is the golden report", read(os.path.join(sample, "matches.txt")) == golden)

    dos = os.path.join(work, "DOSCASE")
    copy_sample(dos, str.upper)
    done = run(options.import_program, ["DOSCASE"], work)
    check("the DOS-case copy, named on the command line, imports without reports",
          (done.returncode, done.stderr) == (0, b""), repr(done.stderr[:300]))
    check("its matches.txt is the golden report", read(os.path.join(dos, "matches.txt")) == golden)
    check("its circuit databases are written under the names it has",
          os.path.exists(os.path.join(dos, "CWA", "circdb.dat")) and
          sorted(os.listdir(os.path.join(dos, "CWA"))).count("CIRCDB.DAT") == 0)


def report_checks(work):
    """Reports of a folder without data go to standard error; nothing waits for an answer."""
    empty = os.path.join(work, "empty")
    os.makedirs(empty)
    done = run(options.import_program, [], empty)
    expected = b"Untrapped Error #76 (Path not found)\r\n"
    if options.linux_export:
        linux = os.path.join(work, "empty-linux")
        os.makedirs(linux)
        linux_import = os.path.join(os.path.dirname(options.linux_export), "kzo-import")
        expected = run(linux_import, [], linux, emulated=False).stderr
    check("the reports of an empty folder go to standard error as on Linux, answered OK",
          done.returncode == 0 and done.stderr.startswith(expected), repr(done.stderr[:200]))
    unicode = os.path.join(work, "\u65e5\u672c \u00e9t\u00e9")
    copy_sample(unicode)
    done = run(options.import_program, [os.path.basename(unicode)], work)
    check("a folder named on the command line in any script imports",
          done.returncode == 0 and done.stderr == b"" and
          read(os.path.join(unicode, "matches.txt")) == read(GOLDEN), repr(done.stderr[:300]))


def upkeep_checks(work):
    folder = os.path.join(work, "upkeep")
    copy_sample(folder)
    database = os.path.join(folder, "cwa", "circdb.dat")
    run(options.import_program, [], folder)
    complete = read(database)
    firsts = []
    for count in (b" 0 \r\n", b" 1 \r\n", b" 2 \r\n"):
        with open(database, "wb") as f:
            f.write(count)
        done = run(options.import_program, [], folder)
        firsts.append(done.returncode)
    backups = [read(database + ".bak%d" % i) for i in (1, 2)]
    check("each upkeep run ends normally", firsts == [0, 0, 0], repr(firsts))
    check("the short database is rewritten whole", read(database).split(b"\r\n")[0] == complete.split(b"\r\n")[0])
    check("the two latest old databases are kept as .bak1 and .bak2",
          backups == [b" 2 \r\n", b" 1 \r\n"] and not os.path.exists(database + ".bak3"), repr(backups))


def command_line_checks(work):
    """A "/" begins a path, as on the current drive, and "/?" asks for help; the export
    refuses an output that is a legacy file in another letter case, and removes what a
    stopped export left."""
    folder = os.path.join(work, "slashes")
    copy_sample(folder)
    done = run(options.import_program, ["/?"], folder)
    check("/? shows the help", done.returncode == 0 and done.stdout.startswith(b"usage: kzo-import"),
          repr((done.returncode, done.stdout[:100], done.stderr[:200])))
    done = run(options.import_program, [folder], work)
    check("a folder named from the root with / imports",
          done.returncode == 0 and read(os.path.join(folder, "matches.txt")) == read(GOLDEN),
          repr((done.returncode, done.stderr[:200])))
    before = read(os.path.join(folder, "card.lgs"))
    done = run(options.export_program, ["--output", "CARD.LGS"], folder)
    check("an output that is a legacy file in another letter case is refused",
          done.returncode == 2 and b"it is part of the legacy installation" in done.stderr and
          read(os.path.join(folder, "card.lgs")) == before, repr((done.returncode, done.stderr[:300])))
    left = os.path.join(work, "model.json.new-999999")
    with open(left, "wb") as f:
        f.write(b"left")
    done = run(options.export_program, ["--output", "model.json", folder], work)
    check("what a stopped export left beside its output is removed",
          done.returncode == 0 and not os.path.exists(left), repr(done.stderr[:300]))


def normalized(document, folders):
    """The document with the folder's path (in any letter case) and hire-term ends left out."""
    text = document.decode("utf-8")
    for folder in folders:
        text = re.sub(re.escape(folder), "FOLDER", text, flags=re.IGNORECASE)
        text = re.sub(re.escape(json.dumps(folder)[1:-1]), "FOLDER", text, flags=re.IGNORECASE)
    return re.sub(r'"(end|days)":\d+', "", text)


def export_checks(work):
    windows = os.path.join(work, "export-windows")
    copy_sample(windows)
    done = run(options.export_program, [], windows)
    check("the export writes its document to standard output", done.returncode == 0 and done.stderr == b"",
          repr(done.stderr[:300]))
    check("the document's line ends are as written", done.stdout.endswith(b"}\n") and b"\r\n" not in done.stdout)
    windows_path = "Z:" + windows.replace("/", "\\")
    if options.linux_export:
        linux = os.path.join(work, "export-linux")
        copy_sample(linux)
        expected = run(options.linux_export, [], linux, emulated=False)
        check("the document equals the Linux export's",
              normalized(done.stdout, [windows_path]) == normalized(expected.stdout, [linux]))
    else:
        print("skipped the comparison with the Linux export: none was named")

    done = run(options.export_program, ["--format", "html", "--output", "site\\"], windows)
    pages = sorted(os.listdir(os.path.join(windows, "site"))) if done.returncode == 0 else []
    check("the HTML export writes a site into the folder named with a trailing separator", "index.html" in pages, repr(done.stderr[:300]))
    if options.linux_export:
        run(options.linux_export, ["--format", "html", "--output", "site"], linux, emulated=False)
        check("its pages are the Linux export's", pages == sorted(os.listdir(os.path.join(linux, "site"))))

    done = run(options.export_program, ["--format", "sqlite", "--output", "model.db"], windows)
    check("the SQLite export writes a database", done.returncode == 0, repr(done.stderr[:300]))
    if options.linux_export:
        run(options.linux_export, ["--format", "sqlite", "--output", "model.db"], linux, emulated=False)
        counts = [table_counts(os.path.join(folder, "model.db")) for folder in (windows, linux)]
        check("its tables hold as many rows as the Linux export's", counts[0] == counts[1] and counts[0],
              repr(counts))

    done = run(options.export_program, ["--format", "csv", "--output", "csv"], windows)
    files = sorted(os.listdir(os.path.join(windows, "csv"))) if done.returncode == 0 else []
    check("the CSV export writes a file per table", "wrestler_records.csv" in files,
          repr(done.stderr[:300]))
    if options.linux_export:
        run(options.linux_export, ["--format", "csv", "--output", "csv"], linux, emulated=False)
        differ = [name for name in sorted(os.listdir(os.path.join(linux, "csv")))
                  if name not in files or
                  normalized(read(os.path.join(windows, "csv", name)), [windows_path]) !=
                  normalized(read(os.path.join(linux, "csv", name)), [linux])]
        check("its files are the Linux export's (the folder's path and hire terms aside)",
              set(differ) <= {"hire_terms.csv"}, repr(differ))

    done = run(options.export_program, ["--format", "json-schema"], windows)
    check("the JSON Schema written is the one in doc/",
          done.stdout == read(os.path.join(options.source, "doc", "kzo-model.schema.json")),
          repr(done.stderr[:300]))


def table_counts(path):
    if not os.path.exists(path):
        return {}
    db = sqlite3.connect(path)
    tables = [row[0] for row in db.execute("SELECT name FROM sqlite_master WHERE type = 'table'")]
    return {table: db.execute('SELECT count(*) FROM "%s"' % table).fetchone()[0] for table in tables}


with tempfile.TemporaryDirectory(prefix="kzo-windows-") as work:
    import_checks(work)
    report_checks(work)
    upkeep_checks(work)
    command_line_checks(work)
    export_checks(work)
print("%d passed, %d failed" % (results["passed"], results["failed"]))
sys.exit(1 if results["failed"] else 0)
