// Form714SectionK, L, M and N: the lists of vehicles, jewellery, furs, works of art and antiques.
// Each record has room for one row more than its list uses; neither the page nor the calculation
// uses that slot.
#pragma once

#include "blocks/form714.h"

namespace f714 {

// A list of rows with one value each, and the record's total.
struct ValueList {
  const blocks::RecordDef* record;
  int rows;
  std::size_t rowSize;
  blocks::F64 value;  // of row 0; row i is value(i, rowSize)
  blocks::F64 total;
  blocks::F64 summarySlot;
};

namespace sec_k {
inline constexpr blocks::Text Description{0, 64};
inline constexpr ValueList kList{&SectionK, 13, 72, {64}, {1008}, summary::K};
}  // namespace sec_k
namespace sec_l {
inline constexpr blocks::Text Description{0, 64};
inline constexpr ValueList kList{&SectionL, 9, 72, {64}, {720}, summary::L};
}  // namespace sec_l
namespace sec_m {
inline constexpr blocks::U8 Code{0};  // the page shows further fields at +1, +22 and +48
inline constexpr ValueList kList{&SectionM, 8, 64, {56}, {576}, summary::M};
}  // namespace sec_m
namespace sec_n {
inline constexpr blocks::Text Description{0, 64};
inline constexpr ValueList kList{&SectionN, 6, 72, {64}, {504}, summary::N};
}  // namespace sec_n

// The rows used, then the spare row, then the total at the end of the record.
constexpr bool listFits(const ValueList& l) {
  const std::size_t rowsEnd = static_cast<std::size_t>(l.rows) * l.rowSize;
  return l.value.off + 8 <= l.rowSize && rowsEnd + l.rowSize == l.total.off && l.total.off + 8 == l.record->size;
}
static_assert(listFits(sec_k::kList) && listFits(sec_l::kList) && listFits(sec_m::kList));
// Section N's spare row ends at +503, and its total lies right after it, eight bytes before the end.
static_assert(6 * 72 + 72 == sec_n::kList.total.off && sec_n::kList.total.off + 8 <= SectionN.size);

}  // namespace f714
