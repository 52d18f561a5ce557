#include "roster/gimmick.h"

#include <array>

#include "store/bits.h"
#include "store/files.h"
#include "store/runtime.h"

namespace kzo::roster {
namespace {

constexpr int kDiscardedLines = 4;

using FlagBit = store::FlagBit<GimmickMatchRecord>;

// The one-bit fields of the gimmick flag word; bits 3..4 hold the mobility.
constexpr std::array<FlagBit, 15> kFlagBits{{
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
}};

}  // namespace

void LoadGimmickRecord(int file, GimmickMatchRecord& record) {
  store::Procedure procedure("LOADGIMM");
  record.match_gname = store::ReadRecordString(file);
  record.match_foreign_object = store::ReadRecordString(file);
  std::int32_t word = store::ReadNumber(file);
  store::SetFlagBits<GimmickMatchRecord>(record, word, kFlagBits);
  record.match_foreign_object_mobility = store::GETBITS(word, 3, 4);
  store::WriteImportStamp(record.stamp);
  store::SkipLines(file, kDiscardedLines);
}

}  // namespace kzo::roster
