// Section E1: economic activities in direct estimation. Sums inside a row stay unrounded; only
// the simplified allowance is rounded.
#include "blocks/form100_e1.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace e1 = f100::sec_e1;

constexpr unsigned char kMarked = 1;
constexpr double kSimplifiedAllowanceRate = 0.05;

void Row(void* rec, std::size_t i) {
  const tv::RowRef r{rec, i, e1::kRowSize};

  r.set(e1::Income1, r.get(e1::Income1Entered));
  r.set(e1::Income2, r.get(e1::Income2Entered));
  r.set(e1::Income3, r.get(e1::Income3Entered));
  r.set(e1::TotalIncome, r.get(e1::Income1) + r.get(e1::Income2) + r.get(e1::Income3));

  double expenses = 0.0;
  for (std::size_t e = 0; e < e1::kExpenseItems; ++e) expenses += r.get(e1::Expense(e));
  r.set(e1::TotalExpenses, expenses);

  if (r.byte(e1::NormalModality) == kMarked) {
    r.set(e1::NormalExpenses, r.get(e1::TotalExpenses) + r.get(e1::NormalProvisions));
  } else {
    r.set(e1::NormalExpenses, 0.0);
    r.set(e1::NormalProvisions, 0.0);
  }

  if (r.byte(e1::SimplifiedModality) == kMarked) {
    r.set(e1::SimplifiedBase, r.get(e1::TotalIncome) - r.get(e1::TotalExpenses));
    const double base = r.get(e1::SimplifiedBase);
    r.set(e1::SimplifiedAllowance, base > 0 ? tv::Redondea(kSimplifiedAllowanceRate * base, 2) : 0.0);
    r.set(e1::SimplifiedExpenses, r.get(e1::TotalExpenses) + r.get(e1::SimplifiedAllowance));
  } else {
    r.set(e1::SimplifiedBase, 0.0);
    r.set(e1::SimplifiedAllowance, 0.0);
    r.set(e1::SimplifiedExpenses, 0.0);
  }

  r.set(e1::NetYield, r.get(e1::TotalIncome) - r.get(e1::NormalExpenses) - r.get(e1::SimplifiedExpenses));
  r.set(e1::NetAfterReduction, r.get(e1::NetYield) - r.get(e1::Reduction));
}

}  // namespace

TALLYVEX_API void Calculos100E1(void* secE1) {
  for (std::size_t i = 0; i < e1::kRows; ++i) Row(secE1, i);
  e1::NetYields.store(secE1, tv::SumByHolder(secE1, {{e1::Holder, e1::NetAfterReduction, e1::kRows, e1::kRowSize}}));
}
