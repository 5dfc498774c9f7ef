// Form100SectionG5 (248 bytes): one entry of five amounts, split by holder.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_g5 {
inline constexpr blocks::U8 Holder{0};
inline constexpr int kAmounts = 5;
constexpr blocks::F64 Amount(int i) { return {8u + 8u * static_cast<std::size_t>(i)}; }
constexpr blocks::Vec5 ByHolder(int i) { return {48u + 40u * static_cast<std::size_t>(i)}; }
static_assert(ByHolder(kAmounts - 1).off + 40 == SectionG5.size);
}  // namespace f100::sec_g5
