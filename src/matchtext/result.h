// The result sentence parser: a match's one-sentence result ("Orrin Vale pinned Tuck
// Masden after a suplex in 12:34.") becomes its breakdown, the participants it names with
// the side each stood on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kzo::matchtext {

// At most this many entries in a breakdown, and fields in one side.
constexpr int kMaxResultEntries = 100;

// Value codes: 1 and -1 for the winning and losing side, 2 and -2 for the first and second
// side of a draw.
// A name is a part of the sentence it was parsed from.
struct ResultEntry {
  std::string_view name;
  std::int32_t value;
};

// Splits the sentence at its verb into the first side and the second side and those into
// names, in sentence order. A sentence without a win or draw verb has no entries.
std::vector<ResultEntry> ParseResult(std::string_view sentence);

// The names of one side: fields separated by ", ", " and " or "/"; a field with "(" gives
// the text after it (a team's member list stands for the team), others lose every ")" at
// their ends. Blanks are kept; at most 100 names.
std::vector<std::string_view> SplitResultSide(std::string_view side);

}  // namespace kzo::matchtext
