// Form100SectionE1: economic activities in direct estimation. Six activity rows, then the holder
// vector of their net yields.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_e1 {

inline constexpr int kRows = 6;
inline constexpr std::size_t kRowSize = 288;
// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::U8 NormalModality{2};      // 1 = marked
inline constexpr blocks::U8 SimplifiedModality{3};  // 1 = marked
inline constexpr blocks::F64 Income1{16};           // copied from +24
inline constexpr blocks::F64 Income1Entered{24};
inline constexpr blocks::F64 Income2Entered{32};
inline constexpr blocks::F64 Income3Entered{40};
inline constexpr blocks::F64 Withholdings{48};         // read by the liquidation
inline constexpr blocks::F64 RentingWithholdings{56};  // read by the liquidation
inline constexpr blocks::F64 InstalmentPayments{64};   // read by the liquidation
inline constexpr blocks::F64 Income2{72};              // copied from +32
inline constexpr blocks::F64 Income3{80};              // copied from +40
inline constexpr blocks::F64 TotalIncome{88};
inline constexpr int kExpenseItems = 15;
inline constexpr blocks::F64 Expense{96};  // item e: Expense(e) in the row
inline constexpr blocks::F64 TotalExpenses{216};
inline constexpr blocks::F64 NormalProvisions{224};
inline constexpr blocks::F64 NormalExpenses{232};
inline constexpr blocks::F64 SimplifiedBase{240};
inline constexpr blocks::F64 SimplifiedAllowance{248};
inline constexpr blocks::F64 SimplifiedExpenses{256};
inline constexpr blocks::F64 NetYield{264};
inline constexpr blocks::F64 Reduction{272};
inline constexpr blocks::F64 NetAfterReduction{280};
static_assert(Expense.off + 8 * kExpenseItems == TotalExpenses.off);
static_assert(NetAfterReduction.off + 8 == kRowSize);

inline constexpr blocks::Vec5 NetYields{1728};
static_assert(kRows * kRowSize == NetYields.off && NetYields.off + 40 == SectionE1.size);

}  // namespace f100::sec_e1
