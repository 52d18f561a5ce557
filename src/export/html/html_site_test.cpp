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
    // A title held by a team, and a circuit whose folder leads outside the installation.
    legacy.Write("north/card.ttl", "1\r\n" + Lines({"The Drifters", "North Tag Title", "1"}));
    legacy.Write("card.lgs", Lines({"Northern Circuit", "north", "x", "Away", "..\\away", "y"}));
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

// True when the page holds the texts in this order.
bool InOrder(const std::string& page, const Strings& texts) {
  std::size_t at = 0;
  for (const std::string& text : texts) {
    at = page.find(text, at);
    if (at == std::string::npos) return false;
  }
  return true;
}

TEST_F(HtmlSiteTest, PagesShowTheModelWithEveryTextEscaped) {
  ASSERT_EQ(Export(), std::nullopt);
  std::string show = Page("show-1-1.html");
  EXPECT_NE(show.find("<h1>Northern Circuit, show 1: Caf\xC3\xA9 &lt;Night&gt; &amp; "
                      "&quot;Day&quot;\xEF\xBF\xBD</h1>"),
            std::string::npos);
  EXPECT_NE(Page("show-1-2.html").find("<td>Nobody.</td>"), std::string::npos)
      << "no wrestler: shown plainly";
  EXPECT_NE(Page("manager-1.html").find("<h1>&lt;b&gt;Mr. &#39;Mane&#39;&lt;/b&gt;</h1>"),
            std::string::npos);
  EXPECT_NE(Page("search-index.js").find("[\"Caf\xC3\xA9 <Night> & \\\"Day\\\"\\u0001\""),
            std::string::npos)
      << "the search index is a script: JSON strings, shown by the page as text";
  std::string folder = legacy.path().substr(legacy.path().find_last_of("/\\") + 1);
  EXPECT_NE(Page("index.html").find("<h1>" + folder + "</h1>"), std::string::npos)
      << "the installation by its folder's name";
  EXPECT_EQ(Page("index.html").find(legacy.path()), std::string::npos);
}

// A wrestler's page: the record (the same counts as the database's view wrestler_records),
// the matches with partners and opponents, the record against each opponent, the titles
// (through a team), the record's fields last.
TEST_F(HtmlSiteTest, AWrestlersPageBeginsWithTheCareer) {
  ASSERT_EQ(Export(), std::nullopt);
  EXPECT_TRUE(InOrder(Page("wrestler-1.html"),
                      {"<dt>Matches</dt><dd>3</dd>", "<table class=\"sortable\" id=\"record\">",
                       "<td>3</td><td>2</td><td>0</td><td>1</td><td>66.7</td><td>2 (shows "
                       "1&ndash;2)</td><td>1 draw</td>",
                       "<svg viewBox=", "aria-describedby=\"matches\"",
                       "<td><a href=\"wrestler-4.html\">Pim Lorca</a></td><td><a "
                       "href=\"wrestler-2.html\">Tuck Masden</a>, <a "
                       "href=\"wrestler-3.html\">Quill Danby</a></td><td class=\"win\">W</td>",
                       "<td></td><td><a href=\"wrestler-2.html\">Tuck Masden</a></td><td "
                       "class=\"draw\">D</td>",
                       "id=\"head-to-head\"",
                       "<a href=\"wrestler-2.html\">Tuck Masden</a></td><td>3</td><td>2</td>",
                       "<h2>Attributes</h2>", "<details><summary>Style</summary>"}))
      << Page("wrestler-1.html");
  EXPECT_TRUE(InOrder(Page("wrestler-2.html"),
                      {"<li>Holds North Tag Title (",
                       "with <a href=\"team-1.html\">The "
                       "Drifters</a></li><li>Team <a href=\"team-1.html\">The Drifters</a>"}));
  EXPECT_NE(Page("circuit-1.html")
                .find("<td>North Tag Title</td><td><a href=\"team-1.html\">The Drifters</a> (<a "
                      "href=\"wrestler-2.html\">Tuck Masden</a> &amp; <a "
                      "href=\"wrestler-3.html\">Quill Danby</a>)</td>"),
            std::string::npos);
}

// Shows lead to each other and fold their play-by-play; a circuit that was not loaded says
// why; the leaders rank the wrestlers.
TEST_F(HtmlSiteTest, ShowsCircuitsAndLeaders) {
  ASSERT_EQ(Export(), std::nullopt);
  EXPECT_TRUE(InOrder(Page("show-1-2.html"), {"&larr; Previous: <a href=\"show-1-1.html\">1. Caf",
                                              "Next: <a "
                                              "href=\"show-1-3.html\">3. Third Show</a> &rarr;"}));
  EXPECT_NE(Page("show-1-1.html")
                .find("<details class=\"play-by-play\"><summary>Play-by-play, 2 "
                      "lines</summary>\n<pre class=\"play-by-play\">Lock up.\nSuplex!\n</pre>"),
            std::string::npos);
  EXPECT_NE(Page("circuit-2.html")
                .find("<p>Its folder <code>..\\away</code> leads outside the installation, so "
                      "the circuit was not loaded.</p>"),
            std::string::npos);
  EXPECT_TRUE(
      InOrder(Page("circuit-1.html"),
              {"<td>1</td><td><a href=\"show-1-1.html\">",
               "</a></td><td>1</td><td>1</td>"
               "<td>85.0</td>",
               "id=\"roster\"", "Orrin Vale</a></td><td>3</td><td>2</td>", "<td>not hired</td>"}));
  EXPECT_TRUE(InOrder(Page("leaders.html"),
                      {"<h3>Most wins</h3>", "id=\"all-wins\"",
                       "<tbody>\n<tr><td><a "
                       "href=\"wrestler-1.html\">Orrin Vale</a></td><td>3</td><td>2</td>",
                       "<section id=\"circuit-2\">", "None yet."}));
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
    EXPECT_EQ(Export(), "not empty, and not written by kzo-export in this format");
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
