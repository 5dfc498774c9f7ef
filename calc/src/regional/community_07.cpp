// Community 7: per-person deductions tied to the weight of work income, severe disability, and
// two percentages that share 10 percent of the taxable bases.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c07;

constexpr double kIndividualLimit = 22000.0;  // below
constexpr double kJointLimit = 30000.0;       // below
constexpr double kWorkIncomeWeight = 0.95;
constexpr double kSevereDisability = 300.0;
constexpr double kShareOfTaxableBases = 0.1;
constexpr double kFirstShareRate = 0.15;
constexpr double kSecondShareRate = 0.1;

double base(const Records& r, int k) { return incomeGeneralSpecial(r, k); }
double limitOf(int k) { return k == kUnit ? kJointLimit : kIndividualLimit; }

void PerPerson(Records& r, int m, const c::Persons& d) {
  const void* p = r.p;
  Vec v = load(p, d.result);
  v[m] = 0.0;
  if (m <= kSpouse) {
    const double b = base(r, m);
    const double workNet = col(r.secA, in::sec_a::NetIncome, m);
    if (rnd(b) < limitOf(m) && workNet > 0.0 && rnd(kWorkIncomeWeight * b) < workNet) {
      const double common = d.common().get(p);
      const double oD = d.declarant().get(p), pD = d.declarantEntitled().get(p);
      const double oS = d.spouse().get(p), pS = d.spouseEntitled().get(p);
      if (m == kDeclarant)
        v[1] = pD != 0.0 ? rnd((oD / pD + 0.5 * common) * d.perPerson) : rnd(0.5 * common * d.perPerson);
      else if (m == kSpouse)
        v[2] = pS != 0.0 ? rnd((oS / pS + 0.5 * common) * d.perPerson) : rnd(0.5 * common * d.perPerson);
      else
        v[0] = rnd((q(oD, pD) + common + q(oS, pS)) * d.perPerson);
    }
  }
  store(r.p, d.result, v);
}

bool severeDescendant(const Records& r, int i) {
  namespace d = in::family::descendant;
  const unsigned char excluded = d::Excluded(i).get(r.family);
  if (!d::Used(i).isSet(r.family) || !(excluded == 0 || excluded == ' ')) return false;
  if (d::Disability(i).get(r.family) != '3') return false;
  const unsigned char situation = d::Situation(i).get(r.family);
  return situation == '2' || situation == '4' || (d::Age(i).get(r.family) < 18 && situation != '1');
}

void SevereDisability(Records& r, int m) {
  double d = 0.0;
  if (m >= 1) {
    if (disability(r, m) == '3' && rnd(base(r, m)) < kIndividualLimit) d = kSevereDisability;
  } else if (rnd(base(r, 0)) < kJointLimit) {
    int n = 0;
    if (disability(r, 1) == '3') ++n;
    if (disability(r, 2) == '3') ++n;
    for (int i = 0; i < f100::family::kDescendantCount; ++i)
      if (severeDescendant(r, i)) ++n;
    d = rnd(kSevereDisability * n);
  }
  c::SevereDisability.set(r.p, m, d);
}

// 7.5 uses up 10 percent of the taxable bases first; 7.6 gets what is left.
void Shares(Records& r) {
  Vec t = splitRows(r.p, c::FirstShareRows);
  capAtTenPercentOfTaxableBases(r, t);
  Vec first{};
  for (std::size_t k = 0; k < 5; ++k) first[k] = rnd(kFirstShareRate * t[k]);
  store(r.p, c::FirstShare, first);

  Vec u = splitRows(r.p, c::SecondShareRows);
  Vec second{};
  for (std::size_t k = 0; k < 5; ++k) {
    const double left = rnd(kShareOfTaxableBases * taxableBases(r, static_cast<int>(k)) - t[k]);
    if (left < u[k]) u[k] = left;
    if (u[k] < 0.0) u[k] = 0.0;
    second[k] = rnd(kSecondShareRate * u[k]);
  }
  store(r.p, c::SecondShare, second);
}

}  // namespace

void Community07(Records& r, int m) {
  PerPerson(r, m, c::Persons1);
  PerPerson(r, m, c::Persons2);
  PerPerson(r, m, c::Persons3);
  SevereDisability(r, m);
  Shares(r);
}

}  // namespace tv::regional
