// Community 9: children, a percentage limited by the regional quota, rent with the landlord's
// identification, an amount taken whole and one percent.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c09;

constexpr double kPerChild = 150.0;
constexpr double kPerCommonChildJoint = 300.0;
constexpr double kQuotaShareRate = 0.15;
constexpr double kQuotaShareOfRegionalQuota = 0.1;
constexpr int kYoungAge = 33;    // under
constexpr int kElderlyAge = 64;  // above
constexpr double kRentRate = 0.1;
constexpr double kRentShareOfIncome = 0.1;
constexpr double kIndividualBaseLimit = 20000.0;
constexpr double kJointBaseLimit = 30000.0;
constexpr double kRentPerDwelling = 600.0;
constexpr double kRentCeiling = 300.0;
constexpr double kRentCeilingLarge = 600.0;  // large families and the joint column
constexpr double kOnePercent = 0.01;

void Children(Records& r, int m) {
  const void* p = r.p;
  const double common = c::ChildrenCommon.get(p), decl = c::ChildrenDeclarant.get(p), spouse = c::ChildrenSpouse.get(p);
  double d = 0.0;
  if (m == kDeclarant) d = rnd((common + decl) * kPerChild);
  else if (m == kSpouse) d = rnd((common + spouse) * kPerChild);
  else if (m == kUnit)
    d = marriedCouple(r) ? rnd(kPerCommonChildJoint * common + (decl + spouse) * kPerChild) : rnd((common + decl) * kPerChild);
  c::Children.set(r.p, m, d);
}

void QuotaShare(Records& r) {
  Vec v = splitRows(r.p, c::QuotaShareRows);
  for (std::size_t k = 0; k < 5; ++k) {
    v[k] = rnd(kQuotaShareRate * v[k]);
    const double limit = rnd(kQuotaShareOfRegionalQuota * col(r.summary, in::summary::RegionalGrossQuota, static_cast<int>(k)));
    if (v[k] > limit) v[k] = limit;
  }
  store(r.p, c::QuotaShare, v);
}

bool qualifiesForRent(const Records& r, int m) {
  const void* p = r.p;
  const bool large = marked(p, c::LargeFamily);
  const bool elderlyDeclarant = in::family::Community9Mark(1).get(r.family) != 0 && age(r, 1) > kElderlyAge;
  switch (m) {
    case kDeclarant:
      return age(r, 1) < kYoungAge || marked(p, c::UnemployedDeclarant) || disability(r, 1) == '3' ||
             elderlyDeclarant || large;
    case kSpouse:
      return age(r, 2) < kYoungAge || marked(p, c::UnemployedSpouse) || disability(r, 2) == '3' || large;
    case kUnit:
      return age(r, 1) < kYoungAge || (marriedCouple(r) && age(r, 2) < kYoungAge) ||
             marked(p, c::UnemployedDeclarant) || marked(p, c::UnemployedSpouse) || disability(r, 1) == '3' ||
             disability(r, 2) == '3' || elderlyDeclarant || large;
    default:
      return false;
  }
}

void Rent(Records& r, int m) {
  void* p = r.p;
  const sp::Rows& rows = c::RentRows;
  const Vec rent = splitRows(p, rows);
  Vec income = activityIncome(r, {in::sec_e1::kNet, in::sec_e4::kNet, in::sec_e5::kNet,
                                  {in::sec_f1::kAmount24, in::sec_f1::kAmount72, in::sec_f1::kAmount96}});
  const Vec a = load(r.secA, in::sec_a::NetIncome), b = load(r.secB, in::sec_b::NetYield),
            cc = load(r.secC, in::sec_c::Net), d = load(r.secD, in::sec_d::Net);
  Sumatorio5PorTitulares(income, {{income.data(), 1.0}, {a.data(), 1.0}, {b.data(), 1.0}, {cc.data(), 1.0}, {d.data(), 1.0}});

  c::Rent.set(p, m, 0.0);
  if (!qualifiesForRent(r, m)) return;
  const double bases = col(r.secI, in::sec_i::GeneralBaseAfterMinimum, m) + col(r.secI, in::sec_i::SpecialBase, m);
  if (!(rent[m] > rnd(kRentShareOfIncome * income[m])) ||
      bases > (m == kUnit ? kJointBaseLimit : kIndividualBaseLimit) ||
      col(r.summary, f100::summary::StateZeduDeduction, m) != 0.0)
    return;

  const double ceiling = marked(p, c::LargeFamily) || m == kUnit ? kRentCeilingLarge : kRentCeiling;
  double v = 0.0;
  bool nifGiven = false;
  for (int j = 0; j < rows.count; ++j) {
    const int code = holder(p, rows.code(j));
    if (code == 0) continue;
    if (m == kDeclarant && code != 2 && code != 1) continue;
    if (m == kSpouse && code != 3 && code != 1) continue;
    double x = rnd(kRentRate * rows.f64(j, sp::kRowAmount).get(p));
    if (m != kUnit && code == 1) x = rnd(0.5 * x);
    const double persons = rows.f64(j, c::kRentEntitled).get(p);
    double entryCeiling = 0.0;
    if (persons != 0.0)
      entryCeiling = m == kUnit && code == 1 ? rnd(kRentPerDwelling / persons + kRentPerDwelling / persons)
                                             : rnd(kRentPerDwelling / persons);
    if (x > entryCeiling) x = entryCeiling;
    v += x;
    if (v > ceiling) v = ceiling;
    const blocks::Text nif = rows.nif(j, sp::kRowNif);
    if (!nifGiven && v > 0.0 && nifPresent(p, nif) && (m != kUnit || code == 1 || code == 2)) {
      nifGiven = true;
      fillSlotIfEmpty(p, sp::CounterpartyNif(static_cast<std::size_t>(m)), nif);
    }
  }
  c::Rent.set(p, m, v);
}

void Whole(Records& r) { store(r.p, c::Whole, splitRows(r.p, c::WholeRows)); }


}  // namespace

void Community09(Records& r, int m) {
  Children(r, m);
  QuotaShare(r);
  Rent(r, m);
  Whole(r);
  PercentOfRows(r, {c::OnePercent, c::OnePercentRows, kOnePercent});
}

}  // namespace tv::regional
