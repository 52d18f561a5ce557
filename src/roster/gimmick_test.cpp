#include "roster/gimmick.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/roster_test_support.h"

namespace kzo::roster {
namespace {

class GimmickLoadTest : public RecordFileTest {
 protected:
  GimmickMatchRecord LoadGimmick(std::int64_t word) {
    std::vector<std::string> items{"Cage Match", "the Cage", std::to_string(word)};
    items.resize(kGimmickRecordItems, "line");
    return Load<GimmickMatchRecord>(LoadGimmickRecord, items);
  }
};

using Fields = std::vector<std::string>;

// Two flag words that set every field bit once between them; the second also sets the
// bits the word ignores (12..16, 20, 21, 24..31).
TEST_F(GimmickLoadTest, FlagWordSetsItsFieldsBitByBit) {
  EXPECT_EQ(NonZeroFields(LoadGimmick(0xA0A8D), "gimmick_matches"),  // bits 0 2 3 7 9 11 17 19
            (Fields{"match_foreign_object_whip=1", "match_foreign_object_choke=1",
                    "match_foreign_object_mobility=1", "match_ends_by_ten_count=1",
                    "match_ends_by_first_blood=1", "match_ends_by_stuffing_in=1",
                    "match_ends_by_putting_through_table=1", "match_starts_in_ring=1"}));
  // bits 1 4 5 6 8 10 18 22 23, and the ignored ones
  EXPECT_EQ(NonZeroFields(LoadGimmick(static_cast<std::int32_t>(0xFFF5F572u)), "gimmick_matches"),
            (Fields{"match_foreign_object_use=1", "match_foreign_object_mobility=2",
                    "match_ends_by_pinfall=1", "match_ends_by_hitting_turnbuckles=1",
                    "match_ends_by_putting_on=1", "match_barbed_wire=1", "match_starts_in_arena=1",
                    "match_taped_fists=1", "match_object_on_a_pole=1"}));
}

TEST_F(GimmickLoadTest, MobilityIsTwoBits) {
  EXPECT_EQ(LoadGimmick(8 + 16).match_foreign_object_mobility, 3);
  GimmickMatchRecord r = LoadGimmick(8);
  EXPECT_EQ(r.match_foreign_object_mobility, 1);
  EXPECT_STREQ(r.match_gname, "Cage Match");
  EXPECT_EQ(next_line, "NEXT");
  EXPECT_STREQ(r.match_foreign_object, "the Cage");
  EXPECT_STREQ(r.stamp.importer, "KZO 7 For Windows Importer");
}

}  // namespace
}  // namespace kzo::roster
