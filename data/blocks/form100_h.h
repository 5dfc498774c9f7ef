// Form100SectionH (608 bytes): general and special tax bases. A pair is 16 bytes: holder code
// (byte) at +0 and amount at +8.
#pragma once

#include "data/blocks/form100.h"

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

// Net income vectors of the income sections that make up the general income; each is written by
// the export of its section. Also read by sections F2, I and J.
namespace in {
inline constexpr blocks::Vec5 ANet{1200};     // Calculos100A: net work income
inline constexpr blocks::Vec5 BNet{1912};     // Calculos100B
inline constexpr blocks::Vec5 CNet{0};        // Calculos100C
inline constexpr blocks::Vec5 DNet{872};      // Calculos100D
inline constexpr blocks::Vec5 E1Net{1728};    // Calculos100E1
inline constexpr blocks::Vec5 E4Net{8496};    // Calculos100E4
inline constexpr blocks::Vec5 E5Net{12376};   // Calculos100E5
inline constexpr blocks::Vec5 F1Net1{1104};   // Calculos100F1
inline constexpr blocks::Vec5 F1Net2{1144};   // Calculos100F1
inline constexpr blocks::Vec5 F1Net3{1184};   // Calculos100F1
inline constexpr blocks::Vec5 F3Net{192};     // Calculos100F3
inline constexpr blocks::Vec5 F4Net{56};      // Calculos100F4
inline constexpr blocks::Vec5 F5Net{192};     // Calculos100F5
}  // namespace in
}  // namespace f100::sec_h
