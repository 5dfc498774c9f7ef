// Community 16: per-item amounts, young people's housing within what the housing deduction leaves
// of the margin, and the housing deduction itself.
#include "calc/src/regional/regional.h"

namespace tv::regional {

namespace {
namespace c = sp::c16;

constexpr double kHousingRate = 0.07;
constexpr double kHousingBaseCeiling = 6439.36;
constexpr double kHousingCeiling = 450.76;
constexpr int kYoungAge = 36;  // under; above 35 gets nothing
constexpr double kYoungRate = 0.03;
constexpr double kJointIncomeLimit = 30050.61;
constexpr double kIndividualIncomeLimit = 18030.36;

void PerItem(Records& r, int m) {
  const void* p = r.p;
  const double divisor = c::PerItemShared.get(p) == 1 ? 2.0 : 1.0;
  double d = 0.0;
  if (m <= kSpouse) {
    double sum = 0.0;  // one rounding for the whole sum
    for (const c::Counts& n : c::PerItemCounts) {
      const double common = n.common.get(p), decl = n.declarant.get(p), spouse = n.spouse.get(p);
      if (m == kDeclarant) sum += (decl / divisor + 0.5 * common) * n.rate;
      else if (m == kSpouse) sum += (spouse / divisor + 0.5 * common) * n.rate;
      else sum += (decl / divisor + spouse / divisor + common) * n.rate;
    }
    d = rnd(sum);
  }
  c::PerItem.set(r.p, m, d);
}

// 16.3 comes first; its base is what 16.2 may not use again.
Vec Housing(Records& r, const Vec& margin) {
  Vec b = splitRows(r.p, c::HousingRows);
  Vec v{};
  for (std::size_t k = 0; k < 5; ++k) {
    if (b[k] > margin[k]) b[k] = margin[k];
    if (b[k] > kHousingBaseCeiling) b[k] = kHousingBaseCeiling;
    if (b[k] < 0.0) b[k] = 0.0;
    v[k] = rnd(kHousingRate * b[k]);
    if (v[k] > kHousingCeiling) v[k] = kHousingCeiling;
  }
  store(r.p, c::Housing, v);
  return b;
}

void YoungHousing(Records& r, const Vec& margin, const Vec& used) {
  Vec x = splitRows(r.p, c::YoungHousingRows);
  for (std::size_t k = 0; k < 5; ++k) {
    if (x[k] > margin[k] - used[k]) x[k] = margin[k] - used[k];
    if (x[k] < 0.0) x[k] = 0.0;
  }
  const bool declYoung = age(r, 1) < kYoungAge, spouseYoung = age(r, 2) < kYoungAge && marriedCouple(r);
  if (incomeGeneralSpecial(r, 0) > kJointIncomeLimit) {
    x[0] = 0.0;
  } else {
    x[0] = (declYoung ? x[1] : 0.0) + (spouseYoung ? x[2] : 0.0);
    if (x[0] > margin[0] - used[0]) x[0] = margin[0] - used[0];
  }
  // The unit's sum above is taken before the persons' own income tests.
  if (age(r, 1) > kYoungAge - 1 || incomeGeneralSpecial(r, 1) > kIndividualIncomeLimit) x[1] = 0.0;
  if (age(r, 2) > kYoungAge - 1 || !marriedCouple(r) || incomeGeneralSpecial(r, 2) > kIndividualIncomeLimit) x[2] = 0.0;
  Vec v{};
  Sumatorio5PorTitulares(v, {{x.data(), kYoungRate}});
  store(r.p, c::YoungHousing, v);
}

}  // namespace

void Community16(Records& r, int m) {
  PerItem(r, m);
  Vec margin{};
  for (std::size_t k = 0; k < 5; ++k) margin[k] = housingMargin(r, static_cast<int>(k));
  const Vec used = Housing(r, margin);
  YoungHousing(r, margin, used);
}

}  // namespace tv::regional
