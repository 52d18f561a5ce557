#include "roster/field_dictionary.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "platform/testing/test_env.h"
#include "roster/move.h"
#include "roster/referee.h"
#include "roster/stable.h"
#include "roster/wrestler.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

class FieldDictionaryTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    InitFieldDictionary();
  }

  const FieldEntry& Entry(int number) {
    return Dictionary().entries[static_cast<std::size_t>(number)];
  }

  const FieldEntry* Find(std::string_view key) {
    for (int i = 1; i <= Dictionary().entry_count; ++i) {
      if (View(Entry(i).key) == key) return &Entry(i);
    }
    return nullptr;
  }
};

TEST_F(FieldDictionaryTest, RegistersTheEntriesInOrder) {
  EXPECT_EQ(Dictionary().entry_count, 243);
  EXPECT_STREQ(Entry(1).key, "wrestlers.moves");
  EXPECT_STREQ(Entry(1).label, "Moves");
  EXPECT_STREQ(Entry(243).key, "moves.style_submissionspecialist_counter2");
  EXPECT_STREQ(Entry(243).label, "Style: Submission Specialist - Counter 2");
  // Group sizes in registration order.
  const std::pair<const char*, int> groups[] = {
      {"wrestlers", 88}, {"foreign_objects", 22}, {"gimmick_matches", 18},
      {"teams", 16},     {"referees", 9},         {"stables", 7},
      {"dives", 16},     {"managers", 6},         {"moves", 61},
  };
  int number = 1;
  for (auto [prefix, size] : groups) {
    for (int i = 0; i < size; ++i, ++number) {
      std::string_view key = View(Entry(number).key);
      ASSERT_EQ(key.substr(0, key.find('.')), prefix) << "entry " << number;
    }
  }
}

TEST_F(FieldDictionaryTest, KindsMatchKeyPrefixesAndFieldsFollowDeclaredOrder) {
  const std::map<std::string, int> kinds = {
      {"wrestlers", 1},       {"moves", 2},           {"managers", 3}, {"teams", 4}, {"stables", 5},
      {"foreign_objects", 6}, {"gimmick_matches", 7}, {"referees", 7}, {"dives", 8},
  };
  for (int i = 1; i <= Dictionary().entry_count; ++i) {
    std::string_view key = View(Entry(i).key);
    std::string prefix(key.substr(0, key.find('.')));
    EXPECT_EQ(Entry(i).kind, kinds.at(prefix)) << key;
    if (i > 1 && View(Entry(i - 1).key).starts_with(prefix + ".")) {
      EXPECT_GT(Entry(i).field, Entry(i - 1).field) << key << " follows the declared order";
    }
  }
}

TEST_F(FieldDictionaryTest, FieldsLocateTheNamedField) {
  EXPECT_EQ(Find("wrestlers.moves")->field, static_cast<int>(offsetof(WrestlerRecord, moves)));
  EXPECT_EQ(Find("wrestlers.workrate")->field,
            static_cast<int>(offsetof(WrestlerRecord, workrate)));
  EXPECT_EQ(Find("wrestlers.opponent_runs")->field,
            static_cast<int>(offsetof(WrestlerRecord, opponent_runs)));
  EXPECT_EQ(Find("stables.wrestlers_count")->field,
            static_cast<int>(offsetof(StableRecord, wrestlers_count)));
  EXPECT_EQ(Find("referees.rname")->field, static_cast<int>(offsetof(RefereeRecord, rname)));
  EXPECT_EQ(Find("referees.is_wrestler")->field,
            static_cast<int>(offsetof(RefereeRecord, is_wrestler)));
  EXPECT_EQ(Find("moves.breakcounter")->field,
            static_cast<int>(offsetof(MoveRecord, breakcounter)));
}

TEST_F(FieldDictionaryTest, TypesAndReferences) {
  const FieldEntry* moves = Find("wrestlers.moves");
  EXPECT_EQ(moves->value_type, kTypeReference);
  EXPECT_EQ(moves->ref_kind, kKindMoves);
  EXPECT_EQ(moves->ref_field, static_cast<int>(offsetof(MoveRecord, mname_noarticle)));
  EXPECT_EQ(moves->slots, 50);
  EXPECT_EQ(Find("wrestlers.managers")->slots, 5);
  EXPECT_EQ(Find("wrestlers.dives")->slots, 6);
  EXPECT_EQ(Find("wrestlers.dives")->ref_kind, kKindDives);
  const FieldEntry* members = Find("stables.wrestlers");
  EXPECT_EQ(members->ref_kind, kKindWrestlers);
  EXPECT_EQ(members->ref_field, static_cast<int>(offsetof(WrestlerRecord, wname)));
  EXPECT_EQ(members->slots, kCountedList);
  EXPECT_EQ(Find("stables.managers")->ref_kind, kKindManagers);

  const FieldEntry* workrate = Find("wrestlers.workrate");
  EXPECT_EQ(workrate->value_type, kTypeInt);
  EXPECT_EQ(workrate->ref_kind, 0);
  EXPECT_EQ(workrate->ref_field, 0);
  EXPECT_EQ(Find("teams.finisher_who_pins")->value_type, kTypeText);
  EXPECT_EQ(Find("gimmick_matches.match_foreign_object_mobility")->value_type, kTypeFlag);
  EXPECT_EQ(Find("moves.mname")->value_type, kTypeText);
  EXPECT_EQ(Find("teams.finisher_combo2_move")->value_type, kTypeReference);

  int references = 0;
  for (int i = 1; i <= Dictionary().entry_count; ++i) {
    if (Entry(i).value_type == kTypeReference) ++references;
    EXPECT_EQ(Entry(i).value_type == kTypeReference, Entry(i).ref_kind != 0) << Entry(i).key;
  }
  EXPECT_EQ(references, 40);
}

TEST_F(FieldDictionaryTest, AddFieldEntryMakesReferencesOnlyOfInts) {
  ClearFieldDictionary();
  AddFieldEntry(1, 8, "a.b", "AB", kTypeInt, kKindMoves, 16, 0);
  AddFieldEntry(1, 8, "a.c", "AC", kTypeFlag, kKindMoves, 16, 0);
  ASSERT_EQ(Dictionary().entry_count, 2);
  EXPECT_EQ(Entry(1).value_type, kTypeReference);
  EXPECT_EQ(Entry(2).value_type, kTypeFlag);
  EXPECT_STREQ(Entry(2).key, "a.c");
}

TEST_F(FieldDictionaryTest, AFullDictionaryDropsEntriesAndClearStartsAgain) {
  while (Dictionary().entry_count < kMaxFieldEntries)
    AddFieldEntry(1, 0, "x.y", "XY", kTypeInt, 0, 0, 0);
  const FieldEntry last = Entry(kMaxFieldEntries);
  AddFieldEntry(2, 4, "z.z", "ZZ", kTypeText, 0, 0, 0);
  EXPECT_EQ(Dictionary().entry_count, kMaxFieldEntries);
  EXPECT_EQ(Entry(kMaxFieldEntries).key, last.key);
  ClearFieldDictionary();
  EXPECT_EQ(Dictionary().entry_count, 0);
  AddFieldEntry(2, 4, "z.z", "ZZ", kTypeText, 0, 0, 0);
  EXPECT_STREQ(Entry(1).key, "z.z");
  InitFieldDictionary();
  EXPECT_EQ(Dictionary().entry_count, 243);
}

}  // namespace
}  // namespace kzo::roster
