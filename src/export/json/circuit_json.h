// The circuits of the model as JSON.
#pragma once

#include "export/json_writer.h"

namespace kzo::exporter {

// The member "circuits": circuits 1..count with their titles, shows and matches, roster
// entries, per-wrestler values, teams, stables and points.
void WriteCircuits(JsonWriter& json);

}  // namespace kzo::exporter
