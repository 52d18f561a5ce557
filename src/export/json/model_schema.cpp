#include "export/json/model_schema.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "export/json/model_json.h"
#include "export/json/roster_json.h"
#include "export/model_fields.h"
#include "export/record_fields.h"

namespace kzo::exporter {
namespace {

constexpr std::string_view kDateTime = "DateTime";

// The record types the schema describes under "$defs", in the order they are first reached:
// a description of the model, or the records of a roster kind.
struct Definition {
  std::string name;
  const RecordType* type = nullptr;
  std::int32_t roster_kind = 0;
};

class SchemaWriter {
 public:
  explicit SchemaWriter(JsonWriter& json) : json_(json) {}

  // The whole schema: the document is the model's record.
  void Write() {
    json_.BeginObject();
    json_.Key("$schema");
    json_.String("https://json-schema.org/draft/2020-12/schema");
    json_.Key("title");
    json_.String("kzo-model");
    json_.Key("description");
    json_.String(
        "The model of a legacy installation as kzo-export writes it in JSON: every record "
        "an object whose members are its fields.");
    Members(kModelType);
    json_.Key("$defs");
    json_.BeginObject();
    json_.Key(kDateTime);
    json_.BeginObject();
    Type("integer", false);
    Bounds(std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
    json_.Key("description");
    json_.String("A date-time: a count of 100 ns since 1601-01-01.");
    json_.EndObject();
    // Definitions are reached while earlier ones are written.
    for (std::size_t d = 0; d < definitions_.size(); ++d) {
      Definition definition = definitions_[d];
      json_.Key(definition.name);
      json_.BeginObject();
      if (definition.type != nullptr) {
        Members(*definition.type);
      } else {
        RosterMembersOf(definition.roster_kind);
      }
      json_.EndObject();
    }
    json_.EndObject();
    json_.EndObject();
  }

 private:
  // The members of an object that holds a record of the type.
  void Members(const RecordType& type) {
    std::vector<std::string_view> names;
    json_.Key("type");
    json_.String("object");
    json_.Key("properties");
    json_.BeginObject();
    for (const Field& field : type.fields) {
      json_.Key(field.name);
      json_.BeginObject();
      if (field.IsList()) {
        Array(0, field.capacity, [&] { Value(field); });
      } else {
        Value(field);
      }
      Describe(field.meaning);
      json_.EndObject();
      names.push_back(field.name);
    }
    json_.EndObject();
    Closed(names);
  }

  // The members of a roster record's object: the fields of its dictionary entries under
  // their labels, its number, its import stamp.
  void RosterMembersOf(std::int32_t kind) {
    std::vector<std::string_view> names;
    RecordKind record = RosterKindOf(kind);
    json_.Key("description");
    json_.String("A record of the roster " + std::string(record.table) +
                 ": its fields are the entries of the field dictionary whose keys begin with \"" +
                 std::string(record.table) + ".\", each described by its label.");
    json_.Key("type");
    json_.String("object");
    json_.Key("properties");
    json_.BeginObject();
    std::vector<RosterMember> members = RosterMembers(kind);
    for (const RosterMember& member : members) {
      if (member.kind == RosterMember::Kind::kStamp) {
        for (const Field& field : kImportStampType.fields) {
          Property(field);
          names.push_back(field.name);
        }
      } else if (member.kind == RosterMember::Kind::kNumber) {
        Property(kRosterNumber);
        names.push_back(kRosterNumber.name);
      } else {
        RosterProperty(member.field);
        names.push_back(member.field.name);
      }
    }
    json_.EndObject();
    Closed(names);
  }

  void Property(const Field& field) {
    json_.Key(field.name);
    json_.BeginObject();
    Value(field);
    Describe(field.meaning);
    json_.EndObject();
  }

  // A field of a dictionary entry: its value type, a list of its slots (all of an inline
  // list, at most the capacity of a counted one), its label. Every value but a text is a
  // 32-bit number: a flag too, which is not always 0 or 1 (a gimmick match's "Foreign
  // Object: Mobility" is a value of two bits).
  void RosterProperty(const RecordField& field) {
    const roster::FieldEntry& entry = *field.entry;
    auto value = [&] {
      if (entry.value_type == roster::kTypeText) return Type("string", true);
      Type("integer", false);
      Bounds(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    };
    json_.Key(field.name);
    json_.BeginObject();
    if (IsList(field)) {
      Array(entry.slots == roster::kCountedList ? 0 : field.capacity, field.capacity, value);
    } else {
      value();
    }
    Describe(View(entry.label));
    json_.EndObject();
  }

  // An array of at least fewest and at most most items (no bounds when 0 and below 0), each
  // as item writes it.
  template <class Item>
  void Array(int fewest, int most, Item item) {
    json_.Key("type");
    json_.String("array");
    json_.Key("items");
    json_.BeginObject();
    item();
    json_.EndObject();
    if (fewest > 0) json_.Int("minItems", fewest);
    if (most >= 0) json_.Int("maxItems", most);
  }

  // One value of a field, or one slot of a list field.
  void Value(const Field& field) {
    switch (field.type) {
      case Type::kInt:
      case Type::kReference:
        Type("integer", field.may_be_none);
        return Bounds(field.lowest, field.highest);
      case Type::kFlag:
        Type("integer", field.may_be_none);
        return Bounds(0, 1);
      case Type::kText:
        return Type("string", field.may_be_none);
      case Type::kDateTime:
        return Reference(kDateTime, field.may_be_none);
      case Type::kRecord:
        return Reference(Define({std::string(field.record->name), field.record}),
                         field.may_be_none);
      case Type::kRosterRecord: {
        std::string name(RosterKindOf(field.target.roster_kind).record);
        return Reference(Define({name, nullptr, field.target.roster_kind}), field.may_be_none);
      }
    }
  }

  // The name of a definition, noted to be written when it is new.
  std::string Define(const Definition& definition) {
    for (const Definition& known : definitions_) {
      if (known.name == definition.name) return known.name;
    }
    definitions_.push_back(definition);
    return definition.name;
  }

  void Reference(std::string_view name, bool or_null) {
    std::string reference = "#/$defs/" + std::string(name);
    if (!or_null) {
      json_.Key("$ref");
      json_.String(reference);
      return;
    }
    json_.Key("anyOf");
    json_.BeginArray();
    json_.BeginObject();
    json_.Key("$ref");
    json_.String(reference);
    json_.EndObject();
    json_.BeginObject();
    Type("null", false);
    json_.EndObject();
    json_.EndArray();
  }

  void Type(std::string_view type, bool or_null) {
    json_.Key("type");
    if (!or_null) return json_.String(type);
    json_.BeginArray();
    json_.String(type);
    json_.String("null");
    json_.EndArray();
  }

  void Bounds(std::int64_t lowest, std::int64_t highest) {
    if (highest < lowest) return;
    json_.Int("minimum", lowest);
    json_.Int("maximum", highest);
  }

  void Describe(std::string_view meaning) {
    if (meaning.empty()) return;
    json_.Key("description");
    json_.String(meaning);
  }

  // Every member is there, and no other.
  void Closed(const std::vector<std::string_view>& names) {
    json_.Key("required");
    json_.BeginArray();
    for (std::string_view name : names) json_.String(name);
    json_.EndArray();
    json_.Key("additionalProperties");
    json_.Bool(false);
  }

  JsonWriter& json_;
  std::vector<Definition> definitions_;
};

}  // namespace

void WriteModelSchema(JsonWriter& json) {
  SchemaWriter(json).Write();
}

std::optional<std::string> WriteSchemaDocument(platform::Env& env, platform::Env& files,
                                               const std::optional<std::string>& output) {
  return WriteJsonFile(env, files, output, [](JsonWriter& json) {
    json.Indent();
    WriteModelSchema(json);
  });
}

}  // namespace kzo::exporter
