// Form100SectionF1: income attributed by entities under the attribution regime, by kind.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_f1 {

inline constexpr int kRows = 6;
inline constexpr std::size_t kRowSize = 184;
// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Income1{24};  // +32 + +40
inline constexpr blocks::F64 Income1PartA{32};
inline constexpr blocks::F64 Income1PartB{40};
inline constexpr blocks::F64 DividendDeduction{48};  // read by the liquidation
inline constexpr blocks::F64 Expenses1{56};
inline constexpr blocks::F64 Net1{64};
inline constexpr blocks::F64 Income2{72};
inline constexpr blocks::F64 Expenses2{80};
inline constexpr blocks::F64 Net2{88};
inline constexpr blocks::F64 Income3{96};  // as counted: 0 for a row held in common
inline constexpr blocks::U8 ObjectiveEstimationFlag{105};  // not 0: the annex C calculation counts +112
inline constexpr blocks::F64 Income3Entered{112};
inline constexpr blocks::F64 InstalmentPayments{120};  // read by the liquidation
inline constexpr blocks::F64 Expenses3{128};
inline constexpr blocks::F64 Net3{136};
inline constexpr blocks::F64 ShortTermGains{144};
inline constexpr blocks::F64 ShortTermLosses{152};
inline constexpr blocks::F64 LongTermGains{160};
inline constexpr blocks::F64 LongTermLosses{168};
inline constexpr blocks::F64 Withholdings{176};
static_assert(Withholdings.off + 8 == kRowSize);

inline constexpr blocks::Vec5 Net1Total{1104};
inline constexpr blocks::Vec5 Net2Total{1144};
inline constexpr blocks::Vec5 Net3Total{1184};
inline constexpr blocks::Vec5 ShortTermGainsTotal{1224};
inline constexpr blocks::Vec5 ShortTermLossesTotal{1264};
inline constexpr blocks::Vec5 LongTermGainsTotal{1304};
inline constexpr blocks::Vec5 LongTermLossesTotal{1344};
static_assert(kRows * kRowSize == Net1Total.off && LongTermLossesTotal.off + 40 == SectionF1.size);

}  // namespace f100::sec_f1

namespace f100::summary {
// Withholdings and payments on account attributed (written by Calculos100F1).
inline constexpr blocks::Vec5 AttributedWithholdings{8872};
}  // namespace f100::summary
