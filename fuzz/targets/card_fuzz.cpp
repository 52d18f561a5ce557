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

// Every text of a list, each followed by a line end: reading them is what the sanitizers
// check, the text is what two shows are compared by.
void AppendList(std::string& out, const kzo::Text* list, std::int32_t count) {
  if (count > 0 && list == nullptr) std::abort();
  for (std::int32_t i = 1; i <= count; ++i) out.append(kzo::View(list[i])).append("\n");
}

// Every text of a show and its matches.
std::string ShowText(const kzo::model::ShowRecord& show) {
  if (show.match_count < 0 || show.match_count > kzo::model::kMaxMatches) std::abort();
  std::string out(kzo::View(show.ca_text));
  for (std::int32_t m = 1; m <= show.match_count; ++m) {
    const kzo::model::MatchRecord& match = show.matches[m];
    out.append(kzo::View(match.match_type)).append("|").append(kzo::View(match.rating_text));
    AppendList(out, match.text_lines, match.text_line_count);
    AppendList(out, match.text_lines2, match.text_line2_count);
    AppendList(out, match.bracket_notes, match.bracket_note_count);
    AppendList(out, match.paren_notes, match.paren_note_count);
    if (match.fa_lines != nullptr) {
      AppendList(out, match.fa_lines->lines, match.fa_lines->line_count);
    }
  }
  return out;
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
  // The show made with a fresh draft, then another show (the blocks in another order) and
  // the first show again with the same draft, as a circuit's shows share one: what a show
  // leaves in the draft must not change the next.
  matchtext::ShowCardDraft draft;
  model::ShowRecord first{};
  matchtext::MakeShowCard(first, ra, fa, ca, draft);
  model::ShowRecord other{};
  matchtext::MakeShowCard(other, fa, ra, ca, draft);
  model::ShowRecord again{};
  matchtext::MakeShowCard(again, ra, fa, ca, draft);
  if (ShowText(first) != ShowText(again)) std::abort();
  (void)ShowText(other);

  std::vector<std::string> lines(ra.begin(), ra.end());
  std::vector<std::string> copy = lines;
  matchtext::ReconstituteSentence(copy);
  int count = matchtext::CompactLines(lines);
  if (count < 1 || static_cast<std::size_t>(count) != lines.size()) std::abort();
  env.EndRun();
  return 0;
}
