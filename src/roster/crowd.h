// Crowd reactions: per wrestler, the texts the crowd calls out, read from the legacy
// folder's "\data\crowd.cnf" (kind 1) and "\data\wcrowd.cnf" (kind 2).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "store/text.h"

namespace kzo::roster {

constexpr int kMaxCrowdReactions = 5000;

// Reactions by the word of their line.
constexpr std::int32_t kReactionOther = 0;
constexpr std::int32_t kReactionFace = 1;  // "Face"
constexpr std::int32_t kReactionHeel = 2;  // "Heel"
constexpr std::int32_t kReactionAny = 3;   // "*"

struct CrowdReaction {
  std::int32_t crowd_kind;  // 1 "\data\crowd.cnf", 2 "\data\wcrowd.cnf"
  std::int32_t reaction;
  Text wrestler_name;  // a copy of the wrestler's roster name
  Text text;           // one crowd text
  std::int32_t spare;  // always 0
};

struct CrowdTable {
  std::array<CrowdReaction, kMaxCrowdReactions + 1> entries;  // slots 1..count
  std::int32_t count;
};

// The one crowd reaction table of the run.
CrowdTable& CrowdReactions();

// Appends the texts of a crowd file to the table, in file order. Each line, plain or
// scrambled, is "name_word=text|text|...": a line whose name, word or texts are empty,
// or whose name is no wrestler's, is skipped, and so is a missing file. Texts beyond the
// table's capacity are dropped.
void ReadCrowdFile(std::string_view path, int crowd_kind);

}  // namespace kzo::roster
