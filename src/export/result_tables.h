// The tables of the database that answer the usual questions, made from the matches and
// titles of the model (the other tables hold the same values one record at a time), so
// that every format that writes the database's tables holds the same answers:
//
// - wrestler_matches: every wrestler's part in a match, once per match and outcome, with
//   the match's result and the wrestler's side: side 1 won (value 1) or drew (2), side 2
//   lost (-1) or drew (-2). The segments "Comments" and "Interview", which the match report
//   skips, are no matches; a participant that names no wrestler of the roster has no row.
// - wrestler_records: a wrestler's matches, wins, losses and draws per circuit, the records
//   of the careers (careers.h) that the site shows; a match counts once even when the
//   wrestler stands on both sides of it.
// - title_holders_view: the holders of every title, a row per holder name; a title without
//   holders (vacant) has one row without holder; a holder's wrestler is the first roster
//   entry of the circuit with that name.
#pragma once

#include <vector>

#include "export/careers.h"
#include "export/table.h"

namespace kzo::exporter {

// Appends the tables of the answers.
void AddResultTables(std::vector<Table>& tables);

// Writes their rows, each table's in the order of its key; the records are those of careers.
void WriteResultRows(RowSink& sink, const std::vector<Career>& careers);

}  // namespace kzo::exporter
