// kzo-export --format html: the sites of the sample and of a generated installation, the
// messages of its command line, and the sample's site opened from disk in a real browser.
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
  testing::ProgramRun made = testing::RunProgram(
      "/usr/bin/python3",
      {KZO_SOURCE_DIR "/bench/make-installation", "--out", legacy / "generated", "--seed", "3"},
      "/");
  ASSERT_EQ(made.exit_code, 0) << made.err;
  for (std::string installation : {"sample", "generated"}) {
    auto before = testing::Snapshot(legacy / installation);
    testing::ProgramRun run = ExportSite(legacy / installation, out / installation);
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(testing::CheckSite(out / installation), "ok\n") << installation;
    EXPECT_EQ(testing::Snapshot(legacy / installation), before) << "the load wrote nothing";
  }
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

// Opens a page of the site in headless Chromium with a fresh profile and the given
// arguments; what the browser wrote to standard output.
std::string OpenInChromium(const std::string& url, std::vector<std::string> arguments) {
  platform::TempFolder profile;
  arguments.insert(arguments.begin(), {"--headless", "--no-sandbox", "--disable-gpu",
                                       "--disable-background-networking", "--no-first-run",
                                       "--user-data-dir=" + profile.path()});
  arguments.push_back(url);
  testing::ProgramRun run = testing::RunProgramWithTimeout(kChromium, arguments, "/", 120);
  EXPECT_FALSE(run.timed_out) << url;
  return run.out;
}

TEST(HtmlSiteBrowserTest, TheSampleSiteOpensFromDiskInChromium) {
  if (!std::filesystem::exists(kChromium)) GTEST_SKIP() << "no " << kChromium;
  platform::TempFolder legacy;
  platform::TempFolder out;
  testing::CopySample(legacy.path());
  ASSERT_EQ(ExportSite(legacy.path(), out / "site").exit_code, 0);
  std::string site = "file://" + (out / "site") + "/";
  std::string screenshots = std::string(KZO_BINARY_DIR) + "/screenshots";
  std::filesystem::create_directories(screenshots);

  // The home page's search runs on the query in its address.
  std::string home = OpenInChromium(site + "index.html?q=brannoc", {"--dump-dom"});
  EXPECT_NE(home.find("<a href=\"circuit-1.html\">Coastal Wrestling Alliance</a>"),
            std::string::npos)
      << home;
  EXPECT_NE(home.find("<li><a href=\"wrestler-1.html\">Brannoc Tell</a> (wrestler)</li>"),
            std::string::npos);
  std::string wrestler = OpenInChromium(site + "wrestler-1.html", {"--dump-dom"});
  EXPECT_NE(wrestler.find("<h1>Brannoc Tell</h1>"), std::string::npos) << wrestler;
  EXPECT_NE(wrestler.find("<td>4</td><td>3</td><td>0</td><td>1</td>"), std::string::npos);
  std::string show = OpenInChromium(site + "show-1-1.html", {"--dump-dom"});
  EXPECT_NE(show.find("Teo Salvaro pinned Rusk Amberlane after a Flying Elbow in 9:12."),
            std::string::npos)
      << show;
  EXPECT_NE(show.find("<a href=\"wrestler-10.html\">Teo Salvaro</a></td><td class=\"win\">"),
            std::string::npos);

  for (std::string page : {"index", "wrestler-1", "show-1-1"}) {
    std::string picture = screenshots + "/" + page + ".png";
    std::filesystem::remove(picture);
    OpenInChromium(site + page + ".html", {"--screenshot=" + picture, "--window-size=1200,900"});
    EXPECT_GT(std::filesystem::exists(picture) ? std::filesystem::file_size(picture) : 0, 1000u)
        << picture;
  }
}

}  // namespace
}  // namespace kzo
