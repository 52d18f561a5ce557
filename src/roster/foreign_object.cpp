#include "roster/foreign_object.h"

#include <array>

#include "roster/article.h"
#include "store/files.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

constexpr int kDiscardedLines = 19;

// The numbers of a record, in file order: 13 damage values, then 7 properties.
constexpr std::array<std::int32_t ForeignObjectRecord::*, 20> kNumbers{
    &ForeignObjectRecord::throw_through,
    &ForeignObjectRecord::ram_into,
    &ForeignObjectRecord::whip_into,
    &ForeignObjectRecord::hit_with,
    &ForeignObjectRecord::use,
    &ForeignObjectRecord::choke_with,
    &ForeignObjectRecord::stab_with,
    &ForeignObjectRecord::slash_with,
    &ForeignObjectRecord::whip_with,
    &ForeignObjectRecord::hang_with,
    &ForeignObjectRecord::move_onto,
    &ForeignObjectRecord::move_through,
    &ForeignObjectRecord::move_with,
    &ForeignObjectRecord::may_break,
    &ForeignObjectRecord::may_draw_blood,
    &ForeignObjectRecord::can_be_tied_to_object,
    &ForeignObjectRecord::can_be_used_to_tie_to_object,
    &ForeignObjectRecord::worn_on_head,
    &ForeignObjectRecord::worn_on_fist,
    &ForeignObjectRecord::worn_on_leg,
};

}  // namespace

void LoadForeignObjectRecord(int file, ForeignObjectRecord& record) {
  store::Procedure procedure("LOADFORE");
  record.fname = store::ReadRecordString(file);
  record.fname_noarticle = RemoveArticle(record.fname);
  for (auto field : kNumbers) record.*field = store::ReadNumber(file);
  store::WriteImportStamp(record.stamp);
  store::SkipLines(file, kDiscardedLines);
}

}  // namespace kzo::roster
