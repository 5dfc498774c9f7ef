// Form-714 liquidation: the Form714Summary fields that the liquidation reads and writes, the
// personal options it depends on, and the wealth-tax scale and limits. Offsets are within each
// record and are a stored format.
#pragma once

#include <array>

#include "blocks/form714.h"

namespace f714::liq {

// Form714Personal options (copied by the personal-data export, read by the liquidation and result).
namespace personal {
inline constexpr blocks::U8 ReducedLiquidation{81};  // 1: no minimum, no income-tax limit, no credit
inline constexpr blocks::U8 SecondOption{82};        // kept, not used
inline constexpr blocks::U8 CommunityFirst{431};     // two characters of the community code
inline constexpr blocks::U8 CommunitySecond{432};
inline constexpr blocks::U8 DoubleMinimum{433};      // community "09": not 0 doubles the minimum
inline constexpr blocks::U8 Complementary = f714::personal::CopyResult;  // 1: complements an earlier declaration
static_assert(Complementary.off < f714::Personal.size);
}  // namespace personal

// The 19 asset slots that make up the total assets (section totals A .. Q, in offset order).
inline constexpr blocks::F64 AssetSlot{0};
inline constexpr int kAssetSlots = 19;
static_assert(AssetSlot(kAssetSlots - 1).off == f714::summary::Q.off);

// Form714Summary fields: "out" are written by the liquidation, "in" typed on the pages.
inline constexpr blocks::F64 TotalAssets = f714::summary::TotalAssets;  // out
inline constexpr blocks::F64 Debts = f714::summary::Debts;  // in, published by the debts export
inline constexpr blocks::F64 NetWealth = f714::summary::NetWealth;  // out
inline constexpr blocks::F64 ExemptMinimum{176};    // out
inline constexpr blocks::F64 TaxableBase{184};      // out
inline constexpr blocks::F64 BaseLessMinimum{216};  // out
inline constexpr blocks::F64 RowBound{224};         // out
inline constexpr blocks::F64 RowQuota{232};         // out
inline constexpr blocks::F64 AboveBound{240};       // out
inline constexpr blocks::F64 MarginalRate{248};     // out, percent
inline constexpr blocks::F64 QuotaAbove{264};       // out
inline constexpr blocks::F64 FullQuotaCopy{272};    // out
inline constexpr blocks::F64 FullQuota{280};        // out
inline constexpr blocks::F64 FirstBaseCopy{288};    // out
inline constexpr blocks::U8 IncomeTaxMode{296};     // in: 'I' individual, 'C' joint, blank none
inline constexpr blocks::F64 FirstIncomeBase{304};  // in
inline constexpr blocks::U8 IncomeTaxData{312};     // in
inline constexpr blocks::F64 SecondIncomeBase{320}; // in
inline constexpr blocks::F64 IncomeTaxQuota{328};   // in
inline constexpr blocks::F64 ExcludedAssets{336};   // in
inline constexpr blocks::F64 OtherNetWealth{344};   // in, joint mode
inline constexpr blocks::F64 OtherExcluded{352};    // in, joint mode
inline constexpr blocks::F64 OtherFullQuota{360};   // in, joint mode
inline constexpr blocks::F64 SecondBaseCopy{368};   // out
inline constexpr blocks::F64 Limit{376};            // out
inline constexpr blocks::F64 IncomeQuotaCopy{384};  // out
inline constexpr blocks::F64 CountedQuota{392};     // out
inline constexpr blocks::F64 QuotasTogether{400};   // out
inline constexpr blocks::F64 LimitReduction{408};   // out
inline constexpr blocks::F64 GreatestReduction{416};// out
inline constexpr blocks::F64 QuotaAfterLimit{424};  // out
inline constexpr blocks::F64 AverageRate{432};      // out
inline constexpr blocks::F64 PaidTotal{440};        // out
inline constexpr blocks::F64 PaidTax{448};          // in, (k) k = 0..2, 16 bytes apart
inline constexpr blocks::F64 PaidValue{456};        // in, (k) k = 0..2, 16 bytes apart
inline constexpr std::size_t kPairStride = 16;
inline constexpr int kPairs = 3;
inline constexpr blocks::F64 BroughtValues{496};    // out
inline constexpr blocks::F64 PaidCredit{504};       // out
inline constexpr blocks::F64 CeutaMelillaValue{512};// in
inline constexpr blocks::F64 CeutaMelillaQuota{520};// out
inline constexpr blocks::F64 CeutaMelillaBonus{528};// out
inline constexpr blocks::F64 QuotaToPay = f714::summary::Result;  // out
static_assert(TotalAssets.off == AssetSlot(kAssetSlots).off && NetWealth.off + 8 == ExemptMinimum.off);
static_assert(QuotaToPay.off + 8 <= f714::Summary.size);

// The wealth-tax scale: lower bound of the taxable base, quota at the bound, marginal rate above it.
struct ScaleRow {
  double bound;
  double quota;
  double rate;
};
inline constexpr std::array<ScaleRow, 8> kScale{{
    {0.00, 0.00, 0.002},
    {167129.45, 334.26, 0.003},
    {334252.88, 835.63, 0.005},
    {668499.75, 2506.86, 0.009},
    {1336999.51, 8523.36, 0.013},
    {2673999.01, 25904.35, 0.017},
    {5347998.03, 71362.33, 0.021},
    {10695996.06, 183670.29, 0.025},
}};

// Exempt minimum: general, community "09", community "09" with the doubling option.
inline constexpr double kMinimumGeneral = 108182.18;
inline constexpr double kMinimumCommunity09 = 108200.00;
inline constexpr double kMinimumCommunity09Doubled = 216400.00;
inline constexpr char kCommunity09[2] = {'0', '9'};

inline constexpr double kIncomeLimitFactor = 0.6;   // limit: share of the two income-tax bases
inline constexpr double kGreatestReduction = 0.8;   // of the full quota
inline constexpr double kCeutaMelillaBonus = 0.75;  // of the quota on those assets
inline constexpr int kAverageRateDecimals = 4;

}  // namespace f714::liq
