// Match card assembly: a show's three blocks of card lines ("cardra.", "cardfa." and
// "cardca.") become the show's segments (matches, interviews, comments) with their kind,
// text lines, rating, notes and attached "cardfa." lines.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/show.h"

namespace kzo::matchtext {

// Fills the show's matches, match_count and ca_text from its card blocks (ra[0] is ra line
// 1; every line already cut at its first zero byte). The ra block is a run of segments: a
// count line k, a header line (the kind, a final "\" when the segment owns the next fa
// block), then k lines: text lines up to a "Rating: " line, then trailer lines (rating,
// "(" and "[" notes). Each fa block is a count line c and c lines. The show's matches list
// holds exactly the segments made (at most 100); empty note lists stay null. Lines a count
// promises beyond the end of its block are absent; capacities are kept by dropping the
// excess while the blocks stay in step. The draft holds the working lists, kept from one
// show to the next: a circuit's shows then share their memory instead of allocating it anew
// for each show.
class ShowCardDraft;
void MakeShowCard(model::ShowRecord& show, std::span<const std::string_view> ra,
                  std::span<const std::string_view> fa, std::span<const std::string_view> ca,
                  ShowCardDraft& draft);

class ShowCardDraft {
 public:
  ShowCardDraft();
  ~ShowCardDraft();
  ShowCardDraft(const ShowCardDraft&) = delete;
  ShowCardDraft& operator=(const ShowCardDraft&) = delete;

  struct Lists;
  Lists& lists() { return *lists_; }

 private:
  std::unique_ptr<Lists> lists_;
};

// Joins the lines of a wrapped first sentence into lines[0]: a line that continues a word of
// the line before it is appended without a blank. The sentence ends at an empty line or at
// one ending with ".", "?", "!" or ":" (not "Jr."); the lines after it move up. When no line
// ends the sentence, the lines stay as they are.
void ReconstituteSentence(std::vector<std::string>& lines);

// Trims the lines up to the first one that is empty or ends with ":", "." or "!" and joins
// them with single blanks into lines[0]; the lines after it follow unchanged. Returns the
// new line count (at least 1: no lines give one empty line), to which lines is resized.
int CompactLines(std::vector<std::string>& lines);

}  // namespace kzo::matchtext
