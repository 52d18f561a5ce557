#include "matchtext/result.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

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

constexpr std::size_t kNotFound = std::string_view::npos;

// Every word looked for, list after list (a word in two lists stands twice).
template <std::size_t... n>
constexpr auto Concatenated(const std::array<std::string_view, n>&... lists) {
  std::array<std::string_view, (n + ...)> words{};
  std::size_t next = 0;
  ((std::copy(lists.begin(), lists.end(), words.begin() + next), next += n), ...);
  return words;
}
constexpr auto kWords =
    Concatenated(kWinVerbs, kDrawVerbs, kOneSidedVerbs, kSentenceCutWords, kSecondSideCutWords);
static_assert(kWords.size() <= 32);

// One of the lists above, by the place of its words among kWords.
struct WordList {
  std::size_t first;
  std::size_t count;
  constexpr std::size_t End() const { return first + count; }
};
constexpr WordList kWinVerbList{0, kWinVerbs.size()};
constexpr WordList kDrawVerbList{kWinVerbList.End(), kDrawVerbs.size()};
constexpr WordList kOneSidedVerbList{kDrawVerbList.End(), kOneSidedVerbs.size()};
constexpr WordList kSentenceCutWordList{kOneSidedVerbList.End(), kSentenceCutWords.size()};
constexpr WordList kSecondSideCutWordList{kSentenceCutWordList.End(), kSecondSideCutWords.size()};
static_assert(kSecondSideCutWordList.End() == kWords.size());

// For each character, the words (bit i: kWords[i]) whose second character it is. Every word
// begins with a blank, so a word can only stand at a blank followed by its second character.
constexpr std::array<std::uint32_t, 256> WordsBySecondCharacter() {
  std::array<std::uint32_t, 256> table{};
  for (std::size_t i = 0; i < kWords.size(); ++i) {
    if (kWords[i].size() < 2 || kWords[i].front() != ' ') throw "a word must begin with a blank";
    table[static_cast<unsigned char>(kWords[i][1])] |= std::uint32_t{1} << i;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> kWordsBySecondCharacter = WordsBySecondCharacter();

// A result sentence and where each word looked for occurs in it, found in one pass: a
// sentence is searched for about twenty words, and most of its blanks start none of them.
class Sentence {
 public:
  explicit Sentence(std::string_view text) : text_(text) {
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
      if (text[at] != ' ') continue;
      std::uint32_t words = kWordsBySecondCharacter[static_cast<unsigned char>(text[at + 1])];
      for (; words != 0; words &= words - 1) {
        auto index = static_cast<std::size_t>(std::countr_zero(words));
        if (text.substr(at, kWords[index].size()) == kWords[index]) Add({index, at});
      }
    }
  }

  std::string_view Text() const { return text_; }

  // Where the first occurrence of kWords[index] lying within [from, end) begins, or
  // kNotFound: std::string_view::find on that part of the sentence.
  std::size_t Find(std::size_t index, std::size_t from, std::size_t end) const {
    for (std::size_t i = 0; i < count_; ++i) {  // in the order of the sentence
      const Occurrence& occurrence = i < kKept ? kept_[i] : more_[i - kKept];
      if (occurrence.at < from || occurrence.index != index) continue;
      return occurrence.at + kWords[index].size() <= end ? occurrence.at : kNotFound;
    }
    return kNotFound;
  }

  // Where the first word of the list, in list order, that occurs anywhere begins.
  std::size_t FirstFound(WordList words) const {
    for (std::size_t index = words.first; index < words.End(); ++index) {
      std::size_t at = Find(index, 0, text_.size());
      if (at != kNotFound) return at;
    }
    return kNotFound;
  }

  // The end of [from, end) after keeping, for each cut word in turn, only what precedes its
  // first occurrence.
  std::size_t CutAt(WordList words, std::size_t from, std::size_t end) const {
    for (std::size_t index = words.first; index < words.End(); ++index) {
      end = std::min(end, Find(index, from, end));
    }
    return end;
  }

 private:
  // A word found: kWords[index] at the place at. A word standing in two lists is found
  // under both its places in kWords.
  struct Occurrence {
    std::size_t index;
    std::size_t at;
  };
  // A sentence holds a few of the words; the first ones are kept in place, without an
  // allocation for every sentence.
  static constexpr std::size_t kKept = 16;

  void Add(const Occurrence& occurrence) {
    if (count_ < kKept) {
      kept_[count_] = occurrence;
    } else {
      more_.push_back(occurrence);
    }
    ++count_;
  }

  std::string_view text_;
  std::size_t count_ = 0;
  std::array<Occurrence, kKept> kept_;
  std::vector<Occurrence> more_;  // the occurrences after the first kKept
};

std::string_view FirstSide(const Sentence& sentence, std::size_t shortened, std::size_t verb) {
  return TrimBlanks(sentence.Text().substr(0, std::min(shortened, verb)));
}

std::string_view SecondSide(const Sentence& sentence, std::size_t shortened, std::size_t verb) {
  if (sentence.FirstFound(kOneSidedVerbList) != kNotFound) return {};
  std::string_view text = sentence.Text().substr(0, shortened);
  std::size_t blank = text.find(' ', verb + kVerbWordSkip);
  if (blank == kNotFound) return {};
  std::size_t end = sentence.CutAt(kSecondSideCutWordList, blank + 1, shortened);
  std::string_view side = text.substr(blank + 1, end - (blank + 1));
  std::size_t last = side.find_last_not_of(kTrailingTimeCharacters);
  return last == kNotFound ? std::string_view() : side.substr(0, last + 1);
}

std::string_view NameOfField(std::string_view field) {
  std::size_t open = field.find('(');
  if (open != std::string_view::npos) return field.substr(open + 1);
  std::size_t first = field.find_first_not_of(')');
  if (first == std::string_view::npos) return {};
  return field.substr(first, field.find_last_not_of(')') - first + 1);
}

// The length of the separator that begins at the index of the text, or 0.
std::size_t SeparatorAt(std::string_view text, std::size_t at, std::string_view separator) {
  bool found = text[at] == separator.front() && text.substr(at, separator.size()) == separator;
  return found ? separator.size() : 0;
}

// Splits a side into fields. A side's separators are replaced by "/" one kind after the
// other, ", " first and " and " second, each left to right: so ", " and "/" divide the side
// into pieces first, and " and " divides each piece. Stops when take returns false.
template <class Take>
bool SplitPiece(std::string_view piece, Take& take) {
  std::size_t start = 0;
  for (std::size_t at = 0; at < piece.size();) {
    std::size_t length = SeparatorAt(piece, at, " and ");
    if (length == 0) {
      ++at;
      continue;
    }
    if (!take(piece.substr(start, at - start))) return false;
    start = at += length;
  }
  return take(piece.substr(start));
}

template <class Take>
void SplitSide(std::string_view side, Take take) {
  std::size_t start = 0;
  for (std::size_t at = 0; at < side.size();) {
    std::size_t length = side[at] == '/' ? 1 : SeparatorAt(side, at, ", ");
    if (length == 0) {
      ++at;
      continue;
    }
    if (!SplitPiece(side.substr(start, at - start), take)) return;
    start = at += length;
  }
  SplitPiece(side.substr(start), take);
}

void AppendSide(std::vector<ResultEntry>& entries, std::string_view side, std::int32_t value) {
  store::Procedure procedure("NEWBREAK");
  SplitSide(side, [&](std::string_view field) {
    if (entries.size() >= kMaxResultEntries) return false;
    entries.push_back({NameOfField(field), value});
    return true;
  });
}

}  // namespace

std::vector<ResultEntry> ParseResult(std::string_view text) {
  store::Procedure procedure("PARSERES");
  Sentence sentence(text);
  std::size_t win = sentence.FirstFound(kWinVerbList);
  std::size_t draw = sentence.FirstFound(kDrawVerbList);
  if (win == kNotFound && draw == kNotFound) return {};
  std::size_t shortened = sentence.CutAt(kSentenceCutWordList, 0, text.size());
  std::size_t verb = win != kNotFound ? win : draw;
  bool drawn = draw != kNotFound;

  std::vector<ResultEntry> entries;
  entries.reserve(4);  // most results name two to four
  AppendSide(entries, FirstSide(sentence, shortened, verb), drawn ? 2 : 1);
  std::string_view second = SecondSide(sentence, shortened, verb);
  if (!second.empty()) AppendSide(entries, second, drawn ? -2 : -1);
  return entries;
}

std::vector<std::string_view> SplitResultSide(std::string_view side) {
  store::Procedure procedure("NEWBREAK");
  std::vector<std::string_view> names;
  SplitSide(side, [&](std::string_view field) {
    names.push_back(NameOfField(field));
    return names.size() < kMaxResultEntries;
  });
  return names;
}

}  // namespace kzo::matchtext
