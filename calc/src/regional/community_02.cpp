// Community 2: birth or adoption of a third or later child.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c02;

constexpr double kPerChild = 600.0;
constexpr double kPerChildHighIncome = 500.0;
constexpr double kIncomeLimit = 32500.0;

double afterMinimum(const Records& r, int k) {
  return col(r.secI, in::sec_i::GeneralBaseAfterMinimum, k) + col(r.secI, in::sec_i::SpecialBaseAfterMinimum, k);
}

}  // namespace

void Community02(Records& r, int m) {
  const void* p = r.p;
  Vec v = load(p, c::Births);
  v[m] = 0.0;
  const double common = c::CommonCount.get(p);
  const double decl = q(c::DeclarantCount.get(p), c::DeclarantEntitled.get(p));
  const double spouse = q(c::SpouseCount.get(p), c::SpouseEntitled.get(p));
  if (m == kDeclarant || m == kSpouse) {
    // The individual test adds the bases of all four persons.
    double income = 0.0;
    for (int k = 1; k <= 4; ++k) income = income + afterMinimum(r, k);
    const double amount = income > kIncomeLimit || marked(p, c::HighIncomeMark) ? kPerChildHighIncome : kPerChild;
    v[m] = rnd(((m == kDeclarant ? decl : spouse) + 0.5 * common) * amount);
  } else if (m == kUnit) {
    const double amount = afterMinimum(r, 0) > kIncomeLimit ? kPerChildHighIncome : kPerChild;
    v[0] = rnd((decl + common + spouse) * amount);
  }
  store(r.p, c::Births, v);
}

}  // namespace tv::regional
