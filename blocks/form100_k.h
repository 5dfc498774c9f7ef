// Form100SectionK (832 bytes): general and special liquidable bases, and the pension
// contributions of the member shown that are carried forward.
#pragma once

#include "blocks/form100.h"
#include "blocks/form100_h.h"

namespace f100::sec_k {
using Pair = sec_h::Pair;
inline constexpr blocks::Vec5 GeneralAfterMinimum{0};
inline constexpr blocks::Vec5 GeneralReductions{40};
inline constexpr blocks::Vec5 GeneralPension{80};
inline constexpr blocks::Vec5 GeneralSpouseSchemes{120};
inline constexpr blocks::Vec5 GeneralDisabledSchemes{160};
inline constexpr blocks::Vec5 GeneralFurther{200};
inline constexpr blocks::Vec5 Sportspeople{240};
inline constexpr blocks::Vec5 GeneralAfterReductions{280};
inline constexpr blocks::Vec5 FirstOffset{320};
inline constexpr Pair FirstOffsetPairs[2] = {{360}, {376}};
inline constexpr blocks::Vec5 SecondOffset{392};
inline constexpr Pair SecondOffsetPairs[2] = {{432}, {448}};
inline constexpr blocks::Vec5 GeneralLiquidable{464};
inline constexpr blocks::Vec5 SpecialAfterMinimum{504};
inline constexpr blocks::Vec5 SpecialReductions{544};
inline constexpr blocks::Vec5 SpecialPension{584};
inline constexpr blocks::Vec5 SpecialSpouseSchemes{624};
inline constexpr blocks::Vec5 SpecialDisabledSchemes{664};
inline constexpr blocks::Vec5 SpecialFurther{704};
inline constexpr blocks::Vec5 SpecialLiquidable{744};
// Carry-forward records of the member shown: two of 24 bytes.
inline constexpr int kCarryRecords = 2;
constexpr blocks::U8 CarryHolder(int i) { return {784u + 24u * static_cast<std::size_t>(i)}; }
constexpr blocks::F64 CarryOwn(int i) { return {784u + 24u * static_cast<std::size_t>(i) + 8}; }
constexpr blocks::F64 CarryPromoter(int i) { return {784u + 24u * static_cast<std::size_t>(i) + 16}; }
static_assert(784 + 24 * kCarryRecords == SectionK.size);
}  // namespace f100::sec_k
