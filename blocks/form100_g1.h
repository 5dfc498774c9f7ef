// Form100SectionG1: gains and losses from funds and shares, and prizes.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_g1 {

inline constexpr blocks::Area RowTableEntries{0, 32};  // kept by the page's row table

inline constexpr int kRows = 15;
inline constexpr std::size_t kRowSize = 88;
// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{32};
inline constexpr blocks::Text FundNif{33, 15};  // at most 14 characters, then a zero byte
inline constexpr blocks::F64 ShortTermGain{48};
inline constexpr blocks::F64 ShortTermLoss{56};  // positive
inline constexpr blocks::F64 LongTermGain{64};
inline constexpr blocks::F64 LongTermLoss{72};   // positive
inline constexpr blocks::F64 ShortTermValue1{80};
inline constexpr blocks::F64 ShortTermValue2{88};
inline constexpr blocks::F64 LongTermValue1{96};
inline constexpr blocks::F64 LongTermValue2{104};
inline constexpr blocks::F64 Withholding{112};
static_assert(32 + kRows * kRowSize == 1352);

inline constexpr blocks::Vec5 ShortTermGains{1352};
inline constexpr blocks::Vec5 ShortTermLosses{1392};
inline constexpr blocks::Vec5 LongTermGains{1432};
inline constexpr blocks::Vec5 LongTermLosses{1472};

// Prizes in cash: four entries of 24 bytes.
namespace cash {
inline constexpr int kRows = 4;
inline constexpr std::size_t kRowSize = 24;
inline constexpr blocks::Vec5 Total{1512};
inline constexpr blocks::U8 Holder{1552};
inline constexpr blocks::F64 Gross{1560};
inline constexpr blocks::F64 Withholding{1568};
static_assert(1552 + kRows * kRowSize == 1648);
}  // namespace cash

// Prizes in kind: four rows of 32 bytes.
namespace kind {
inline constexpr int kRows = 4;
inline constexpr std::size_t kRowSize = 32;
inline constexpr blocks::Vec5 Valuations{1648};
inline constexpr blocks::U8 Holder{1688};
inline constexpr blocks::F64 Valuation{1696};
inline constexpr blocks::F64 PaymentOnAccount{1704};
inline constexpr blocks::F64 PaymentCharged{1712};
static_assert(1688 + kRows * kRowSize == 1816);
inline constexpr blocks::Vec5 Payments{1816};
inline constexpr blocks::Vec5 PaymentsCharged{1856};
inline constexpr blocks::Vec5 Total{1896};
static_assert(Total.off + 40 == SectionG1.size);
}  // namespace kind

}  // namespace f100::sec_g1

namespace f100::summary {
// Withholdings and payments on account on gains and prizes (written by Calculos100G1).
inline constexpr blocks::Vec5 GainsWithholdings{9032};
}  // namespace f100::summary
