#include "matchtext/card.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::matchtext {
namespace {

using Lines = std::vector<std::string_view>;
using model::MatchRecord;
using model::ShowRecord;

class CardTest : public testing::RunTest {
 protected:
  // Every show of a test is made with the same draft, as a circuit's shows are.
  ShowRecord Make(const Lines& ra, const Lines& fa = {}, const Lines& ca = {}) {
    ShowRecord show{};
    MakeShowCard(show, ra, fa, ca, draft);
    return show;
  }

  ShowCardDraft draft;
};

std::vector<std::string> TextLines(const MatchRecord& match) {
  std::vector<std::string> lines;
  for (int i = 1; i <= match.text_line_count; ++i) lines.emplace_back(View(match.text_lines[i]));
  return lines;
}

std::vector<std::string> Reconstituted(std::vector<std::string> lines) {
  ReconstituteSentence(lines);
  return lines;
}

std::vector<std::string> Compacted(std::vector<std::string> lines) {
  int count = CompactLines(lines);
  EXPECT_EQ(count, static_cast<int>(lines.size()));
  return lines;
}

TEST_F(CardTest, WrappedResultRatingAndNoteOfOneSegment) {
  Lines ra = {"5",
              "Singles\\",
              "Orrin Vale pinned Tuck Mas",
              "den after a sup",
              "lex in 12:34.",
              "Rating: 85",
              "(Orrin Vale retains)"};
  Lines fa = {"2", "fa one", "fa two", "unused"};
  Lines ca = {"crowd", ""};
  ShowRecord show = Make(ra, fa, ca);
  ASSERT_EQ(show.match_count, 1);
  const MatchRecord& match = show.matches[1];
  EXPECT_STREQ(match.match_type, "Singles");
  EXPECT_EQ(match.has_fa_block, 1);
  EXPECT_EQ(TextLines(match),
            std::vector<std::string>{"Orrin Vale pinned Tuck Masden after a suplex in 12:34."});
  ASSERT_EQ(match.text_line2_count, 1);
  EXPECT_STREQ(match.text_lines2[1], match.text_lines[1]);
  EXPECT_EQ(match.text_lines2[1], match.text_lines[1]) << "the lists share their strings";
  EXPECT_STREQ(match.rating_text, " 85");
  ASSERT_EQ(match.paren_note_count, 1);
  EXPECT_STREQ(match.paren_notes[1], "Orrin Vale retains");
  EXPECT_EQ(match.bracket_note_count, 0);
  ASSERT_NE(match.fa_lines, nullptr);
  ASSERT_EQ(match.fa_lines->line_count, 2);
  EXPECT_STREQ(match.fa_lines->lines[2], "fa two");
  EXPECT_EQ(match.show, &show);
  EXPECT_STREQ(show.ca_text, "crowd\r\n\r\n");
  EXPECT_EQ(store::HeapArrayUpper(show.matches), 1) << "the list holds the segments made";
}

TEST_F(CardTest, SegmentsFollowOneAnotherAndTakeTheirOwnFaBlocks) {
  Lines ra = {"3", "Tag\\\\",     "A beat B.", "Rating: 1", "[Title match]",  // two "\" own a block
              "0", "Comments",                                                // no lines
              "1", "Interview\\", "Talk."};
  Lines fa = {"1", "first", "3", "x", "y", "z"};
  ShowRecord show = Make(ra, fa);
  ASSERT_EQ(show.match_count, 3);
  EXPECT_STREQ(show.matches[1].match_type, "Tag");
  EXPECT_EQ(show.matches[1].has_fa_block, 1);
  EXPECT_STREQ(show.matches[1].fa_lines->lines[1], "first");
  ASSERT_EQ(show.matches[1].bracket_note_count, 1);
  EXPECT_STREQ(show.matches[1].bracket_notes[1], "Title match");

  const MatchRecord& comments = show.matches[2];
  EXPECT_EQ(comments.has_fa_block, 0);
  EXPECT_EQ(comments.fa_lines, nullptr);
  EXPECT_EQ(TextLines(comments), std::vector<std::string>{""});
  EXPECT_STREQ(comments.rating_text, "") << "no rating gives an empty text";

  EXPECT_EQ(show.matches[3].fa_lines->line_count, 3);
  EXPECT_STREQ(show.matches[3].fa_lines->lines[3], "z");
  for (int s = 1; s <= 3; ++s) EXPECT_EQ(show.matches[s].show, &show);
}

TEST_F(CardTest, BlocksTooShortForSegments) {
  for (const Lines& ra : {Lines{}, Lines{"3"}}) {
    ShowRecord show = Make(ra, {}, {"only"});
    EXPECT_EQ(show.match_count, 0);
    EXPECT_EQ(show.matches, nullptr);
    EXPECT_STREQ(show.ca_text, "only\r\n");
  }
  EXPECT_STREQ(Make({}).ca_text, "") << "no ca lines still give a text";
}

TEST_F(CardTest, AnyLaterRLineReplacesTheRating) {
  Lines ra = {"4", "Singles", "A pinned B.", "Rating: 70", "Rerun", "Rating: 90"};
  ShowRecord show = Make(ra);
  EXPECT_STREQ(show.matches[1].rating_text, " 90");
  Lines short_r = {"2", "Singles", "Rating: 70", "R"};
  EXPECT_STREQ(Make(short_r).matches[1].rating_text, "") << "\"R\" alone leaves nothing";
}

TEST_F(CardTest, NotesLoseTheirEnclosingCharactersAndOthersAreIgnored) {
  Lines ra = {"6", "Singles", "A pinned B.", "Rating: 1", "((note))", "[[b]x]", "]odd", "plain"};
  const MatchRecord& match = Make(ra).matches[1];
  ASSERT_EQ(match.paren_note_count, 1);
  EXPECT_STREQ(match.paren_notes[1], "note");
  ASSERT_EQ(match.bracket_note_count, 1);
  EXPECT_STREQ(match.bracket_notes[1], "b]x");
  EXPECT_EQ(TextLines(match).size(), 1u) << "trailer lines never become text lines";
}

TEST_F(CardTest, CapacitiesKeepTheFirstEntriesAndStayInStep) {
  std::vector<std::string> storage;
  storage.reserve(700);
  Lines ra = {"541", "Singles"};
  for (int i = 1; i <= 510; ++i) storage.push_back("line " + std::to_string(i) + ".");
  storage.push_back("Rating: 5");
  for (int i = 1; i <= 15; ++i) storage.push_back("(p" + std::to_string(i) + ")");
  for (int i = 1; i <= 15; ++i) storage.push_back("[b" + std::to_string(i) + "]");
  for (const std::string& line : storage) ra.push_back(line);
  ra.insert(ra.end(), {"1", "Next", "Last."});
  ShowRecord show = Make(ra);
  ASSERT_EQ(show.match_count, 2);
  const MatchRecord& big = show.matches[1];
  EXPECT_EQ(big.text_line_count, 500);
  EXPECT_STREQ(big.text_lines[500], "line 500.");
  EXPECT_EQ(big.paren_note_count, 10);
  EXPECT_STREQ(big.paren_notes[10], "p10");
  EXPECT_EQ(big.bracket_note_count, 15);
  EXPECT_STREQ(show.matches[2].match_type, "Next");
  EXPECT_STREQ(show.matches[2].text_lines[1], "Last.");
}

TEST_F(CardTest, AtMostOneHundredSegmentsPerShow) {
  Lines ra;
  for (int s = 0; s < 105; ++s) ra.insert(ra.end(), {"0", "Comments"});
  ShowRecord show = Make(ra);
  EXPECT_EQ(show.match_count, 100);
  EXPECT_EQ(store::HeapArrayUpper(show.matches), 100);
}

TEST_F(CardTest, FaBlocksKeepTenThousandLinesAndStayInStep) {
  std::vector<std::string_view> fa = {"10002"};
  fa.insert(fa.end(), 10002, "x");
  fa.insert(fa.end(), {"1", "second"});
  Lines ra = {"0", "One\\", "0", "Two\\"};
  ShowRecord show = Make(ra, fa);
  EXPECT_EQ(show.matches[1].fa_lines->line_count, 10000);
  EXPECT_EQ(store::HeapArrayUpper(show.matches[1].fa_lines->lines), 10000);
  EXPECT_STREQ(show.matches[2].fa_lines->lines[1], "second");
}

TEST_F(CardTest, CountsBeyondTheBlocksFindLinesAbsent) {
  Lines ra = {"9", "Singles\\", "A pinned B.", "Rating: 50"};
  Lines fa = {"7", "only"};
  ShowRecord show = Make(ra, fa);
  ASSERT_EQ(show.match_count, 1);
  const MatchRecord& match = show.matches[1];
  EXPECT_STREQ(match.rating_text, " 50");
  EXPECT_EQ(match.fa_lines->line_count, 1);
  EXPECT_STREQ(match.fa_lines->lines[1], "only");

  ShowRecord no_fa = Make({"0", "Singles\\"}, {});
  EXPECT_EQ(no_fa.matches[1].fa_lines->line_count, 0);
}

TEST_F(CardTest, NegativeCountsRunToTheRatingAndNeverMoveBack) {
  Lines ra = {"-3",  "Singles\\",   "A pinned", "B.",   "Rating: 60",
              "(x)", "-2147483648", "Other",    "text."};
  Lines fa = {"-5", "1", "kept"};
  ShowRecord show = Make(ra, fa);
  ASSERT_GE(show.match_count, 2);
  const MatchRecord& first = show.matches[1];
  EXPECT_EQ(TextLines(first), std::vector<std::string>{"A pinned B."});
  EXPECT_STREQ(first.rating_text, "") << "a negative count has no trailer";
  EXPECT_EQ(first.paren_note_count, 0);
  EXPECT_EQ(first.fa_lines->line_count, -5) << "a negative count is kept as read";
  EXPECT_EQ(first.fa_lines->lines, nullptr);
  // The index stays on the "Rating: " line: it starts the next segment as its count.
  EXPECT_STREQ(show.matches[2].match_type, "(x)");
}

TEST_F(CardTest, NonNumericCountGivesAnEmptySegment) {
  ShowRecord show = Make({"abc", "Singles", "A pinned B."});
  ASSERT_EQ(show.match_count, 1);
  EXPECT_EQ(TextLines(show.matches[1]), std::vector<std::string>{""});
}

struct JoinCase {
  std::vector<std::string> lines;
  std::vector<std::string> reconstituted;
};

TEST(ReconstituteSentenceTest, BlanksBetweenLines) {
  const JoinCase cases[] = {
      {{"Orrin Vale Jr.", "defeated Tuck Masden."}, {"Orrin Vale Jr. defeated Tuck Masden."}},
      {{"Orrin Vale Jr.", "pinned Tuck Masden."}, {"Orrin Vale Jr.pinned Tuck Masden."}},
      {{"Orrin Vale,", "pim Lorca won."}, {"Orrin Vale, pim Lorca won."}},
      {{"Orrin", "Vale won", "2", "(x)."}, {"Orrin Vale won 2 (x)."}},
      {{"A beat", "a rival", "an ace", "the end", "double trouble", "defeated C."},
       {"A beat a rival an ace the end double trouble defeated C."}},
      {{"A bea", "at.", "after"}, {"A beaat.", "after"}},
      {{"A\x81", "\x81X."}, {"A\x81\x81X."}},   // ü is a lower-case letter
      {{"A\x9A", "\x9AX."}, {"A\x9A \x9AX."}},  // Ü is not
      {{"the Drifters won.", "x"}, {" the Drifters won.", "x"}},
      {{"Who won?", "nobody"}, {"Who won?", "nobody"}},
      {{"A  pinned ", " B:", "  kept  "}, {"A pinned B:", "  kept  "}},
      {{"A pinned", "", "rest"}, {"A pinned ", "rest"}},
      {{"No end", "here"}, {"No end", "here"}},
      {{}, {}},
  };
  for (const JoinCase& c : cases) {
    EXPECT_EQ(Reconstituted(c.lines), c.reconstituted) << ::testing::PrintToString(c.lines);
  }
}

TEST(CompactLinesTest, TrimsAndJoinsUpToTheFirstEnd) {
  const JoinCase cases[] = {
      {{"  A pinned  ", " B.", "  after  "}, {"A pinned B.", "  after  "}},
      {{"Who won?", "Nobody knows", "More.", "x"}, {"Who won? Nobody knows More.", "x"}},
      {{"A", "", "B"}, {"A", "B"}},
      {{"No", "end"}, {"No end"}},
      {{"Time 12:", "x"}, {"Time 12:", "x"}},
      {{}, {""}},
  };
  for (const JoinCase& c : cases) {
    EXPECT_EQ(Compacted(c.lines), c.reconstituted) << ::testing::PrintToString(c.lines);
  }
}

TEST_F(CardTest, QuestionEndsTheSentenceForReconstitutionOnly) {
  Lines ra = {"3", "Interview", "Who wa", "s it?", "Not me."};
  EXPECT_EQ(TextLines(Make(ra).matches[1]), std::vector<std::string>{"Who was it? Not me."});
}

}  // namespace
}  // namespace kzo::matchtext
