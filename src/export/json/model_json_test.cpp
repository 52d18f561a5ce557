#include "export/json/model_json.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "export/json/json_test_support.h"
#include "model/circuit.h"
#include "roster/crowd.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"
#include "store/heap.h"
#include "store/run_test_support.h"

namespace kzo::exporter {
namespace {

using Strings = std::vector<std::string>;

class ModelJsonTest : public testing::RunTest {
 protected:
  std::string Document() {
    std::string out;
    JsonWriter json(out);
    WriteModelJson(json);
    return out;
  }
  // True when the document holds part; says where the document differs when not.
  ::testing::AssertionResult Holds(const std::string& part) {
    std::string document = Document();
    if (document.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << part << "\nnot in\n" << document;
  }
};

TEST_F(ModelJsonTest, TheMembersComeInOrderAndTheRostersFromSlotZero) {
  roster::RosterDatabase& db = roster::Database();
  db.moves.resize(2);
  db.moves[0].mname = store::NewRecordString("--- None ---");
  db.moves[1].number = 1;
  roster::CrowdTable& crowd = roster::CrowdReactions();
  crowd.count = 1;
  crowd.entries[1] = {2, 3, store::NewRecordString("Orrin Vale"), store::NewRecordString(""), 0};
  roster::InitFieldDictionary();
  EXPECT_EQ(TopLevelKeys(Document()),
            (Strings{"format", "version", "legacy_folder", "settings", "managers", "moves", "dives",
                     "wrestlers", "foreign_objects", "gimmick_matches", "stables", "teams",
                     "crowd_reactions", "circuits", "field_dictionary"}));
  EXPECT_TRUE(
      Holds("{\"format\":\"kzo-model\",\"version\":1,\"legacy_folder\":null,\"settings\":"
            "{\"UsePersons\":0,\"CCBackground\":0,\"GlobalHiring\":0,"
            "\"GlobalHiringLimitTo\":null},\"managers\":[],\"moves\":[{\"number\":0,"
            "\"mname\":\"--- None ---\","));
  EXPECT_TRUE(Holds("},{\"number\":1,\"mname\":null,"));
  EXPECT_TRUE(
      Holds("\"crowd_reactions\":[{\"crowd_kind\":2,\"reaction\":3,\"wrestler_name\":"
            "\"Orrin Vale\",\"text\":\"\",\"spare\":0}],\"circuits\":[],"
            "\"field_dictionary\":[{\"kind\":1,\"field\":" +
            std::to_string(offsetof(roster::WrestlerRecord, moves)) +
            ",\"key\":\"wrestlers.moves\",\"label\":\"Moves\",\"value_type\":4,"
            "\"ref_kind\":2,\"ref_field\":" +
            std::to_string(offsetof(roster::MoveRecord, mname_noarticle)) + ",\"slots\":50},"));
}

// Show slots without a record, a segment naming its show, the current hire term by its slot,
// and a circuit that was not loaded, whose per-wrestler lists hold a zero-filled slot for
// every wrestler.
TEST_F(ModelJsonTest, CircuitsHoldTheSlotsTheirCountsPromise) {
  roster::Database().wrestlers.resize(3);
  roster::Database().wrestler_count = 2;
  model::CircuitTable& circuits = model::Circuits();
  circuits.count = 2;
  model::CircuitRecord& north = circuits.records[1];
  north.show_count = 3;
  north.shows = store::NewList<model::ShowRecord*>(2);
  model::ShowRecord* show = north.shows[1] = store::NewList<model::ShowRecord>(1) + 1;
  show->match_count = 1;
  show->matches = store::NewList<model::MatchRecord>(1);
  model::FaLines* fa = show->matches[1].fa_lines = store::NewList<model::FaLines>(1) + 1;
  fa->line_count = 2;
  fa->lines = store::NewList<Text>(2);
  fa->lines[1] = store::NewRecordString("a");
  fa->lines[2] = store::NewRecordString("b");
  north.roster = store::NewList<model::RosterEntry>(2);
  model::RosterEntry& entry = north.roster[2];
  entry.hire_terms = store::NewList<model::HireTerm*>(model::kMaxHireTerms);
  entry.hire_terms[1] = store::NewList<model::HireTerm>(1) + 1;
  entry.hire_terms[2] = entry.current_term = store::NewList<model::HireTerm>(1) + 1;
  entry.hire_term_count = 2;
  EXPECT_TRUE(
      Holds("\"fa_lines\":{\"line_count\":2,\"lines\":[\"a\",\"b\"]},\"breakdown_count\":0,"
            "\"breakdown\":[],\"show\":1}],\"match_count\":1,\"ca_text\":null},null,null],"
            "\"show_count\":3,"));
  EXPECT_TRUE(
      Holds("\"hire_terms\":[{\"start\":0,\"end\":0,\"days\":0},{\"start\":0,\"end\":0,"
            "\"days\":0}],\"hire_term_count\":2,\"current_term\":2,"));
  std::string zero_entry =
      "{\"name\":null,\"push\":0,\"hire_status\":0,\"hire_terms\":[],\"hire_term_count\":0,"
      "\"current_term\":null,\"hired\":0,\"injury\":0,\"heel_value\":0,\"managers\":[0,0,0,0],"
      "\"manager_count\":0,\"nickname\":null}";
  EXPECT_TRUE(Holds("\"show_count\":0,\"roster\":[" + zero_entry + "," + zero_entry +
                    "],\"injuries\":[0,0],\"wht_values\":[0,0],\"teams\":[],\"team_count\":0,"
                    "\"stables\":[],\"stable_count\":0,\"points\":null,"));
}

}  // namespace
}  // namespace kzo::exporter
