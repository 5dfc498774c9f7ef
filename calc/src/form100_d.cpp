// Section D: income from real estate. Yields of type "2" count their income without expenses;
// yields of type "1" take half of their net as a reduction, within what the irregular reduction
// leaves of the ordinary net.
#include "blocks/form100_d.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace d = f100::sec_d;
using tv::Vec;

constexpr unsigned char kHalvedYield = '1';
constexpr unsigned char kGrossYield = '2';
constexpr double kHalfReductionRate = 0.5;

tv::RowColumn rows(blocks::F64 amount) { return {d::Holder, amount, d::kRows, d::kRowSize}; }

// SumaASuTitular of the rows' holder codes with per-row local amounts.
Vec SumLocal(const void* secD, const double (&amounts)[d::kRows]) {
  Vec v{};
  for (std::size_t k = 0; k < d::kRows; ++k) tv::AcumulaATitular(v.data(), 5, d::Holder(k, d::kRowSize).get(secD), amounts[k]);
  return v;
}

}  // namespace

TALLYVEX_API void Calculos100D(void* secD, void* /*summary*/) {
  const Vec rentals = tv::SumByHolder(secD, {rows(d::RentalIncome)});
  const Vec sublease = tv::SumByHolder(secD, {rows(d::SubleaseShare)});
  const Vec interest = tv::SumByHolder(secD, {rows(d::Interest)});
  const Vec amortisation = tv::SumByHolder(secD, {rows(d::Amortisation)});
  const Vec compensation = tv::SumByHolder(secD, {rows(d::FiscalCompensation)});
  const Vec other = tv::SumByHolder(secD, {rows(d::OtherExpenses)});
  Vec income, expenses;
  tv::Sumatorio5PorTitulares(income, {{rentals.data(), 1.0}, {sublease.data(), 1.0}});
  tv::Sumatorio5PorTitulares(expenses, {{interest.data(), 1.0}, {amortisation.data(), 1.0},
                                        {compensation.data(), 1.0}, {other.data(), 1.0}});
  d::Rentals.store(secD, rentals);
  d::Sublease.store(secD, sublease);
  d::TotalIncome.store(secD, income);
  d::InterestTotal.store(secD, interest);
  d::AmortisationTotal.store(secD, amortisation);
  d::FiscalCompensationTotal.store(secD, compensation);
  d::OtherExpensesTotal.store(secD, other);
  d::TotalExpenses.store(secD, expenses);

  double ordinary[d::kRows] = {}, gross[d::kRows] = {}, halfBase[d::kRows] = {};
  for (std::size_t k = 0; k < d::kRows; ++k) {
    auto f = [&](blocks::F64 field) { return field(k, d::kRowSize).get(secD); };
    const double net = tv::Redondea((f(d::RentalIncome) + f(d::SubleaseShare)) -
                                        (f(d::Interest) + f(d::Amortisation) + f(d::FiscalCompensation) +
                                         f(d::OtherExpenses)),
                                    2);
    const unsigned char type = d::YieldType(k, d::kRowSize).get(secD);
    halfBase[k] = type == kHalvedYield ? net : 0.0;
    if (type == kGrossYield)
      gross[k] = tv::Redondea(f(d::RentalIncome) + f(d::SubleaseShare), 2);
    else
      ordinary[k] = net;
  }
  Vec n = SumLocal(secD, ordinary);
  tv::FloorAtZero(n);
  const Vec g = SumLocal(secD, gross);
  const Vec h = SumLocal(secD, halfBase);

  Vec netYield;
  tv::Sumatorio5PorTitulares(netYield, {{n.data(), 1.0}, {g.data(), 1.0}});
  tv::FloorAtZero(netYield);

  Vec irregular = tv::SumByHolder(secD, {rows(d::IrregularReduction)});
  Vec half{};
  for (std::size_t j = 0; j < 5; ++j) {
    half[j] = tv::Redondea(kHalfReductionRate * h[j], 2);
    if (half[j] < 0) half[j] = 0.0;
    double r = n[j] - irregular[j];
    if (r < 0) r = 0.0;
    if (r < half[j]) half[j] = r;
  }
  for (std::size_t j = 0; j < 5; ++j)
    if (n[j] - half[j] < irregular[j]) irregular[j] = n[j] - half[j];

  Vec after;
  tv::Sumatorio5PorTitulares(after, {{netYield.data(), 1.0}, {half.data(), -1.0}, {irregular.data(), -1.0}});
  tv::FloorAtZero(after);
  d::NetYield.store(secD, netYield);
  d::HalfReduction.store(secD, half);
  d::IrregularReductions.store(secD, irregular);
  d::NetAfterReductions.store(secD, after);
}
