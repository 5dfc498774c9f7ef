// Form100SectionG2: gains and losses by class code.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_g2 {

inline constexpr int kRows = 15;
inline constexpr std::size_t kRowSize = 376;
// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 FirstValuesSum{24};
inline constexpr blocks::F64 SecondValuesSum{32};
// Per element j = 0..2 within the row: Field(j) then (i, kRowSize).
inline constexpr int kElements = 3;
inline constexpr blocks::U8 LossExcluded{40};  // non-zero: the loss is not computable
inline constexpr blocks::F64 FirstValue{48};
inline constexpr blocks::F64 SecondValue{72};
inline constexpr blocks::Text ClassCode{96, 3};
inline constexpr blocks::F64 GainsGP1{320};
inline constexpr blocks::F64 LossesGP1{328};            // positive
inline constexpr blocks::F64 ComputableLossesGP1{336};  // positive
inline constexpr blocks::F64 GainsG2x{344};             // classes G21 to G25, before their coefficients
inline constexpr blocks::F64 ReducedGainsG2x{352};      // after their coefficients
inline constexpr blocks::F64 LossesP2{360};             // positive
inline constexpr blocks::F64 ComputableLossesP2{368};   // positive
static_assert(ComputableLossesP2.off + 8 == kRowSize);

inline constexpr blocks::Vec5 ShortTermGains{5640};
inline constexpr blocks::Vec5 ShortTermLosses{5680};
inline constexpr blocks::Vec5 LongTermGains{5720};
inline constexpr blocks::Vec5 LongTermLosses{5760};
static_assert(kRows * kRowSize == ShortTermGains.off && LongTermLosses.off + 40 == SectionG2.size);

}  // namespace f100::sec_g2
