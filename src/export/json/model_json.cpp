#include <string>

#include "export/export_main.h"
#include "export/json/circuit_json.h"
#include "export/json/roster_json.h"
#include "export/json_writer.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

void WriteSettings(JsonWriter& json, const roster::GlobalSettings& settings) {
  json.Key("settings");
  json.BeginObject();
  json.Int("UsePersons", settings.UsePersons);
  json.Int("CCBackground", settings.CCBackground);
  json.Int("GlobalHiring", settings.GlobalHiring);
  json.TextValue("GlobalHiringLimitTo", settings.GlobalHiringLimitTo);
  json.EndObject();
}

}  // namespace

std::string ModelJson() {
  std::string document;
  JsonWriter json(document);
  WriteModelJson(json);
  return document;
}

void WriteModelJson(JsonWriter& json) {
  const roster::RosterDatabase& db = roster::Database();
  json.BeginObject();
  json.Key("format");
  json.String("kzo-model");
  json.Int("version", 1);
  json.TextValue("legacy_folder", db.legacy_folder);
  WriteSettings(json, db.settings);
  WriteRosters(json);
  WriteCrowdReactions(json);
  WriteCircuits(json);
  WriteFieldDictionary(json);
  json.EndObject();
}

}  // namespace kzo::exporter
