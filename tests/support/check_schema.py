#!/usr/bin/env python3
"""Validates JSON documents written by kzo-export against its JSON Schema.

    check_schema.py SCHEMA DOCUMENT... [--changed]

The schema must be a valid draft 2020-12 schema and every document valid against it. With
--changed, each of a few one-member changes to the first document (a member of the wrong
type, a member the schema does not know, a member missing, a value out of its range) must
make it invalid. Prints "ok", or one line per fault and exits 1.
"""

import copy
import json
import sys

from jsonschema import Draft202012Validator


def changes():
    """One-member changes that no valid document has, each with what it changes."""
    circuit = lambda d: d["circuits"][0]
    match = lambda d: next(m for s in circuit(d)["shows"] if s for m in s["matches"]
                           if m["breakdown"])
    yield "a count that is a text", lambda d: circuit(d).update(show_count="3")
    yield "a name that is a number", lambda d: d["wrestlers"][1].update(wname=5)
    yield "a member the schema does not know", lambda d: match(d).update(winner="nobody")
    yield "an unknown member of the document", lambda d: d.update(extra=1)
    yield "a member missing", lambda d: d["settings"].pop("UsePersons")
    yield "an outcome out of its range", lambda d: match(d)["breakdown"][0].update(value=3)
    yield "a list beyond its capacity", lambda d: d["wrestlers"][1]["dives"].append(0)


def main(arguments):
    changed = "--changed" in arguments
    paths = [a for a in arguments if a != "--changed"]
    with open(paths[0], encoding="utf-8") as file:
        schema = json.load(file)
    Draft202012Validator.check_schema(schema)
    validator = Draft202012Validator(schema)
    faults = []
    documents = []
    for path in paths[1:]:
        with open(path, encoding="utf-8") as file:
            documents.append(json.load(file))
        for error in list(validator.iter_errors(documents[-1]))[:5]:
            faults.append("%s: %s: %s" % (path, "/".join(map(str, error.path)),
                                          error.message[:200]))
    if changed:
        for what, change in changes():
            document = copy.deepcopy(documents[0])
            change(document)
            if validator.is_valid(document):
                faults.append("valid with " + what)
    print("\n".join(faults) if faults else "ok")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
