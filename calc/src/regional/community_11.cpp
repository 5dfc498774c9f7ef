// Community 11: children in three classes, large families by category, a fixed amount by marks
// and young people's rent with the landlord's identification.
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c11;

constexpr double kClassA = 240.0;
constexpr double kClassB = 60.0;
constexpr double kClassCLow = 300.0, kClassCLowLimit = 21035.0;
constexpr double kClassCHigh = 240.0, kClassCHighLimit = 30050.0;
// Large-family amounts by category (first, second, honour): per spouse when common, and whole.
constexpr double kCategoryHalf[3] = {100.0, 140.0, 190.0};
constexpr double kCategoryWhole[3] = {200.0, 280.0, 380.0};
constexpr double kMarkedLimitIndividual = 15025.30;
constexpr double kMarkedLimitJoint = 24040.48;
constexpr double kMarkedCommon = 90.15;
constexpr double kMarked = 180.30;
constexpr int kYoungAge = 36;  // under
constexpr double kRentIncomeLimit = 22000.0;
constexpr double kRentRate = 0.1;
constexpr double kRentCeiling = 300.0;

double base(const Records& r, int k) { return incomeGeneralSpecial(r, k); }

double classC(const Records& r, int k) {
  const double b = rnd(base(r, k));
  if (!(b > kClassCLowLimit)) return kClassCLow;
  if (!(b > kClassCHighLimit)) return kClassCHigh;
  return 0.0;
}

void Children(Records& r, int m) {
  const void* p = r.p;
  const double q1 = c::SharedAB.get(p) != 0 ? 2.0 : 1.0;
  const double q2 = c::SharedC.get(p) != 0 ? 2.0 : 1.0;
  const double a = c::ClassACommon.get(p), ad = c::ClassADeclarant.get(p), as = c::ClassASpouse.get(p);
  const double b = c::ClassBCommon.get(p), bd = c::ClassBDeclarant.get(p), bs = c::ClassBSpouse.get(p);
  const double cc = c::ClassCCommon.get(p), cd = c::ClassCDeclarant.get(p), cs = c::ClassCSpouse.get(p);
  double d = 0.0;
  if (m == kDeclarant)
    d = rnd((ad / q1 + 0.5 * a) * kClassA) + rnd((bd / q1 + 0.5 * b) * kClassB) + rnd((cd / q2 + 0.5 * cc) * classC(r, 1));
  else if (m == kSpouse)
    d = rnd((as / q1 + 0.5 * a) * kClassA) + rnd((bs / q1 + 0.5 * b) * kClassB) + rnd((cs / q2 + 0.5 * cc) * classC(r, 2));
  else if (m == kUnit)
    d = rnd((ad / q1 + as / q1 + a) * kClassA) + rnd((bd / q1 + bs / q1 + b) * kClassB) +
        rnd((cd / q2 + cs / q2 + cc) * classC(r, 0));
  c::Children.set(r.p, m, d);
}

void LargeFamily(Records& r, int m) {
  const void* p = r.p;
  const int h = c::LargeFamilyHolder.get(p);
  const double n = c::LargeFamilyEntitled.get(p);
  const blocks::U8 categories[3] = {c::FirstCategory, c::SecondCategory, c::HonourCategory};
  double d = 0.0;
  if (m <= kSpouse) {
    for (std::size_t i = 0; i < 3; ++i) {  // a later category replaces an earlier one
      if (categories[i].get(p) != 1) continue;
      if (m == kUnit) {
        if (h == 1) d = kCategoryWhole[i];
        else if (h != 0 && n != 0.0) d = rnd(kCategoryWhole[i] / n);
      } else if (h == 1) {
        d = kCategoryHalf[i];
      } else if (h == m + 1 && n != 0.0) {
        d = rnd(kCategoryWhole[i] / n);
      }
    }
  }
  c::LargeFamily.set(r.p, m, d);
}

void Marked(Records& r, int m) {
  const void* p = r.p;
  const bool common = marked(p, c::MarkCommon), decl = marked(p, c::MarkDeclarant), spouse = marked(p, c::MarkSpouse);
  const double nd = c::MarkedEntitledDeclarant.get(p), ns = c::MarkedEntitledSpouse.get(p);
  double d = 0.0;
  if (m == kDeclarant || m == kSpouse) {
    if (!(rnd(taxableBases(r, m)) > kMarkedLimitIndividual)) {
      if (common) d = kMarkedCommon;
      const bool own = m == kDeclarant ? decl : spouse;
      const double n = m == kDeclarant ? nd : ns;
      if (own && n != 0.0) d = rnd(kMarked / n);
    }
  } else if (m == kUnit) {
    if (!(rnd(taxableBases(r, 0)) > kMarkedLimitJoint) && (common || decl || spouse)) {
      double f = common ? 1.0 : 0.0;
      if (decl && nd != 0.0) f += 1.0 / nd;
      if (spouse && ns != 0.0) f += 1.0 / ns;
      d = rnd(kMarked * f);
    }
  }
  c::Marked.set(r.p, m, d);
}

void YoungRent(Records& r, int m) {
  void* p = r.p;
  const sp::Rows& rows = c::RentContracts;
  const Vec rent = splitRows(p, rows, c::kContractRent);
  const Vec holders = splitRows(p, rows, c::kContractHolders);
  auto capOf = [&](int k) { return holders[static_cast<std::size_t>(k)] != 0.0 ? rnd(kRentCeiling / holders[static_cast<std::size_t>(k)]) : 0.0; };
  double d = 0.0;
  if (m == kDeclarant || m == kSpouse) {
    if (age(r, m) < kYoungAge && !(base(r, m) > kRentIncomeLimit)) {
      if (holders[static_cast<std::size_t>(m)] != 0.0) {
        d = rnd(kRentRate * rent[static_cast<std::size_t>(m)]);
        if (d > capOf(m)) d = capOf(m);
      }
      if (d > 0.0) {
        for (int i = 0; i < rows.count; ++i) {
          const blocks::Text nif = rows.nif(i, c::kContractNif);
          if (nifPresent(p, nif) && holder(p, rows.code(i)) == m + 1) {
            fillSlotIfEmpty(p, sp::CounterpartyNif(static_cast<std::size_t>(m)), nif);
            break;
          }
        }
      }
    }
  } else if (m == kUnit) {
    if ((age(r, 1) < kYoungAge || (age(r, 2) < kYoungAge && marriedCouple(r))) && !(base(r, 0) > kRentIncomeLimit)) {
      d = rnd(kRentRate * rent[0]);
      const double cap = capOf(1) + capOf(2);
      if (d > cap) d = cap;
      if (d > 0.0) {
        for (int i = 0; i < rows.count; ++i) {
          const blocks::Text nif = rows.nif(i, c::kContractNif);
          if (nifPresent(p, nif)) {
            fillSlotIfEmpty(p, sp::CounterpartyNif(0), nif);
            break;
          }
        }
      }
    }
  }
  c::YoungRent.set(p, m, d);
}

}  // namespace

void Community11(Records& r, int m) {
  Children(r, m);
  LargeFamily(r, m);
  Marked(r, m);
  YoungRent(r, m);
}

}  // namespace tv::regional
