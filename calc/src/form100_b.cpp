// Section B: income from movable capital; pass 2 splits the balance of the long-term list.
#include "blocks/form100_b.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace b = f100::sec_b;
using tv::Vec;

tv::RowColumn rows(const b::Group40& g, blocks::F64 amount) { return {g.holder, amount, b::kRows, b::kRowSize}; }
tv::RowColumn dividends(blocks::F64 amount) { return {b::g2::Holder, amount, b::kRows, b::g2::kRowSize}; }

void Pass1(void* secB, void* summary) {
  const Vec g2 = tv::SumByHolder(secB, {dividends(b::g2::Computable)});
  const Vec g1 = tv::SumByHolder(secB, {rows(b::G1, b::G1.amount)});
  const Vec g4 = tv::SumByHolder(secB, {rows(b::G4, b::G4.amount)});
  const Vec g5 = tv::SumByHolder(secB, {rows(b::G5, b::G5.amount)});
  const Vec g6 = tv::SumByHolder(secB, {rows(b::G6, b::G6.amount)});
  const Vec g3 = tv::SumByHolder(secB, {{b::g3::Holder, b::g3::Amount, b::kRows, b::g3::kRowSize}});
  Vec total;
  tv::Sumatorio5PorTitulares(total, {{g2.data(), 1.0}, {g1.data(), 1.0}, {g4.data(), 1.0}, {g5.data(), 1.0},
                                     {g6.data(), 1.0}, {g3.data(), 1.0}});
  b::g2::Income.store(secB, g2);
  b::G1.income.store(secB, g1);
  b::G4.income.store(secB, g4);
  b::G5.income.store(secB, g5);
  b::G6.income.store(secB, g6);
  b::g3::Income.store(secB, g3);
  b::TotalIncome.store(secB, total);

  const Vec expenses = tv::SumByHolder(
      secB, {dividends(b::g2::Expenses), rows(b::G1, b::G1.expenses), rows(b::G4, b::G4.expenses)});
  const Vec secondKind = tv::SumByHolder(secB, {rows(b::G6, b::G6.expenses)});
  Vec allExpenses;
  tv::Sumatorio5PorTitulares(allExpenses, {{expenses.data(), 1.0}, {secondKind.data(), 1.0}});
  Vec net;
  tv::Sumatorio5PorTitulares(net, {{total.data(), 1.0}, {allExpenses.data(), -1.0}});
  b::Expenses.store(secB, expenses);
  b::ExpensesSecondKind.store(secB, secondKind);
  b::AllExpenses.store(secB, allExpenses);
  b::NetBeforeReductions.store(secB, net);

  const Vec reductions =
      tv::SumByHolder(secB, {dividends(b::g2::Reduction), rows(b::G1, b::G1.reduction), rows(b::G4, b::G4.reduction),
                             rows(b::G5, b::G5.expenses), rows(b::G6, b::G6.reduction)});
  const Vec transitional = tv::SumByHolder(secB, {rows(b::G5, b::G5.reduction)});
  Vec netIncome;
  tv::Sumatorio5PorTitulares(netIncome, {{net.data(), 1.0}, {reductions.data(), -1.0}, {transitional.data(), -1.0}});
  b::Reductions.store(secB, reductions);
  b::TransitionalReductions.store(secB, transitional);
  b::NetIncome.store(secB, netIncome);

  f100::summary::CapitalWithholdings.store(
      summary,
      tv::SumByHolder(secB, {dividends(b::g2::Withholding), rows(b::G1, b::G1.withholding),
                             rows(b::G4, b::G4.withholding), rows(b::G5, b::G5.withholding),
                             rows(b::G6, b::G6.withholding)}));
}

void Pass2(void* secB) {
  const Vec t = tv::SumByHolder(secB, {{b::balance::Holder, b::balance::Amount, b::kRows, b::balance::kRowSize}});
  Vec gains{}, losses{};
  for (std::size_t k = 0; k < 5; ++k) {
    if (t[k] > 0) {
      gains[k] = t[k];
      losses[k] = 0.0;
    } else {
      gains[k] = 0.0;
      losses[k] = -t[k];
    }
  }
  b::LongTermGains.store(secB, gains);
  b::LongTermLosses.store(secB, losses);
}

}  // namespace

TALLYVEX_API void Calculos100B(void* secB, void* summary, int pass) {
  if (pass == 1)
    Pass1(secB, summary);
  else if (pass == 2)
    Pass2(secB);
}
