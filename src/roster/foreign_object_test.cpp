#include "roster/foreign_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/roster_test_support.h"

namespace kzo::roster {
namespace {

using ForeignObjectLoadTest = RecordFileTest;

TEST_F(ForeignObjectLoadTest, NumbersInFileOrder) {
  std::vector<std::string> items{"a Steel Chair"};
  for (int i = 1; i <= 20; ++i) items.push_back(std::to_string(i * 10));
  items.resize(kForeignObjectRecordItems, "line");
  ForeignObjectRecord r = Load<ForeignObjectRecord>(LoadForeignObjectRecord, items);
  EXPECT_STREQ(r.fname, "a Steel Chair");
  EXPECT_EQ(next_line, "NEXT");
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
