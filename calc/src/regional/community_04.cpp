// Community 4: textbooks, the elderly, young people's housing and rent, a 15 percent deduction,
// disability and protected rural land.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c04;

constexpr double kLowIndividualLimit = 12020.24;
constexpr double kLowJointLimit = 24040.48;
// Textbook limit per child by income band: (band upper limit, limit per row).
struct Band {
  double upTo;
  double limit;
};
constexpr Band kTextbookIndividual[3] = {{4500.0, 50.0}, {9000.0, 25.0}, {12020.24, 18.0}};
constexpr Band kTextbookJoint[3] = {{9000.0, 100.0}, {18000.0, 50.0}, {24040.48, 25.0}};
constexpr int kElderlyAge = 64;  // above
constexpr double kElderly = 36.0;
constexpr int kYoungAge = 35;  // under
constexpr double kHousingLimit = 9015.18;
constexpr double kYoungIndividualLimit = 18030.36;
constexpr double kYoungJointLimit = 30050.60;
constexpr double kHousingRate = 0.05;
constexpr double kRentRate = 0.1;
constexpr double kRentCeiling = 200.0;
constexpr double kFifteenRate = 0.15;
constexpr double kFifteenCeiling = 200.0;
constexpr double kPerDisabled = 60.10;
// Rural land limits: hectares and property tax multipliers by kind.
constexpr double kParkPerHectare = 25.0;
constexpr double kParkTaxFactor = 3.0;
constexpr double kOtherPerHectare = 12.0;
constexpr double kLandShare = 0.5;

double base(const Records& r, int k) { return incomeGeneralSpecial(r, k); }
bool young(const Records& r, int p) { return age(r, p) < kYoungAge; }
bool qualifyingDisability(unsigned char code) { return code == '1' || code == '2' || code == '3'; }

// The band limit of a base, or a negative value above the last band.
double bandLimit(const Band (&bands)[3], double b) {
  for (const Band& band : bands)
    if (!(b > band.upTo)) return band.limit;
  return -1.0;
}

void Textbooks(Records& r) {
  void* p = r.p;
  Vec v{};
  const double declLimit = bandLimit(kTextbookIndividual, base(r, 1));
  const double spouseLimit = bandLimit(kTextbookIndividual, base(r, 2));
  const double jointLimit = bandLimit(kTextbookJoint, base(r, 0));
  const double personLimit[3] = {jointLimit, declLimit, spouseLimit};
  for (int i = 0; i < c::TextbookRows.count; ++i) {
    const int code = holder(p, c::TextbookRows.code(i));
    const double amount = c::TextbookRows.f64(i, sp::kRowAmount).get(p);
    for (int k = kDeclarant; k <= kSpouse; ++k) {
      if ((code == k + 1 || code == 1) && personLimit[k] >= 0.0) {
        double x = rnd(amount);
        if (code == 1) x = rnd(x * 0.5);
        if (x > personLimit[k]) x = personLimit[k];
        v[k] += x;
      }
    }
    if (code != 0 && jointLimit >= 0.0) {
      double x = rnd(amount);
      if (x > jointLimit) x = jointLimit;
      v[0] += x;
    }
  }
  store(p, c::Textbooks, v);
}

void Elderly(Records& r, int m) {
  double d = 0.0;
  if (m == kDeclarant || m == kSpouse) {
    if (age(r, m) > kElderlyAge && !(base(r, m) > kLowIndividualLimit)) d = kElderly;
  } else if (m == kUnit && !(base(r, 0) > kLowJointLimit)) {
    if (age(r, 1) > kElderlyAge) d += kElderly;
    if (age(r, 2) > kElderlyAge) d += kElderly;
  }
  c::Elderly.set(r.p, m, d);
}

// What the state housing deductions leave of the 9015.18 limit, column k.
double housingRoom(const Records& r, int k) {
  double used = 0.0;
  for (std::size_t i = 0; i < 5; ++i) used = used + col(r.secO, in::sec_o::HousingLimitUsed(i), k);
  return kHousingLimit - used;
}

void YoungHousing(Records& r, int m) {
  Vec invested = splitRows(r.p, c::YoungHousingRows);
  LimitaVector(invested.data(), 5,
               {{housingRoom(r, 0), 1}, {housingRoom(r, 1), 1}, {housingRoom(r, 2), 1}, {housingRoom(r, 3), 1},
                {housingRoom(r, 4), 1}});
  double d = 0.0;
  if (m == kDeclarant || m == kSpouse) {
    if (young(r, m) && !(rnd(base(r, m)) > kYoungIndividualLimit)) d = rnd(kHousingRate * invested[m]);
  } else if (m == kUnit && !(rnd(base(r, 0)) > kYoungJointLimit)) {
    double x = (young(r, 1) ? invested[1] : 0.0);
    if (young(r, 2) && marriedCouple(r)) x += invested[2];
    const double room = housingRoom(r, 0);
    if (room < x) x = rnd(room);
    d = rnd(kHousingRate * x);
  }
  c::YoungHousing.set(r.p, m, d);
}

// Whether column k carries housing deductions: this community's C or the state housing ones.
bool hasHousingDeductions(const Records& r, int k) {
  double sum = c::YoungHousing.get(r.p, k);
  for (std::size_t i = 0; i < 6; ++i) sum += col(r.summary, in::summary::HousingInvestmentDeductions(i), k);
  return sum != 0.0;
}

void YoungRent(Records& r, int m) {
  void* p = r.p;
  const Vec rent = splitRows(p, c::YoungRentRows);
  const Identifications ids = collectIdentifications(p, c::YoungRentRows, sp::kRowNif);
  c::YoungRent.set(p, m, 0.0);
  double d = 0.0;
  if (m == kDeclarant || m == kSpouse) {
    if (!young(r, m) || hasHousingDeductions(r, m) || base(r, m) > kYoungIndividualLimit) return;
    d = rnd(kRentRate * rent[m]);
  } else if (m == kUnit) {
    if (base(r, 0) > kYoungJointLimit) return;
    double x = 0.0;
    if (!hasHousingDeductions(r, 0)) {
      if (young(r, 1)) x += rent[1];
      if (young(r, 2) && marriedCouple(r)) x += rent[2];
    }
    d = rnd(kRentRate * x);
  } else {
    return;
  }
  if (d > kRentCeiling) d = kRentCeiling;
  c::YoungRent.set(p, m, d);
  if (!(d > 0.0)) return;
  if (m == kDeclarant) fillFromIdentifications(p, sp::CounterpartyNif(1), ids, {2, 1});
  else if (m == kSpouse) fillFromIdentifications(p, sp::CounterpartyNif(2), ids, {3, 1});
  else fillFromIdentifications(p, sp::CounterpartyNif(0), ids, {1, 2, 3});
}

void FifteenPercent(Records& r, int m) {
  const Vec paid = splitRows(r.p, c::FifteenPercentRows);
  double d = 0.0;
  const bool within = m == kUnit ? !(base(r, 0) > kLowJointLimit) : !(base(r, m) > kLowIndividualLimit);
  if (m <= kSpouse && within) {
    d = rnd(kFifteenRate * paid[m]);
    if (d > kFifteenCeiling) d = kFifteenCeiling;
  }
  c::FifteenPercent.set(r.p, m, d);
}

// A descendant counted for the joint column's disability deduction.
bool disabledDescendant(const Records& r, int i) {
  namespace d = in::family::descendant;
  const unsigned char excluded = d::Excluded(i).get(r.family);
  if (!qualifyingDisability(d::Disability(i).get(r.family)) || !(excluded == 0 || excluded == ' ')) return false;
  const unsigned char situation = d::Situation(i).get(r.family);
  return situation == '2' || situation == '4' || (situation != '1' && d::Age(i).get(r.family) < 18);
}

void Disability(Records& r, int m) {
  double d = 0.0;
  if (m >= 1) {
    if (!(base(r, m) > kLowIndividualLimit) && qualifyingDisability(disability(r, m))) d = kPerDisabled;
  } else if (!(base(r, 0) > kLowJointLimit)) {
    int count = 0;
    if (qualifyingDisability(disability(r, 1))) ++count;
    if (qualifyingDisability(disability(r, 2))) ++count;
    for (int i = 0; i < f100::family::kDescendantCount; ++i)
      if (disabledDescendant(r, i)) ++count;
    d = rnd(count * kPerDisabled);
  }
  c::Disability.set(r.p, m, d);
}

void RuralLand(Records& r) {
  void* p = r.p;
  const sp::Rows& rows = c::RuralLandRows;
  Vec v{};
  const int kind0 = rows.byte(0, c::kLandKind).get(p), kind1 = rows.byte(1, c::kLandKind).get(p);
  if (kind0 == kind1) {
    Vec hectares = splitRows(p, rows, c::kLandHectares);
    Vec tax = splitRows(p, rows, c::kLandTax);
    for (std::size_t k = 0; k < 5; ++k) {
      if (kind0 == 1) {
        hectares[k] = rnd(hectares[k] * kParkPerHectare);
        tax[k] = rnd(tax[k] * kParkTaxFactor);
      } else {
        hectares[k] = rnd(hectares[k] * kOtherPerHectare);
      }
    }
    double limit[3];
    for (std::size_t k = 0; k < 3; ++k) limit[k] = hectares[k] > tax[k] ? hectares[k] : tax[k];
    v = splitRows(p, rows, c::kLandExpense);
    for (std::size_t k = 0; k < 5; ++k) v[k] = rnd(v[k] * kLandShare);
    for (std::size_t k = 1; k <= 2; ++k) {
      if (v[k] > limit[k]) v[k] = limit[k];
      if (v[k] < 0.0) v[k] = 0.0;
    }
  } else {
    for (int i = 0; i < rows.count; ++i) {
      const int code = holder(p, rows.code(i));
      const int kind = rows.byte(i, c::kLandKind).get(p);
      const double a = rows.f64(i, c::kLandExpense).get(p), b = rows.f64(i, c::kLandHectares).get(p),
                   t = rows.f64(i, c::kLandTax).get(p);
      auto limitOf = [&](double hectares, double tax) {
        const double byHectares = kind == 1 ? rnd(hectares * kParkPerHectare) : rnd(hectares * kOtherPerHectare);
        const double byTax = kind == 1 ? rnd(tax * kParkTaxFactor) : rnd(tax);
        return byHectares > byTax ? byHectares : byTax;
      };
      if (code == 2 || code == 3) {
        const double limit = limitOf(b, t);
        const double x = rnd(a * kLandShare);
        v[static_cast<std::size_t>(code - 1)] += x < limit ? x : limit;
        if (v[static_cast<std::size_t>(code - 1)] < 0.0) v[static_cast<std::size_t>(code - 1)] = 0.0;
      } else if (code == 1) {
        const double limit = limitOf(rnd(b * 0.5), rnd(t * 0.5));
        const double x = rnd(rnd(a * kLandShare) * 0.5);
        for (std::size_t k = 1; k <= 2; ++k) {
          v[k] += x < limit ? x : limit;
          if (v[k] < 0.0) v[k] = 0.0;
        }
      }
    }
  }
  v[0] = v[1] + v[2];
  if (v[0] < 0.0) v[0] = 0.0;
  store(p, c::RuralLand, v);
}

}  // namespace

void Community04(Records& r, int m) {
  Textbooks(r);
  Elderly(r, m);
  YoungHousing(r, m);
  YoungRent(r, m);
  FifteenPercent(r, m);
  Disability(r, m);
  RuralLand(r);
}

}  // namespace tv::regional
