// The database's tables of what the site shows beyond the model's own records, made from the
// same walk over the model as the site's numbers (careers.h, title_credits.h):
// head_to_head (a wrestler's record against each opponent per circuit), streaks (the
// longest winning streak and the current run per wrestler and circuit) and title_credits
// (the wrestlers and teams each title's holder text names).
#pragma once

#include <vector>

#include "export/careers.h"
#include "export/table.h"

namespace kzo::exporter {

// Appends the tables.
void AddCareerTables(std::vector<Table>& tables);

// Writes their rows, in the order of their keys, with the tables as AddCareerTables gives
// them.
void WriteCareerRows(RowSink& sink, const std::vector<Career>& careers);

}  // namespace kzo::exporter
