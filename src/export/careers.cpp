#include "export/careers.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "export/slots.h"
#include "model/circuit.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

// A wrestler's part in the match being walked: every value naming the wrestler.
struct Part {
  int wrestler;
  unsigned outcome;
};

// The records of the wrestlers of one circuit against each other, by the pair of their
// numbers: as many as pairs met, whatever the number of meetings.
using Meetings = std::unordered_map<std::uint64_t, Record>;

std::uint64_t PairKey(int wrestler, int opponent) {
  return static_cast<std::uint64_t>(wrestler) << 32 | static_cast<std::uint32_t>(opponent);
}

// Counts the match for a wrestler against another that stood on the opposite side.
void Meet(const Part& a, const Part& b, bool one_sided_draw, Meetings& meetings) {
  bool win = (a.outcome & kWon) && (b.outcome & kLost);
  bool loss = (a.outcome & kLost) && (b.outcome & kWon);
  bool draw = ((a.outcome & kDrewFirst) && (b.outcome & kDrewSecond)) ||
              ((a.outcome & kDrewSecond) && (b.outcome & kDrewFirst)) || one_sided_draw;
  if (!win && !loss && !draw) return;
  Record& record = meetings[PairKey(a.wrestler, b.wrestler)];
  ++record.matches;
  record.wins += win;
  record.losses += loss;
  record.draws += draw;
}

// The participants of a match that are wrestlers of the roster, each once.
void GatherParts(const model::MatchRecord& match, std::vector<Part>& parts) {
  parts.clear();
  int wrestlers = roster::StoredWrestlerCount();
  int items = StoredSlots(match.breakdown, match.breakdown_count, model::kMaxBreakdownItems);
  for (int b = 1; b <= items; ++b) {
    const model::BreakdownItem& item = match.breakdown[b];
    if (item.wrestler < 1 || item.wrestler > wrestlers) continue;
    auto known = std::find_if(parts.begin(), parts.end(),
                              [&](const Part& part) { return part.wrestler == item.wrestler; });
    if (known == parts.end()) {
      parts.push_back({item.wrestler, OutcomeOf(item.value)});
    } else {
      known->outcome |= OutcomeOf(item.value);
    }
  }
}

Streak StreakOf(std::span<const Appearance> appearances) {
  Streak streak;
  int run = 0, run_first = 0;
  for (const Appearance& part : appearances) {
    Result result = ResultOf(part.outcome);
    if (result == Result::kWin) {
      if (run++ == 0) run_first = part.show;
      if (run > streak.longest) {
        streak.longest = run;
        streak.longest_first_show = run_first;
        streak.longest_last_show = part.show;
      }
    } else {
      run = 0;
    }
    if (result == streak.current && result != Result::kNone) {
      ++streak.current_length;
    } else {
      streak.current = result;
      streak.current_length = result == Result::kNone ? 0 : 1;
    }
  }
  return streak;
}

// The opponents of each wrestler in the circuit just walked, into the circuit's career,
// which is each wrestler's last.
void AddOpponents(const Meetings& meetings, std::vector<Career>& careers) {
  std::vector<std::pair<std::uint64_t, Record>> pairs(meetings.begin(), meetings.end());
  std::sort(pairs.begin(), pairs.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [key, record] : pairs) {
    careers[static_cast<std::size_t>(key >> 32)].circuits.back().opponents.push_back(
        {static_cast<int>(key & 0xFFFFFFFF), record});
  }
}

void WalkCircuit(int c, const model::CircuitRecord& circuit, std::vector<Career>& careers) {
  std::vector<int> taking_part;  // the wrestlers with matches in the circuit
  Meetings meetings;
  std::vector<Part> parts;
  for (int s = 1; s <= StoredSlots(circuit.shows, circuit.show_count, model::kMaxShows); ++s) {
    const model::ShowRecord* show = circuit.shows[s];
    if (show == nullptr) continue;
    for (int m = 1; m <= StoredSlots(show->matches, show->match_count, model::kMaxMatches); ++m) {
      if (!IsMatch(show->matches[m])) continue;
      GatherParts(show->matches[m], parts);
      bool one_sided_draw = IsOneSidedDraw(show->matches[m]);
      for (const Part& part : parts) {
        std::vector<Appearance>& appearances =
            careers[static_cast<std::size_t>(part.wrestler)].appearances;
        if (appearances.empty() || appearances.back().circuit != c) {
          taking_part.push_back(part.wrestler);
        }
        appearances.push_back({c, s, m, part.outcome});
        for (const Part& other : parts) {
          if (&other != &part) Meet(part, other, one_sided_draw, meetings);
        }
      }
    }
  }
  for (int w : taking_part) {
    Career& career = careers[static_cast<std::size_t>(w)];
    auto first = std::find_if(career.appearances.begin(), career.appearances.end(),
                              [&](const Appearance& part) { return part.circuit == c; });
    std::span<const Appearance> here(first, career.appearances.end());
    CircuitCareer circuit_career{c, {}, StreakOf(here), {}};
    for (const Appearance& part : here) circuit_career.record.Add(part.outcome);
    career.total += circuit_career.record;
    career.circuits.push_back(std::move(circuit_career));
  }
  AddOpponents(meetings, careers);
}

}  // namespace

unsigned OutcomeOf(std::int64_t value) {
  switch (value) {
    case 1:
      return kWon;
    case -1:
      return kLost;
    case 2:
      return kDrewFirst;
    case -2:
      return kDrewSecond;
    default:
      return 0;
  }
}

Result ResultOf(unsigned outcome) {
  if (outcome == kWon) return Result::kWin;
  if (outcome == kLost) return Result::kLoss;
  if (outcome != 0 && (outcome & ~(kDrewFirst | kDrewSecond)) == 0) return Result::kDraw;
  return Result::kNone;
}

Text ResultWord(Result result) {
  switch (result) {
    case Result::kWin:
      return "win";
    case Result::kLoss:
      return "loss";
    case Result::kDraw:
      return "draw";
    case Result::kNone:
      break;
  }
  return nullptr;
}

void Record::Add(unsigned outcome) {
  ++matches;
  wins += (outcome & kWon) != 0;
  losses += (outcome & kLost) != 0;
  draws += ((outcome & kDrewFirst) != 0) + ((outcome & kDrewSecond) != 0);
}

Record& Record::operator+=(const Record& other) {
  matches += other.matches;
  wins += other.wins;
  losses += other.losses;
  draws += other.draws;
  return *this;
}

int Record::WinPerMille() const {
  if (matches <= 0) return -1;
  return static_cast<int>((std::int64_t{wins} * 2000 + matches) / (std::int64_t{matches} * 2));
}

const CircuitCareer* CareerIn(const Career& career, int circuit) {
  auto found =
      std::lower_bound(career.circuits.begin(), career.circuits.end(), circuit,
                       [](const CircuitCareer& held, int number) { return held.circuit < number; });
  return found != career.circuits.end() && found->circuit == circuit ? &*found : nullptr;
}

const CircuitCareer* LongestStreakOf(const Career& career) {
  const CircuitCareer* longest = nullptr;
  for (const CircuitCareer& circuit : career.circuits) {
    if (circuit.streak.longest > (longest ? longest->streak.longest : 0)) longest = &circuit;
  }
  return longest;
}

bool IsOneSidedDraw(const model::MatchRecord& match) {
  int items = StoredSlots(match.breakdown, match.breakdown_count, model::kMaxBreakdownItems);
  for (int b = 1; b <= items; ++b) {
    if (match.breakdown[b].value != 2) return false;
  }
  return items > 0;
}

bool IsMatch(const model::MatchRecord& segment) {
  std::string_view kind = View(segment.match_type);
  return kind != "Comments" && kind != "Interview";
}

std::vector<Career> BuildCareers() {
  std::vector<Career> careers(static_cast<std::size_t>(roster::StoredWrestlerCount()) + 1);
  const model::CircuitTable& table = model::Circuits();
  for (int c = 1; c <= StoredSlots(table.count, model::kMaxCircuits); ++c) {
    WalkCircuit(c, table.records[static_cast<std::size_t>(c)], careers);
  }
  return careers;
}

}  // namespace kzo::exporter
