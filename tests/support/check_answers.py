#!/usr/bin/env python3
"""Checks the tables of answers in a database written by kzo-export --format sqlite against
what SQL computes from the tables of records.

    check_answers.py DATABASE

wrestler_matches, wrestler_records and title_holders_view must hold, in any order, the
rows of the queries below, which say in SQL what each answer is. Prints "ok", or one line
per fault and exits 1.
"""

import sqlite3
import sys

ANSWERS = {
    # A wrestler's part in a match, once per match and outcome; "Comments" and "Interview"
    # are no matches.
    "wrestler_matches": """
        SELECT DISTINCT b.wrestler, w.wname, b.circuit, c.lgs_line1, b.show, s.overview,
               b.match, m.match_type, m.result, b.value,
               CASE WHEN b.value > 0 THEN 1 WHEN b.value < 0 THEN 2 END,
               CASE b.value WHEN 1 THEN 'win' WHEN -1 THEN 'loss' WHEN 2 THEN 'draw'
                            WHEN -2 THEN 'draw' END
        FROM breakdown b JOIN wrestlers w ON w.wnr = b.wrestler
        JOIN matches m ON m.circuit = b.circuit AND m.show = b.show AND m.slot = b.match
        JOIN shows s ON s.circuit = b.circuit AND s.show = b.show
        JOIN circuits c ON c.circuit = b.circuit
        WHERE m.match_type IS NULL OR m.match_type NOT IN ('Comments', 'Interview')""",
    # Matches, wins, losses and draws per circuit and wrestler; a match counts once.
    "wrestler_records": """
        SELECT circuit, circuit_name, wnr, wname, count(DISTINCT show || '.' || match),
               sum(value = 1), sum(value = -1), sum(value IN (2, -2))
        FROM wrestler_matches GROUP BY circuit, wnr""",
    # A row per holder name, one without holder for a vacant title; the holder's wrestler
    # is the circuit's first roster entry of the name.
    "title_holders_view": """
        SELECT t.circuit, c.lgs_line1, t.title, t.title_name, t.holder, h.slot, h.name,
               (SELECT min(r.wrestler) FROM circuit_roster r
                WHERE r.circuit = t.circuit AND r.name = h.name)
        FROM titles t JOIN circuits c ON c.circuit = t.circuit
        LEFT JOIN title_holders h ON h.circuit = t.circuit AND h.title = t.title""",
}


def main(database):
    db = sqlite3.connect(database)
    faults = []
    for table, query in ANSWERS.items():
        held = sorted(db.execute('SELECT * FROM "%s"' % table).fetchall(), key=repr)
        wanted = sorted(db.execute(query).fetchall(), key=repr)
        if held != wanted:
            faults.append("%s: %d rows, %d wanted" % (table, len(held), len(wanted)))
    print("\n".join(faults) if faults else "ok")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
