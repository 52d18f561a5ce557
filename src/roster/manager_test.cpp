#include "roster/manager.h"

#include <gtest/gtest.h>

#include <string>

#include "driver/run_test_support.h"
#include "platform/testing/test_env.h"
#include "roster/foreign_object.h"
#include "roster/gimmick.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

// Managers, gimmick matches and foreign objects: the small roster records.
class SmallRecordLoadTest : public testing::RunTest {
 protected:
  // Opens a file with the items, one per line, then lines of discarded data and "NEXT".
  int Open(const std::string& items, int discarded_lines) {
    std::string bytes = items;
    for (int i = 0; i < discarded_lines; ++i) bytes += "line\r\n";
    folder.Write("records.dat", bytes + "NEXT\r\n");
    int file = store::FreeFile();
    store::OpenFile(folder / "records.dat", store::FileMode::kInput, file);
    return file;
  }

  void ExpectNextLineAndClose(int file) {
    EXPECT_STREQ(store::ReadRecordString(file), "NEXT");
    store::CloseFile(file);
  }

  ManagerRecord LoadManager(int word) {
    int file = Open("Sly Fox\r\nCane\r\n" + std::to_string(word) + "\r\n", 7);
    ManagerRecord record{};
    LoadManagerRecord(file, record);
    ExpectNextLineAndClose(file);
    return record;
  }

  GimmickMatchRecord LoadGimmick(std::int64_t word) {
    int file = Open("Cage Match\r\nthe Cage\r\n" + std::to_string(word) + "\r\n", 4);
    GimmickMatchRecord record{};
    LoadGimmickRecord(file, record);
    ExpectNextLineAndClose(file);
    return record;
  }

  platform::TempFolder folder;
};

TEST_F(SmallRecordLoadTest, ManagerWord) {
  ManagerRecord r = LoadManager(1 + 2 * 7 + 32 * 9);  // 303
  EXPECT_STREQ(r.maname, "Sly Fox");
  EXPECT_STREQ(r.foreign_object, "Cane");
  EXPECT_EQ(r.is_female, 1);
  EXPECT_EQ(r.interference_rating, 7);
  EXPECT_EQ(r.toughness_rating, 9);
  EXPECT_EQ(r.stealthiness_rating, 5);
  EXPECT_STREQ(r.stamp.source, "Legacy KZO Data");
  r = LoadManager(-512);  // bits 9..31 only
  EXPECT_EQ(r.is_female, 0);
  EXPECT_EQ(r.interference_rating, 0);
  EXPECT_EQ(r.toughness_rating, 0);
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(SmallRecordLoadTest, GimmickFlagBits) {
  struct Case {
    int bit;
    std::int32_t GimmickMatchRecord::*field;
  };
  const Case cases[] = {
      {0, &GimmickMatchRecord::match_foreign_object_whip},
      {1, &GimmickMatchRecord::match_foreign_object_use},
      {2, &GimmickMatchRecord::match_foreign_object_choke},
      {5, &GimmickMatchRecord::match_ends_by_hitting_turnbuckles},
      {6, &GimmickMatchRecord::match_barbed_wire},
      {7, &GimmickMatchRecord::match_ends_by_ten_count},
      {8, &GimmickMatchRecord::match_ends_by_pinfall},
      {9, &GimmickMatchRecord::match_ends_by_stuffing_in},
      {10, &GimmickMatchRecord::match_ends_by_putting_on},
      {11, &GimmickMatchRecord::match_ends_by_first_blood},
      {17, &GimmickMatchRecord::match_ends_by_putting_through_table},
      {18, &GimmickMatchRecord::match_starts_in_arena},
      {19, &GimmickMatchRecord::match_starts_in_ring},
      {22, &GimmickMatchRecord::match_taped_fists},
      {23, &GimmickMatchRecord::match_object_on_a_pole},
  };
  for (const Case& c : cases) {
    GimmickMatchRecord r = LoadGimmick(std::int64_t{1} << c.bit);
    for (const Case& other : cases)
      EXPECT_EQ(r.*other.field, &other == &c ? 1 : 0) << "bit " << c.bit;
    EXPECT_EQ(r.match_foreign_object_mobility, 0);
  }
  // Bits 12..16, 20, 21 and 24..31 are no fields.
  GimmickMatchRecord r = LoadGimmick(static_cast<std::int32_t>(0xFF31F000u));
  for (const Case& c : cases) EXPECT_EQ(r.*c.field, 0) << "bit " << c.bit;
  EXPECT_EQ(r.match_foreign_object_mobility, 0);
}

TEST_F(SmallRecordLoadTest, GimmickMobilityIsTwoBits) {
  EXPECT_EQ(LoadGimmick(8 + 16).match_foreign_object_mobility, 3);
  EXPECT_EQ(LoadGimmick(16).match_foreign_object_mobility, 2);
  GimmickMatchRecord r = LoadGimmick(8);
  EXPECT_EQ(r.match_foreign_object_mobility, 1);
  EXPECT_STREQ(r.match_gname, "Cage Match");
  EXPECT_STREQ(r.match_foreign_object, "the Cage");
  EXPECT_STREQ(r.stamp.importer, "KZO 7 For Windows Importer");
}

TEST_F(SmallRecordLoadTest, ForeignObjectNumbersInFileOrder) {
  std::string items = "a Steel Chair\r\n";
  for (int i = 1; i <= 20; ++i) items += std::to_string(i * 10) + "\r\n";
  int file = Open(items, 19);
  ForeignObjectRecord r{};
  LoadForeignObjectRecord(file, r);
  ExpectNextLineAndClose(file);
  EXPECT_STREQ(r.fname, "a Steel Chair");
  EXPECT_STREQ(r.fname_noarticle, "Steel Chair");
  EXPECT_EQ(r.throw_through, 10);
  EXPECT_EQ(r.use, 50);
  EXPECT_EQ(r.move_with, 130);
  EXPECT_EQ(r.may_break, 140);
  EXPECT_EQ(r.can_be_used_to_tie_to_object, 170);
  EXPECT_EQ(r.worn_on_leg, 200) << "properties are stored as read";
  EXPECT_STREQ(r.stamp.source, "Legacy KZO Data");
}

}  // namespace
}  // namespace kzo::roster
