#include "export/json/roster_json.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "export/json/json_test_support.h"
#include "export/record_fields.h"
#include "platform/testing/test_env.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::exporter {
namespace {

class RosterJsonTest : public testing::RunTest {
 protected:
  // Records are written as the load leaves the dictionary.
  void SetUp() override {
    RunTest::SetUp();
    roster::InitFieldDictionary();
  }

  // The object of one record.
  template <class Record>
  std::string Json(const Record& record) {
    std::string out;
    JsonWriter json(out);
    WriteRosterRecords(json, KindOf(&record).kind, 1, 1, [&](int) { return &record; });
    return out;
  }
};

// The field names the dictionary registers for a table, in registration order.
std::vector<std::string> DictionaryFields(const std::string& table) {
  std::vector<std::string> fields;
  const roster::FieldDictionary& dictionary = roster::Dictionary();
  for (int i = 1; i <= dictionary.entry_count; ++i) {
    std::string key = dictionary.entries[static_cast<std::size_t>(i)].key;
    if (key.starts_with(table + ".")) fields.push_back(key.substr(table.size() + 1));
  }
  return fields;
}

// Record members without the record number and the stamp, which the dictionary omits.
std::vector<std::string> DescribedFields(const std::string& json) {
  const std::set<std::string> undescribed = {"number", "source", "created", "importer", "modified"};
  std::vector<std::string> fields;
  for (const std::string& key : TopLevelKeys(json)) {
    if (!undescribed.contains(key)) fields.push_back(key);
  }
  return fields;
}

TEST_F(RosterJsonTest, TeamSnapshot) {
  roster::TeamRecord team{};
  team.number = 3;
  team.tname = store::NewRecordString("Road Crew");
  team.tname_full = store::NewRecordString("Road Crew (Ax Rivers/Bo Stone)");
  team.wrestler1 = store::NewRecordString("Ax Rivers");
  team.wrestler2 = store::NewRecordString("Bo \"B\" Stone\x81");
  team.finisher = store::NewRecordString("");
  team.finisher_who_pins = team.wrestler2;
  team.finisher_is_combo = 1;
  team.finisher_combo1 = 12;
  team.finisher_combo2_is_named = 1;
  team.finisher_combo2_named = store::NewRecordString("Big Splash");
  store::WriteImportStamp(team.stamp);
  EXPECT_EQ(
      Json(team),
      "{\"number\":3,\"tname\":\"Road Crew\",\"tname_full\":\"Road Crew (Ax Rivers/Bo Stone)\","
      "\"wrestler1\":\"Ax Rivers\",\"wrestler2\":\"Bo \\\"B\\\" Stone\xC3\xBC\",\"finisher\":\"\","
      "\"finisher_is_simple\":0,\"finisher_who_pins\":\"Bo \\\"B\\\" Stone\xC3\xBC\","
      "\"finisher_has_lift\":0,\"finisher_who_lifts\":null,\"finisher_is_combo\":1,"
      "\"finisher_combo1\":12,\"finisher_combo2_is_named\":1,\"finisher_combo2_move\":0,"
      "\"finisher_combo2_named\":\"Big Splash\",\"source\":\"Legacy KZO Data\",\"created\":0,"
      "\"importer\":\"KZO 7 For Windows Importer\",\"modified\":0,\"entrance_theme\":null,"
      "\"exit_theme\":null}");
}

TEST_F(RosterJsonTest, RecordMembersFollowTheDeclaredFieldOrder) {
  EXPECT_EQ(DescribedFields(Json(roster::WrestlerRecord{})), DictionaryFields("wrestlers"));
  EXPECT_EQ(DescribedFields(Json(roster::MoveRecord{})), DictionaryFields("moves"));
  EXPECT_EQ(DescribedFields(Json(roster::DiveRecord{})), DictionaryFields("dives"));
  EXPECT_EQ(DescribedFields(Json(roster::ManagerRecord{})), DictionaryFields("managers"));
  EXPECT_EQ(DescribedFields(Json(roster::ForeignObjectRecord{})),
            DictionaryFields("foreign_objects"));
  EXPECT_EQ(DescribedFields(Json(roster::GimmickMatchRecord{})),
            DictionaryFields("gimmick_matches"));
  EXPECT_EQ(DescribedFields(Json(roster::StableRecord{})), DictionaryFields("stables"));
  EXPECT_EQ(DescribedFields(Json(roster::TeamRecord{})), DictionaryFields("teams"));
  std::vector<std::string> wrestler = TopLevelKeys(Json(roster::WrestlerRecord{}));
  std::vector<std::string> tail(wrestler.end() - 8, wrestler.end());
  EXPECT_EQ(tail,
            (std::vector<std::string>{"source", "created", "importer", "modified", "skins_the_cat",
                                      "springs_up", "wrestler_runs", "opponent_runs"}));
}

TEST_F(RosterJsonTest, WrestlerListsHoldEverySlotButSlotZero) {
  roster::WrestlerRecord w{};
  w.moves[0] = 99;
  w.moves[1] = 5;
  w.moves[50] = 7;
  w.managers[5] = 4;
  w.dives[6] = 3;
  std::string json = Json(w);
  std::string moves = "\"moves\":[5";
  for (int slot = 2; slot <= 49; ++slot) moves += ",0";
  moves += ",7]";
  EXPECT_NE(json.find(moves), std::string::npos) << json.substr(0, 140);
  EXPECT_NE(json.find("\"managers\":[0,0,0,0,4]"), std::string::npos);
  EXPECT_NE(json.find("\"dives\":[0,0,0,0,0,3]"), std::string::npos);
}

TEST_F(RosterJsonTest, StableListsHoldTheStoredMembers) {
  roster::StableRecord s{};
  s.managers[1] = 6;
  s.managers_count = 1;
  s.wrestlers = store::NewList<std::int32_t>(3);
  s.wrestlers[1] = 4;
  s.wrestlers[3] = 9;
  s.wrestlers_count = 3;
  std::string json = Json(s);
  EXPECT_NE(json.find("\"managers\":[6,0,0,0,0],\"managers_count\":1"), std::string::npos) << json;
  EXPECT_NE(json.find("\"wrestlers\":[4,0,9],\"wrestlers_count\":3"), std::string::npos) << json;
  s.wrestlers_count = -2;
  EXPECT_NE(Json(s).find("\"wrestlers\":[],\"wrestlers_count\":-2"), std::string::npos);
  // A count beyond the list never reads past it.
  s.wrestlers_count = 500;
  EXPECT_NE(Json(s).find("\"wrestlers\":[4,0,9],"), std::string::npos);
  s.wrestlers = nullptr;
  EXPECT_NE(Json(s).find("\"wrestlers\":[],"), std::string::npos);
}

}  // namespace
}  // namespace kzo::exporter
