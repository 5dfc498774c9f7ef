// Form100SectionG4 (13,640 bytes): gains and losses with a generation period of more than one
// year from transfers of assets, and five lists of gains and losses entered by holder.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_g4 {

// A list of amounts by holder: rows laid end to end from `off`, holder code at row +0.
struct AmountList {
  std::size_t off;
  std::size_t rowSize;
  static constexpr int kRows = 15;
  constexpr std::size_t row(int i) const { return off + rowSize * static_cast<std::size_t>(i); }
  constexpr blocks::U8 holder(int i) const { return {row(i)}; }
  constexpr blocks::F64 amount(int i) const { return {row(i) + 8}; }
  constexpr blocks::F64 counted(int i) const { return {row(i) + 16}; }  // never above amount
  constexpr std::size_t end() const { return row(kRows); }
};

inline constexpr AmountList ListA{0, 24};      // short-term gains
inline constexpr AmountList ListB{400, 24};    // short-term losses
inline constexpr AmountList ListC{800, 32};    // short-term gains (+24 of the row is the page's)
inline constexpr AmountList ListE{12840, 24};  // long-term gains
inline constexpr AmountList ListF{13240, 24};  // long-term losses

inline constexpr blocks::Vec5 ShortGainsA{360};    // pass 1
inline constexpr blocks::Vec5 ShortLossesB{760};   // pass 1
inline constexpr blocks::Vec5 ShortGainsC{1280};   // pass 2
inline constexpr blocks::Vec5 ItemLosses{12720};   // pass 3: items' +680
inline constexpr blocks::Vec5 ItemGainsNonBusiness{12760};  // pass 3: items' +728 (types 3 to 7)
inline constexpr blocks::Vec5 ItemGainsBusiness{12800};     // pass 3: items' +752 (types 1 and 2)
inline constexpr blocks::Vec5 LongGainsE{13200};   // pass 4
inline constexpr blocks::Vec5 LongLossesF{13600};  // pass 4

static_assert(ListA.end() <= ShortGainsA.off && ListB.end() <= ShortLossesB.off);
static_assert(ListC.end() <= ShortGainsC.off && ListE.end() <= LongGainsE.off);
static_assert(ListF.end() <= LongLossesF.off && LongLossesF.off + 40 == SectionG4.size);

// Transfer items: 15 of 760 bytes from +1320. Field offsets below are within the item.
inline constexpr std::size_t kItems = 1320;
inline constexpr std::size_t kItemSize = 760;
inline constexpr int kItemCount = 15;
constexpr std::size_t itemOffset(int i) { return kItems + kItemSize * static_cast<std::size_t>(i); }
static_assert(itemOffset(kItemCount) == ItemLosses.off, "items end where their sums begin");

namespace item {
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::U8 AssetType{21};  // '1'..'7'
inline constexpr blocks::Text TransferDate{22, 8};
inline constexpr blocks::Text AcquisitionDate{30, 8};
inline constexpr blocks::F64 TransferValue{40};
inline constexpr blocks::U8 TaxiLicence{48};  // 1: reduction for a taxi licence (types 1, 2)
inline constexpr blocks::F64 TransferAmount{56};
inline constexpr blocks::F64 TransferExpenses{64};
inline constexpr blocks::U8 Instalments{72};  // 1: sale in instalments
inline constexpr blocks::F64 CollectedInYear{80};
inline constexpr blocks::F64 Reinvested{88};
inline constexpr blocks::F64 PendingLoan{96};
inline constexpr blocks::U8 NoLossImputation{104};  // 1: repurchase within the legal term
inline constexpr blocks::F64 AcquisitionValue{112};
inline constexpr blocks::F64 AcquisitionAmount{120};
inline constexpr blocks::F64 AcquisitionUpdated{128};
inline constexpr blocks::Text Expense1Date{136, 8};
inline constexpr blocks::F64 Expense1{144};
inline constexpr blocks::F64 Expense1Updated{152};
inline constexpr blocks::Text Expense2Date{160, 8};
inline constexpr blocks::F64 Expense2{168};
inline constexpr blocks::F64 Expense2Updated{176};
inline constexpr blocks::F64 DepreciationTo1993{184};
inline constexpr blocks::F64 DepreciationTo1993Updated{376};
// Types 1 and 2: depreciation by year up to 1993 (1983 and before, 1984 .. 1993).
inline constexpr int kEarlyYears = 11;
inline constexpr std::size_t kEarlyYearAmount[kEarlyYears] = {192, 208, 224, 240, 256, 272,
                                                              288, 304, 320, 344, 360};
constexpr blocks::F64 EarlyYear(int i) { return {kEarlyYearAmount[i]}; }
constexpr blocks::F64 EarlyYearUpdated(int i) { return {kEarlyYearAmount[i] + 8}; }
inline constexpr blocks::Text Allowance1994Date{384, 8};
inline constexpr blocks::F64 Depreciation1994{392};  // types 1, 2: 1994 and 1995 together
inline constexpr blocks::F64 Depreciation1994Updated{432};
inline constexpr blocks::F64 Year1994{400};
inline constexpr blocks::F64 Year1994Updated{408};
inline constexpr blocks::F64 Year1995{416};
inline constexpr blocks::F64 Year1995Updated{424};
inline constexpr blocks::F64 Depreciation1995{440};  // types 1, 2: 1996 and later
inline constexpr blocks::F64 Depreciation1995Updated{448};
inline constexpr blocks::F64 DepreciationFrom1996{456};  // types 3 to 7
inline constexpr blocks::F64 DepreciationFrom1996Updated{648};
inline constexpr blocks::F64 Cleared[3] = {{472}, {488}, {504}};
// Depreciation by year 1996 .. 2003.
inline constexpr int kLateYears = 8;
inline constexpr std::size_t kLateYearAmount[kLateYears] = {512, 528, 544, 560, 576, 592, 616, 632};
constexpr blocks::F64 LateYear(int i) { return {kLateYearAmount[i]}; }
constexpr blocks::F64 LateYearUpdated(int i) { return {kLateYearAmount[i] + 8}; }
inline constexpr blocks::Text Allowance2002Date{608, 8};
inline constexpr blocks::F64 Loss{672};
inline constexpr blocks::F64 LossImputed{680};
inline constexpr blocks::F64 Gain{688};
inline constexpr blocks::F64 YearsTo1996{696};
inline constexpr blocks::F64 GainReduced{704};
inline constexpr blocks::F64 GainExempt{712};
inline constexpr blocks::F64 GainNotExempt{720};
inline constexpr blocks::F64 GainImputedNonBusiness{728};
inline constexpr blocks::F64 TaxiReduction{736};
inline constexpr blocks::F64 GainAfterTaxi{744};
inline constexpr blocks::F64 GainImputedBusiness{752};
static_assert(GainImputedBusiness.off + 8 == kItemSize);
// What each depreciation detail dialog edits: the years up to 1993, 1994 and 1995 of business
// assets, and the years from 1996 with the 2002 allowance date.
inline constexpr blocks::Area EarlyYearsArea{192, 184};
inline constexpr blocks::Area BusinessYears1994Area{400, 32};
inline constexpr blocks::Area LateYearsArea{464, 184};
static_assert(EarlyYearsArea.off + EarlyYearsArea.size == DepreciationTo1993Updated.off);
static_assert(BusinessYears1994Area.off + BusinessYears1994Area.size == Depreciation1994Updated.off);
static_assert(LateYearsArea.off + LateYearsArea.size == DepreciationFrom1996Updated.off);
}  // namespace item

}  // namespace f100::sec_g4
