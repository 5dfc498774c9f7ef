// Form100SectionF2 (1,336 bytes): imputed bases and the limited deduction they carry.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_f2 {
inline constexpr std::size_t kRowSize = 216;
inline constexpr int kRows = 6;
namespace row {
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::U8 Kind{10};       // '1', '2', '3'; others not eligible
inline constexpr blocks::U8 Qualifier{11};  // zero or blank allows kinds '2' and '3'
inline constexpr blocks::F64 ImputedBase{16};
inline constexpr blocks::F64 FirstAmountCopy{48};
inline constexpr blocks::F64 FirstAmount{56};
inline constexpr blocks::F64 DividendDeduction{64};  // read by the liquidation
inline constexpr blocks::F64 SecondAmountCopy{80};
inline constexpr blocks::F64 SecondAmount{96};
inline constexpr blocks::F64 ThirdAmount{104};
inline constexpr blocks::F64 Threshold{112};
inline constexpr blocks::F64 CarriedWhenLimited{120};
inline constexpr blocks::F64 HolderRate{128};   // per cent, two decimals
inline constexpr blocks::F64 HolderShare{136};
inline constexpr blocks::F64 HolderTax{144};
inline constexpr blocks::F64 UnitRate{152};
inline constexpr blocks::F64 UnitShare{160};
inline constexpr blocks::F64 UnitTax{168};
inline constexpr blocks::F64 ThirdAmountCopy{176};
inline constexpr blocks::F64 UnitDeduction{184};
inline constexpr blocks::F64 HolderDeduction{192};
inline constexpr blocks::F64 UnitCarried{200};
inline constexpr blocks::F64 HolderCarried{208};
static_assert(HolderCarried.off + 8 == kRowSize);
}  // namespace row
constexpr std::size_t rowOffset(int i) { return kRowSize * static_cast<std::size_t>(i); }
inline constexpr blocks::Vec5 ImputedBases{1296};
static_assert(rowOffset(kRows) <= ImputedBases.off && ImputedBases.off + 40 == SectionF2.size);

}  // namespace f100::sec_f2

namespace f100::summary {
inline constexpr blocks::Vec5 ImputedBaseDeduction{8912};  // Calculos100F2
inline constexpr blocks::Vec5 ImputedBaseCarried{8952};    // Calculos100F2
}  // namespace f100::summary
