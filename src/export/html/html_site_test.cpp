#include "export/html/html_site.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/loaddbs.h"
#include "export/export_test_support.h"
#include "export/html/html_writer.h"
#include "store/run_test_support.h"

namespace kzo::exporter {
namespace {

using Strings = std::vector<std::string>;

TEST(HtmlEscapeTest, MarkupCharactersAndControlBytesNeverReachAPage) {
  std::string out;
  AppendHtmlEscaped(out, "<a href=\"x\">&'\x01\x7F\t\r\n\xC3\xA9");
  EXPECT_EQ(out, "&lt;a href=&quot;x&quot;&gt;&amp;&#39;\xEF\xBF\xBD\xEF\xBF\xBD\t\r\n\xC3\xA9");
}

// Fails every write after the first few, as a full disk would.
class DiskFillsUp : public platform::EnvWrapper {
 public:
  using EnvWrapper::EnvWrapper;
  int Write(int handle, const char* buffer, std::size_t size) override {
    if (++writes > 5) return 61;
    return EnvWrapper::Write(handle, buffer, size);
  }
  std::string LastErrorText() override { return "No space left on device"; }
  int writes = 0;
};

class HtmlSiteTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    WriteInstallation(legacy);
    // Texts with markup characters and a control byte, and a byte of code page 437.
    legacy.Write("north/card.ovv",
                 Lines({"Caf\x82 <Night> & \"Day\"\x01", "Second Show", "Third Show"}));
    legacy.Write("data/managers.dat",
                 testing::RosterFile({Lines({"<b>Mr. 'Mane'</b>", "Cane", "3"}) + Repeat("", 7)}));
    driver::LOADDBS(legacy.path());
    ASSERT_EQ(env.reports, Strings{});
  }

  std::optional<std::string> Export(platform::Env& files = platform::ExactPathEnv()) {
    return WriteHtmlSite(files, site);
  }
  std::string Page(const std::string& name) { return output.Read("site/" + name); }

  platform::TempFolder legacy;
  platform::TempFolder output;
  std::string site = output / "site";
};

TEST_F(HtmlSiteTest, PagesShowTheModelWithEveryTextEscaped) {
  ASSERT_EQ(Export(), std::nullopt);
  // The records agree with the database export's wrestler_records view: matches, wins,
  // losses, draws, comments and interviews left out.
  EXPECT_NE(Page("wrestler-1.html").find("<td>3</td><td>2</td><td>0</td><td>1</td>"),
            std::string::npos);
  EXPECT_NE(Page("wrestler-2.html").find("<td>3</td><td>0</td><td>2</td><td>1</td>"),
            std::string::npos);
  EXPECT_NE(Page("wrestler-2.html").find("<a href=\"team-1.html\">The Drifters</a>"),
            std::string::npos);
  EXPECT_NE(Page("circuit-1.html")
                .find("<td>North Heavyweight Title</td><td><a "
                      "href=\"wrestler-1.html\">Orrin Vale</a></td>"),
            std::string::npos);
  std::string show = Page("show-1-1.html");
  EXPECT_NE(show.find("<h1>Caf\xC3\xA9 &lt;Night&gt; &amp; &quot;Day&quot;\xEF\xBF\xBD</h1>"),
            std::string::npos);
  show = Page("show-1-2.html");
  EXPECT_NE(show.find("<td>Nobody.</td>"), std::string::npos) << "no wrestler: shown plainly";
  EXPECT_NE(show.find("<section class=\"segment\" id=\"segment-2\">\n<h2>2. Tag Team</h2>"),
            std::string::npos);
  EXPECT_NE(Page("manager-1.html").find("<h1>&lt;b&gt;Mr. &#39;Mane&#39;&lt;/b&gt;</h1>"),
            std::string::npos);
  EXPECT_NE(Page("search-index.js").find("[\"Caf\xC3\xA9 <Night> & \\\"Day\\\"\\u0001\""),
            std::string::npos)
      << "the search index is a script: JSON strings, shown by the page as text";
}

TEST_F(HtmlSiteTest, AnEarlierSiteOrAnEmptyFolderIsReplacedAndNothingElse) {
  ASSERT_EQ(Export(), std::nullopt);
  output.Write("site/added.html", "a file put into the earlier site");
  ASSERT_EQ(Export(), std::nullopt);
  EXPECT_FALSE(output.Exists("site/added.html"));
  EXPECT_TRUE(output.Exists("site/kzo-export-site.txt"));

  output.MakeFolder("empty");
  site = output / "empty";
  ASSERT_EQ(Export(), std::nullopt);
  EXPECT_TRUE(output.Exists("empty/index.html"));

  for (const char* taken : {"notes/notes.txt", "marked/kzo-export-site.txt"}) {
    output.Write(taken, "kept");
    if (std::string(taken).starts_with("marked")) output.MakeFolder("marked/photos");
    site = output / std::string(taken).substr(0, std::string(taken).find('/'));
    EXPECT_EQ(Export(), "not empty, and not a site written by kzo-export");
    EXPECT_EQ(output.Read(taken), "kept");
  }
  EXPECT_EQ(output.List(), (Strings{"empty", "marked", "notes", "site"}))
      << "nothing is left beside them";
}

TEST_F(HtmlSiteTest, AFailedWriteLeavesTheEarlierSiteAsItWas) {
  ASSERT_EQ(Export(), std::nullopt);
  std::string home = Page("index.html");
  DiskFillsUp full(platform::ExactPathEnv());
  EXPECT_EQ(Export(full), "No space left on device");
  EXPECT_EQ(output.List(), Strings{"site"});
  EXPECT_EQ(Page("index.html"), home);

  site = output / "missing/site";
  EXPECT_NE(Export(), std::nullopt);
  EXPECT_EQ(output.List(), Strings{"site"});
}

}  // namespace
}  // namespace kzo::exporter
