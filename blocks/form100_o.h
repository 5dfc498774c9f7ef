// Form100SectionO: state deductions of section O (donations, housing, adaptation works, Ceuta and
// Melilla, account deposits), 2,800 bytes. Offsets are within the record; HVs are holder vectors.
// The annex blocks (+40, +208, +528, +1528, +1880, +2160) are edited whole by their dialogs.
#pragma once

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_i.h"
#include "blocks/form100_k.h"
#include "blocks/form100_l.h"

namespace f100::sec_o {

inline constexpr std::size_t kSize = 2800;
static_assert(SectionO.size == kSize);

// ---- donations and the 15-per-cent item (pass 1) ----
inline constexpr blocks::Vec5 Item15Total{0};
inline constexpr std::size_t kItem15Rows = 40;
inline constexpr std::size_t kItem15RowSize = 16;
inline constexpr int kItem15RowCount = 3;
constexpr std::size_t item15Row(int n) { return kItem15Rows + kItem15RowSize * static_cast<std::size_t>(n); }
constexpr blocks::U8 Item15Code(int n) { return {item15Row(n) + 0}; }
constexpr blocks::F64 Item15Amount(int n) { return {item15Row(n) + 8}; }
inline constexpr blocks::Area Item15Block{kItem15Rows, kItem15RowSize * kItem15RowCount};
inline constexpr blocks::Vec5 Item15Admitted{88};
inline constexpr blocks::Vec5 Item15Deduction{128};

inline constexpr blocks::Vec5 DonationTotal{168};
inline constexpr std::size_t kDonationRows = 208;
inline constexpr std::size_t kDonationRowSize = 40;
inline constexpr int kDonationRowCount = 3;
constexpr std::size_t donationRow(int n) { return kDonationRows + kDonationRowSize * static_cast<std::size_t>(n); }
constexpr blocks::U8 DonationCode(int n) { return {donationRow(n) + 0}; }
constexpr blocks::F64 DonationGeneral(int n) { return {donationRow(n) + 8}; }
constexpr blocks::F64 DonationPriority(int n) { return {donationRow(n) + 16}; }
// Not edited by the donations dialog; enters only the totals.
constexpr blocks::F64 DonationFourth(int n) { return {donationRow(n) + 24}; }
constexpr blocks::F64 DonationOtherEntities(int n) { return {donationRow(n) + 32}; }
inline constexpr blocks::Area DonationBlock{kDonationRows, kDonationRowSize * kDonationRowCount};
inline constexpr blocks::Vec5 DonationAdmitted{328};
inline constexpr blocks::Vec5 DonationDeduction{368};
inline constexpr blocks::Vec5 BothItemsTotal{408};
inline constexpr blocks::Vec5 DonationLimit{448};

// ---- housing investment (pass 2) ----
inline constexpr blocks::Vec5 HousingFinancedFirstState{488};
inline constexpr blocks::Area HousingBlock{528, 368};
inline constexpr blocks::U8 DeclarantUnemployedCataluna{528};
inline constexpr blocks::U8 SpouseUnemployedCataluna{529};
inline constexpr blocks::U8 DeclarantEarlierMurcia{530};
inline constexpr blocks::U8 SpouseEarlierMurcia{531};
inline constexpr std::size_t kHousingColumns = 536;
inline constexpr std::size_t kHousingColumnSize = 40;
inline constexpr int kHousingColumnCount = 3;
constexpr std::size_t housingColumn(int n) {
  return kHousingColumns + kHousingColumnSize * static_cast<std::size_t>(n);
}
constexpr blocks::U8 HousingCode(int n) { return {housingColumn(n) + 0}; }
constexpr blocks::F64 HousingFinancedFirst(int n) { return {housingColumn(n) + 8}; }  // a
constexpr blocks::F64 HousingFinancedLater(int n) { return {housingColumn(n) + 16}; }  // b
constexpr blocks::F64 HousingUnfinanced(int n) { return {housingColumn(n) + 24}; }     // c
constexpr blocks::F64 HousingConstruction(int n) { return {housingColumn(n) + 32}; }   // d
inline constexpr std::size_t kHousingAccounts = 656;
inline constexpr std::size_t kHousingAccountSize = 48;
// The account of housing column n; summed under that column's holder code.
constexpr blocks::F64 HousingAccountAmount(int n) {
  return {kHousingAccounts + kHousingAccountSize * static_cast<std::size_t>(n) + 8};  // e
}
inline constexpr blocks::Area HousingExtra{800, 96};
// Two rows of the acquisition date of the financed home (holder, date without separators).
inline constexpr std::size_t kHousingDateRows = 800;
inline constexpr std::size_t kHousingDateRowSize = 48;
inline constexpr int kHousingDateRowCount = 2;
constexpr blocks::U8 HousingDateCode(int n) { return {kHousingDateRows + kHousingDateRowSize * static_cast<std::size_t>(n)}; }
constexpr blocks::Text HousingDate(int n) {
  return {kHousingDateRows + kHousingDateRowSize * static_cast<std::size_t>(n) + 1, 8};
}
static_assert(kHousingDateRows + kHousingDateRowSize * kHousingDateRowCount == HousingExtra.off + HousingExtra.size);
inline constexpr blocks::Vec5 HousingFinancedFirstRegional{896};
inline constexpr blocks::Vec5 HousingFinancedLaterState{936};
inline constexpr blocks::Vec5 HousingFinancedLaterRegional{976};
inline constexpr blocks::Area PageData1016{1016, 472};
// The acquisition date of the financed home: the first one given, the declarant's, the spouse's.
inline constexpr blocks::Text HousingFirstDate{1016, 8};
inline constexpr blocks::Text HousingDeclarantDate{1024, 8};
inline constexpr blocks::Text HousingSpouseDate{1032, 8};

// ---- home adaptation works (end of pass 2) ----
inline constexpr blocks::Vec5 WorksFinancedFirstState{1488};
inline constexpr std::size_t kWorksRows = 1528;
inline constexpr std::size_t kWorksRowSize = 32;
inline constexpr int kWorksRowCount = 6;  // the dialog shows rows 0 to 2; all six are summed
constexpr std::size_t worksRow(int n) { return kWorksRows + kWorksRowSize * static_cast<std::size_t>(n); }
constexpr blocks::U8 WorksCode(int n) { return {worksRow(n) + 0}; }
constexpr blocks::F64 WorksFinancedFirst(int n) { return {worksRow(n) + 8}; }   // f
constexpr blocks::F64 WorksFinancedLater(int n) { return {worksRow(n) + 16}; }  // g
constexpr blocks::F64 WorksUnfinanced(int n) { return {worksRow(n) + 24}; }     // h
inline constexpr blocks::Area WorksBlock{kWorksRows, kWorksRowSize * kWorksRowCount};
inline constexpr blocks::Vec5 WorksFinancedFirstRegional{1720};
inline constexpr blocks::Vec5 WorksFinancedLaterState{1760};
inline constexpr blocks::Vec5 WorksFinancedLaterRegional{1800};

// ---- Ceuta and Melilla (pass 3) ----
inline constexpr blocks::Vec5 CeutaDeduction{1840};
inline constexpr std::size_t kCeutaRows = 1880;
inline constexpr std::size_t kCeutaRowSize = 24;
inline constexpr int kCeutaRowCount = 6;
constexpr std::size_t ceutaRow(int n) { return kCeutaRows + kCeutaRowSize * static_cast<std::size_t>(n); }
constexpr blocks::U8 CeutaCode(int n) { return {ceutaRow(n) + 0}; }
constexpr blocks::F64 CeutaGeneral(int n) { return {ceutaRow(n) + 8}; }
constexpr blocks::F64 CeutaSpecial(int n) { return {ceutaRow(n) + 16}; }
inline constexpr blocks::F64 CeutaJointGeneral{2024};
inline constexpr blocks::F64 CeutaJointSpecial{2032};
inline constexpr std::size_t kCeutaShares = 2040;
inline constexpr std::size_t kCeutaShareSize = 16;
// Column m = 0 unit .. 4 child 2.
constexpr blocks::F64 CeutaShareGeneral(int m) { return {kCeutaShares + kCeutaShareSize * static_cast<std::size_t>(m)}; }
constexpr blocks::F64 CeutaShareSpecial(int m) {
  return {kCeutaShares + kCeutaShareSize * static_cast<std::size_t>(m) + 8};
}
inline constexpr blocks::Area CeutaBlock{kCeutaRows, 240};

// ---- account deposits (pass 4) ----
inline constexpr blocks::Vec5 DepositDeduction{2120};
inline constexpr std::size_t kDepositRows = 2160;
inline constexpr std::size_t kDepositRowSize = 48;
inline constexpr int kDepositRowCount = 3;
constexpr std::size_t depositRow(int n) { return kDepositRows + kDepositRowSize * static_cast<std::size_t>(n); }
constexpr blocks::U8 DepositCode(int n) { return {depositRow(n) + 0}; }
constexpr blocks::F64 DepositAmount(int n) { return {depositRow(n) + 8}; }
inline constexpr blocks::Area DepositBlock{kDepositRows, kDepositRowSize * kDepositRowCount};
inline constexpr blocks::Area PageData2304{2304, 296};

// ---- housing amounts admitted within the limit (pass 2) ----
inline constexpr blocks::Vec5 HousingAdmittedFinancedFirst{2600};
inline constexpr blocks::Vec5 HousingAdmittedFinancedLater{2640};
inline constexpr blocks::Vec5 HousingAdmittedUnfinanced{2680};
inline constexpr blocks::Vec5 HousingAdmittedConstruction{2720};
inline constexpr blocks::Vec5 HousingAdmittedAccounts{2760};

// The blocks tile their stretches of the record and the last field ends at its end.
static_assert(item15Row(kItem15RowCount) == Item15Admitted.off);
static_assert(donationRow(kDonationRowCount) == DonationAdmitted.off);
static_assert(housingColumn(kHousingColumnCount) == kHousingAccounts);
static_assert(kHousingAccounts + kHousingAccountSize * kHousingColumnCount == HousingExtra.off);
static_assert(HousingBlock.off + HousingBlock.size == HousingFinancedFirstRegional.off);
static_assert(HousingExtra.off + HousingExtra.size == HousingBlock.off + HousingBlock.size);
static_assert(PageData1016.off + PageData1016.size == WorksFinancedFirstState.off);
static_assert(worksRow(kWorksRowCount) == WorksFinancedFirstRegional.off);
static_assert(ceutaRow(kCeutaRowCount) == CeutaJointGeneral.off);
static_assert(kCeutaShares + kCeutaShareSize * kMembers == DepositDeduction.off);
static_assert(CeutaBlock.off + CeutaBlock.size == DepositDeduction.off);
static_assert(depositRow(kDepositRowCount) == PageData2304.off);
static_assert(PageData2304.off + PageData2304.size == HousingAdmittedFinancedFirst.off);
static_assert(HousingAdmittedAccounts.off + blocks::Vec5::width == kSize);

// ---- fields of other records read by the passes ----

// Form100SectionK, written by Calculos100K (pass 1).
namespace from_k {
inline constexpr blocks::Vec5 GeneralBaseAfterReductions = sec_k::GeneralAfterReductions;
inline constexpr blocks::Vec5 SpecialLiquidableBase = sec_k::SpecialLiquidable;
}  // namespace from_k

// Form100SectionI, written by Calculos100I (passes 2 and 3).
namespace from_i {
inline constexpr blocks::Vec5 GeneralTaxBase = sec_i::GeneralBase;
inline constexpr blocks::Vec5 GeneralBaseAfterMinimum = sec_i::GeneralAfterMinimum;
inline constexpr blocks::Vec5 SpecialTaxBase = sec_i::SpecialBase;
inline constexpr blocks::Vec5 SpecialBaseAfterMinimum = sec_i::SpecialAfterMinimum;
}  // namespace from_i

// Form100Summary, written by Calculos100L (pass 3).
namespace from_summary {
inline constexpr blocks::Vec5 GeneralQuotaState = summary::StateGeneralQuota;
inline constexpr blocks::Vec5 GeneralQuotaRegional = summary::RegionalGeneralQuota;
inline constexpr blocks::Vec5 SpecialQuotaState = summary::StateSpecialQuota;
inline constexpr blocks::Vec5 SpecialQuotaRegional = summary::RegionalSpecialQuota;
}  // namespace from_summary

// Form100Personal, filled by the personal and family data wizard (pass 2). The community code of
// member m is f100::personal::communityCode.
namespace from_personal {
inline constexpr blocks::I32 DeclarantAge = personal::Age(1);
inline constexpr blocks::I32 SpouseAge = personal::Age(2);
inline constexpr blocks::U8 DeclarantDisability = personal::DisabilityCode(1);  // "1", "2" or "3"
inline constexpr blocks::U8 SpouseDisability = personal::DisabilityCode(2);
}  // namespace from_personal

// Form100Family descendant entries, filled by the same wizard (pass 2); age, birth and death dates
// are f100::family::descendant's.
namespace from_family {
constexpr blocks::U8 DescendantSituation(int i) { return family::descendant::Situation(i); }  // "1".."4"
}  // namespace from_family

}  // namespace f100::sec_o

// Form100Summary slots written by Calculos100O (state 67 %, regional 33 % unless rates say otherwise).
namespace f100::summary {
inline constexpr blocks::Vec5 Item15State{480};
inline constexpr blocks::Vec5 Item15Regional{520};
inline constexpr blocks::Vec5 DonationState{560};
inline constexpr blocks::Vec5 DonationRegional{600};
inline constexpr blocks::Vec5 HousingFinancedState{640};  // both periods
inline constexpr blocks::Vec5 HousingFinancedRegional{680};
inline constexpr blocks::Vec5 HousingUnfinancedState{720};
inline constexpr blocks::Vec5 HousingUnfinancedRegional{760};
inline constexpr blocks::Vec5 HousingConstructionState{800};
inline constexpr blocks::Vec5 HousingConstructionRegional{840};
inline constexpr blocks::Vec5 HousingAccountState{880};
inline constexpr blocks::Vec5 HousingAccountRegional{920};
inline constexpr blocks::Vec5 WorksFinancedState{960};  // both periods
inline constexpr blocks::Vec5 WorksFinancedRegional{1000};
inline constexpr blocks::Vec5 WorksUnfinancedState{1040};
inline constexpr blocks::Vec5 WorksUnfinancedRegional{1080};
inline constexpr blocks::Vec5 CeutaState{1416};
inline constexpr blocks::Vec5 CeutaRegional{1456};
inline constexpr blocks::Vec5 DepositState{1496};
inline constexpr blocks::Vec5 DepositRegional{1536};
static_assert(DepositRegional.off + blocks::Vec5::width <= Summary.size);
}  // namespace f100::summary
