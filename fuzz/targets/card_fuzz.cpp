// Fuzzes the match card assembly: the input's three parts (separated by a line "---") are
// a show's ra, fa and ca blocks, one card line per input line.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_env.h"
#include "matchtext/card.h"
#include "model/show.h"

namespace {

std::vector<std::string_view> BlockLines(std::string_view part) {
  std::vector<std::string_view> lines;
  for (std::string_view line : kzo::fuzz::SplitLines(part)) lines.push_back(kzo::CutAtZero(line));
  return lines;
}

std::size_t Touch(kzo::Text text) {
  return kzo::View(text).size();
}

std::size_t TouchList(const kzo::Text* list, std::int32_t count) {
  std::size_t total = 0;
  if (count > 0 && list == nullptr) std::abort();
  for (std::int32_t i = 1; i <= count; ++i) total += Touch(list[i]);
  return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kzo::fuzz::FuzzEnv env;
  using namespace kzo;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  env.BeginRun();
  std::vector<std::string_view> ra = BlockLines(fuzz::Part(input, 0));
  std::vector<std::string_view> fa = BlockLines(fuzz::Part(input, 1));
  std::vector<std::string_view> ca = BlockLines(fuzz::Part(input, 2));
  // One draft for every input, as a circuit's shows share one: what a show leaves in it
  // must not change the next.
  static matchtext::ShowCardDraft draft;
  model::ShowRecord show{};
  matchtext::MakeShowCard(show, ra, fa, ca, draft);
  if (show.match_count < 0 || show.match_count > model::kMaxMatches) std::abort();
  std::size_t total = Touch(show.ca_text);
  for (std::int32_t m = 1; m <= show.match_count; ++m) {
    const model::MatchRecord& match = show.matches[m];
    total += Touch(match.match_type) + Touch(match.rating_text);
    total += TouchList(match.text_lines, match.text_line_count);
    total += TouchList(match.text_lines2, match.text_line2_count);
    total += TouchList(match.bracket_notes, match.bracket_note_count);
    total += TouchList(match.paren_notes, match.paren_note_count);
    if (match.fa_lines != nullptr) {
      total += TouchList(match.fa_lines->lines, match.fa_lines->line_count);
    }
  }
  (void)total;

  std::vector<std::string> lines(ra.begin(), ra.end());
  std::vector<std::string> copy = lines;
  matchtext::ReconstituteSentence(copy);
  int count = matchtext::CompactLines(lines);
  if (count < 1 || static_cast<std::size_t>(count) != lines.size()) std::abort();
  env.EndRun();
  return 0;
}
