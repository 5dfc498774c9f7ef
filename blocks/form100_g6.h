// Form100SectionG6 (320 bytes): integration of gains and losses into short- and long-term
// balances per holder. Every field is an output.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_g6 {
inline constexpr blocks::Vec5 ShortGains{0};
inline constexpr blocks::Vec5 ShortLosses{40};
inline constexpr blocks::Vec5 ShortPositive{80};
inline constexpr blocks::Vec5 ShortNegative{120};  // as a positive amount
inline constexpr blocks::Vec5 LongGains{160};
inline constexpr blocks::Vec5 LongLosses{200};
inline constexpr blocks::Vec5 LongPositive{240};
inline constexpr blocks::Vec5 LongNegative{280};  // as a positive amount
static_assert(LongNegative.off + 40 == SectionG6.size);
}  // namespace f100::sec_g6
