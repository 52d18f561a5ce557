// Show and match records: every circuit holds its shows, every show its card segments
// (matches, interviews, comments), and every segment its card text and, once parsed, its
// result broken down into named values. Lists are heap lists sized to what they hold
// (slots 0..count, slot 0 unused); their capacities are limits, not storage.
#pragma once

#include <cstdint>

#include "store/text.h"

namespace kzo::model {

// Capacities of the lists of a show and its segments.
constexpr int kMaxMatches = 100;
constexpr int kMaxTextLines = 500;
constexpr int kMaxBracketNotes = 20;
constexpr int kMaxParenNotes = 10;
constexpr int kMaxFaLines = 10000;
constexpr int kMaxBreakdownItems = 200;

struct ShowRecord;

// The segment's "cardfa." lines.
struct FaLines {
  std::int32_t line_count;
  Text* lines;  // slots 1..line_count
};

// One named value of a result sentence.
struct BreakdownItem {
  Text name;              // the name as the parser cut it from the sentence
  std::int32_t wrestler;  // the wrestler number within the circuit, 0 for none
  std::int32_t value;     // 1, -1 won/lost; 2, -2 first/second side of a draw
};

struct MatchRecord {
  Text match_type;            // kind of segment, from its header line
  std::int32_t has_fa_block;  // the header ended with "\": the segment owns fa lines
  Text* text_lines;           // slots 1..text_line_count; slot 1 is the result sentence
  std::int32_t text_line_count;
  Text* text_lines2;  // the same lines as text_lines: the same heap list
  std::int32_t text_line2_count;
  Text rating_text;     // empty text when the segment has no rating
  Text* bracket_notes;  // slots 1..bracket_note_count
  std::int32_t bracket_note_count;
  Text* paren_notes;  // slots 1..paren_note_count
  std::int32_t paren_note_count;
  FaLines* fa_lines;  // null when has_fa_block is 0
  std::int32_t breakdown_count;
  BreakdownItem* breakdown;  // slots 1..breakdown_count
  ShowRecord* show;          // the show that owns the segment
};

struct ShowRecord {
  Text overview;         // the show's line of "card.ovv"
  MatchRecord* matches;  // slots 1..match_count
  std::int32_t match_count;
  Text ca_text;  // the show's "cardca." lines, each followed by CR LF
};

// The result sentence of a segment: text line 1, or null when it has none.
inline Text ResultText(const MatchRecord& match) {
  return match.text_line_count >= 1 && match.text_lines ? match.text_lines[1] : nullptr;
}

}  // namespace kzo::model
