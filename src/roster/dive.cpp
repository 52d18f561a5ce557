#include "roster/dive.h"

#include <array>

#include "roster/article.h"
#include "store/bits.h"
#include "store/files.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

constexpr int kDiscardedLines = 4;

using FlagBit = store::FlagBit<DiveRecord>;

// The dive keeps these bits of the move property word.
constexpr std::array<FlagBit, 8> kPropertyBits{{
    {0, &DiveRecord::throw_off_turnbuckle},
    {7, &DiveRecord::must_be_sold},
    {15, &DiveRecord::possible_through_table},
    {19, &DiveRecord::possible_off_cage},
    {20, &DiveRecord::possible_off_ladder},
    {21, &DiveRecord::possible_off_staircase},
    {22, &DiveRecord::possible_off_chair},
    {23, &DiveRecord::possible_with_chair},
}};

}  // namespace

void LoadDiveRecord(int file, DiveRecord& record) {
  store::Procedure procedure("LOADDIVE");
  record.dname = store::ReadRecordString(file);
  record.dname_noarticle = RemoveArticle(record.dname);
  record.damage = store::GETBITS(store::ReadNumber(file), 0, 9);
  record.counter1 = store::GETBITS(store::ReadNumber(file), 0, 15);
  std::int32_t properties = store::ReadNumber(file);
  store::SetFlagBits<DiveRecord>(record, properties, kPropertyBits);
  std::int32_t weight = store::ReadNumber(file);
  record.opponent_max_weight_class = store::GETBITS(weight, 0, 3);
  record.opponent_max_weight_difference = store::GETBITS(weight, 4, 7);
  // Unlike a move's, a dive's height differential is kept as read, 100 included.
  std::int32_t height = store::ReadNumber(file);
  record.opponent_max_height_difference = store::GETBITS(height, 0, 6);
  record.counter2 = store::GETBITS(height, 7, 17);
  store::WriteImportStamp(record.stamp);
  store::SkipLines(file, kDiscardedLines);
}

}  // namespace kzo::roster
