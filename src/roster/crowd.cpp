#include "roster/crowd.h"

#include <string>

#include "config/settings.h"
#include "roster/database.h"
#include "roster/wrestler_lookup.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/run.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

void EmptyCrowdTable(CrowdTable& table) {
  store::EmptyFilledSlots(table.entries, table.count);
}

store::RunLocal<CrowdTable> crowd_table(EmptyCrowdTable);

// The parts of a crowd line "name_word=texts".
struct CrowdLine {
  std::string_view name;
  std::string_view word;
  std::string_view texts;
};

// The part of text before the first separator, or all of it.
std::string_view Before(std::string_view text, char separator) {
  return text.substr(0, text.find(separator));
}

// Splits a line: texts run from the first "=" to the second (a text holding "=" is cut
// there); the key before the first "=" holds the name before its first "_" and the word
// between its first and second "_". False when the line has no "=" or its key no "_".
bool SplitCrowdLine(std::string_view line, CrowdLine& parts) {
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  std::string_view key = line.substr(0, equals);
  std::size_t underscore = key.find('_');
  if (underscore == std::string_view::npos) return false;
  parts.name = key.substr(0, underscore);
  parts.word = Before(key.substr(underscore + 1), '_');
  parts.texts = Before(line.substr(equals + 1), '=');
  return true;
}

std::int32_t ReactionOf(std::string_view word) {
  if (word == "Face") return kReactionFace;
  if (word == "Heel") return kReactionHeel;
  if (word == "*") return kReactionAny;
  return kReactionOther;
}

void AddReaction(int crowd_kind, std::int32_t reaction, Text wname, std::string_view text) {
  CrowdTable& table = CrowdReactions();
  if (table.count >= kMaxCrowdReactions) return;
  CrowdReaction& entry = table.entries[static_cast<std::size_t>(++table.count)];
  entry.crowd_kind = crowd_kind;
  entry.reaction = reaction;
  entry.wrestler_name = store::NewRecordString(wname ? wname : "");
  entry.text = store::NewRecordString(text);
  entry.spare = 0;
}

// Adds one entry per "|"-separated text of a line; empty texts count.
void ReadCrowdLine(std::string_view line, int crowd_kind) {
  CrowdLine parts;
  if (!SplitCrowdLine(line, parts)) return;
  if (parts.name.empty() || parts.word.empty() || parts.texts.empty()) return;
  int wrestler = FindWrestler(parts.name);
  if (wrestler == 0) return;
  Text wname = roster::Database().wrestlers[static_cast<std::size_t>(wrestler)].wname;
  std::int32_t reaction = ReactionOf(parts.word);
  std::string_view texts = parts.texts;
  while (true) {
    std::size_t bar = texts.find('|');
    AddReaction(crowd_kind, reaction, wname, texts.substr(0, bar));
    if (bar == std::string_view::npos) break;
    texts.remove_prefix(bar + 1);
  }
}

}  // namespace

CrowdTable& CrowdReactions() {
  return *crowd_table;
}

void ReadCrowdFile(std::string_view path, int crowd_kind) {
  if (!store::Platform().FileExists(path)) return;
  int file = store::FreeFile();
  store::OpenFile(path, store::FileMode::kInput, file);
  while (!store::AtEndOfFile(file)) {
    std::string line = config::ScrambleText(store::ReadLine(file), -1);
    ReadCrowdLine(line, crowd_kind);
  }
  store::CloseFile(file);
}

}  // namespace kzo::roster
