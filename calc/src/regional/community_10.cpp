// Community 10: every turn recomputes all four vectors for every column.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c10;

constexpr int kYoungAge = 36;  // this age and above get nothing
constexpr double kYoungRate = 0.03;
constexpr double kYoungCeiling = 270.46;  // 270.4554 rounded
constexpr double kIncomeLimit = 18000.0;
constexpr double kSmallWork = 120.0;
constexpr double kSmallWorkLimit = 15000.0;
constexpr double kOtherIncomeLimit = 600.0;
constexpr double kFirstShareRate = 0.1;
constexpr double kSecondShareRate = 0.05;
constexpr double kSharedCeiling = 300.0;

// Income of every column with (Y1) or without (Y2) the two vectors of section A.
void incomes(const Records& r, Vec& y1, Vec& y2) {
  const Vec rows = activityIncome(r, {in::sec_e1::kNet, in::sec_e4::kNet, in::sec_e5::kNet,
                                      {in::sec_f1::kAmount24, in::sec_f1::kAmount72, in::sec_f1::kAmount96}});
  Vec f2 = load(r.secF2, in::sec_f2::Net);
  for (double& x : f2)
    if (x < 0.0) x = 0.0;
  const Vec a1200 = load(r.secA, in::sec_a::NetIncome), a960 = load(r.secA, in::sec_a::Income960);
  const Vec b = load(r.secB, in::sec_b::NetYield), cc = load(r.secC, in::sec_c::Net), d = load(r.secD, in::sec_d::Net);
  const Vec f3 = load(r.secF3, in::sec_f3::Net), f4 = load(r.secF4, in::sec_f4::Net), f5 = load(r.secF5, in::sec_f5::Net);
  const Vec g0 = load(r.secG6, in::sec_g6::Gains0), g40 = load(r.secG6, in::sec_g6::Losses40);
  const Vec g160 = load(r.secG6, in::sec_g6::Gains160), g200 = load(r.secG6, in::sec_g6::Losses200);
  Sumatorio5PorTitulares(y1, {{rows.data(), 1.0}, {a1200.data(), 1.0}, {a960.data(), 1.0}, {b.data(), 1.0},
                              {cc.data(), 1.0}, {d.data(), 1.0}, {f2.data(), 1.0}, {f3.data(), 1.0},
                              {f4.data(), 1.0}, {f5.data(), 1.0}, {g0.data(), 1.0}, {g40.data(), -1.0},
                              {g160.data(), 1.0}, {g200.data(), -1.0}});
  Sumatorio5PorTitulares(y2, {{rows.data(), 1.0}, {b.data(), 1.0}, {cc.data(), 1.0}, {d.data(), 1.0},
                              {f2.data(), 1.0}, {f3.data(), 1.0}, {f4.data(), 1.0}, {f5.data(), 1.0},
                              {g0.data(), 1.0}, {g40.data(), -1.0}, {g160.data(), 1.0}, {g200.data(), -1.0}});
}

void YoungLowIncome(Records& r, const Vec& y1) {
  Vec v = splitRows(r.p, c::YoungLowIncomeRows);
  for (std::size_t k = 1; k <= 2; ++k) {
    if (age(r, static_cast<int>(k)) >= kYoungAge) {
      v[k] = 0.0;
    } else {
      v[k] = rnd(kYoungRate * v[k]);
      if (v[k] > kYoungCeiling) v[k] = kYoungCeiling;
    }
  }
  v[0] = v[1] + v[2];
  if (v[0] > kYoungCeiling) v[0] = kYoungCeiling;
  for (std::size_t k = 0; k <= 2; ++k)
    if (y1[k] > kIncomeLimit) v[k] = 0.0;
  store(r.p, c::YoungLowIncome, v);
}

void SmallWorkIncome(Records& r, const Vec& y2) {
  Vec v{};
  for (std::size_t k = 1; k <= 4; ++k) {
    const int kk = static_cast<int>(k);
    const double s = col(r.secA, in::sec_a::WorkIncome1, kk) + col(r.secA, in::sec_a::WorkIncome2, kk) +
                     col(r.secA, in::sec_a::WorkIncome3, kk);
    if (s > 0.0 && !(s > kSmallWorkLimit) && !(y2[k] > kOtherIncomeLimit)) {
      v[k] = kSmallWork;
      v[0] = v[0] + kSmallWork;
    }
  }
  store(r.p, c::SmallWorkIncome, v);
}

// 10.3 and 10.4 share one ceiling; 10.3 takes its part first.
void Shares(Records& r) {
  Vec first = splitRows(r.p, c::FirstShareRows);
  for (std::size_t k = 0; k <= 2; ++k) {
    first[k] = rnd(kFirstShareRate * first[k]);
    if (first[k] > kSharedCeiling) first[k] = kSharedCeiling;
  }
  store(r.p, c::FirstShare, first);
  Vec second = splitRows(r.p, c::SecondShareRows);
  for (std::size_t k = 0; k <= 2; ++k) {
    second[k] = rnd(kSecondShareRate * second[k]);
    const double left = kSharedCeiling - first[k];
    if (second[k] > left) second[k] = left;
    if (second[k] < 0.0) second[k] = 0.0;
  }
  store(r.p, c::SecondShare, second);
}

}  // namespace

void Community10(Records& r, int) {
  Vec y1{}, y2{};
  incomes(r, y1, y2);
  YoungLowIncome(r, y1);
  SmallWorkIncome(r, y2);
  Shares(r);
}

}  // namespace tv::regional
