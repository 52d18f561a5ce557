// The JSON Schema of the document: doc/kzo-model.schema.json is what kzo-export --format
// json-schema writes, which loads no installation; the documents of the sample and of a
// generated installation are valid, and a document changed in one member is not. (The
// documents of the hostile folders are checked in hostile_input_test.cpp.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "support/folders.h"
#include "support/run_program.h"

namespace kzo {
namespace {

TEST(JsonSchemaTest, TheSchemaInDocIsTheOneThatTheProgramWrites) {
  platform::TempFolder empty;  // no installation: the schema is the same for every one
  testing::ProgramRun written =
      testing::RunProgram(KZO_EXPORT_PROGRAM, {"--format", "json-schema"}, empty.path());
  EXPECT_EQ(written.exit_code, 0);
  EXPECT_EQ(written.err, "");
  EXPECT_EQ(written.out, testing::SourceFile("doc/kzo-model.schema.json"))
      << "after a change of the descriptions: build/debug/kzo-export -f json-schema -o "
         "doc/kzo-model.schema.json";
  written = testing::RunProgram(KZO_EXPORT_PROGRAM, {"-f", "json-schema", "-o", "schema.json"},
                                empty.path());
  EXPECT_EQ(written.exit_code, 0) << written.err;
  EXPECT_EQ(empty.Read("schema.json"), testing::SourceFile("doc/kzo-model.schema.json"));
  EXPECT_EQ(empty.List(), std::vector<std::string>{"schema.json"});
}

TEST(JsonSchemaTest, TheDocumentsOfTheSampleAndOfAGeneratedInstallationAreValid) {
  platform::TempFolder legacy;
  platform::TempFolder out;
  testing::CopySample(legacy / "sample");
  ASSERT_EQ(testing::MakeInstallation(legacy / "generated").exit_code, 0);
  std::vector<std::string> documents;
  for (std::string installation : {"sample", "generated"}) {
    documents.push_back(out / (installation + ".json"));
    testing::ProgramRun run = testing::RunProgram(
        KZO_EXPORT_PROGRAM, {"--output", documents.back(), legacy / installation}, "/");
    ASSERT_EQ(run.exit_code, 0) << run.err;
  }
  EXPECT_EQ(testing::CheckSchema(documents, true), "ok\n");
}

}  // namespace
}  // namespace kzo
