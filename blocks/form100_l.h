// Form100Summary slots of the gross quotas (written by Calculos100L). A pair is 16 bytes:
// holder code (byte) at +0, amount at +8.
#pragma once

#include "blocks/form100.h"
#include "blocks/form100_h.h"

namespace f100::summary {
inline constexpr blocks::Vec5 ExemptIncome{0};
inline constexpr sec_h::Pair ExemptIncomePairs[3] = {{40}, {56}, {72}};
inline constexpr blocks::Vec5 ChildAnnuities{88};
inline constexpr sec_h::Pair ChildAnnuityPairs[2] = {{128}, {144}};
inline constexpr blocks::Vec5 StateGeneralQuota{160};
inline constexpr blocks::Vec5 RegionalGeneralQuota{200};
inline constexpr blocks::Vec5 StateAverageRate{240};     // per cent, truncated to 2 decimals
inline constexpr blocks::Vec5 RegionalAverageRate{280};  // per cent, truncated to 2 decimals
inline constexpr blocks::Vec5 StateSpecialQuota{320};
inline constexpr blocks::Vec5 RegionalSpecialQuota{360};
inline constexpr blocks::Vec5 StateGrossQuota{400};
inline constexpr blocks::Vec5 RegionalGrossQuota{440};
}  // namespace f100::summary
