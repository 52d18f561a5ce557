// kzo-export --format html: the sites of the sample and of a generated installation, their
// numbers against the JSON document and the database, the messages of its command line, and
// the sample's site opened from disk in a real browser.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "support/folders.h"
#include "support/legacy_files.h"
#include "support/run_program.h"

namespace kzo {
namespace {

using Strings = std::vector<std::string>;

const std::string kChromium = "/usr/bin/chromium";

testing::ProgramRun ExportSite(const std::string& legacy, const std::string& site) {
  return testing::RunProgram(KZO_EXPORT_PROGRAM, {"--format", "html", "--output", site, legacy},
                             "/");
}

TEST(HtmlSiteProgramTest, EveryPageParsesAndEveryLinkResolvesToAFileOfTheSite) {
  platform::TempFolder legacy;
  platform::TempFolder out;
  testing::CopySample(legacy / "sample");
  testing::ProgramRun made = testing::MakeInstallation(legacy / "generated");
  ASSERT_EQ(made.exit_code, 0) << made.err;
  for (std::string installation : {"sample", "generated"}) {
    auto before = testing::Snapshot(legacy / installation);
    testing::ProgramRun run = ExportSite(legacy / installation, out / installation);
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(testing::CheckSite(out / installation), "ok\n") << installation;
    EXPECT_EQ(testing::Snapshot(legacy / installation), before) << "the load wrote nothing";
  }
  // Every wrestler's record, streaks and record against each opponent on the site and in the
  // database equal a count made from the JSON document.
  for (std::vector<std::string> format : {std::vector<std::string>{"json", "model.json"},
                                          std::vector<std::string>{"sqlite", "model.db"}}) {
    testing::ProgramRun run = testing::RunProgram(
        KZO_EXPORT_PROGRAM, {"-f", format[0], "-o", out / format[1], legacy / "generated"}, "/");
    ASSERT_EQ(run.exit_code, 0) << run.err;
  }
  EXPECT_EQ(testing::RunChecker("check_careers.py",
                                {out / "model.json", out / "model.db", out / "generated"}),
            "ok\n");
}

TEST(HtmlSiteProgramTest, AFolderOfOtherThingsIsRefusedAndAFailureNamesTheFolder) {
  platform::TempFolder legacy;
  platform::TempFolder out;
  testing::WriteSmallInstallation(legacy);
  testing::ProgramRun run =
      testing::RunProgram(KZO_EXPORT_PROGRAM, {"--format", "html"}, legacy.path());
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(run.err.starts_with("kzo-export: --format html needs --output DIR\nusage: "))
      << run.err;

  out.Write("taken/notes.txt", "kept");
  run = ExportSite(legacy.path(), out / "taken");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err, "kzo-export: will not replace " + (out / "taken") +
                         ": it is not empty and holds no site written by kzo-export\n");
  EXPECT_EQ(out.Read("taken/notes.txt"), "kept");

  run = ExportSite(legacy.path(), out / "none/site");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "kzo-export: cannot write " + (out / "none/site") + " (No such file or directory)\n");
  EXPECT_EQ(out.List(), Strings{"taken"});

  // A relative DIR is taken from where the program starts; an earlier site is replaced.
  for (int i = 0; i < 2; ++i) {
    run = testing::RunProgram(KZO_EXPORT_PROGRAM, {"-f", "html", "-o", "site", legacy.path()},
                              out.path());
    EXPECT_EQ(run.exit_code, 0) << run.err;
  }
  EXPECT_EQ(out.List(), (Strings{"site", "taken"}));
}

// The sample's site in Chromium: its pages render their texts, a click on a heading sorts a
// table, colours have contrast enough, charts stay readable on a phone; the screenshots stay
// in the build folder.
TEST(HtmlSiteBrowserTest, TheSampleSiteOpensFromDiskInChromium) {
  if (!std::filesystem::exists(kChromium)) GTEST_SKIP() << "no " << kChromium;
  platform::TempFolder legacy;
  platform::TempFolder out;
  testing::CopySample(legacy.path());
  ASSERT_EQ(ExportSite(legacy.path(), out / "site").exit_code, 0);
  std::string screenshots = std::string(KZO_BINARY_DIR) + "/screenshots";
  std::filesystem::remove_all(screenshots);
  EXPECT_EQ(testing::RunChecker("browse_site.py", {out / "site", screenshots}), "ok\n");
  EXPECT_GT(std::filesystem::exists(screenshots + "/wrestler-1-390.png")
                ? std::filesystem::file_size(screenshots + "/wrestler-1-390.png")
                : 0,
            1000u);
}

}  // namespace
}  // namespace kzo
