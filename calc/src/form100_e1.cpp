// Section E1: economic activities in direct estimation. Sums inside a row stay unrounded; only
// the simplified allowance is rounded.
#include "data/blocks/form100_e1.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace e1 = f100::sec_e1;

constexpr unsigned char kMarked = 1;
constexpr double kSimplifiedAllowanceRate = 0.05;

void Row(void* rec, std::size_t i) {
  auto field = [i](blocks::F64 f) { return f(i, e1::kRowSize); };
  auto get = [&](blocks::F64 f) { return field(f).get(rec); };
  auto set = [&](blocks::F64 f, double v) { field(f).set(rec, v); };

  set(e1::Income1, get(e1::Income1Entered));
  set(e1::Income2, get(e1::Income2Entered));
  set(e1::Income3, get(e1::Income3Entered));
  set(e1::TotalIncome, get(e1::Income1) + get(e1::Income2) + get(e1::Income3));

  double expenses = 0.0;
  for (std::size_t e = 0; e < e1::kExpenseItems; ++e) expenses += get(e1::Expense(e));
  set(e1::TotalExpenses, expenses);

  if (e1::NormalModality(i, e1::kRowSize).get(rec) == kMarked) {
    set(e1::NormalExpenses, get(e1::TotalExpenses) + get(e1::NormalProvisions));
  } else {
    set(e1::NormalExpenses, 0.0);
    set(e1::NormalProvisions, 0.0);
  }

  if (e1::SimplifiedModality(i, e1::kRowSize).get(rec) == kMarked) {
    set(e1::SimplifiedBase, get(e1::TotalIncome) - get(e1::TotalExpenses));
    const double base = get(e1::SimplifiedBase);
    set(e1::SimplifiedAllowance, base > 0 ? tv::Redondea(kSimplifiedAllowanceRate * base, 2) : 0.0);
    set(e1::SimplifiedExpenses, get(e1::TotalExpenses) + get(e1::SimplifiedAllowance));
  } else {
    set(e1::SimplifiedBase, 0.0);
    set(e1::SimplifiedAllowance, 0.0);
    set(e1::SimplifiedExpenses, 0.0);
  }

  set(e1::NetYield, get(e1::TotalIncome) - get(e1::NormalExpenses) - get(e1::SimplifiedExpenses));
  set(e1::NetAfterReduction, get(e1::NetYield) - get(e1::Reduction));
}

}  // namespace

TALLYVEX_API void Calculos100E1(void* secE1) {
  for (std::size_t i = 0; i < e1::kRows; ++i) Row(secE1, i);
  e1::NetYields.store(secE1, tv::SumByHolder(secE1, {{e1::Holder, e1::NetAfterReduction, e1::kRows, e1::kRowSize}}));
}
