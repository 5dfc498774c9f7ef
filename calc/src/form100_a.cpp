// Section A: income from work.
#include "blocks/form100_a.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace a = f100::sec_a;
using tv::Vec;

// Deductible dues are capped per column, the family-unit column on its own.
constexpr double kProfessionalDuesCap = 300.51;
constexpr double kLegalDefenceCap = 300.00;

tv::RowColumn rows(blocks::F64 amount) { return {a::Holder, amount, a::kRows, a::kRowSize}; }

void CapEveryColumn(Vec& v, double cap) {
  tv::LimitaVector(v.data(), 5, {{cap, 1}, {cap, 1}, {cap, 1}, {cap, 1}, {cap, 1}});
}

}  // namespace

TALLYVEX_API void Calculos100A(void* secA, void* summary) {
  const Vec money = tv::SumByHolder(secA, {rows(a::MoneyPay)});
  const Vec valuation = tv::SumByHolder(secA, {rows(a::KindValuation)});
  const Vec payments = tv::SumByHolder(secA, {rows(a::KindPaymentOnAccount)});
  const Vec charged = tv::SumByHolder(secA, {rows(a::KindPaymentCharged)});
  Vec inKind;
  tv::Sumatorio5PorTitulares(inKind, {{valuation.data(), 1.0}, {payments.data(), 1.0}, {charged.data(), -1.0}});
  a::MoneyPayTotal.store(secA, money);
  a::KindValuationTotal.store(secA, valuation);
  a::KindPaymentsTotal.store(secA, payments);
  a::KindPaymentsChargedTotal.store(secA, charged);
  a::IncomeInKind.store(secA, inKind);

  // The counted contributions follow the sub-annex total on every row, used or not.
  for (std::size_t i = 0; i < std::size_t{a::kRows}; ++i)
    a::PromoterContributions(i, a::kRowSize).set(secA, a::PromoterContributionsAnnex(i, a::kRowSize).get(secA));

  const Vec promoter = tv::SumByHolder(secA, {rows(a::PromoterContributions)});
  const Vec irregular = tv::SumByHolder(secA, {rows(a::IrregularReduction)});
  const Vec social = tv::SumByHolder(secA, {rows(a::SocialSecurity)});
  const Vec union_ = tv::SumByHolder(secA, {rows(a::UnionDues)});
  Vec professional = tv::SumByHolder(secA, {rows(a::ProfessionalDues)});
  CapEveryColumn(professional, kProfessionalDuesCap);
  Vec legal = tv::SumByHolder(secA, {rows(a::LegalDefence)});
  CapEveryColumn(legal, kLegalDefenceCap);
  Vec expenses;
  tv::Sumatorio5PorTitulares(expenses, {{social.data(), 1.0}, {union_.data(), 1.0}, {professional.data(), 1.0},
                                        {legal.data(), 1.0}});
  Vec net;
  tv::Sumatorio5PorTitulares(net, {{money.data(), 1.0}, {inKind.data(), 1.0}, {promoter.data(), 1.0},
                                   {irregular.data(), -1.0}, {expenses.data(), -1.0}});
  a::PromoterContributionsTotal.store(secA, promoter);
  a::IrregularReductions.store(secA, irregular);
  a::SocialSecurityTotal.store(secA, social);
  a::UnionDuesTotal.store(secA, union_);
  a::ProfessionalDuesTotal.store(secA, professional);
  a::LegalDefenceTotal.store(secA, legal);
  a::DeductibleExpenses.store(secA, expenses);
  a::NetWorkIncome.store(secA, net);

  f100::summary::WorkWithholdings.store(
      summary, tv::SumByHolder(secA, {rows(a::MoneyPayWithholding), rows(a::KindPaymentOnAccount)}));
}
