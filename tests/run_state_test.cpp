// A run's state lives in RunLocals (src/store/run.h), all reset by every BeginRun. A
// variable of static storage anywhere in the code outside the platform (whose state is the
// process's, not a run's) is a RunLocal, a constant, or the declaration of one defined
// elsewhere: a table declared otherwise would carry one run's data into the next. The code
// is read as written in this project: a variable is initialized with "=" or braces, so that
// a declaration "T name(...);" at namespace scope is taken for a function.
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
  for (char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// The declaration without a leading "template <...>".
std::string_view WithoutTemplate(std::string_view head) {
  if (!head.starts_with("template")) return head;
  int depth = 0;
  for (std::size_t i = 0; i < head.size(); ++i) {
    if (head[i] == '<') ++depth;
    if (head[i] == '>' && --depth == 0) return head.substr(i + 1);
  }
  return head;
}

// The parts of a declaration before a brace or semicolon, outside parentheses.
struct Head {
  std::string text;
  bool call = false;         // a "(" outside parentheses: a function, for this code
  bool initializer = false;  // an "=" that initializes (not ==, <=, = default, ...)
};

bool IsFunction(const Head& head) {
  return head.call && !head.initializer;
}

bool IsTypeDefinition(const Head& head) {
  std::vector<std::string> words = Words(WithoutTemplate(head.text));
  return !words.empty() &&
         (words[0] == "struct" || words[0] == "class" || words[0] == "union" || words[0] == "enum");
}

// A variable that keeps state from run to run: neither a RunLocal nor a constant.
bool IsStateOutsideARun(const Head& head) {
  std::vector<std::string> words = Words(head.text.substr(0, head.text.find('=')));
  auto has = [&](std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
  };
  return !has("RunLocal") && !has("const") && !has("constexpr");
}

// A declaration at namespace scope that makes a variable of the code's own.
bool IsNamespaceVariable(const Head& head) {
  std::vector<std::string> words = Words(head.text);
  if (words.empty() || IsFunction(head) || IsTypeDefinition(head)) return false;
  const std::string_view kNoVariable[] = {"using",     "typedef", "template", "static_assert",
                                          "namespace", "extern",  "friend"};
  return std::find(std::begin(kNoVariable), std::end(kNoVariable), words[0]) ==
         std::end(kNoVariable);
}

// A static variable of a function or a class.
bool IsStaticVariable(const Head& head) {
  std::vector<std::string> words = Words(head.text);
  return !words.empty() && words[0] == "static" && !IsFunction(head);
}

// One line per variable of static storage in the source that is not a RunLocal or a
// constant: "name:line: declaration".
std::vector<std::string> StateOutsideRuns(const std::string& name, std::string_view source) {
  enum Frame { kNamespace, kClass, kFunction, kSkipped };
  std::string code = CodeOnly(source);
  std::vector<Frame> frames = {kNamespace};
  std::vector<std::string> found;
  Head head;
  std::size_t head_line = 1, line = 1;
  int parens = 0;
  bool skip_to_semicolon = false;  // the declarators after a type's body
  auto report = [&] {
    std::string text = head.text;
    text.erase(0, text.find_first_not_of(" \n"));
    std::replace(text.begin(), text.end(), '\n', ' ');
    found.push_back(name + ":" + std::to_string(head_line) + ": " + text);
  };
  auto check = [&](bool ends_in_semicolon) {
    Frame frame = frames.back();
    if (frame == kSkipped || skip_to_semicolon) return;
    bool variable = frame == kNamespace ? IsNamespaceVariable(head) : IsStaticVariable(head);
    if (frame == kClass && !ends_in_semicolon) variable = false;  // a member function's body
    if (variable && IsStateOutsideARun(head)) report();
  };
  auto next_head = [&] {
    head = {};
    head_line = line;
  };
  for (std::size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    if (c == '\n') ++line;
    if (head.text.find_first_not_of(" \n") == std::string::npos) head_line = line;
    if (c == '(' || c == '[') ++parens;
    if (c == ')' || c == ']') --parens;
    if (parens > 0 || (c != '{' && c != '}' && c != ';')) {
      if (parens == 0 && c == '=' && !head.call) {
        char before = head.text.empty() ? ' ' : head.text.back();
        char after = i + 1 < code.size() ? code[i + 1] : ' ';
        bool comparison =
            std::string_view("=<>!").find(before) != std::string_view::npos || after == '=';
        if (!comparison) head.initializer = true;
      }
      if (c == '(' && parens == 1) head.call = head.call || !head.initializer;
      head.text += c;
      continue;
    }
    if (c == ';') {
      check(true);
      skip_to_semicolon = false;
      next_head();
    } else if (c == '{') {
      Frame frame = frames.back();
      Frame opened = kFunction;
      std::vector<std::string> words = Words(head.text);
      if (frame == kSkipped) {
        opened = kSkipped;
      } else if (frame == kNamespace && !words.empty() &&
                 (words[0] == "namespace" || words[0] == "extern")) {
        opened = kNamespace;
      } else if ((frame == kNamespace || frame == kClass) && IsTypeDefinition(head)) {
        opened = kClass;
      } else if (frame != kFunction && !IsFunction(head)) {
        check(true);  // a variable with a braced initializer
        opened = kSkipped;
      } else if (frame == kFunction) {
        check(true);  // a block, or a static initialized by a lambda
      }
      frames.push_back(opened);
      next_head();
    } else {
      Frame closed = frames.back();
      if (frames.size() > 1) frames.pop_back();
      skip_to_semicolon = closed == kClass || closed == kSkipped;
      next_head();
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
int calls = 0;                           // named
store::RunLocal<Table> table(Empty);
RunLocal<std::vector<int>> numbers{};
constexpr int kLimit = 3;
const char* const kName = "a; b {";
std::map<int, std::string> names;        // named
struct Entry {
  static int made;                       // named
  static constexpr int kSize = 2;
  int value = 0;
  static Entry* Make(int value = 1) { static Entry cache; return &cache; }  // named
} ;
int Count(int x);
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
      "a.cpp:11: static int made",
      "a.cpp:14: static Entry cache",
      "a.cpp:22: static auto& seen = *new std::set<T>",
      "a.cpp:27: auto pieces = std::array<int, 2>",
  };
  EXPECT_EQ(StateOutsideRuns("a.cpp", source), expected);
}

}  // namespace
