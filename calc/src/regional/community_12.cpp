// Community 12: per-item amounts for children, young people's rent with the landlord's
// identification, and two percentages.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c12;

constexpr double kIndividualLimit = 22500.0;
constexpr double kJointLimit = 31700.0;
constexpr double kEntitledRate = 600.0;
constexpr int kYoungAge = 35;  // under
constexpr double kRentShareOfIncome = 0.1;
constexpr double kRentRate = 0.2;
constexpr double kRentCeiling = 700.0;
constexpr double kShareOfTaxableBases = 0.1;
constexpr double kSharedLimitRate = 0.1;
constexpr double kFifteenRate = 0.15;

double income(const Records& r, int k) { return incomeGeneralSpecial(r, k); }
double limitOf(int k) { return k == kUnit ? kJointLimit : kIndividualLimit; }

// One rate's term for member m (0, 1 or 2), each rate rounded on its own.
double term(const void* p, const c::Counts& n, double divisor, int m) {
  const double common = n.common.get(p), decl = n.declarant.get(p), spouse = n.spouse.get(p);
  if (m == kDeclarant) return rnd((decl / divisor + 0.5 * common) * n.rate);
  if (m == kSpouse) return rnd((spouse / divisor + 0.5 * common) * n.rate);
  return rnd((decl / divisor + spouse / divisor + common) * n.rate);
}

template <std::size_t N>
void PerItem(Records& r, int m, blocks::Vec5 result, const std::array<c::Counts, N>& counts, double divisor,
             bool incomeTest) {
  double d = 0.0;
  if (m <= kSpouse && (!incomeTest || !(income(r, m) > limitOf(m))))
    for (const c::Counts& n : counts) d += term(r.p, n, divisor, m);
  result.set(r.p, m, d);
}

void Entitled(Records& r, int m) {
  const void* p = r.p;
  const double common = c::EntitledCommon.get(p);
  const double nd = c::PersonsDeclarant.get(p), ns = c::PersonsSpouse.get(p);
  double d = 0.0;
  if ((m == kDeclarant || m == kSpouse) && !(income(r, m) > kIndividualLimit)) {
    const double own = (m == kDeclarant ? c::EntitledDeclarant : c::EntitledSpouse).get(p);
    const double n = m == kDeclarant ? nd : ns;
    d = n != 0.0 ? rnd((own / n + 0.5 * common) * kEntitledRate) : rnd(0.5 * common * kEntitledRate);
  } else if (m == kUnit && !(income(r, 0) > kJointLimit)) {
    d = rnd((q(c::EntitledDeclarant.get(p), nd) + q(c::EntitledSpouse.get(p), ns) + common) * kEntitledRate);
  }
  c::Entitled.set(r.p, m, d);
}

bool young(const Records& r, int p) { return age(r, p) < kYoungAge; }

void YoungRent(Records& r, int m) {
  void* p = r.p;
  const Vec rent = splitRows(p, c::RentRows);
  c::YoungRent.set(p, m, 0.0);
  if (m > kSpouse) return;
  const bool eligible = m == kUnit ? young(r, 1) || (young(r, 2) && marriedCouple(r)) : young(r, m);
  if (!eligible || !(rnd(kRentShareOfIncome * income(r, m)) < rent[static_cast<std::size_t>(m)]) ||
      income(r, m) > limitOf(m) || col(r.summary, f100::summary::StateZeduDeduction, m) != 0.0)
    return;
  double base = rent[static_cast<std::size_t>(m)];
  if (m == kUnit) base = (young(r, 1) ? rent[1] : 0.0) + (young(r, 2) && marriedCouple(r) ? rent[2] : 0.0);
  double d = rnd(kRentRate * base);
  if (d > kRentCeiling) d = kRentCeiling;
  c::YoungRent.set(p, m, d);
  if (!(d > 0.0)) return;
  const int own = m == kSpouse ? 3 : 2;  // the family unit looks for the declarant's rows
  for (int i = 0; i < c::RentRows.count; ++i) {
    const blocks::Text nif = c::RentRows.nif(i, sp::kRowNif);
    const int code = holder(p, c::RentRows.code(i));
    if (nifPresent(p, nif) && (code == own || code == 1)) {
      fillSlotIfEmpty(p, sp::CounterpartyNif(static_cast<std::size_t>(m)), nif);
      break;
    }
  }
}

void SharedLimit(Records& r) {
  Vec x = splitRows(r.p, c::SharedLimitRows);
  Vec v{};
  for (std::size_t k = 0; k < 5; ++k) {
    const int kk = static_cast<int>(k);
    const double limit = kShareOfTaxableBases * taxableBases(r, kk) - col(r.secO, in::sec_o::TenPercentUsedFirst, kk) -
                         col(r.secO, in::sec_o::TenPercentUsedSecond, kk);
    LimitaVector(&x[k], 1, {{limit, 1}});
    LimitaVector(&x[k], 1, {{0.0, 0}});
    v[k] = rnd(kSharedLimitRate * x[k]);
  }
  store(r.p, c::SharedLimit, v);
}


}  // namespace

void Community12(Records& r, int m) {
  const void* p = r.p;
  PerItem(r, m, c::Births, c::BirthCounts, c::BirthsLiveWithBoth.get(p) != 0 ? 2.0 : 1.0, true);
  PerItem(r, m, c::AdoptedAbroad, std::array<c::Counts, 1>{c::AdoptedCounts},
          c::AdoptedLiveWithBoth.get(p) == 1 ? 2.0 : 1.0, false);
  PerItem(r, m, c::PerItem, c::PerItemCounts, c::PerItemShared.get(p) == 1 ? 2.0 : 1.0, true);
  Entitled(r, m);
  YoungRent(r, m);
  SharedLimit(r);
  PercentOfRows(r, {c::FifteenPercent, c::FifteenPercentRows, kFifteenRate});
}

}  // namespace tv::regional
