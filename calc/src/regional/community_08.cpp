// Community 8: the family deduction, children by birth order, paid-less-received and two
// percentages limited by the taxable bases.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c08;

constexpr double kFamilyBase = 225.0;
constexpr double kFamilyBaseDisability = 450.0;
constexpr double kPerPersonBeyondThird = 100.0;
constexpr double kPerChild[3] = {100.0, 250.0, 500.0};
constexpr double kPaidRate = 0.3;
constexpr double kJointPaidLimit = 30000.0, kJointPaidCeiling = 300.0;
constexpr double kIndividualPaidLimit = 18000.0, kIndividualPaidCeiling = 150.0;
constexpr double kShareRate = 0.15;

struct FamilyCounts {
  int n1 = 0, s1 = 0, s0 = 0, n0 = 0;
};
FamilyCounts familyCounts(const Records& r) {
  namespace d = in::family::descendant;
  FamilyCounts n;
  for (int i = 0; i < f100::family::kDescendantCount; ++i) {
    if (!d::Used(i).isSet(r.family)) continue;
    const bool f134 = d::Flag134(i).get(r.family) == 0, f135 = d::Flag135(i).get(r.family) == 0;
    const unsigned char situation = d::Situation(i).get(r.family);
    if (f134 && f135) ++n.n1;
    if (situation == '3' && f134 && f135) ++n.s1;
    if (situation == '3' && f134) ++n.s0;
    if (f134 && (d::Age(i).get(r.family) < 18 || situation == '2' || situation == '4' || f135)) ++n.n0;
  }
  return n;
}

void Family(Records& r, int m, const FamilyCounts& n) {
  const void* p = r.p;
  Vec v = load(p, c::Family);
  v[m] = 0.0;
  if (c::FamilyClaim.get(p) == 1 && m <= kSpouse) {
    const int h = c::FamilyHolder.get(p);
    const double entitled = c::FamilyEntitled.get(p);
    const bool severe = disability(r, 1) == '3' || disability(r, 2) == '3';
    const int counted = m == kUnit ? n.n0 : n.n1;
    const double base = severe || (m == kUnit ? n.s0 : n.s1) > 0 ? kFamilyBaseDisability : kFamilyBase;
    const double extra = counted > 3 ? rnd((counted - 3) * kPerPersonBeyondThird) : 0.0;
    if (m == kUnit) {
      if (h == 1) v[0] = base + extra;
      else if (entitled != 0.0) v[0] = rnd((base + extra) / entitled);
    } else if (h == 1) {
      v[m] = rnd((base + extra) * 0.5);
    } else if (h == m + 1 && entitled != 0.0) {
      v[m] = rnd((base + extra) / entitled);
    }
  }
  store(r.p, c::Family, v);
}

void Children(Records& r, int m) {
  const void* p = r.p;
  const double qd = c::ChildrenShared.get(p) == 1 ? 2.0 : 1.0;
  double d = 0.0;
  for (std::size_t k = 0; k < 3; ++k) {
    const double common = c::ChildrenCommon(k).get(p);
    const double decl = c::ChildrenDeclarant(k).get(p), spouse = c::ChildrenSpouse(k).get(p);
    if (m == kDeclarant) d += rnd((decl / qd + 0.5 * common) * kPerChild[k]);
    else if (m == kSpouse) d += rnd((spouse / qd + 0.5 * common) * kPerChild[k]);
    else if (m == kUnit) d += rnd((decl / qd + spouse / qd + common) * kPerChild[k]);
  }
  c::Children.set(r.p, m, d);
}

void PaidLessReceived(Records& r) {
  Vec v = splitRows(r.p, c::PaidRows, c::kPaid);
  const Vec w = splitRows(r.p, c::PaidRows, c::kReceived);
  for (std::size_t k = 0; k <= 2; ++k) {
    const double limit = k == 0 ? kJointPaidLimit : kIndividualPaidLimit;
    const double ceiling = k == 0 ? kJointPaidCeiling : kIndividualPaidCeiling;
    const int kk = static_cast<int>(k);
    if (rnd(col(r.secI, in::sec_i::SpecialBaseAfterMinimum, kk) + col(r.secI, in::sec_i::GeneralBaseAfterMinimum, kk)) >
        limit) {
      v[k] = 0.0;
      continue;
    }
    const double paid = v[k];
    v[k] = rnd(kPaidRate * paid);
    if (v[k] > ceiling) v[k] = ceiling;
    if (v[k] + w[k] > paid) v[k] = rnd(paid - w[k]);
    if (v[k] < 0.0) v[k] = 0.0;
  }
  store(r.p, c::PaidLessReceived, v);
}

// 8.4 and 8.5 are each limited to 10 percent of the taxable bases, independently.
void Share(Records& r, blocks::Vec5 result, const sp::Rows& rows) {
  Vec t = splitRows(r.p, rows);
  capAtTenPercentOfTaxableBases(r, t);
  Vec v{};
  for (std::size_t k = 0; k < 5; ++k) v[k] = rnd(kShareRate * t[k]);
  store(r.p, result, v);
}

}  // namespace

void Community08(Records& r, int m) {
  const FamilyCounts counts = familyCounts(r);
  Family(r, m, counts);
  Children(r, m);
  PaidLessReceived(r);
  Share(r, c::FirstShare, c::FirstShareRows);
  Share(r, c::SecondShare, c::SecondShareRows);
}

}  // namespace tv::regional
