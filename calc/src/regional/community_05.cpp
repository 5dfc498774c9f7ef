// Community 5: three percentages of amounts entered, limited by the regional quota, and the
// deduction per descendant studying away from home.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c05;

constexpr RatedRows kPercentages[3] = {{c::Deduction1, c::Rows1, 0.1},
                                        {c::Deduction2, c::Rows2, 0.2},
                                        {c::Deduction3, c::Rows3, 0.1}};
constexpr double kPercentageShareOfQuota = 0.1;
constexpr double kWithinIslands = 300.0;
constexpr double kOutsideIslands = 600.0;
constexpr double kIndividualIncomeLimit = 60000.0;  // below
constexpr double kJointIncomeLimit = 80000.0;       // below
constexpr double kStudiesShareOfQuota = 0.4;

double quota(const Records& r, int k) { return col(r.summary, in::summary::RegionalGrossQuota, k); }

// Income total of a column: the parts of the base less two gains vectors.
double incomeTotal(const Records& r, int k) {
  return col(r.secH, in::sec_h::Part0, k) + col(r.secH, in::sec_h::Part112, k) + col(r.secH, in::sec_h::Part384, k) -
         col(r.secG6, in::sec_g6::Vector120, k) - col(r.secG6, in::sec_g6::Vector280, k);
}

void Percentages(Records& r) {
  for (const RatedRows& d : kPercentages) {
    Vec v = splitRows(r.p, d.rows);
    for (std::size_t k = 0; k <= 2; ++k) {
      v[k] = rnd(d.rate * v[k]);
      const double limit = rnd(kPercentageShareOfQuota * quota(r, static_cast<int>(k)));
      if (limit < v[k]) v[k] = limit;
    }
    store(r.p, d.result, v);
  }
}

void StudiesAway(Records& r, int m) {
  const void* p = r.p;
  Vec v = load(p, c::StudiesAway);
  v[m] = 0.0;
  bool computed = false;
  const double inCommon = c::IslandsCommon.get(p), outCommon = c::OutsideCommon.get(p);
  if (m == kDeclarant || m == kSpouse) {
    const bool decl = m == kDeclarant;
    const double exempt = (decl ? c::ExemptDeclarant : c::ExemptSpouse).get(p);
    const double entitled = (decl ? c::EntitledDeclarant : c::EntitledSpouse).get(p);
    const double in = (decl ? c::IslandsDeclarant : c::IslandsSpouse).get(p);
    const double out = (decl ? c::OutsideDeclarant : c::OutsideSpouse).get(p);
    if (rnd(incomeTotal(r, m) + exempt) < kIndividualIncomeLimit) {
      if (entitled != 0.0)
        v[m] = rnd((in / entitled + 0.5 * inCommon) * kWithinIslands + (out / entitled + 0.5 * outCommon) * kOutsideIslands);
      else
        v[m] = rnd(0.5 * inCommon * kWithinIslands + 0.5 * outCommon * kOutsideIslands);
      computed = true;
    }
  } else if (m == kUnit) {
    if (rnd(incomeTotal(r, 0) + c::ExemptSpouse.get(p) + c::ExemptDeclarant.get(p)) < kJointIncomeLimit) {
      const double a = q(c::IslandsDeclarant.get(p), c::EntitledDeclarant.get(p)) +
                       q(c::IslandsSpouse.get(p), c::EntitledSpouse.get(p));
      const double b = q(c::OutsideDeclarant.get(p), c::EntitledDeclarant.get(p)) +
                       q(c::OutsideSpouse.get(p), c::EntitledSpouse.get(p));
      v[0] = rnd((a + inCommon) * kWithinIslands + (b + outCommon) * kOutsideIslands);
      computed = true;
    }
  }
  if (computed) {
    const double share = rnd(kStudiesShareOfQuota * quota(r, m));
    if (share < v[m]) v[m] = share;
    const double left = quota(r, m) - c::Deduction1.get(p, m) - c::Deduction2.get(p, m) - c::Deduction3.get(p, m);
    if (left < v[m]) v[m] = left;
    if (v[m] < 0.0) v[m] = 0.0;
  }
  store(r.p, c::StudiesAway, v);
}

}  // namespace

void Community05(Records& r, int m) {
  Percentages(r);
  StudiesAway(r, m);
}

}  // namespace tv::regional
