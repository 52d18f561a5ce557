// The command lines of both programs: help and usage errors touch nothing, a FOLDER is
// imported as if run in it, the export and a dry run never write into the legacy folder,
// and an output is written whole or not at all, with exit code 1 when it is not.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
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
    "usage: kzo-export [--yes] [--explain] [--format json|sqlite|html|csv|json-schema]\n"
    "                  [--output FILE|DIR] [FOLDER]\n"
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
      {{"--bogus"}, 2, "", "kzo-import: unknown option --bogus\n" + kImportUsage},
      {{"a", "b"}, 2, "", "kzo-import: unexpected argument b\n" + kImportUsage},
      {{"--", "--bogus", "b"}, 2, "", "kzo-import: unexpected argument b\n" + kImportUsage},
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
  const std::pair<Strings, std::string> export_cases[] = {
      {{"--format=xml"}, "--format needs one of json, sqlite, html, csv, json-schema"},
      {{"-f"}, "--format needs one of json, sqlite, html, csv, json-schema"},
      {{"--output"}, "--output needs a FILE, or a DIR for html and csv"},
      {{"-f", "sqlite", "-o", "-"}, "--format sqlite needs --output FILE"},
      {{"-f", "html", "-o", "matches.txt"}, "matches.txt is a file, not a folder"},
      {{"-f", "csv"}, "--format csv needs --output DIR"},
  };
  for (const auto& [arguments, message] : export_cases) {
    ProgramRun run = RunProgram(KZO_EXPORT_PROGRAM, arguments, Legacy());
    EXPECT_EQ(run.exit_code, 2) << message;
    EXPECT_EQ(run.err, "kzo-export: " + message + "\n" + kExportUsage);
  }
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

TEST_F(CommandLineTest, AFolderThatCannotBeWrittenIsSaidOnceAndStillReadable) {
  testing::SetFolderMode(Legacy(), false);
  Strings import = testing::WithoutWritePermission(KZO_IMPORT_PROGRAM);
  ProgramRun refused = testing::RunCommand(import, {}, Legacy());
  ProgramRun dry = testing::RunCommand(import, {"--dry-run"}, Legacy());
  ProgramRun exported = testing::RunCommand(testing::WithoutWritePermission(KZO_EXPORT_PROGRAM),
                                            {"-o", "/dev/null", Legacy()}, "/");
  testing::SetFolderMode(Legacy(), true);
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err,
            "kzo-import: cannot write into " + Legacy() +
                " (Permission denied): the import writes matches.txt and keeps "
                "files of the installation up to date there; `kzo-import --dry-run` "
                "lists them, and `kzo-export` reads a folder that cannot be written\n");
  EXPECT_EQ(dry.exit_code, 0);
  EXPECT_NE(dry.out.find("  create  matches.txt\n"), std::string::npos) << dry.out;
  EXPECT_EQ(exported.exit_code, 0) << exported.err;
  EXPECT_FALSE(legacy.Exists("matches.txt"));
}

TEST_F(CommandLineTest, AReportThatFailsLeavesTheEarlierOneAsItWas) {
  legacy.Write("matches.txt", "the earlier report\r\n");
  ProgramRun limited =
      testing::RunCommand(testing::WithFileSizeLimit(1, KZO_IMPORT_PROGRAM), {}, Legacy());
  EXPECT_EQ(limited.exit_code, 1);
  EXPECT_TRUE(limited.err.ends_with(
      "Untrapped Error #75 (Path/file access error)\r\nhas occurred following execution of "
      "KZOMAIN \r\n\r\nPress OK to continue, Cancel to terminate\r\n"
      "kzo-import: matches.txt was not written whole (File too large)\n"))
      << limited.err;
  EXPECT_EQ(legacy.Read("matches.txt"), "the earlier report\r\n");
  EXPECT_EQ(legacy.List(), (Strings{"card.lgs", "cwa", "data", "kzo.cnf", "matches.txt", "npw"}));

  // A report the user protected is written to as the old program did, and never replaced.
  namespace fs = std::filesystem;
  fs::permissions(Legacy(), fs::perms::all);
  for (const auto& entry : fs::recursive_directory_iterator(Legacy())) {
    fs::permissions(entry.path(), fs::perms::all);
  }
  fs::permissions(legacy / "matches.txt", fs::perms(0444));
  ProgramRun guarded =
      testing::RunCommand(testing::WithoutWritePermission(KZO_IMPORT_PROGRAM), {}, Legacy());
  EXPECT_EQ(guarded.exit_code, 1);
  EXPECT_TRUE(guarded.err.starts_with("Untrapped Error #70 (Permission denied)\r\n"));
  EXPECT_TRUE(
      guarded.err.ends_with("kzo-import: matches.txt was not written whole "
                            "(Permission denied)\n"));
  EXPECT_EQ(legacy.Read("matches.txt"), "the earlier report\r\n");
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

TEST_F(CommandLineTest, AnOutputThatIsPartOfTheInstallationIsRefused) {
  namespace fs = std::filesystem;
  legacy.Remove("kzo.cnf");  // the load would make it
  fs::create_symlink(legacy / "card.lgs", elsewhere / "link.json");
  fs::create_hard_link(legacy / "data/wrestlrs.dat", elsewhere / "hard.db");
  auto before = testing::Snapshot(Legacy());
  const Strings cases[] = {
      {"-o", "card.lgs"},          {"-o", "CARD.LGS"},
      {"-o", "data/Wrestlrs.dat"}, {"-f", "sqlite", "-o", "cwa/card.inf"},
      {"-o", "kzo.cnf"},           {"-f", "sqlite", "-o", "npw/KZO.CNF"},
      {"-o", "cwa/circdb.dat"},    {"-f", "html", "-o", "npw/circdb.dat"},
  };
  for (const Strings& arguments : cases) {
    ProgramRun run = RunProgram(KZO_EXPORT_PROGRAM, arguments, Legacy());
    EXPECT_EQ(run.exit_code, 2) << arguments.back();
    EXPECT_TRUE(run.err.ends_with("kzo-export: will not write " + arguments.back() +
                                  ": it is part of the legacy installation in " + Legacy() + "\n"))
        << run.err;
  }
  for (const char* linked : {"link.json", "hard.db"}) {
    ProgramRun run = RunProgram(KZO_EXPORT_PROGRAM, {"-o", linked, Legacy()}, elsewhere.path());
    EXPECT_EQ(run.exit_code, 2) << linked;
    EXPECT_EQ(run.err, std::string("kzo-export: will not write ") + linked +
                           ": it is part of the legacy installation in " + Legacy() + "\n");
  }
  EXPECT_EQ(testing::Snapshot(Legacy()), before);

  // A new file in the folder, and an earlier export there, are the user's to write.
  for (int run = 0; run < 2; ++run) {
    EXPECT_EQ(RunProgram(KZO_EXPORT_PROGRAM, {"-o", "model.json"}, Legacy()).exit_code, 0);
  }
  EXPECT_TRUE(legacy.Read("model.json").starts_with("{\"format\":\"kzo-model\""));
}

TEST_F(CommandLineTest, LeftoversOfAStoppedExportAreRemovedAndNothingElse) {
  std::string own = std::to_string(getpid());  // a process that still runs: this test
  for (const std::string& name :
       Strings{"out.json.new-999999999", "out.json.new-" + own, "out.json.new-12x", "out.json.old",
               "other.json.new-999999999"}) {
    elsewhere.Write(name, "left");
  }
  elsewhere.Write("site.new-999999999/kzo-export-site.txt", "marker");
  elsewhere.Write("site.new-999999999/index.html", "page");
  elsewhere.MakeFolder("site.old-999999998");
  elsewhere.Write("site.old-999999997/notes.txt", "the user's");
  elsewhere.Write("site.old-999999997/keep/more.txt", "the user's");
  EXPECT_EQ(
      RunProgram(KZO_EXPORT_PROGRAM, {"-o", "out.json", Legacy()}, elsewhere.path()).exit_code, 0);
  EXPECT_EQ(RunProgram(KZO_EXPORT_PROGRAM, {"-f", "html", "-o", "site", Legacy()}, elsewhere.path())
                .exit_code,
            0);
  Strings kept{"other.json.new-999999999", "out.json",     "out.json.new-" + own,
               "out.json.new-12x",         "out.json.old", "site",
               "site.old-999999997"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(elsewhere.List(), kept);
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
