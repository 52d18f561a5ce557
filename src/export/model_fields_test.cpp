#include "export/model_fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kzo::exporter {
namespace {

// Every record type the model's description reaches, each once.
void Reached(const RecordType& type, std::vector<const RecordType*>& types) {
  for (const RecordType* seen : types) {
    if (seen == &type) return;
  }
  types.push_back(&type);
  for (const Field& field : type.fields) {
    if (field.record != nullptr) Reached(*field.record, types);
  }
}

// What every writer relies on: each field has a name of its own and a meaning, a way to be
// read, a description where it holds records and the slots it reads where it is a list; a
// reference names what it refers to, a slot of a list of its own record by that list.
TEST(ModelFieldsTest, EveryFieldCanBeWalkedByEveryWriter) {
  std::vector<const RecordType*> types;
  Reached(kModelType, types);
  EXPECT_EQ(types.size(), 15u);
  for (const RecordType* type : types) {
    std::set<std::string_view> names;
    for (const Field& field : type->fields) {
      std::string where = std::string(type->name) + "." + std::string(field.name);
      EXPECT_TRUE(names.insert(field.name).second) << where << " twice";
      EXPECT_FALSE(field.meaning.empty()) << where;
      EXPECT_EQ(field.read == nullptr, field.target.owner) << where;
      EXPECT_EQ(field.record != nullptr, field.type == Type::kRecord) << where;
      EXPECT_EQ(field.last_slot != nullptr, field.IsList()) << where;
      if (field.type == Type::kReference) {
        EXPECT_EQ((field.target.roster_kind != 0) + !field.target.list.empty() + field.target.owner,
                  1)
            << where;
      }
      if (!field.target.list.empty()) {
        EXPECT_TRUE(FieldNamed(*type, field.target.list).IsList()) << where;
      }
    }
  }
}

}  // namespace
}  // namespace kzo::exporter
