// The wrestlers' careers, worked out in one walk over every match of every circuit: each
// wrestler's matches and how they came out, the record per circuit, the winning streaks and
// the record against every opponent. The site shows these numbers and the database holds
// them as tables, so that the two always agree.
//
// A match is a segment of a show other than "Comments" and "Interview" (which the match
// report skips). A wrestler takes part in it when the breakdown of its result names the
// wrestler (a name that matches no wrestler of the roster takes part as no one); a match
// counts once however often its result names the wrestler.
#pragma once

#include <cstdint>
#include <vector>

#include "model/show.h"
#include "store/text.h"

namespace kzo::exporter {

// The values of a result that name a wrestler, as bits: a wrestler named on both sides (a
// result that lists a name twice) has two.
enum Outcome : unsigned {
  kWon = 1,         // value 1
  kLost = 2,        // value -1
  kDrewFirst = 4,   // value 2
  kDrewSecond = 8,  // value -2
};

// The bit of a value of a result (1, -1, 2, -2); 0 for any other value.
unsigned OutcomeOf(std::int64_t value);

// What a match was for a wrestler: a win, a loss or a draw when the values naming the
// wrestler agree, else none.
enum class Result { kNone, kWin, kLoss, kDraw };
Result ResultOf(unsigned outcome);
// "win", "loss" or "draw", as the database's tables say it; null for none.
Text ResultWord(Result result);

// A wrestler's part in one match.
struct Appearance {
  int circuit;
  int show;
  int match;
  unsigned outcome;  // Outcome bits
};

// Matches, wins, losses and draws. Wins, losses and draws count the values naming the
// wrestler, a draw on both sides twice, as the database's view wrestler_records does.
struct Record {
  int matches = 0;
  int wins = 0;
  int losses = 0;
  int draws = 0;

  void Add(unsigned outcome);
  Record& operator+=(const Record& other);
  // Wins per hundred matches, one decimal: 475 for 47.5 %; -1 without matches.
  int WinPerMille() const;
};

// The winning streaks of a wrestler in one circuit, whose shows are in the order of their
// numbers and the matches of a show in card order: only a win continues a streak.
struct Streak {
  int longest = 0;  // the most wins in a row
  int longest_first_show = 0;
  int longest_last_show = 0;
  Result current = Result::kNone;  // the result of the last match and how many in a row
  int current_length = 0;
};

// The record against one opponent: matches where the two stood on opposite sides (the
// winners against the losers, or the two sides of a draw; in a draw whose result names
// everyone as one side, "A and B battled to a double count-out", everyone against everyone);
// a match counts once, and is a win, a loss or a draw as the wrestler's side came out
// against the opponent's.
struct Opponent {
  int wrestler;
  Record record;
};

struct CircuitCareer {
  int circuit;
  Record record;
  Streak streak;
  std::vector<Opponent> opponents;  // by wrestler number
};

struct Career {
  std::vector<Appearance> appearances;  // in circuit, show and match order
  std::vector<CircuitCareer> circuits;  // the circuits the wrestler has matches in, in order
  Record total;                         // every circuit together
};

// The career in one circuit, if the wrestler has matches there.
const CircuitCareer* CareerIn(const Career& career, int circuit);
// The circuit of the longest winning streak (the first of equals); none without a win.
const CircuitCareer* LongestStreakOf(const Career& career);

// True for a draw whose result names everyone as one side: every value is 2.
bool IsOneSidedDraw(const model::MatchRecord& match);

// True for a segment that is a match.
bool IsMatch(const model::MatchRecord& segment);

// The career of every wrestler of the roster, by wrestler number 1..StoredWrestlerCount
// (slot 0 is empty), from the model that the last load built.
std::vector<Career> BuildCareers();

}  // namespace kzo::exporter
