// The command lines of both programs: help and usage errors touch nothing, a FOLDER is
// imported as if run in it, the export and a dry run never write into the legacy folder,
// and an output is written whole or not at all, with exit code 1 when it is not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "support/folders.h"
#include "support/run_program.h"

namespace kzo {
namespace {

using testing::ProgramRun;
using testing::RunProgram;
using Strings = std::vector<std::string>;

const std::string kImportUsage =
    "usage: kzo-import [--yes] [--explain] [--dry-run] [FOLDER]\n"
    "       kzo-import --help | --version\n";
const std::string kExportUsage =
    "usage: kzo-export [--yes] [--explain] [--format json|sqlite|html] [--output FILE|DIR] "
    "[FOLDER]\n"
    "       kzo-export --help | --version\n";

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::CopySample(legacy.path()); }
  std::string Legacy() const { return legacy.path(); }

  platform::TempFolder legacy;
  platform::TempFolder elsewhere;
};

TEST_F(CommandLineTest, HelpVersionAndBadArgumentsReadAndWriteNothing) {
  legacy.Write("matches.txt", "the user's report");
  auto before = testing::Snapshot(Legacy());
  struct Case {
    Strings arguments;
    int exit_code;
    std::string out, err;
  };
  const Case cases[] = {
      {{"--version"}, 0, "kzo-import 1.1.0\n", ""},
      {{"--bogus"},
       2,
       "",
       "kzo-import: The following argument was not expected: --bogus\n" + kImportUsage},
      {{"a", "b"},
       2,
       "",
       "kzo-import: The following argument was not expected: b\n" + kImportUsage},
      {{"missing"}, 2, "", "kzo-import: missing: no such folder\n"},
      {{"matches.txt"}, 2, "", "kzo-import: matches.txt: not a folder\n"},
  };
  for (const Case& c : cases) {
    ProgramRun run = RunProgram(KZO_IMPORT_PROGRAM, c.arguments, Legacy());
    EXPECT_EQ(run.exit_code, c.exit_code) << c.arguments[0];
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
  for (const char* help : {"--help", "-h"}) {
    ProgramRun run = RunProgram(KZO_IMPORT_PROGRAM, {help}, Legacy());
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.out.starts_with(kImportUsage + "\nImports the legacy installation")) << run.out;
  }
  ProgramRun run = RunProgram(KZO_EXPORT_PROGRAM, {"--format=xml"}, Legacy());
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err, "kzo-export: --format: xml not in {json,sqlite,html}\n" + kExportUsage);
  run = RunProgram(KZO_EXPORT_PROGRAM, {"-f", "sqlite", "-o", "-"}, Legacy());
  EXPECT_EQ(run.err, "kzo-export: --format sqlite needs --output FILE\n" + kExportUsage);
  EXPECT_EQ(RunProgram(KZO_EXPORT_PROGRAM, {"--version"}, Legacy()).out, "kzo-export 1.1.0\n");
  EXPECT_EQ(testing::Snapshot(Legacy()), before);
}

TEST_F(CommandLineTest, AFolderIsImportedAsIfTheProgramRanInIt) {
  platform::TempFolder twin;
  testing::CopySample(twin.path());
  legacy.Write("card.lgs", legacy.Read("card.lgs") + "Lost\r\nnowhere\r\nx\r\n");
  twin.Write("card.lgs", legacy.Read("card.lgs"));
  ProgramRun here = RunProgram(KZO_IMPORT_PROGRAM, {}, Legacy());
  ProgramRun from_elsewhere = RunProgram(KZO_IMPORT_PROGRAM, {"--", twin.path()}, elsewhere.path());
  EXPECT_EQ(from_elsewhere.exit_code, 0);
  EXPECT_NE(here.err, "") << "the missing circuit folder is reported";
  EXPECT_EQ(from_elsewhere.err, here.err);
  EXPECT_EQ(from_elsewhere.out, here.out);
  EXPECT_EQ(testing::Snapshot(twin.path()), testing::Snapshot(Legacy()));
  EXPECT_EQ(elsewhere.List(), Strings{});
}

TEST_F(CommandLineTest, TheExportAndADryRunLeaveTheFolderAsItWas) {
  // One circuit database shorter than the roster: the load rewrites it and rotates backups.
  legacy.Write("cwa/circdb.dat", " 0 \r\n");
  auto before = testing::Snapshot(Legacy());
  ProgramRun dry = RunProgram(KZO_IMPORT_PROGRAM, {"--dry-run"}, Legacy());
  EXPECT_EQ(dry.exit_code, 0);
  EXPECT_EQ(dry.out,
            "kzo-import: dry run, nothing was written; the import would\n"
            "  rewrite cwa/circdb.dat\n"
            "  create  cwa/circdb.dat.bak1\n"
            "  create  matches.txt\n"
            "  create  npw/circdb.dat\n");
  ProgramRun json =
      RunProgram(KZO_EXPORT_PROGRAM, {"-o", "model.json", Legacy()}, elsewhere.path());
  ProgramRun sqlite = RunProgram(
      KZO_EXPORT_PROGRAM, {"--format", "sqlite", "--output=model.db", Legacy()}, elsewhere.path());
  EXPECT_EQ(json.exit_code, 0);
  EXPECT_EQ(sqlite.exit_code, 0);
  EXPECT_EQ(testing::Snapshot(Legacy()), before);

  // A folder the user may not write gives the same model.
  testing::SetFolderMode(Legacy(), false);
  ProgramRun read_only =
      testing::RunCommand(testing::WithoutWritePermission(KZO_EXPORT_PROGRAM), {Legacy()}, "/");
  testing::SetFolderMode(Legacy(), true);
  EXPECT_EQ(read_only.exit_code, 0) << read_only.err;
  EXPECT_EQ(read_only.out + "", elsewhere.Read("model.json"));
  EXPECT_EQ(testing::Snapshot(Legacy()), before);
}

TEST_F(CommandLineTest, AnImportThatCannotWriteItsReportEndsWithOne) {
  testing::SetFolderMode(Legacy(), false);
  ProgramRun read_only =
      testing::RunCommand(testing::WithoutWritePermission(KZO_IMPORT_PROGRAM), {}, Legacy());
  testing::SetFolderMode(Legacy(), true);
  EXPECT_EQ(read_only.exit_code, 1);
  EXPECT_TRUE(
      read_only.err.ends_with("Press OK to continue, Cancel to terminate\r\n"
                              "kzo-import: matches.txt was not written whole "
                              "(Permission denied)\n"))
      << read_only.err;
  EXPECT_FALSE(legacy.Exists("matches.txt"));

  ProgramRun limited =
      testing::RunCommand(testing::WithFileSizeLimit(1, KZO_IMPORT_PROGRAM), {}, Legacy());
  EXPECT_EQ(limited.exit_code, 1);
  EXPECT_TRUE(limited.err.ends_with("(File too large)\n")) << limited.err;
}

TEST_F(CommandLineTest, AnOutputIsWrittenWholeOrNotAtAll) {
  elsewhere.Write("notes.json", "older");
  elsewhere.Write("model.db", "older");
  ProgramRun other_case =
      RunProgram(KZO_EXPORT_PROGRAM, {"-o", "Notes.json", Legacy()}, elsewhere.path());
  EXPECT_EQ(other_case.exit_code, 0);
  EXPECT_EQ(elsewhere.Read("notes.json"), "older");
  EXPECT_TRUE(elsewhere.Read("Notes.json").starts_with("{\"format\":\"kzo-model\""));

  struct Case {
    Strings command;
    Strings arguments;
    std::string message;
  };
  const Case cases[] = {
      {testing::WithFileSizeLimit(8, KZO_EXPORT_PROGRAM),
       {"-o", "notes.json"},
       "kzo-export: cannot write notes.json (File too large)\n"},
      {testing::WithFileSizeLimit(8, KZO_EXPORT_PROGRAM),
       {"-f", "sqlite", "-o", "model.db"},
       "kzo-export: cannot write model.db ("},
      {{KZO_EXPORT_PROGRAM},
       {"-o", "/dev/full"},
       "kzo-export: cannot write /dev/full (No space left on device)\n"},
      {{"/bin/sh", "-c", "exec \"$@\" > /dev/full", "sh", KZO_EXPORT_PROGRAM},
       {},
       "kzo-export: cannot write standard output (No space left on device)\n"},
      {{KZO_EXPORT_PROGRAM},
       {"-o", "missing/notes.json"},
       "kzo-export: cannot write missing/notes.json (No such file or directory)\n"},
  };
  for (const Case& c : cases) {
    Strings arguments = c.arguments;
    arguments.push_back(Legacy());
    ProgramRun run = testing::RunCommand(c.command, arguments, elsewhere.path());
    EXPECT_EQ(run.exit_code, 1) << c.message;
    EXPECT_TRUE(run.err.ends_with(c.message) || run.err.starts_with(c.message)) << run.err;
  }
  EXPECT_EQ(elsewhere.List(), (Strings{"Notes.json", "model.db", "notes.json"}));
  EXPECT_EQ(elsewhere.Read("notes.json"), "older");
  EXPECT_EQ(elsewhere.Read("model.db"), "older");
}

TEST_F(CommandLineTest, YesNeverAsksAndExplainNamesTheFileAndLine) {
  legacy.Write("data/gimmicks.dat", "2\r\nCage\r\n");  // the count promises more than it holds
  ProgramRun yes =
      testing::RunProgramOnTerminal(KZO_IMPORT_PROGRAM, Legacy(), {"Cancel"}, {"--yes"});
  EXPECT_EQ(yes.exit_code, 0);
  EXPECT_EQ(yes.out.find("OK/Cancel?"), std::string::npos) << yes.out;
  EXPECT_NE(yes.out.find("Untrapped Error #62"), std::string::npos);

  ProgramRun explained = RunProgram(KZO_IMPORT_PROGRAM, {"--explain"}, Legacy());
  EXPECT_TRUE(explained.err.starts_with(
      "Untrapped Error #62 (Input past end)\r\nhas occurred following execution of MAKEASCI\r\n\r\n"
      "Press OK to continue, Cancel to terminate\r\nIn data\\gimmicks.dat, line 3\r\n"))
      << explained.err;
}

}  // namespace
}  // namespace kzo
