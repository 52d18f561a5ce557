// The commands that the README and the documents show, each after "$ " with the lines that
// continue it (up to the end of its quotes, and after a line that ends with | or \), and
// the output printed below it up to an empty line: run in bash from the source folder, with
// kzo-export on the PATH and /tmp/ a fresh folder per document, each prints exactly its
// output. On a generated installation, the SQL and jq answers to each question of the
// cookbook agree.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "support/folders.h"
#include "support/run_program.h"
#include "support/sqlite_rows.h"

namespace kzo {
namespace {

struct Example {
  std::string section;  // the heading ("## ...") above it
  std::string command;
  std::string output;  // each line followed by a line end
};

// True when the shell's quotes are open at the end of text (a backslash escapes outside
// single quotes).
bool QuotesOpen(const std::string& text) {
  char quote = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && quote != '\'') {
      ++i;
    } else if (quote == 0 && (c == '\'' || c == '"')) {
      quote = c;
    } else if (c == quote) {
      quote = 0;
    }
  }
  return quote != 0;
}

std::vector<Example> Examples(const std::string& document) {
  std::vector<std::string> lines;
  std::istringstream in(document);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::vector<Example> examples;
  std::string section;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with("## ")) section = lines[i];
    std::size_t indent = lines[i].find_first_not_of(' ');
    if (indent == std::string::npos || lines[i].compare(indent, 2, "$ ") != 0) continue;
    Example example{section, lines[i].substr(indent + 2), ""};
    while ((QuotesOpen(example.command) || example.command.ends_with('|') ||
            example.command.ends_with('\\')) &&
           i + 1 < lines.size()) {
      const std::string& next = lines[++i];
      example.command += "\n" + next.substr(std::min(indent, next.size()));
    }
    while (i + 1 < lines.size() && lines[i + 1].size() > indent &&
           lines[i + 1].find_first_not_of(' ') == indent &&
           lines[i + 1].compare(indent, 2, "$ ") != 0 &&
           lines[i + 1].compare(indent, 3, "```") != 0) {
      example.output += lines[++i].substr(indent) + "\n";
    }
    examples.push_back(example);
  }
  return examples;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Runs a command of a document in bash from the source folder, kzo-export on the PATH.
testing::ProgramRun RunInBash(const std::string& command) {
  std::string programs = std::filesystem::path(KZO_EXPORT_PROGRAM).parent_path().string();
  return testing::RunProgram("/bin/bash",
                             {"-c", "set -o pipefail; PATH=" + programs + ":$PATH\n" + command},
                             KZO_SOURCE_DIR);
}

class DocumentsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DocumentsTest, EveryCommandPrintsTheOutputBesideIt) {
  platform::TempFolder tmp;
  std::vector<Example> examples = Examples(testing::SourceFile(GetParam()));
  ASSERT_FALSE(examples.empty());
  for (const Example& example : examples) {
    testing::ProgramRun run = RunInBash(Replaced(example.command, "/tmp/", tmp.path() + "/"));
    EXPECT_EQ(run.exit_code, 0) << example.command << "\n" << run.err;
    EXPECT_EQ(run.out, Replaced(example.output, "/tmp/", tmp.path() + "/")) << example.command;
  }
}

INSTANTIATE_TEST_SUITE_P(Documents, DocumentsTest,
                         ::testing::Values("README.md", "doc/questions.md", "doc/sqlite.md"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = std::filesystem::path(info.param).stem().string();
                           return name == "README" ? std::string("Readme") : name;
                         });

TEST(CookbookTest, TheSqlAndJqAnswersAgreeOnAGeneratedInstallation) {
  platform::TempFolder tmp;
  ASSERT_EQ(testing::MakeInstallation(tmp / "s").exit_code, 0);
  for (const char* format : {"json", "sqlite"}) {
    std::string output = tmp / (std::string("s.") + (format[0] == 'j' ? "json" : "db"));
    ASSERT_EQ(RunInBash("kzo-export --format " + std::string(format) + " --output " + output + " " +
                        (tmp / "s"))
                  .exit_code,
              0);
  }
  // The two wrestlers who met most often stand for the sample's two.
  std::vector<std::string> pair = testing::FileRows(
      tmp / "s.db",
      "SELECT a.wname, b.wname FROM wrestler_matches a JOIN wrestler_matches b ON "
      "a.circuit = b.circuit AND a.show = b.show AND a.match = b.match AND a.side <> b.side "
      "GROUP BY a.wnr, b.wnr ORDER BY count(*) DESC, a.wnr, b.wnr LIMIT 1");
  ASSERT_EQ(pair.size(), 1u);
  std::string first = pair[0].substr(0, pair[0].find('|'));
  std::string second = pair[0].substr(pair[0].find('|') + 1);
  std::vector<Example> examples = Examples(testing::SourceFile("doc/questions.md"));
  int compared = 0;
  for (const Example& sql : examples) {
    if (!sql.command.starts_with("sqlite3 ")) continue;
    for (const Example& jq : examples) {
      if (jq.section != sql.section || !jq.command.starts_with("jq ")) continue;
      auto answer = [&](const Example& example) {
        std::string command = Replaced(example.command, "/tmp/", tmp.path() + "/");
        command = Replaced(Replaced(command, "Tamsin Reeve", first), "Orla Fennick", second);
        testing::ProgramRun run = RunInBash(command);
        EXPECT_EQ(run.exit_code, 0) << command << "\n" << run.err;
        return run.out;
      };
      std::string answer_sql = answer(sql);
      EXPECT_NE(answer_sql, "") << sql.section;
      EXPECT_EQ(answer(jq), answer_sql) << sql.section;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 7);
}

}  // namespace
}  // namespace kzo
