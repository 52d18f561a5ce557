#include "export/json/model_json.h"

#include <string_view>

#include "export/json/circuit_json.h"
#include "export/json/roster_json.h"
#include "export/output_file.h"
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

// Takes the document's pieces to a file (handle > 0) or to standard output as they are
// written, and notes the first failure; later pieces are dropped.
class DocumentSink : public JsonSink {
 public:
  DocumentSink(platform::Env& env, int handle) : env_(env), handle_(handle) {}
  void Take(std::string_view bytes) override {
    if (failure_) return;
    bool written = handle_ > 0 ? env_.Write(handle_, bytes.data(), bytes.size()) == 0
                               : env_.WriteConsole(bytes);
    if (!written) failure_ = env_.LastErrorText();
  }
  const std::optional<std::string>& failure() const { return failure_; }

 private:
  platform::Env& env_;
  int handle_;
  std::optional<std::string> failure_;
};

// Writes the document, a line end after it, to the handle (0: standard output).
std::optional<std::string> StreamDocument(platform::Env& env, int handle) {
  std::string pending;
  DocumentSink sink(env, handle);
  JsonWriter json(pending, &sink);
  WriteModelJson(json);
  pending += '\n';
  json.Flush();
  return sink.failure();
}

// Writes the document into a new file at path; the reason when that failed.
std::optional<std::string> StreamDocumentToFile(platform::Env& files, const std::string& path) {
  platform::OpenResult opened = files.Open(path, platform::OpenMode::kOutput);
  if (opened.error != 0) return files.LastErrorText();
  std::optional<std::string> failure = StreamDocument(files, opened.handle);
  if (files.Close(opened.handle) != 0 && !failure) failure = files.LastErrorText();
  return failure;
}

}  // namespace

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

std::optional<std::string> WriteJsonDocument(platform::Env& env, platform::Env& files,
                                             const std::optional<std::string>& output) {
  if (!output) return StreamDocument(env, 0);
  if (IsSpecialFile(files, *output)) return StreamDocumentToFile(files, *output);
  return WriteWholeFile(files, *output, [&](const std::string& temporary) {
    return StreamDocumentToFile(files, temporary);
  });
}

}  // namespace kzo::exporter
