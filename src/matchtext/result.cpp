#include "matchtext/result.h"

#include <array>

#include "store/runtime.h"
#include "store/text.h"

namespace kzo::matchtext {
namespace {

// Win verbs in order of precedence: " defeated " wins over " pinned " wherever each stands.
constexpr std::array<std::string_view, 6> kWinVerbs = {" defeated ", " pinned ", " made ",
                                                       " beat ",     " won a",   " won over "};
constexpr std::array<std::string_view, 2> kDrawVerbs = {" drew ", " battled to "};
// Verbs after which the sentence names no second side.
constexpr std::array<std::string_view, 2> kOneSidedVerbs = {" won a", " battled to "};
constexpr std::array<std::string_view, 5> kSentenceCutWords = {" after ", " submit to ", " with ",
                                                               " by ", " via "};
constexpr std::array<std::string_view, 3> kSecondSideCutWords = {" when ", " in ", " falls to "};
constexpr std::string_view kTrailingTimeCharacters = ":0123456789";
// The second side starts after the blank that ends the verb word, searched from the fifth
// character after the verb's opening blank: every verb word has at least four letters, and
// the blank inside " won over " lies before that.
constexpr std::size_t kVerbWordSkip = 5;

bool Contains(std::string_view text, std::string_view literal) {
  return text.find(literal) != std::string_view::npos;
}

template <std::size_t n>
bool ContainsAny(std::string_view text, const std::array<std::string_view, n>& literals) {
  for (std::string_view literal : literals) {
    if (Contains(text, literal)) return true;
  }
  return false;
}

// The index of the first literal of the list that occurs, in list order, or npos.
template <std::size_t n>
std::size_t FirstVerbFound(std::string_view text, const std::array<std::string_view, n>& verbs) {
  for (std::string_view verb : verbs) {
    std::size_t index = text.find(verb);
    if (index != std::string_view::npos) return index;
  }
  return std::string_view::npos;
}

// Keeps, for each cut word in turn, only what precedes its first occurrence.
template <std::size_t n>
std::string_view CutAt(std::string_view text, const std::array<std::string_view, n>& words) {
  for (std::string_view word : words) text = text.substr(0, text.find(word));
  return text;
}

std::string_view FirstSide(std::string_view shortened, std::size_t verb) {
  return TrimBlanks(shortened.substr(0, verb));
}

std::string_view SecondSide(std::string_view full, std::string_view shortened, std::size_t verb) {
  if (ContainsAny(full, kOneSidedVerbs)) return {};
  std::size_t blank = shortened.find(' ', verb + kVerbWordSkip);
  if (blank == std::string_view::npos) return {};
  std::string_view side = CutAt(shortened.substr(blank + 1), kSecondSideCutWords);
  std::size_t last = side.find_last_not_of(kTrailingTimeCharacters);
  return last == std::string_view::npos ? std::string_view() : side.substr(0, last + 1);
}

std::string NameOfField(std::string_view field) {
  std::size_t open = field.find('(');
  if (open != std::string_view::npos) return std::string(field.substr(open + 1));
  std::size_t first = field.find_first_not_of(')');
  if (first == std::string_view::npos) return {};
  return std::string(field.substr(first, field.find_last_not_of(')') - first + 1));
}

void AppendSide(std::vector<ResultEntry>& entries, std::string_view side, std::int32_t value) {
  for (std::string& name : SplitResultSide(side)) {
    if (entries.size() >= kMaxResultEntries) return;
    entries.push_back({std::move(name), value});
  }
}

}  // namespace

std::vector<ResultEntry> ParseResult(std::string_view sentence) {
  store::Procedure procedure("PARSERES");
  std::size_t win = FirstVerbFound(sentence, kWinVerbs);
  std::size_t draw = FirstVerbFound(sentence, kDrawVerbs);
  std::string_view shortened = CutAt(sentence, kSentenceCutWords);
  if (win == std::string_view::npos && draw == std::string_view::npos) return {};
  std::size_t verb = win != std::string_view::npos ? win : draw;
  bool drawn = ContainsAny(sentence, kDrawVerbs);

  std::vector<ResultEntry> entries;
  AppendSide(entries, FirstSide(shortened, verb), drawn ? 2 : 1);
  std::string_view second = SecondSide(sentence, shortened, verb);
  if (!second.empty()) AppendSide(entries, second, drawn ? -2 : -1);
  return entries;
}

std::vector<std::string> SplitResultSide(std::string_view side) {
  store::Procedure procedure("NEWBREAK");
  std::string fields = ReplaceAll(ReplaceAll(side, ", ", "/"), " and ", "/");
  std::vector<std::string> names;
  std::size_t start = 0;
  while (names.size() < kMaxResultEntries) {
    std::size_t end = fields.find('/', start);
    std::string_view field = std::string_view(fields).substr(start, end - start);
    names.push_back(NameOfField(field));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return names;
}

}  // namespace kzo::matchtext
