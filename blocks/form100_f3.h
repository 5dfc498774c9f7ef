// Form100SectionF3: a list of imputed amounts (section F5 has the same layout).
#pragma once

#include "blocks/form100.h"

namespace f100::sec_f3 {
inline constexpr int kRows = 6;
inline constexpr std::size_t kRowSize = 32;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Amount{24};
inline constexpr blocks::Vec5 Amounts{192};
static_assert(kRows * kRowSize == Amounts.off && Amounts.off + 40 == SectionF3.size);
}  // namespace f100::sec_f3
