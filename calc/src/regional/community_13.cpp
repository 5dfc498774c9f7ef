// Community 13: young people's housing within the margin under 9015.18, a percentage within the
// shared 10-percent limit, and a low-income percentage.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c13;

constexpr double kHousingLimit = 9015.18;
constexpr int kYoungAge = 35;  // above gets nothing
constexpr double kLowRate = 0.05, kHighRate = 0.03;
constexpr double kLowRateGeneralLimit = 16527.83;  // below
constexpr double kLowRateSpecialLimit = 1652.78;
constexpr double kYoungCeiling = 300.0;
constexpr double kShareOfTaxableBases = 0.1;
constexpr double kSharedLimitRate = 0.3;
constexpr double kLowIncomeRate = 0.15;
constexpr double kLowIncomeJointCeiling = 300.0;
constexpr double kLowIncomeCeiling = 150.0;
constexpr double kLowIncomeGeneralLimit = 12020.24;       // from this base up, nothing
constexpr double kLowIncomeCoupleGeneralLimit = 21035.42;  // likewise, married couples' unit
constexpr double kLowIncomeSpecialLimit = 1202.02;

double general(const Records& r, int k) { return col(r.secK, in::sec_k::GeneralTaxableBase, k); }
double special(const Records& r, int k) { return col(r.secK, in::sec_k::SpecialTaxableBase, k); }

}  // namespace

double housingMargin(const Records& r, int k) {
  double m = kHousingLimit;
  for (std::size_t i = 0; i < 5; ++i) m = m - col(r.secO, in::sec_o::HousingLimitUsed(i), k);
  return m;
}

namespace {

void YoungHousing(Records& r) {
  Vec x = splitRows(r.p, c::YoungHousingRows);
  if (age(r, 1) > kYoungAge) x[1] = 0.0;
  if (age(r, 2) > kYoungAge || !marriedCouple(r)) x[2] = 0.0;
  x[0] = x[1] + x[2];
  Vec v = load(r.p, c::YoungHousing);
  for (std::size_t k = 0; k <= 2; ++k) {
    const int kk = static_cast<int>(k);
    double margin = housingMargin(r, kk);
    if (margin < 0.0) margin = 0.0;
    if (x[k] > margin) x[k] = margin;
    const double rate =
        general(r, kk) < kLowRateGeneralLimit && !(special(r, kk) > kLowRateSpecialLimit) ? kLowRate : kHighRate;
    v[k] = rnd(rate * x[k]);
    if (v[k] > kYoungCeiling) v[k] = kYoungCeiling;
  }
  store(r.p, c::YoungHousing, v);
}

void SharedLimit(Records& r) {
  Vec x = splitRows(r.p, c::SharedLimitRows);
  Vec v{};
  for (std::size_t k = 0; k < 5; ++k) {
    const int kk = static_cast<int>(k);
    const double limit = rnd(kShareOfTaxableBases * taxableBases(r, kk) - col(r.secO, in::sec_o::TenPercentUsedSecond, kk) -
                             col(r.secO, in::sec_o::TenPercentUsedFirst, kk));
    LimitaVector(&x[k], 1, {{limit, 1}});
    LimitaVector(&x[k], 1, {{0.0, 0}});
    v[k] = rnd(kSharedLimitRate * x[k]);
  }
  store(r.p, c::SharedLimit, v);
}

void LowIncome(Records& r) {
  Vec y = activityIncome(r, {in::sec_e1::kYield, in::sec_e4::kYield, in::sec_e5::kYield, {in::sec_f1::kAmount96}});
  const Vec a1 = load(r.secA, in::sec_a::WorkIncome1), a2 = load(r.secA, in::sec_a::WorkIncome2),
            a3 = load(r.secA, in::sec_a::WorkIncome3);
  Sumatorio5PorTitulares(y, {{y.data(), 1.0}, {a1.data(), 1.0}, {a2.data(), 1.0}, {a3.data(), 1.0}});
  const bool flag = r.joint == 1 && marriedCouple(r) ? y[1] > 0.0 && y[2] > 0.0 : y[1] > 0.0;

  Vec v = splitRows(r.p, c::LowIncomeRows);
  for (double& x : v) x = rnd(kLowIncomeRate * x);
  LimitaVector(v.data(), 5,
               {{kLowIncomeJointCeiling, 1}, {kLowIncomeCeiling, 1}, {kLowIncomeCeiling, 1}, {kLowIncomeCeiling, 1},
                {kLowIncomeCeiling, 1}});
  for (int k = 1; k <= 2; ++k)
    if (!flag || general(r, k) >= kLowIncomeGeneralLimit || special(r, k) > kLowIncomeSpecialLimit)
      v[static_cast<std::size_t>(k)] = 0.0;
  if (!flag || special(r, 0) > kLowIncomeSpecialLimit) {
    v[0] = 0.0;
  } else if (marriedCouple(r)) {
    if (general(r, 0) >= kLowIncomeCoupleGeneralLimit) v[0] = 0.0;
  } else if (general(r, 0) >= kLowIncomeGeneralLimit) {
    v[0] = 0.0;
  } else if (v[0] > kLowIncomeCeiling) {
    v[0] = kLowIncomeCeiling;
  }
  store(r.p, c::LowIncome, v);
}

}  // namespace

void Community13(Records& r, int) {
  YoungHousing(r);
  SharedLimit(r);
  LowIncome(r);
}

}  // namespace tv::regional
