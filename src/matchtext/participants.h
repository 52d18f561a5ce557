// Participant name matching: titles and points entries name their participants in free
// text ("Orrin Vale, The Drifters (Tuck Masden/Quill Danby) [c]"). Such a text is reduced
// to names separated by ", " and " and ", split into a slot list, team names are replaced
// by the two members a teams file gives for them, and the names are then looked up in a
// name list or compared with another text's.
//
// Each teams file is read once per run and replayed: its records, and the error reports its
// reading raised (a missing or short file), which are raised again on every later call, as
// a fresh reading would raise them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "roster/name_index.h"

namespace kzo::matchtext {

// Removes bracket remarks (with the character before the "["), puts parenthesised member
// lists in place of the team name before them (everything before the "(" back to the last
// comma is dropped) and turns every "/" into ", ".
std::string ReduceParticipantText(std::string_view text);

// The number of separators in a reduced text: every "," plus every " and ", counted
// without overlap from left to right.
int CountSeparators(std::string_view reduced);

// Splits a reduced text into its n + 1 names (n its separators) at the earliest "," or
// " and " each time; a comma also takes the character after it. Nothing is trimmed.
std::vector<std::string> SplitParticipantList(std::string_view reduced);

// Team expansion: team names in a text's slot list (2 * separators + 2 slots, or as many
// as the longer text of two compared) are replaced by their members, applying the records
// of the teams file in file order: a slot holding a record's team name gets the first
// member and the second member is appended. An expansion that needs a slot beyond the
// list's size is not made. The teams file is folder (trailing "\" removed) + "\teams.dat"
// when it exists, else the legacy folder's "\data\teams.dat".

// A tag team as name matching sees it: its members and its name (lines 1 to 3 of its record
// in a teams file).
struct TeamNames {
  std::string_view member1;
  std::string_view member2;
  std::string_view team;
};

// The names a participant text holds after team expansion, as BreakDownParticipants finds
// them, with teams (in their order) in place of a teams file: for callers that hold the
// teams already, and read no file.
std::vector<std::string> ParticipantNames(std::string_view text, std::span<const TeamNames> teams);

// Fills numbers[1..] with the slot in `names` of each name the text holds after team
// expansion (-1 for a name not found), as far as numbers has room, and returns the number
// of names. Tag BREAKDOW.
int BreakDownParticipants(std::string_view text, std::span<std::int32_t> numbers,
                          const roster::NameIndex& names, std::string_view folder);

// 1 when both texts name the same participants after team expansion (the same number of
// names, every name of the first found among the second's), else 0.
int MATCHES(std::string_view first, std::string_view second, std::string_view folder);

// The number under which a participant text's lists are kept for the run: the same text
// always has the same number (until ForgetTeamsFiles).
int ParticipantTextId(std::string_view text);
// MATCHES of two texts given by their numbers, for callers that compare the same texts
// many times.
int MatchesById(int first, int second, std::string_view folder);
// BreakDownParticipants of a text given by its number.
int BreakDownParticipantsById(int text, std::span<std::int32_t> numbers,
                              const roster::NameIndex& names, std::string_view folder);

// Forgets every teams file read and every list worked out so far; the next call reads the
// teams files again.
void ForgetTeamsFiles();

}  // namespace kzo::matchtext
