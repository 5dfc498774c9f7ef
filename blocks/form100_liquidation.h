// Liquidation of form 100, passes 1 to 4 of Calculos100Li: Canary Islands credits, net quotas,
// increased net quotas, dividend deductions, income taxed abroad, rent deduction, housing
// compensation and the resulting quota. Offsets within each record.
//
// Every liquidation amount is a HolderVector: column 0 the joint filing, columns 1 to 4 the
// individual filings. A "triple" is a vector of which only columns 0 to 2 are written.
#pragma once

#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form100_b.h"
#include "blocks/form100_c.h"
#include "blocks/form100_d.h"
#include "blocks/form100_e1.h"
#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "blocks/form100_f1.h"
#include "blocks/form100_f2.h"
#include "blocks/form100_f3.h"
#include "blocks/form100_f4.h"
#include "blocks/form100_f5.h"
#include "blocks/form100_g1.h"
#include "blocks/form100_g6.h"
#include "blocks/form100_h.h"
#include "blocks/form100_i.h"
#include "blocks/form100_j.h"
#include "blocks/form100_k.h"
#include "blocks/form100_l.h"
#include "blocks/form100_o.h"
#include "blocks/form100_p.h"
#include "blocks/form100_q.h"

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
inline constexpr blocks::Vec5 StateZeduDeduction{8176};  // the rent deduction, triple
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

// The summary slots of the other exports (gross quotas, deductions, withholdings) are read under
// their writers' names in f100::summary.

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
// The two 2003 reserve rows of the annex: allocation +8, income in the Canary Islands +16.
inline constexpr Entries Reserve{sec_q::ReserveBlock2003.row0, sec_q::ReserveBlock2003.row1 - sec_q::ReserveBlock2003.row0, 2};
inline constexpr std::size_t kAllocation = sec_q::kReserve2003Allowance, kCanaryIncome = sec_q::kReserve2003CanaryIncome;
// Written by pass 1.
inline constexpr blocks::Vec5 ReserveAverageRate{7248};       // triple
inline constexpr blocks::F64 ReserveDeductionBeforeLimit{7272};  // (i): joint declarant, joint spouse, declarant, spouse
inline constexpr blocks::F64 ReserveLimit{7304};                 // (i): same order
inline constexpr blocks::Vec5 ReserveDeductionTotal{7832};     // state plus regional part, all five columns
// Pass 1 writes between the annex's 2003 rows and its reserve totals; the total straddles the end
// of what Calculos100Q touches.
static_assert(Reserve.first + Reserve.size * 2 == ReserveAverageRate.off &&
              ReserveLimit.off + 4 * 8 == sec_q::kLiquidationEnd && sec_q::kLiquidationStart == Reserve.first);
static_assert(ReserveDeductionTotal.off == sec_q::EarlyInvestments.keys + 8 &&
              ReserveDeductionTotal.off < sec_q::kCalculationEnd);
}  // namespace in_q

// Form100SectionH (Calculos100H): general income = positive short-term balance + general income.
namespace in_h {
inline constexpr blocks::Vec5 ShortTermBalance = sec_h::ShortPositive;
inline constexpr blocks::Vec5 GeneralIncome = sec_h::GeneralIncome;
}

// Rows of the income sections: holder code at row +0; fields at offsets within the row.
struct Rows {
  std::size_t first;
  std::size_t size;
  static constexpr int count = 6;
  constexpr blocks::U8 code(int r) const { return {first + size * static_cast<std::size_t>(r)}; }
  constexpr blocks::F64 at(int r, std::size_t off) const { return {first + size * static_cast<std::size_t>(r) + off}; }
};
// Offset within its row of a writer's row-0 field.
constexpr std::size_t inRow(blocks::F64 field, blocks::U8 holder) { return field.off - holder.off; }

namespace in_b {  // Calculos100B
inline constexpr Rows Dividends{sec_b::g2::Holder.off, sec_b::g2::kRowSize};
inline constexpr std::size_t kDividendDeduction = inRow(sec_b::g2::QuotaDeduction, sec_b::g2::Holder);
inline constexpr blocks::Vec5 NetIncome = sec_b::NetIncome;
inline constexpr blocks::Vec5 RentNetA = sec_b::NetBeforeReductions, RentNetB = sec_b::LongTermGains,
                              RentNetLess = sec_b::LongTermLosses;
}
namespace in_a {  // Calculos100A
inline constexpr blocks::Vec5 NetWorkIncome = sec_a::NetWorkIncome;
}
namespace in_c {  // Calculos100C
inline constexpr blocks::Vec5 ImputedIncome = sec_c::ImputedIncome;
}
namespace in_d {  // Calculos100D
inline constexpr Rows Properties{sec_d::Holder.off, sec_d::kRowSize};
// Rental income and sublease share, less interest, amortisation, fiscal compensation and other expenses.
inline constexpr std::size_t kRental = inRow(sec_d::RentalIncome, sec_d::Holder),
                             kSublease = inRow(sec_d::SubleaseShare, sec_d::Holder),
                             kInterest = inRow(sec_d::Interest, sec_d::Holder),
                             kAmortisation = inRow(sec_d::Amortisation, sec_d::Holder),
                             kFiscalCompensation = inRow(sec_d::FiscalCompensation, sec_d::Holder),
                             kOtherExpenses = inRow(sec_d::OtherExpenses, sec_d::Holder);
inline constexpr std::size_t kWithholding = inRow(sec_d::Withholding, sec_d::Holder);
inline constexpr blocks::Vec5 NetIncome = sec_d::NetYield, ReductionA = sec_d::HalfReduction,
                              ReductionB = sec_d::IrregularReductions;
}
namespace in_e1 {  // Calculos100E1
inline constexpr Rows Activities{sec_e1::Holder.off, sec_e1::kRowSize};
inline constexpr std::size_t kWithholdingOther = inRow(sec_e1::Withholdings, sec_e1::Holder),
                             kWithholdingRenting = inRow(sec_e1::RentingWithholdings, sec_e1::Holder),
                             kInstallments = inRow(sec_e1::InstalmentPayments, sec_e1::Holder),
                             kNetIncome = inRow(sec_e1::NetYield, sec_e1::Holder),
                             kNetYield = inRow(sec_e1::NetAfterReduction, sec_e1::Holder);
}
namespace in_e4 {  // Calculos100E4
inline constexpr Rows Activities{sec_e4::Holder.off, sec_e4::kRowSize};
inline constexpr std::size_t kWithholding = inRow(sec_e4::Withholdings, sec_e4::Holder),
                             kInstallments = inRow(sec_e4::InstalmentPayments, sec_e4::Holder),
                             kNetIncome = inRow(sec_e4::NetBeforeLastReduction, sec_e4::Holder),
                             kNetYield = inRow(sec_e4::ActivityNet, sec_e4::Holder);
}
namespace in_e5 {  // Calculos100E5
inline constexpr Rows Activities{sec_e5::Holder.off, sec_e5::kRowSize};
inline constexpr std::size_t kWithholding = inRow(sec_e5::Withholdings, sec_e5::Holder),
                             kInstallments = inRow(sec_e5::InstalmentPayments, sec_e5::Holder),
                             kNetIncome = inRow(sec_e5::ReducedNet, sec_e5::Holder),
                             kNetYield = inRow(sec_e5::ActivityNet, sec_e5::Holder);
}
namespace in_f1 {  // Calculos100F1
inline constexpr Rows Entities{sec_f1::Holder.off, sec_f1::kRowSize};
inline constexpr std::size_t kIncome1 = inRow(sec_f1::Income1, sec_f1::Holder),
                             kDividendDeduction = inRow(sec_f1::DividendDeduction, sec_f1::Holder),
                             kNet1 = inRow(sec_f1::Net1, sec_f1::Holder), kIncome2 = inRow(sec_f1::Income2, sec_f1::Holder),
                             kNet2 = inRow(sec_f1::Net2, sec_f1::Holder), kIncome3 = inRow(sec_f1::Income3, sec_f1::Holder),
                             kInstallments = inRow(sec_f1::InstalmentPayments, sec_f1::Holder),
                             kNet3 = inRow(sec_f1::Net3, sec_f1::Holder);
}
namespace in_f2 {  // Calculos100F2
inline constexpr Rows Imputations{sec_f2::rowOffset(0), sec_f2::kRowSize};
inline constexpr std::size_t kNetIncome = inRow(sec_f2::row::ImputedBase, sec_f2::row::Holder),
                             kDividendDeduction = inRow(sec_f2::row::DividendDeduction, sec_f2::row::Holder);
}
namespace in_f3 { inline constexpr blocks::Vec5 Amounts = sec_f3::Amounts; }                 // Calculos100F3
namespace in_f4 { inline constexpr blocks::Vec5 Amounts = sec_f4::AmountToImputeByHolder; }  // Calculos100F4
namespace in_f5 { inline constexpr blocks::Vec5 Amounts = sec_f5::Amounts; }                 // Calculos100F5
namespace in_g6 {  // Calculos100G6
inline constexpr blocks::Vec5 ShortTermGains = sec_g6::ShortGains;
inline constexpr blocks::Vec5 LongTermGains = sec_g6::LongGains;
}
namespace in_i {  // Calculos100I
inline constexpr blocks::Vec5 GeneralBase = sec_i::GeneralBase, GeneralMinimum = sec_i::MinimumOnGeneral,
                              SpecialBase = sec_i::SpecialBase, SpecialMinimum = sec_i::MinimumOnSpecial;
}
namespace in_j {  // Calculos100I (the reductions of section J it writes)
inline constexpr blocks::Vec5 WorkReduction = sec_j::WorkIncome, ChildrenUnderThree = sec_j::ChildrenUnderThree,
                              AgeOver64 = sec_j::AgeOver64, MembersDisability = sec_j::MembersDisability,
                              RelativesDisability = sec_j::RelativesDisability, DisabledWorkers = sec_j::DisabledWorkers;
}
namespace in_k {  // Calculos100K
inline constexpr blocks::Vec5 GeneralBaseAfterReductions = sec_k::GeneralAfterReductions,
                              GeneralLiquidableBase = sec_k::GeneralLiquidable, SpecialLiquidableBase = sec_k::SpecialLiquidable;
}
static_assert(Rows::count == sec_b::kRows && Rows::count == sec_d::kRows && Rows::count == sec_e1::kRows &&
              Rows::count == sec_e4::kRows && Rows::count == sec_e5::kRows && Rows::count == sec_f1::kRows &&
              Rows::count == sec_f2::kRows);

}  // namespace sec_li

static_assert(summary::ResultingQuota.off + summary::ResultingQuota.width <= Summary.size);
static_assert(sec_li::in_q::ReserveDeductionTotal.off + 40 <= SectionQ.size);
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
