// Form100SectionA: income from work. Six recipient rows, then the section's holder vectors.
#pragma once

#include "blocks/form100.h"

namespace f100::sec_a {

inline constexpr int kRows = 6;
inline constexpr std::size_t kRowSize = 120;

// Row fields at row 0; row i is Field(i, kRowSize).
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 MoneyPay{8};
inline constexpr blocks::F64 MoneyPayWithholding{16};
inline constexpr blocks::F64 KindValuation{24};
inline constexpr blocks::F64 KindPaymentOnAccount{32};
inline constexpr blocks::F64 KindPaymentCharged{40};
inline constexpr blocks::F64 PromoterContributions{48};       // as counted: copied from +64
inline constexpr blocks::F64 PromoterContributionsAnnex{64};  // total of the row's sub-annex
// The pension scheme of the promoter contributions: '1' to '4', 0 or blank when none.
inline constexpr blocks::U8 PromoterSchemeKind{72};
inline constexpr blocks::F64 IrregularReduction{80};
inline constexpr blocks::F64 SocialSecurity{88};
inline constexpr blocks::F64 UnionDues{96};
inline constexpr blocks::F64 ProfessionalDues{104};
inline constexpr blocks::F64 LegalDefence{112};
static_assert(LegalDefence.off + 8 <= kRowSize);

inline constexpr std::size_t kRowsEnd = kRows * kRowSize;
inline constexpr blocks::Vec5 MoneyPayTotal{720};
inline constexpr blocks::Vec5 KindValuationTotal{760};
inline constexpr blocks::Vec5 KindPaymentsTotal{800};
inline constexpr blocks::Vec5 KindPaymentsChargedTotal{840};
inline constexpr blocks::Vec5 IncomeInKind{880};
inline constexpr blocks::Vec5 PromoterContributionsTotal{920};
inline constexpr blocks::Vec5 IrregularReductions{960};
inline constexpr blocks::Vec5 SocialSecurityTotal{1000};
inline constexpr blocks::Vec5 UnionDuesTotal{1040};
inline constexpr blocks::Vec5 ProfessionalDuesTotal{1080};
inline constexpr blocks::Vec5 LegalDefenceTotal{1120};
inline constexpr blocks::Vec5 DeductibleExpenses{1160};
inline constexpr blocks::Vec5 NetWorkIncome{1200};
static_assert(kRowsEnd <= MoneyPayTotal.off);
static_assert(NetWorkIncome.off + 40 <= SectionA.size);

}  // namespace f100::sec_a

namespace f100::summary {
// Withholdings and payments on account of work income (written by Calculos100A).
inline constexpr blocks::Vec5 WorkWithholdings{8672};
static_assert(WorkWithholdings.off + 40 <= Summary.size);
}  // namespace f100::summary
