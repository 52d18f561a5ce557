#include "matchtext/card.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "store/cp437.h"
#include "store/heap.h"
#include "store/numbers.h"
#include "store/runtime.h"
#include "store/text.h"

namespace kzo::matchtext {
namespace {

using Block = std::span<const std::string_view>;

constexpr std::string_view kRatingPrefix = "Rating: ";
// The rating line's text from its eighth character on: "Rating: 85" gives " 85".
constexpr std::size_t kRatingStart = 7;

// Line `number` (1-based) of a block; lines beyond the block are absent and read as empty.
std::string_view Line(Block block, std::int64_t number) {
  if (number < 1 || number > static_cast<std::int64_t>(block.size())) return {};
  return block[static_cast<std::size_t>(number - 1)];
}

bool IsPresent(Block block, std::int64_t number) {
  return number >= 1 && number <= static_cast<std::int64_t>(block.size());
}

// One segment as read from the blocks, before it is stored in the object heap.
struct SegmentDraft {
  std::string_view kind;
  bool has_fa_block = false;
  std::vector<std::string> text_lines;
  std::string_view rating;
  std::vector<std::string_view> bracket_notes;
  std::vector<std::string_view> paren_notes;
  Block fa_lines;             // the kept lines of the fa block, in the block
  std::int64_t fa_count = 0;  // the fa block's count as read
  // Strings of earlier text lines, whose memory the next text lines take over. Only strings
  // that hold memory of their own are kept: an empty line made for a segment without text
  // would otherwise add one string to the spares for every such segment of every show.
  std::vector<std::string> spare_lines;

  // Appends a text line, in the memory of a spare string when there is one, with room for
  // the blank that may go before it.
  void AddTextLine(std::string_view line) {
    if (spare_lines.empty()) {
      text_lines.emplace_back();
    } else {
      text_lines.push_back(std::move(spare_lines.back()));
      spare_lines.pop_back();
    }
    text_lines.back().reserve(line.size() + 1);
    text_lines.back().assign(line);
  }

  // Empties the draft for the next segment; its lists and strings keep their memory.
  void Clear() {
    kind = {};
    has_fa_block = false;
    for (std::string& line : text_lines) {
      if (line.capacity() > std::string().capacity()) spare_lines.push_back(std::move(line));
    }
    text_lines.clear();
    rating = {};
    bracket_notes.clear();
    paren_notes.clear();
    fa_lines = {};
    fa_count = 0;
  }
};

// Reading positions in the ra and fa blocks; they only ever move forward.
struct CardCursor {
  std::int64_t ra = 1;
  std::int64_t fa = 1;
};

void ReadHeader(std::string_view header, SegmentDraft& segment) {
  segment.has_fa_block = header.ends_with('\\');
  std::size_t end = header.find_last_not_of('\\');
  segment.kind = end == std::string_view::npos ? std::string_view() : header.substr(0, end + 1);
}

// Text lines run until k lines are taken, a "Rating: " line comes or the block ends; a
// negative k never reaches 0, so only the last two end it. Lines beyond 500 are dropped.
void ReadTextLines(Block ra, CardCursor& cursor, std::int64_t& k, SegmentDraft& segment) {
  while (k != 0 && IsPresent(ra, cursor.ra) && !Line(ra, cursor.ra).starts_with(kRatingPrefix)) {
    if (segment.text_lines.size() < model::kMaxTextLines) {
      segment.AddTextLine(Line(ra, cursor.ra));
    }
    ++cursor.ra;
    --k;
  }
}

void ClassifyTrailerLine(std::string_view line, SegmentDraft& segment) {
  if (line.starts_with('R')) {
    segment.rating = line.size() > kRatingStart ? line.substr(kRatingStart) : std::string_view();
  } else if (line.starts_with('(')) {
    if (segment.paren_notes.size() < model::kMaxParenNotes) {
      segment.paren_notes.push_back(StripEnds(line, "()"));
    }
  } else if (line.starts_with('[')) {
    if (segment.bracket_notes.size() < model::kMaxBracketNotes) {
      segment.bracket_notes.push_back(StripEnds(line, "[]"));
    }
  }
}

// The k lines left after the text lines are the trailer; those beyond the block are absent.
void ReadTrailer(Block ra, CardCursor& cursor, std::int64_t k, SegmentDraft& segment) {
  if (k <= 0) return;
  for (std::int64_t t = 0; t < k && IsPresent(ra, cursor.ra + t); ++t) {
    ClassifyTrailerLine(Line(ra, cursor.ra + t), segment);
  }
  cursor.ra += k;
}

// The next fa block: a count line c, then c lines, of which the first 10000 present ones
// are kept; the cursor passes all c lines so that the next block stays in step.
void ReadFaBlock(Block fa, CardCursor& cursor, SegmentDraft& segment) {
  std::int64_t c = store::NumericValue(Line(fa, cursor.fa));
  segment.fa_count = c;
  ++cursor.fa;
  if (c <= 0) return;
  std::int64_t present =
      std::max<std::int64_t>(0, static_cast<std::int64_t>(fa.size()) - cursor.fa + 1);
  std::int64_t kept = std::min({c, present, static_cast<std::int64_t>(model::kMaxFaLines)});
  segment.fa_lines =
      fa.subspan(static_cast<std::size_t>(cursor.fa - 1), static_cast<std::size_t>(kept));
  cursor.fa += c;
}

void CompactTextLines(SegmentDraft& segment) {
  ReconstituteSentence(segment.text_lines);
  CompactLines(segment.text_lines);
}

void ReadSegment(Block ra, Block fa, CardCursor& cursor, SegmentDraft& segment) {
  segment.Clear();
  std::int64_t k = store::NumericValue(Line(ra, cursor.ra));
  ReadHeader(Line(ra, cursor.ra + 1), segment);
  cursor.ra += 2;
  ReadTextLines(ra, cursor, k, segment);
  if (segment.has_fa_block) ReadFaBlock(fa, cursor, segment);
  CompactTextLines(segment);
  ReadTrailer(ra, cursor, k, segment);
}

// A record string of the text, shared with an equal one met lately (nothing writes into
// card texts); an empty view may point nowhere, so it is copied as "".
Text NewText(std::string_view text) {
  return store::SharedRecordString(text.empty() ? std::string_view("") : text);
}

// A heap list of new record strings in slots 1..count; null when there is nothing to hold
// or the heap is full (count then becomes 0).
template <class Texts>
Text* StoreTexts(const Texts& texts, std::int32_t& count) {
  count = 0;
  if (texts.empty()) return nullptr;
  Text* list = store::NewList<Text>(static_cast<int>(texts.size()));
  if (list == nullptr) return nullptr;
  count = static_cast<std::int32_t>(texts.size());
  if constexpr (std::is_convertible_v<const Texts&, Block>) {
    store::SharedRecordStrings(texts, list + 1);
  } else {
    for (std::int32_t i = 1; i <= count; ++i) {
      list[i] = NewText(texts[static_cast<std::size_t>(i - 1)]);
    }
  }
  return list;
}

// The fa lines kept; line_count is their number, or a negative count as it was read.
model::FaLines* StoreFaLines(const SegmentDraft& segment) {
  auto* fa_lines = store::NewObject<model::FaLines>();
  if (fa_lines == nullptr) return nullptr;
  fa_lines->lines = StoreTexts(segment.fa_lines, fa_lines->line_count);
  if (segment.fa_count < 0) fa_lines->line_count = static_cast<std::int32_t>(segment.fa_count);
  return fa_lines;
}

void StoreSegment(const SegmentDraft& segment, model::ShowRecord& show, model::MatchRecord& match) {
  match.match_type = NewText(segment.kind);
  match.has_fa_block = segment.has_fa_block ? 1 : 0;
  match.text_lines = StoreTexts(segment.text_lines, match.text_line_count);
  // The second list holds the same lines: both fields share one list and its strings.
  match.text_lines2 = match.text_lines;
  match.text_line2_count = match.text_line_count;
  match.rating_text = NewText(segment.rating);
  match.bracket_notes = StoreTexts(segment.bracket_notes, match.bracket_note_count);
  match.paren_notes = StoreTexts(segment.paren_notes, match.paren_note_count);
  if (segment.has_fa_block) match.fa_lines = StoreFaLines(segment);
  match.show = &show;
}

bool EndsSentence(std::string_view line) {
  if (line.empty()) return true;
  return std::string_view(".?!:").find(line.back()) != std::string_view::npos &&
         !line.ends_with("Jr.");
}

bool StartsWithBlankedWord(std::string_view line) {
  for (std::string_view word : {"a ", "an ", "the ", "double ", "defeated "}) {
    if (line.starts_with(word)) return true;
  }
  return false;
}

// A blank goes before line `index` (0-based) unless it continues a word of the line before:
// a later line starting with anything but a lower-case letter, one of the five words, or a
// line after a comma gets one.
bool NeedsBlankBefore(const std::vector<std::string>& lines, std::size_t index) {
  const std::string& line = lines[index];
  if (index != 0 && (line.empty() || !store::IsLowerCase437(line.front()))) return true;
  if (StartsWithBlankedWord(line)) return true;
  return index != 0 && lines[index - 1].ends_with(',');
}

void CollapseDoubleBlanks(std::string& text) {
  std::size_t first = text.find("  ");  // most sentences have none
  if (first == std::string::npos) return;
  auto end = std::unique(text.begin() + static_cast<std::ptrdiff_t>(first), text.end(),
                         [](char kept, char next) { return kept == ' ' && next == ' '; });
  text.erase(end, text.end());
}

// Puts `first` in place of line `last` (0-based) and drops the lines before it.
void ReplaceLeadingLines(std::vector<std::string>& lines, std::string first, std::size_t last) {
  lines[last] = std::move(first);
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(last));
}

bool EndsCompactRun(std::string_view trimmed) {
  return trimmed.empty() || std::string_view(":.!").find(trimmed.back()) != std::string_view::npos;
}

}  // namespace

struct ShowCardDraft::Lists {
  std::vector<model::MatchRecord> matches;
  SegmentDraft segment;
  std::string ca_text;
};

ShowCardDraft::ShowCardDraft() : lists_(std::make_unique<Lists>()) {}
ShowCardDraft::~ShowCardDraft() = default;

void MakeShowCard(model::ShowRecord& show, Block ra, Block fa, Block ca, ShowCardDraft& draft) {
  store::Procedure procedure("MAKECARD");
  // Each match is made as its segment is read; the heap list that holds them is made once
  // their number is known.
  std::vector<model::MatchRecord>& matches = draft.lists().matches;
  matches.clear();
  CardCursor cursor;
  while (cursor.ra < static_cast<std::int64_t>(ra.size()) && matches.size() < model::kMaxMatches) {
    ReadSegment(ra, fa, cursor, draft.lists().segment);
    StoreSegment(draft.lists().segment, show, matches.emplace_back());
  }
  show.match_count = 0;
  show.matches = matches.empty()
                     ? nullptr
                     : store::NewList<model::MatchRecord>(static_cast<int>(matches.size()));
  if (show.matches != nullptr) {
    show.match_count = static_cast<std::int32_t>(matches.size());
    std::memcpy(static_cast<void*>(show.matches + 1), matches.data(),
                sizeof(model::MatchRecord) * matches.size());
  }
  std::string& ca_text = draft.lists().ca_text;
  ca_text.clear();
  for (std::string_view line : ca) ca_text.append(line).append("\r\n");
  show.ca_text = store::NewRecordString(ca_text);
}

void ReconstituteSentence(std::vector<std::string>& lines) {
  store::Procedure procedure("RECONSTI");
  std::size_t last = 0;
  while (last < lines.size() && !EndsSentence(lines[last])) ++last;
  if (last == lines.size()) return;
  if (last == 0) {  // the common case: the first line is the sentence, worked on in place
    if (NeedsBlankBefore(lines, 0)) lines[0].insert(0, 1, ' ');
    CollapseDoubleBlanks(lines[0]);
    return;
  }
  std::string sentence;
  for (std::size_t i = 0; i <= last; ++i) {
    if (NeedsBlankBefore(lines, i)) sentence += ' ';
    sentence += lines[i];
  }
  CollapseDoubleBlanks(sentence);
  ReplaceLeadingLines(lines, std::move(sentence), last);
}

int CompactLines(std::vector<std::string>& lines) {
  store::Procedure procedure("COMPACTA");
  if (lines.empty()) {
    lines.assign(1, std::string());
    return 1;
  }
  std::size_t last = 0;  // every line is joined unless one ends the run
  while (last + 1 < lines.size() && !EndsCompactRun(TrimBlanks(lines[last]))) ++last;
  if (last == 0) {  // the common case: one line, trimmed in place
    std::string_view trimmed = TrimBlanks(lines[0]);
    lines[0].assign(trimmed.data(), trimmed.size());
    return static_cast<int>(lines.size());
  }
  std::string joined;
  for (std::size_t j = 0; j <= last; ++j) joined.append(TrimBlanks(lines[j])).append(" ");
  ReplaceLeadingLines(lines, std::string(TrimBlanks(joined)), last);
  return static_cast<int>(lines.size());
}

}  // namespace kzo::matchtext
