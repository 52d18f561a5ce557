#include "roster/team.h"

#include <string>
#include <string_view>

#include "store/files.h"
#include "store/heap.h"
#include "store/numbers.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

constexpr int kDiscardedLines = 5;

// The first two characters of a member's name followed by its last two ("A" gives "AA").
std::string MemberAbbreviation(std::string_view name) {
  std::string abbreviation(name.substr(0, 2));
  abbreviation += name.substr(name.size() >= 2 ? name.size() - 2 : 0);
  return abbreviation;
}

Text FullTeamName(const TeamRecord& record) {
  std::string members =
      std::string(View(record.wrestler1)) + "/" + std::string(View(record.wrestler2));
  if (View(record.tname).empty()) return store::NewRecordString(members);
  return store::NewRecordString(std::string(View(record.tname)) + " (" + members + ")");
}

// The member an abbreviation names: the first when it is the first member's, else the
// second. The member's own record string is returned, not a copy.
Text MemberNamed(const TeamRecord& record, std::string_view abbreviation) {
  return abbreviation == MemberAbbreviation(View(record.wrestler1)) ? record.wrestler1
                                                                    : record.wrestler2;
}

// Cuts "name/XXXX" at its first "/" and returns the member XXXX names; null without "/".
Text CutAtMember(const TeamRecord& record, std::string_view& code) {
  std::size_t slash = code.find('/');
  if (slash == std::string_view::npos) return nullptr;
  Text member = MemberNamed(record, code.substr(slash + 1));
  code = code.substr(0, slash);
  return member;
}

// "first-second/XXXX": move number first, then second as a move number or, when its
// value is 0, as a move name; XXXX names the pinner. A code that lacks "-" or "/" is no
// combination and is kept whole as the finisher's name.
void DecodeCombination(TeamRecord& record, std::string_view code, Text line) {
  std::size_t dash = code.find('-');
  if (dash == std::string_view::npos || code.find('/') == std::string_view::npos) {
    record.finisher = line;
    return;
  }
  record.finisher_combo1 = store::NumericValue(code.substr(0, dash));
  std::string_view rest = code.substr(dash + 1);
  // When the only "/" comes before the "-", the whole rest names the pinner and the
  // second part is the empty name.
  std::size_t slash = rest.find('/');
  std::string_view second = rest.substr(0, slash == std::string_view::npos ? 0 : slash);
  std::string_view pinner = slash == std::string_view::npos ? rest : rest.substr(slash + 1);
  record.finisher_who_pins = MemberNamed(record, pinner);
  std::int32_t move = store::NumericValue(second);
  if (move == 0) {
    record.finisher_combo2_is_named = 1;
    record.finisher_combo2_named = store::NewRecordString(second);
  } else {
    record.finisher_combo2_move = move;
  }
  record.finisher = store::NewRecordString("");
  record.finisher_is_combo = 1;
}

// Decodes the finisher code: "" none; [+]name[/XXXX] a move, XXXX the pinner;
// [+]&name[/XXXX] a move that lifts, XXXX the lifter; [+]!first-second/XXXX a combination.
// The leading "+" carries nothing the model keeps.
void DecodeFinisher(TeamRecord& record, Text line) {
  std::string_view code = View(line);
  if (code.empty()) {
    record.finisher = store::NewRecordString("");
    return;
  }
  if (code.front() == '+') code.remove_prefix(1);
  if (!code.empty() && code.front() == '!') {
    DecodeCombination(record, code.substr(1), line);
    return;
  }
  if (!code.empty() && code.front() == '&') {
    code.remove_prefix(1);
    record.finisher_who_lifts = CutAtMember(record, code);
    record.finisher_has_lift = 1;
  } else {
    record.finisher_who_pins = CutAtMember(record, code);
  }
  record.finisher = store::NewRecordString(code);
  record.finisher_is_simple = 1;
}

}  // namespace

void LoadTeamRecord(int file, TeamRecord& record) {
  store::Procedure procedure("LOADTEAM");
  record.wrestler1 = store::ReadRecordString(file);
  record.wrestler2 = store::ReadRecordString(file);
  record.tname = store::ReadRecordString(file);
  Text finisher_code = store::ReadRecordString(file);
  record.tname_full = FullTeamName(record);
  DecodeFinisher(record, finisher_code);
  record.entrance_theme = store::ReadRecordString(file);
  store::WriteImportStamp(record.stamp);
  store::SkipLines(file, kDiscardedLines);
}

}  // namespace kzo::roster
