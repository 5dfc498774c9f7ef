// Form100SectionG3: gains and losses of transfers with reductions.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_g3 {

inline constexpr int kRows = 15;
inline constexpr std::size_t kRowSize = 200;
// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::U8 AssetKind{21};  // '1', '2' or other; 0 = no kind
inline constexpr blocks::F64 TransferValue{24};
inline constexpr blocks::U8 FourPerCentMarker{32};
inline constexpr blocks::F64 TransferAmount{48};
inline constexpr blocks::F64 TransferExpenses{56};
inline constexpr blocks::F64 CollectedInYear{64};
inline constexpr blocks::F64 Reinvested{72};
inline constexpr blocks::F64 OutstandingLoan{80};
inline constexpr blocks::U8 LossNotComputable{88};  // 1: bought back
inline constexpr blocks::U8 Instalments{89};        // 1: results scaled by +64 / +48
inline constexpr blocks::F64 AcquisitionValue{96};
inline constexpr blocks::F64 AcquisitionAmount{104};
inline constexpr blocks::F64 AcquisitionExpenses{112};
inline constexpr blocks::F64 Amortisation{120};
inline constexpr blocks::F64 Loss{128};
inline constexpr blocks::F64 ComputableLoss{136};
inline constexpr blocks::F64 Gain{144};
inline constexpr blocks::F64 ExemptGain{152};
inline constexpr blocks::F64 GainNotExempt{160};
inline constexpr blocks::F64 ComputableGainNotExempt{168};
inline constexpr blocks::F64 Reduction{176};
inline constexpr blocks::F64 ReducedGain{184};
inline constexpr blocks::F64 ComputableReducedGain{192};
static_assert(ComputableReducedGain.off + 8 == kRowSize);
// Inputs cleared from a row without holder or kind.
inline constexpr blocks::Area TransferInputs{32, 64};
inline constexpr blocks::Area AcquisitionInputs{104, 24};

inline constexpr blocks::Vec5 ComputableLosses{3000};
inline constexpr blocks::Vec5 ComputableGainsOther{3040};
inline constexpr blocks::Vec5 ComputableGainsReduced{3080};
static_assert(kRows * kRowSize == ComputableLosses.off && ComputableGainsReduced.off + 40 == SectionG3.size);

}  // namespace f100::sec_g3
