#include "export/json/model_json.h"

#include <string_view>

#include "export/json/roster_json.h"
#include "export/model_fields.h"
#include "export/output_file.h"

namespace kzo::exporter {
namespace {

// Where a record stands: its slot in the list that holds it, and the slot of the record
// that holds that list (what a field naming its owner holds).
struct Place {
  int slot = 0;
  int owner = 0;
};

void WriteObject(JsonWriter& json, const RecordType& type, const void* record, Place place);

void WriteValue(JsonWriter& json, const Field& field, const Value& value, Place place) {
  switch (value.kind) {
    case Value::Kind::kNull:
      return json.Null();
    case Value::Kind::kInt:
      return json.Int(value.number);
    case Value::Kind::kText:
      return json.TextValue(value.text);
    case Value::Kind::kRecord:
      return WriteObject(json, *field.record, value.record, place);
  }
}

// A list: an array of its slots, each written as its value; the record holding it stands at
// owner.
void WriteList(JsonWriter& json, const Field& field, const void* record, int owner) {
  json.BeginArray();
  int last = field.LastSlot(record);
  if (field.type == Type::kRosterRecord) {
    WriteRosterRecords(json, field.target.roster_kind, field.first, last,
                       [&](int slot) { return field.Read(record, slot).record; });
  } else {
    for (int slot = field.first; slot <= last; ++slot) {
      WriteValue(json, field, field.Read(record, slot), {slot, owner});
    }
  }
  json.EndArray();
}

// A record: an object with a member per field, in declared order.
void WriteObject(JsonWriter& json, const RecordType& type, const void* record, Place place) {
  json.BeginObject();
  for (const Field& field : type.fields) {
    json.Key(field.name);
    if (field.IsList()) {
      WriteList(json, field, record, place.slot);
    } else if (field.target.owner) {
      json.Int(place.owner);
    } else {
      WriteValue(json, field, field.Read(record), place);
    }
  }
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

using Write = std::function<void(JsonWriter&)>;

// Writes the document, a line end after it, to the handle (0: standard output).
std::optional<std::string> StreamDocument(platform::Env& env, int handle, const Write& write) {
  std::string pending;
  DocumentSink sink(env, handle);
  JsonWriter json(pending, &sink);
  write(json);
  pending += '\n';
  json.Flush();
  return sink.failure();
}

// Writes the document into a new file at path; the reason when that failed.
std::optional<std::string> StreamDocumentToFile(platform::Env& files, const std::string& path,
                                                const Write& write) {
  platform::OpenResult opened = files.Open(path, platform::OpenMode::kOutput);
  if (opened.error != 0) return files.LastErrorText();
  std::optional<std::string> failure = StreamDocument(files, opened.handle, write);
  if (files.Close(opened.handle) != 0 && !failure) failure = files.LastErrorText();
  return failure;
}

}  // namespace

void WriteModelJson(JsonWriter& json) {
  WriteObject(json, kModelType, TheModel(), {});
}

std::optional<std::string> WriteJsonFile(platform::Env& env, platform::Env& files,
                                         const std::optional<std::string>& output,
                                         const Write& write) {
  if (!output) return StreamDocument(env, 0, write);
  if (IsSpecialFile(files, *output)) return StreamDocumentToFile(files, *output, write);
  return WriteWholeFile(files, *output, [&](const std::string& temporary) {
    return StreamDocumentToFile(files, temporary, write);
  });
}

std::optional<std::string> WriteJsonDocument(platform::Env& env, platform::Env& files,
                                             const std::optional<std::string>& output) {
  return WriteJsonFile(env, files, output, WriteModelJson);
}

}  // namespace kzo::exporter
