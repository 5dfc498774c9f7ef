// Form100SectionH (608 bytes): general and special tax bases. A pair is 16 bytes: holder code
// (byte) at +0 and amount at +8.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_h {

struct Pair {
  std::size_t off;
  constexpr blocks::U8 holder() const { return {off}; }
  constexpr blocks::F64 amount() const { return {off + 8}; }
};

inline constexpr blocks::Vec5 ShortPositive{0};          // copy of G6 +80
inline constexpr blocks::Vec5 EarlierShortOffset{40};    // by holder of the pairs below, capped
inline constexpr Pair EarlierShortLosses[2] = {{80}, {96}};
inline constexpr blocks::Vec5 GeneralIncome{112};
inline constexpr blocks::Vec5 EarlierGeneralOffset{152};
inline constexpr Pair EarlierGeneral[2] = {{192}, {208}};
inline constexpr blocks::Vec5 EarlierShortRestOffset{224};
inline constexpr blocks::Vec5 ShortNegativeOffset{264};
inline constexpr blocks::Vec5 ShortNegativeCarried{304};
inline constexpr blocks::Vec5 GeneralBase{344};
inline constexpr blocks::Vec5 LongPositive{384};         // copy of G6 +240
inline constexpr blocks::Vec5 EarlierLongOffset{424};
inline constexpr Pair EarlierLongLosses[2] = {{464}, {480}};
inline constexpr blocks::Vec5 EarlierLongOffset2{496};
inline constexpr Pair EarlierLong2[2] = {{536}, {552}};
inline constexpr blocks::Vec5 SpecialBase{568};
static_assert(SpecialBase.off + 40 == SectionH.size);

}  // namespace f100::sec_h
