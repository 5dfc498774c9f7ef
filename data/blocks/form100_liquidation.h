// Liquidation of form 100, passes 1 to 4 of Calculos100Li: Canary Islands credits, net quotas,
// increased net quotas, dividend deductions, income taxed abroad, rent deduction, housing
// compensation and the resulting quota. Offsets within each record.
//
// Every liquidation amount is a HolderVector: column 0 the joint filing, columns 1 to 4 the
// individual filings. A "triple" is a vector of which only columns 0 to 2 are written.
#pragma once

#include "data/blocks/form100.h"

namespace f100 {

// Form100Summary slots written by Calculos100Li passes 1 to 4.
namespace summary {
// Pass 1 (triples).
inline constexpr blocks::Vec5 ReserveCreditState{1200};
inline constexpr blocks::Vec5 ReserveCreditRegional{1240};
inline constexpr blocks::Vec5 CanaryGoodsCreditState{1280};
inline constexpr blocks::Vec5 CanaryGoodsQuotaShare{1352};  // columns 0..2 only: +1376 starts at its column 3
inline constexpr blocks::Vec5 CanaryGoodsCreditRegional{1376};
// Pass 2.
inline constexpr blocks::Vec5 StateNetQuota{1616};
inline constexpr blocks::Vec5 RegionalNetQuota{1656};
// Pass 3.
inline constexpr blocks::Vec5 StateOnlyIncrements{1696};
inline constexpr blocks::Vec5 StateInterestTotal{1784};
inline constexpr blocks::Vec5 SplitIncrementsTotal{3072};
inline constexpr blocks::Vec5 PastInterestTotal{3184};
inline constexpr blocks::Vec5 SplitIncrementsState{5696};
inline constexpr blocks::Vec5 PastInterestState{5736};
inline constexpr blocks::Vec5 SplitIncrementsRegional{5776};
inline constexpr blocks::Vec5 PastInterestRegional{5816};
inline constexpr blocks::Vec5 RegionalOnlyIncrements{5856};
inline constexpr blocks::Vec5 RegionalInterestTotal{5944};
inline constexpr blocks::Vec5 StateIncreasedNetQuota{7232};
inline constexpr blocks::Vec5 RegionalIncreasedNetQuota{7272};
inline constexpr blocks::Vec5 IncreasedNetQuota{7312};
// Pass 4: dividends.
inline constexpr blocks::Vec5 EarlierDividendsClaimed{7352};
inline constexpr blocks::Vec5 EarlierDividendsApplied{7488};
inline constexpr blocks::Vec5 EarlierDividendsNotApplied{7528};
inline constexpr blocks::Vec5 YearDividendsClaimed{7568};
inline constexpr blocks::Vec5 YearDividendsApplied{7608};
inline constexpr blocks::Vec5 YearDividendsNotApplied{7648};
inline constexpr blocks::Vec5 DividendsApplied{7688};
// Pass 4: income taxed abroad.
inline constexpr blocks::Vec5 ForeignTaxDeduction{7728};
inline constexpr std::size_t kForeignRateBlocks = 7864;  // one 64-byte block per column 0, 1, 2
inline constexpr std::size_t kForeignRateBlockSize = 64;
constexpr blocks::F64 ForeignGeneralRate(int column) { return {kForeignRateBlocks + kForeignRateBlockSize * static_cast<std::size_t>(column)}; }
constexpr blocks::F64 ForeignSpecialRate(int column) { return {ForeignGeneralRate(column).off + 8}; }
constexpr blocks::F64 ForeignGeneralPart(int column, int entry) { return {ForeignGeneralRate(column).off + 16 + 8u * static_cast<std::size_t>(entry)}; }
constexpr blocks::F64 ForeignSpecialPart(int column, int entry) { return {ForeignGeneralRate(column).off + 40 + 8u * static_cast<std::size_t>(entry)}; }
// Pass 4: transparency, rent, housing compensation, resulting quota.
inline constexpr blocks::Vec5 TransparencyDeduction{8056};
inline constexpr blocks::Vec5 RentDeduction{8176};  // triple
constexpr blocks::Text RentLandlordNif(int column) { return {8312 + 9u * static_cast<std::size_t>(column), 9}; }
inline constexpr blocks::Vec5 HousingCompensation{8360};  // triple
inline constexpr std::size_t kCompensationBlocks = 8512;  // one 40-byte block per column 0, 1, 2
inline constexpr std::size_t kCompensationBlockSize = 40;
constexpr blocks::F64 CompensationField(int column, int field) {  // field 0..4, below
  return {kCompensationBlocks + kCompensationBlockSize * static_cast<std::size_t>(column) + 8u * static_cast<std::size_t>(field)};
}
enum CompensationItem : int { kInterestIncentive = 0, kCapitalIncentive, kTotalIncentive, kHousingApplied, kCompensation };
inline constexpr blocks::Vec5 ResultingQuota{8632};
}  // namespace summary

namespace sec_li {

// Summary slots written by other exports, read here.
namespace in_summary {
// Calculos100L.
inline constexpr blocks::Vec5 StateGeneralGrossQuota{160};
inline constexpr blocks::Vec5 RegionalGeneralGrossQuota{200};
inline constexpr blocks::Vec5 StateAverageRate{240};
inline constexpr blocks::Vec5 RegionalAverageRate{280};
inline constexpr blocks::Vec5 StateSpecialGrossQuota{320};
inline constexpr blocks::Vec5 RegionalSpecialGrossQuota{360};
inline constexpr blocks::Vec5 StateGrossQuota{400};
inline constexpr blocks::Vec5 RegionalGrossQuota{440};
// Calculos100O: state and regional parts of its deductions, in the order the net quotas take them.
inline constexpr blocks::Vec5 OItemState{480}, OItemRegional{520};
inline constexpr blocks::Vec5 ODonationsState{560}, ODonationsRegional{600};
inline constexpr blocks::Vec5 OHousingFinancedState{640}, OHousingFinancedRegional{680};
inline constexpr blocks::Vec5 OHousingUnfinancedState{720}, OHousingUnfinancedRegional{760};
inline constexpr blocks::Vec5 OConstructionState{800}, OConstructionRegional{840};
inline constexpr blocks::Vec5 OAccountsState{880}, OAccountsRegional{920};
inline constexpr blocks::Vec5 OWorksFinancedState{960}, OWorksFinancedRegional{1000};
inline constexpr blocks::Vec5 OWorksUnfinancedState{1040}, OWorksUnfinancedRegional{1080};
inline constexpr blocks::Vec5 OCeutaState{1416}, OCeutaRegional{1456};
inline constexpr blocks::Vec5 ODepositState{1496}, ODepositRegional{1536};
// Calculos100Q.
inline constexpr blocks::Vec5 QIncentivesState{1120};
inline constexpr blocks::Vec5 QIncentivesRegional{1160};
// Calculos100P.
inline constexpr blocks::Vec5 PRegionalDeductions{1576};
// Calculos100F4.
inline constexpr blocks::Vec5 F4Deduction{8136};
}  // namespace in_summary

// Entries in Form100Summary filled by annex dialogs: holder code byte at +0, amounts after it.
struct Entries {
  std::size_t first;
  std::size_t size;
  int count;
  constexpr blocks::U8 code(int e) const { return {first + size * static_cast<std::size_t>(e)}; }
  constexpr blocks::F64 amount(int e, std::size_t at) const { return {first + size * static_cast<std::size_t>(e) + at}; }
};
namespace entries {
inline constexpr Entries CanaryGoods{1320, 16, 2};        // amount +8
inline constexpr Entries StateOnly{1736, 16, 3};          // amount +8
inline constexpr Entries StateInterest{1824, 416, 3};     // interest +8
inline constexpr Entries Split{3112, 24, 3};              // amount A +8, amount B +16
inline constexpr Entries PastInterest{3224, 824, 3};      // 1997..2001 +8, 2002 +416
inline constexpr std::size_t kPastInterestOld = 8, kPastInterest2002 = 416;
inline constexpr Entries RegionalOnly{5896, 16, 3};       // amount +8
inline constexpr Entries RegionalInterest{5984, 416, 3};  // interest +8
inline constexpr Entries EarlierDividends{7392, 16, 6};   // amount +8
inline constexpr Entries ForeignIncome{7768, 32, 3};      // general +8, special +16, tax paid +24
inline constexpr std::size_t kForeignGeneral = 8, kForeignSpecial = 16, kForeignTaxPaid = 24;
inline constexpr Entries Transparency{8096, 16, 2};       // amount +8
inline constexpr blocks::F64 TransparencyJoint{8128};
inline constexpr Entries RentContracts{8216, 32, 3};      // rent +8, landlord NIF +16 (9 characters)
inline constexpr std::size_t kRentPaid = 8, kRentNif = 16, kNifWidth = 9;
inline constexpr Entries Homes{8400, 56, 2};
inline constexpr std::size_t kHomeInterest = 8, kHomeInvestment = 16, kHomeCadastral = 24, kHomeRevised = 32,
                             kHomeDays = 40, kHomePropertyTax = 48;
// The housing wizard's compensation page runs pass 4 on a summary copy holding its own block here.
inline constexpr blocks::Area CompensationPageBlock{8400, 232};
}  // namespace entries

// Form100SectionQ: Canary Islands investment reserve. Calculos100Q leaves these bytes alone.
namespace in_q {
inline constexpr Entries Reserve{7152, 48, 2};  // allocation +8, income in the Canary Islands +16
inline constexpr std::size_t kAllocation = 8, kCanaryIncome = 16;
// Written by pass 1.
inline constexpr blocks::Vec5 ReserveAverageRate{7248};       // triple
inline constexpr blocks::F64 ReserveDeductionBeforeLimit{7272};  // (i): joint declarant, joint spouse, declarant, spouse
inline constexpr blocks::F64 ReserveLimit{7304};                 // (i): same order
inline constexpr blocks::Vec5 ReserveCreditTotal{7832};
}  // namespace in_q

// Form100SectionH (Calculos100H): general income = positive short-term balance + general income.
namespace in_h {
inline constexpr blocks::Vec5 ShortTermBalance{0};
inline constexpr blocks::Vec5 GeneralIncome{112};
}

// Rows of the income sections, all from record +0 unless said.
struct Rows {
  std::size_t first;
  std::size_t size;
  static constexpr int count = 6;
  constexpr blocks::U8 code(int r) const { return {first + size * static_cast<std::size_t>(r)}; }
  constexpr blocks::F64 at(int r, std::size_t off) const { return {first + size * static_cast<std::size_t>(r) + off}; }
};
namespace in_b {  // Calculos100B
inline constexpr Rows Dividends{320, 56};
inline constexpr std::size_t kDividendDeduction = 40;
inline constexpr blocks::Vec5 NetIncome{1912};
inline constexpr blocks::Vec5 RentNetA{1792}, RentNetB{1952}, RentNetLess{1992};
}
namespace in_a {  // Calculos100A
inline constexpr blocks::Vec5 NetWorkIncome{1200};
}
namespace in_c {  // Calculos100C
inline constexpr blocks::Vec5 ImputedIncome{0};
}
namespace in_d {  // Calculos100D
inline constexpr Rows Properties{40, 72};
inline constexpr std::size_t kAmountsFirst = 8;  // +8 + +16 − +24 − +32 − +40 − +48
inline constexpr std::size_t kWithholding = 64;
inline constexpr blocks::Vec5 NetIncome{752}, ReductionA{792}, ReductionB{832};
}
namespace in_e1 {  // Calculos100E1
inline constexpr Rows Activities{0, 288};
inline constexpr std::size_t kWithholdingOther = 48, kWithholdingRenting = 56, kInstallments = 64,
                             kNetIncome = 264, kNetYield = 280;
}
namespace in_e4 {  // Calculos100E4
inline constexpr Rows Activities{0, 1416};
inline constexpr std::size_t kWithholding = 80, kInstallments = 88, kNetIncome = 1392, kNetYield = 1408;
}
namespace in_e5 {  // Calculos100E5
inline constexpr Rows Activities{0, 2056};
inline constexpr std::size_t kWithholding = 40, kInstallments = 48, kNetIncome = 2032, kNetYield = 2048;
}
namespace in_f1 {  // Calculos100F1
inline constexpr Rows Entities{0, 184};
inline constexpr std::size_t kIncome1 = 24, kDividendDeduction = 48, kNet1 = 64, kIncome2 = 72, kNet2 = 88,
                             kIncome3 = 96, kInstallments = 120, kNet3 = 136;
}
namespace in_f2 {  // Calculos100F2
inline constexpr Rows Imputations{0, 216};
inline constexpr std::size_t kNetIncome = 16, kDividendDeduction = 64;
}
namespace in_f3 { inline constexpr blocks::Vec5 Amounts{192}; }  // Calculos100F3
namespace in_f4 { inline constexpr blocks::Vec5 Amounts{56}; }   // Calculos100F4
namespace in_f5 { inline constexpr blocks::Vec5 Amounts{192}; }  // Calculos100F5
namespace in_g6 {  // Calculos100G6
inline constexpr blocks::Vec5 ShortTermGains{0};
inline constexpr blocks::Vec5 LongTermGains{160};
}
namespace in_i {  // Calculos100I
inline constexpr blocks::Vec5 GeneralBase{120}, GeneralMinimum{160}, SpecialBase{240}, SpecialMinimum{280};
}
namespace in_j {  // Calculos100J
inline constexpr blocks::Vec5 WorkReduction{0}, ChildrenUnderThree{120}, AgeOver64{160}, MembersDisability{240},
    RelativesDisability{280}, DisabledWorkers{320};
}
namespace in_k {  // Calculos100K
inline constexpr blocks::Vec5 GeneralBaseAfterReductions{280}, GeneralLiquidableBase{464}, SpecialLiquidableBase{744};
}

}  // namespace sec_li

static_assert(summary::ResultingQuota.off + summary::ResultingQuota.width <= Summary.size);
static_assert(sec_li::in_q::ReserveCreditTotal.off + 40 <= SectionQ.size);
static_assert(sec_li::entries::Homes.first + 2 * 56 == summary::kCompensationBlocks);
static_assert(summary::kCompensationBlocks + 3 * summary::kCompensationBlockSize == summary::ResultingQuota.off);
static_assert(summary::kForeignRateBlocks + 3 * summary::kForeignRateBlockSize == summary::TransparencyDeduction.off);
static_assert(sec_li::in_e5::Activities.first + 6 * sec_li::in_e5::Activities.size <= SectionE5.size);
static_assert(sec_li::in_e4::Activities.first + 6 * sec_li::in_e4::Activities.size <= SectionE4.size);
static_assert(sec_li::in_e1::Activities.first + 6 * sec_li::in_e1::Activities.size <= SectionE1.size);
static_assert(sec_li::in_f1::Entities.first + 6 * sec_li::in_f1::Entities.size <= SectionF1.size);
static_assert(sec_li::in_f2::Imputations.first + 6 * sec_li::in_f2::Imputations.size <= SectionF2.size);
static_assert(sec_li::in_d::Properties.first + 6 * sec_li::in_d::Properties.size <= SectionD.size);
static_assert(sec_li::in_b::Dividends.first + 6 * sec_li::in_b::Dividends.size <= SectionB.size);

}  // namespace f100
