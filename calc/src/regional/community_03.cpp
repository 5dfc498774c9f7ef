// Community 3: eight deductions with the income limits 22000 (persons) and 31000 (joint).
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c03;

constexpr double kIndividualLimit = 22000.0;
constexpr double kJointLimit = 31000.0;
constexpr double kPerPerson = 300.0;
constexpr double kDisabilityRate = 0.03;
constexpr double kDisabilityCeiling = 12020.24;
constexpr double kRelativesRate = 0.03;
constexpr double kRelativesSharedLimit = 12020.24;
constexpr double kPerMark = 100.0;
constexpr double kRentRate = 0.05;
constexpr double kRentShareOfBase = 0.15;
constexpr double kRentCeiling = 250.0;
constexpr int kYoungAge = 30;
constexpr double kYoungOrFamily = 150.0;
constexpr double kOther = 60.0;
constexpr double kQuotaShareRate = 0.2;
constexpr double kQuotaShareOfRegionalQuota = 0.95;

double base(const Records& r, int k) { return incomeGeneralSpecial(r, k); }
double limitOf(int k) { return k == kUnit ? kJointLimit : kIndividualLimit; }

void PerPerson(Records& r, int m) {
  const void* p = r.p;
  Vec v = load(p, c::PerPerson);
  v[m] = 0.0;
  const double common = c::PersonsCommon.get(p);
  const double decl = q(c::PersonsDeclarant.get(p), c::SharersDeclarant.get(p));
  const double spouse = q(c::PersonsSpouse.get(p), c::SharersSpouse.get(p));
  if (m <= kSpouse && !(base(r, m) > limitOf(m))) {
    if (m == kDeclarant) v[1] = rnd(kPerPerson * (decl + 0.5 * common));
    else if (m == kSpouse) v[2] = rnd(kPerPerson * (spouse + 0.5 * common));
    else v[0] = rnd(kPerPerson * (decl + spouse + common));
  }
  store(r.p, c::PerPerson, v);
}

void SevereDisability(Records& r) {
  Vec paid = splitRows(r.p, c::SevereDisabilityRows);
  LimitaVector(paid.data(), 3, {{kDisabilityCeiling, 1}, {kDisabilityCeiling, 1}, {kDisabilityCeiling, 1}});
  Vec v = load(r.p, c::SevereDisability);
  v[0] = v[1] = v[2] = 0.0;
  double joint = 0.0;
  for (int k = kDeclarant; k <= kSpouse; ++k) {
    if (disability(r, k) == '3') {
      v[k] = rnd(kDisabilityRate * paid[k]);
      joint += paid[k];
    }
  }
  if (joint >= kDisabilityCeiling) joint = kDisabilityCeiling;
  v[0] = rnd(kDisabilityRate * joint);
  store(r.p, c::SevereDisability, v);
}

void RelativesHousing(Records& r) {
  Vec paid = splitRows(r.p, c::RelativesHousingRows);
  const double taxpayers = c::RelativesHousingTaxpayers.get(r.p);
  Vec v = load(r.p, c::RelativesHousing);
  for (int k = kDeclarant; k <= kSpouse; ++k) {
    v[k] = 0.0;
    if (taxpayers != 0.0 && rnd(kRelativesSharedLimit / taxpayers) < paid[k])
      paid[k] = rnd(kRelativesSharedLimit / taxpayers);
    v[k] = rnd(kRelativesRate * paid[k]);
  }
  v[0] = v[1] + v[2];
  store(r.p, c::RelativesHousing, v);
}

void Marked(Records& r, int m) {
  const bool decl = marked(r.p, c::MarkDeclarant), spouse = marked(r.p, c::MarkSpouse);
  double d = 0.0;
  if (m == kDeclarant) d = decl ? kPerMark : 0.0;
  else if (m == kSpouse) d = spouse ? kPerMark : 0.0;
  else if (m == kUnit) d = (decl ? kPerMark : 0.0) + (spouse ? kPerMark : 0.0);
  c::Marked.set(r.p, m, d);
}

void Rent(Records& r, int m) {
  void* p = r.p;
  const Vec rent = splitRows(p, c::RentRows);
  const Identifications ids = collectIdentifications(p, c::RentRows, sp::kRowNif);
  c::Rent.set(p, m, 0.0);
  if (m > kSpouse) return;
  if (!(rnd(kRentShareOfBase * base(r, m)) < rent[m])) return;
  if (col(r.summary, f100::summary::StateZeduDeduction, m) != 0.0) return;
  if (base(r, m) > limitOf(m)) return;
  double d = rnd(kRentRate * rent[m]);
  if (d > kRentCeiling) d = kRentCeiling;
  c::Rent.set(p, m, d);
  if (!(d > 0.0)) return;
  if (m == kDeclarant) fillFromIdentifications(p, sp::CounterpartyNif(1), ids, {2, 1});
  else if (m == kSpouse) fillFromIdentifications(p, sp::CounterpartyNif(2), ids, {3, 1});
  else fillFromIdentifications(p, sp::CounterpartyNif(0), ids, {1, 2, 3});
}

// F's condition: the F mark, and under 30 or marked as a family member.
bool youngOrFamily(const Records& r, int person) {
  return marked(r.p, c::YoungOrFamilyMark(static_cast<std::size_t>(person - 1))) &&
         (age(r, person) < kYoungAge || familyMark(r, person));
}

void YoungOrFamily(Records& r, int m) {
  c::YoungOrFamily.set(r.p, m, perPerson(m, kYoungOrFamily, [&](int p) { return youngOrFamily(r, p); }));
}

void Other(Records& r, int m) {
  double d = 0.0;
  if (m >= 1) {
    if (c::YoungOrFamily.get(r.p, m) == 0.0 && !(base(r, m) > kIndividualLimit) &&
        marked(r.p, c::OtherMark(static_cast<std::size_t>(m - 1))))
      d = kOther;
  } else if (!(base(r, 0) > kJointLimit)) {
    for (int person = 1; person <= 4; ++person)
      if (marked(r.p, c::OtherMark(static_cast<std::size_t>(person - 1))) && !youngOrFamily(r, person)) d += kOther;
  }
  c::Other.set(r.p, m, d);
}

void QuotaShare(Records& r) {
  const Vec paid = splitRows(r.p, c::QuotaShareRows);
  Vec v = load(r.p, c::QuotaShare);
  for (int k = 0; k <= kSpouse; ++k) {
    v[k] = rnd(kQuotaShareRate * paid[k]);
    const double limit = rnd(kQuotaShareOfRegionalQuota * col(r.summary, in::summary::RegionalGrossQuota, k));
    if (limit < v[k]) v[k] = limit;
  }
  store(r.p, c::QuotaShare, v);
}

}  // namespace

void Community03(Records& r, int m) {
  PerPerson(r, m);
  SevereDisability(r);
  RelativesHousing(r);
  Marked(r, m);
  Rent(r, m);
  YoungOrFamily(r, m);
  Other(r, m);
  QuotaShare(r);
}

}  // namespace tv::regional
