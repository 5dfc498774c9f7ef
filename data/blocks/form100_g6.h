// Form100SectionG6 (320 bytes): integration of gains and losses into short- and long-term
// balances per holder. Every field is an output.
#pragma once

#include "data/blocks/form100.h"

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

// Gains and losses of other sections read here (each written by the export of its section).
namespace in {
// Calculos100F1
inline constexpr blocks::Vec5 F1ShortGains{1224}, F1ShortLosses{1264}, F1LongGains{1304}, F1LongLosses{1344};
// Calculos100G1
inline constexpr blocks::Vec5 G1ShortGains{1352}, G1ShortLosses{1392}, G1LongGains{1432}, G1LongLosses{1472};
inline constexpr blocks::Vec5 G1ShortGains2{1512}, G1Prizes{1896};
// Calculos100G2
inline constexpr blocks::Vec5 G2ShortGains{5640}, G2ShortLosses{5680}, G2LongGains{5720}, G2LongLosses{5760};
// Calculos100G3
inline constexpr blocks::Vec5 G3ShortLosses{3000}, G3ShortGains{3040}, G3ShortGains2{3080};
// Calculos100B pass 2
inline constexpr blocks::Vec5 BPositive{1952}, BNegative{1992};
}  // namespace in
}  // namespace f100::sec_g6
