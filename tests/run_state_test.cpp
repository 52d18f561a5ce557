// A run's state lives in RunLocals (src/store/run.h), all reset by every BeginRun. A
// variable of static storage anywhere in the code outside the platform (whose state is the
// process's, not a run's) is a RunLocal, a constant, or the declaration of one defined
// elsewhere: a table declared otherwise would carry one run's data into the next. The code
// is read as this project formats it: nothing at namespace scope is indented, and a
// variable is initialized with "=" or braces, so that "T name(...);" is taken for a
// function.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The source with comments, the contents of string and character literals (raw strings
// included) and preprocessor lines blanked out; line breaks stay, so lines keep their
// numbers.
std::string CodeOnly(std::string_view source) {
  std::string code(source);
  auto blank = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < code.size(); ++i) {
      if (code[i] != '\n') code[i] = ' ';
    }
  };
  auto starts_line = [&](std::size_t at) {
    while (at > 0 && (code[at - 1] == ' ' || code[at - 1] == '\t')) --at;
    return at == 0 || code[at - 1] == '\n';
  };
  for (std::size_t i = 0; i < code.size();) {
    char c = code[i];
    if (c == '#' && starts_line(i)) {  // a directive, with its continued lines
      std::size_t end = i;
      while (end < code.size() && (code[end] != '\n' || code[end - 1] == '\\')) ++end;
      blank(i, end);
      i = end;
    } else if (code.compare(i, 2, "//") == 0) {
      std::size_t end = std::min(code.find('\n', i), code.size());
      blank(i, end);
      i = end;
    } else if (code.compare(i, 2, "/*") == 0) {
      std::size_t end = std::min(code.find("*/", i + 2), code.size() - 2) + 2;
      blank(i, end);
      i = end;
    } else if (code.compare(i, 2, "R\"") == 0) {
      std::size_t open = code.find('(', i);
      std::string close = ")" + code.substr(i + 2, open - i - 2) + "\"";
      std::size_t end = std::min(code.find(close, open), code.size() - close.size());
      blank(i + 2, end + close.size() - 1);
      i = end + close.size();
    } else if (c == '\'' && i > 0 && std::isdigit(static_cast<unsigned char>(code[i - 1]))) {
      ++i;  // a digit separator
    } else if (c == '"' || c == '\'') {
      std::size_t end = i + 1;
      while (end < code.size() && code[end] != c) end += code[end] == '\\' ? 2 : 1;
      blank(i + 1, end);
      i = end + 1;
    } else {
      ++i;
    }
  }
  return code;
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : std::string(text) + " ") {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

// A declaration (up to its first "{" or ";") that makes a variable of static storage which
// is neither a RunLocal nor a constant. A "(" before any "=" makes a function.
bool IsStateOutsideARun(std::string_view declaration) {
  std::vector<std::string> words = Words(declaration.substr(0, declaration.find('=')));
  const std::string_view kNoVariable[] = {"using",  "typedef", "template",     "namespace",
                                          "extern", "struct",  "class",        "union",
                                          "enum",   "friend",  "static_assert"};
  auto has = [&](std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
  };
  if (words.empty() || has("operator") ||
      std::find(std::begin(kNoVariable), std::end(kNoVariable), words[0]) !=
          std::end(kNoVariable)) {
    return false;
  }
  bool function = declaration.substr(0, declaration.find('=')).find('(') != std::string::npos;
  return !function && !has("RunLocal") && !has("const") && !has("constexpr");
}

std::string_view Trimmed(std::string_view text) {
  std::size_t start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// The declaration that starts at `at` of line i: up to its first "{" or ";", on this line or
// the next few.
std::string DeclarationAt(const std::vector<std::string>& lines, std::size_t i, std::size_t at) {
  std::string text = lines[i].substr(at);
  for (std::size_t next = i + 1;
       text.find_first_of("{;") == std::string::npos && next < lines.size() && next < i + 5;
       ++next) {
    text.append(" ").append(Trimmed(lines[next]));
  }
  text.resize(std::min(text.find_first_of("{;"), text.size()));
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Where declarations of static storage start on a line: the line's start at namespace
// scope (the code's format indents nothing there), and "static" at the start of a
// statement elsewhere.
std::vector<std::size_t> DeclarationStarts(std::string_view line) {
  std::vector<std::size_t> starts;
  if (!line.empty() && line[0] != ' ' && line[0] != '}') starts.push_back(0);
  for (std::size_t at = line.find("static "); at != std::string_view::npos;
       at = line.find("static ", at + 1)) {
    std::string_view before = line.substr(0, at);
    if (at > 0 && (Trimmed(before).empty() || before.ends_with("{ ") || before.ends_with("; "))) {
      starts.push_back(at);
    }
  }
  return starts;
}

// One line per variable of static storage in the source that is neither a RunLocal nor a
// constant: "name:line: declaration".
std::vector<std::string> StateOutsideRuns(const std::string& name, std::string_view source) {
  std::vector<std::string> lines;
  std::istringstream in(CodeOnly(source));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::vector<std::string> found;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    for (std::size_t at : DeclarationStarts(lines[i])) {
      std::string declaration = DeclarationAt(lines, i, at);
      if (IsStateOutsideARun(declaration)) {
        found.push_back(name + ":" + std::to_string(i + 1) + ": " + declaration);
      }
    }
  }
  return found;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

bool IsTest(const fs::path& file) {
  std::string name = file.filename().string();
  return name.ends_with("_test.cpp") || name.ends_with("_test_support.h");
}

TEST(RunStateTest, EveryVariableOfTheCodeIsARunLocalOrAConstant) {
  fs::path src = fs::path(KZO_SOURCE_DIR) / "src";
  std::vector<std::string> found;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(src)) {
    const fs::path& file = entry.path();
    std::string relative = fs::relative(file, src).generic_string();
    if (!entry.is_regular_file() || IsTest(file) || relative.starts_with("platform/")) continue;
    if (file.extension() != ".cpp" && file.extension() != ".h") continue;
    std::ifstream in(file, std::ios::binary);
    std::stringstream source;
    source << in.rdbuf();
    std::vector<std::string> in_file = StateOutsideRuns("src/" + relative, source.str());
    found.insert(found.end(), in_file.begin(), in_file.end());
  }
  // The one variable that belongs to the process and to no run: the list of the RunLocals.
  std::erase_if(found, [](const std::string& variable) {
    return variable.starts_with("src/store/run.cpp:") &&
           variable.ends_with("RunLocalLink* first_run_local = nullptr");
  });
  std::sort(found.begin(), found.end());
  EXPECT_TRUE(found.empty()) << Joined(found);
}

TEST(RunStateTest, StateOutsideARunIsNamedWhereverItIsDeclared) {
  const char* source = R"code(#include "x.h"
namespace kzo {
namespace {
int calls = 0;  // named
store::RunLocal<Table> table(Empty);
RunLocal<std::vector<int>> numbers{};
constexpr int kLimit = 3;
const char* const kName = "a; b {";
std::map<int, std::string>
    names;  // named
struct Entry {
  static int made;  // named
  static constexpr int kSize = 2;
  int value = 0;
  static Entry* Make(int value = 1) { static Entry cache; return &cache; }  // named
};
int Count(int x,
          int y = 0);
bool operator==(const Entry&, const Entry&) = default;
/* int hidden = 0; */
}  // namespace
template <class T>
T* Find(std::string_view name) {
  static auto& seen = *new std::set<T>;  // named
  static const Table kTable = [] { Table t; return t; }();
  if (name == "x") { int local = 0; }
  return nullptr;
}
auto pieces = std::array<int, 2>{1, 2};  // named
}  // namespace kzo
)code";
  std::vector<std::string> expected = {
      "a.cpp:4: int calls = 0",
      "a.cpp:9: std::map<int, std::string> names",
      "a.cpp:12: static int made",
      "a.cpp:15: static Entry cache",
      "a.cpp:24: static auto& seen = *new std::set<T>",
      "a.cpp:29: auto pieces = std::array<int, 2>",
  };
  EXPECT_EQ(StateOutsideRuns("a.cpp", source), expected);
}

}  // namespace
