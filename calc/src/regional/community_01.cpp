// Community 1: family aid per child, protected-housing aid, housing investment, rent, young
// people and the confirmed family mark.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c01;

constexpr double kPerAidedChild = 50.0;
constexpr double kProtectedHousingAid = 30.0;
constexpr double kInvestmentRate = 0.02;
constexpr double kInvestmentCeiling = 9015.18;
constexpr double kRentRate = 0.1;
constexpr double kRentCeilingPerContract = 150.0;
constexpr double kIndividualBaseLimit = 18000.0;
constexpr double kJointBaseLimit = 22000.0;
constexpr int kYoungAge = 35;
constexpr double kYoung = 150.0;
constexpr double kConfirmed = 300.0;

double base(const Records& r, int k) { return col(r.secI, in::sec_i::GeneralBaseAfterMinimum, k); }
bool young(const Records& r, int p) { return age(r, p) < kYoungAge; }
// The joint column's age test: the declarant, or the spouse of a married couple.
bool jointYoung(const Records& r) { return young(r, 1) || (young(r, 2) && marriedCouple(r)); }

void FamilyAid(Records& r, int m) {
  const void* p = r.p;
  Vec v = load(p, c::FamilyAid);
  v[m] = 0.0;
  const double cf = c::AidCommonFirst.get(p), cs = c::AidCommonSecond.get(p);
  const double df = q(c::AidDeclarantFirst.get(p), c::AidSharersDeclarantFirst.get(p));
  const double ds = q(c::AidDeclarantSecond.get(p), c::AidSharersDeclarantSecond.get(p));
  const double sf = q(c::AidSpouseFirst.get(p), c::AidSharersSpouseFirst.get(p));
  const double ss = q(c::AidSpouseSecond.get(p), c::AidSharersSpouseSecond.get(p));
  if (m == kDeclarant)
    v[1] = rnd(kPerAidedChild * (0.5 * cf + df) + kPerAidedChild * (0.5 * cs + ds));
  else if (m == kSpouse)
    v[2] = rnd(kPerAidedChild * (0.5 * cf + sf) + kPerAidedChild * (0.5 * cs + ss));
  else if (m == kUnit)
    v[0] = rnd(kPerAidedChild * (cf + df + sf) + kPerAidedChild * (cs + ds + ss));
  store(r.p, c::FamilyAid, v);
}

void ProtectedHousingAid(Records& r, int m) {
  const void* p = r.p;
  const bool common = marked(p, c::AidMarkCommon), decl = marked(p, c::AidMarkDeclarant),
             spouse = marked(p, c::AidMarkSpouse);
  if (m == kDeclarant)
    c::ProtectedHousingAid.set(r.p, 1, common || decl ? kProtectedHousingAid : 0.0);
  else if (m == kSpouse)
    c::ProtectedHousingAid.set(r.p, 2, common || spouse ? kProtectedHousingAid : 0.0);
  else if (m == kUnit)
    c::ProtectedHousingAid.set(r.p, 0, common || decl || spouse ? kProtectedHousingAid : 0.0);
}

void HousingInvestment(Records& r, int m) {
  Vec invested = splitRows(r.p, c::InvestmentRows);
  LimitaVector(invested.data(), 3, {{kInvestmentCeiling, 1}, {kInvestmentCeiling, 1}, {kInvestmentCeiling, 1}});
  const bool protectedDwelling = marked(r.p, c::ProtectedDwelling);
  if (m == kDeclarant || m == kSpouse) {
    double d = 0.0;
    if (!(rnd(base(r, m)) > kIndividualBaseLimit) && (young(r, m) || protectedDwelling))
      d = rnd(kInvestmentRate * invested[m]);
    c::HousingInvestment.set(r.p, m, d);
  } else if (m == kUnit) {
    double d = 0.0;
    if (!(base(r, 0) > kJointBaseLimit) && (jointYoung(r) || protectedDwelling))
      d = rnd(kInvestmentRate * invested[0]);
    c::HousingInvestment.set(r.p, 0, d);
  }
}

// Recomputed whole for the joint, declarant and spouse columns at every turn.
void Rent(Records& r) {
  void* p = r.p;
  Vec v{};
  const Identifications ids = collectIdentifications(p, c::RentRows, sp::kRowNif);
  const double zedu[3] = {col(r.summary, f100::summary::StateZeduDeduction, 0),
                          col(r.summary, f100::summary::StateZeduDeduction, 1),
                          col(r.summary, f100::summary::StateZeduDeduction, 2)};
  bool positive[3] = {false, false, false};
  auto becamePositive = [&](int k) {
    if (positive[k] || !(v[static_cast<std::size_t>(k)] > 0.0)) return;
    positive[k] = true;
    if (k == kDeclarant) fillFromIdentifications(p, sp::CounterpartyNif(1), ids, {2, 1});
    else if (k == kSpouse) fillFromIdentifications(p, sp::CounterpartyNif(2), ids, {3, 1});
    else fillFromIdentifications(p, sp::CounterpartyNif(0), ids, {1, 2, 3});
  };
  for (int i = 0; i < c::RentRows.count; ++i) {
    const int code = holder(p, c::RentRows.code(i));
    const double amount = c::RentRows.f64(i, sp::kRowAmount).get(p);
    for (int k = kDeclarant; k <= kSpouse; ++k) {
      if ((code == k + 1 || code == 1) && !(base(r, k) > kIndividualBaseLimit) && young(r, k) && zedu[k] == 0.0) {
        double x = rnd(kRentRate * amount);
        if (code == 1) x = rnd(x * 0.5);
        if (x > kRentCeilingPerContract) x = kRentCeilingPerContract;
        v[static_cast<std::size_t>(k)] += x;
        becamePositive(k);
      }
    }
    if (code != 0 && !(base(r, 0) > kJointBaseLimit) && jointYoung(r) && zedu[0] == 0.0) {
      double x = rnd(kRentRate * amount);
      if (x > kRentCeilingPerContract) x = kRentCeilingPerContract;
      v[0] += x;
      becamePositive(kUnit);
    }
  }
  store(p, c::Rent, v);
}

// F's condition: the person's F mark, confirmed by the family data.
bool confirmed(const Records& r, int p) {
  return marked(r.p, c::ConfirmedMark(static_cast<std::size_t>(p - 1))) && familyMark(r, p);
}
bool youngQualifies(const Records& r, int p) {
  return young(r, p) && marked(r.p, c::YoungMark(static_cast<std::size_t>(p - 1))) && !confirmed(r, p);
}

void Young(Records& r, int m) {
  double d = 0.0;
  if (m >= 1) {
    if (youngQualifies(r, m)) d = kYoung;
  } else {
    for (int person = 1; person <= 4; ++person)
      if (youngQualifies(r, person) && (person != 2 || marriedCouple(r))) d += kYoung;
  }
  c::Young.set(r.p, m, d);
}

void Confirmed(Records& r, int m) {
  c::Confirmed.set(r.p, m, perPerson(m, kConfirmed, [&](int p) { return confirmed(r, p); }));
}

}  // namespace

void Community01(Records& r, int m) {
  FamilyAid(r, m);
  ProtectedHousingAid(r, m);
  HousingInvestment(r, m);
  Rent(r);
  Young(r, m);
  Confirmed(r, m);
}

}  // namespace tv::regional
