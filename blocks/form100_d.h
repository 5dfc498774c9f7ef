// Form100SectionD: income from real estate, with its reductions.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_d {

inline constexpr blocks::Vec5 Rentals{0};

inline constexpr int kRows = 6;
inline constexpr std::size_t kRowSize = 72;
// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{40};
inline constexpr blocks::U8 YieldType{41};  // '1', '2' or other
inline constexpr blocks::F64 RentalIncome{48};
inline constexpr blocks::F64 SubleaseShare{56};
inline constexpr blocks::F64 Interest{64};
inline constexpr blocks::F64 Amortisation{72};
inline constexpr blocks::F64 FiscalCompensation{80};
inline constexpr blocks::F64 OtherExpenses{88};
inline constexpr blocks::F64 IrregularReduction{96};
inline constexpr blocks::F64 Withholding{104};  // read by the liquidation
static_assert(40 + kRows * kRowSize <= 472);

inline constexpr blocks::Vec5 Sublease{472};
inline constexpr blocks::Vec5 TotalIncome{512};
inline constexpr blocks::Vec5 InterestTotal{552};
inline constexpr blocks::Vec5 AmortisationTotal{592};
inline constexpr blocks::Vec5 FiscalCompensationTotal{632};
inline constexpr blocks::Vec5 OtherExpensesTotal{672};
inline constexpr blocks::Vec5 TotalExpenses{712};
inline constexpr blocks::Vec5 NetYield{752};
inline constexpr blocks::Vec5 HalfReduction{792};
inline constexpr blocks::Vec5 IrregularReductions{832};
inline constexpr blocks::Vec5 NetAfterReductions{872};
static_assert(NetAfterReductions.off + 40 == SectionD.size);

}  // namespace f100::sec_d
