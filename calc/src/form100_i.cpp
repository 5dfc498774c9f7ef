// Section I: personal and family minimum and its application to the tax bases (passes 1 to 5),
// and the first ten reductions of the general tax base into section J (passes 6 to 16).
#include <cstring>
#include <utility>

#include "blocks/form100_a.h"
#include "blocks/form100_h.h"
#include "blocks/form100_i.h"
#include "blocks/form100_j.h"
#include "blocks/dates.h"
#include "form100_i.h"
#include "form100_income.h"
#include "numeric.h"
#include "tallyvex.h"

namespace tv {
namespace {
namespace per = f100::sec_i::personal;
namespace fam = f100::sec_i::family;
namespace desc = f100::sec_i::family::descendant;
namespace asc = f100::sec_i::family::ascendant;

// Personal minimum.
constexpr double kPersonalMinimum = 3400;
constexpr double kCoupleMinimum = 6800;
constexpr double kSingleParentMinimum = 5550;
// Family minimum per descendant by rank (half amounts; full is twice), and for a deceased one.
constexpr double kDescendantHalfByRank[4] = {700, 750, 1100, 1150};
constexpr double kDeceasedDescendantFull = 1400;
constexpr double kDeceasedDescendantHalf = 700;
// Reductions.
constexpr double kWorkReductionHigh = 3500;
constexpr double kWorkReductionLow = 2400;
constexpr double kWorkIncomeLower = 8200;
constexpr double kWorkIncomeUpper = 13000;
constexpr double kOtherIncomeLimit = 6500;
constexpr double kWorkReductionSlope = 0.2291;
constexpr double kChildUnderThreeFull = 1200;
constexpr double kChildUnderThreeHalf = 600;
constexpr char kEndOf2000[] = "31122000";
constexpr double kAgeOver64 = 800;
constexpr double kAgeOver74 = 1000;
constexpr double kDisabilityModerate = 2000;  // degrees "1" and "2"
constexpr double kDisabilitySevere = 5000;    // degree "3"
constexpr double kDisabledWorkerModerate = 2800;
constexpr double kDisabledWorkerSevere = 6200;
constexpr double kAssistance = 2000;

struct Descendant {
  int entry;
  int age;
  bool deathSet;
  char adoption[9];
  bool adoptionBlank;
  unsigned char disability;
  unsigned char entitlement[3];
  unsigned char situation;
  unsigned char exclusion1, exclusion2;
};

Descendant LoadDescendant(const void* family, int i) {
  Descendant e{};
  e.entry = i;
  e.age = desc::Age(i).get(family);
  e.deathSet = !desc::DeathDate(i).isAbsent(family);
  std::memcpy(e.adoption, desc::AdoptionDate(i).raw(family).data(), 8);
  e.adoption[8] = '\0';
  e.adoptionBlank = desc::AdoptionDate(i).isAbsent(family);
  e.disability = desc::Disability(i).get(family);
  for (int c = 0; c < 3; ++c) e.entitlement[c] = desc::Entitlement(i, c).get(family);
  e.situation = desc::Situation(i).get(family);
  e.exclusion1 = desc::Exclusion1(i).get(family);
  e.exclusion2 = desc::Exclusion2(i).get(family);
  return e;
}

// The living descendants ranked oldest first (stable), and the deceased ones.
struct Descendants {
  Descendant ranked[12];
  int rankedCount = 0;
  Descendant fixed[12];
  int fixedCount = 0;
  bool coupleUnit = false;
};

void Prepare(const void* personal, const void* family, Descendants& d) {
  d.coupleUnit = tv::per::UnitKind.get(personal) == 1;
  for (int i = 0; i < f100::family::kDescendantCount; ++i) {
    const bool born = !desc::BirthDate(i).isAbsent(family);
    const bool dead = !desc::DeathDate(i).isAbsent(family);
    if (born && !dead) d.ranked[d.rankedCount++] = LoadDescendant(family, i);
    if (dead) d.fixed[d.fixedCount++] = LoadDescendant(family, i);
  }
  // Exchange sort: equal ages keep their entry order.
  for (int i = 1; i < d.rankedCount; ++i)
    for (int j = i; j > 0 && d.ranked[j - 1].age < d.ranked[j].age; --j) std::swap(d.ranked[j - 1], d.ranked[j]);
}

bool IsHalfMark(unsigned char b) { return b == ' ' || b == 0; }

// Whether a descendant counts in column c (0 unit, 1 declarant, 2 spouse), and at half amount.
bool Counts(const Descendant& e, int c, bool coupleUnit, bool& half) {
  if (c == 0) {
    const bool s1 = e.situation == '1', s2 = e.situation == '2', s4 = e.situation == '4';
    const bool A = ((e.age > 17 && !s2 && !s4) || s1 || e.deathSet) && e.exclusion1 == 0 && e.exclusion2 == 0;
    const bool B = ((e.age < 18 && !s1) || s2 || s4) && e.exclusion1 == 0 && !e.deathSet;
    half = !(coupleUnit || e.entitlement[0] == '1');
    return A || B;
  }
  half = IsHalfMark(e.entitlement[c]);
  return e.entitlement[c] != '2' && (e.age < 25 || e.disability != 0) && e.exclusion1 == 0 && e.exclusion2 == 0;
}

// Calls f(entry, half) for each descendant counted in column c: the deceased ones first, then the
// living ones in rank order.
template <typename F>
void ForEachCounted(const Descendants& d, int c, F f) {
  bool half = false;
  for (int i = 0; i < d.fixedCount; ++i)
    if (Counts(d.fixed[i], c, d.coupleUnit, half)) f(d.fixed[i], half, -1);
  int n = 0;
  for (int i = 0; i < d.rankedCount; ++i)
    if (Counts(d.ranked[i], c, d.coupleUnit, half)) f(d.ranked[i], half, n++);
}

// Share of an ascendant cared for by several persons.
double AscendantShare(const void* family, int i) {
  const double sharers = asc::Sharers(i).get(family);
  return sharers >= 2.0 ? 1.0 / sharers : 1.0;
}

bool AscendantCounts(const void* family, int i, int c) {
  return c == 0 || asc::Entitlement(i, c).get(family) == '1';
}

bool IsModerate(unsigned char degree) { return degree == '1' || degree == '2'; }
bool NeedsAssistance(unsigned char degree) { return degree == '2' || degree == '3'; }

// Lowers a reduction to what the work income leaves after the earlier ones, then floors it at 0.
double LimitToWork(double amount, double work, double earlier) {
  if (earlier + amount > work) amount = work - earlier;
  return amount < 0.0 ? 0.0 : amount;
}

// The minimum applied to a base: lowered to the base, raised to 0; and the base after it.
void ApplyMinimum(const Vec& minimum, const Vec& base, Vec& applied, Vec& after) {
  for (int k = 0; k < 5; ++k) {
    applied[k] = minimum[k];
    if (applied[k] > base[k]) applied[k] = base[k];
    if (applied[k] < 0.0) applied[k] = 0.0;
    after[k] = base[k] - applied[k];
  }
}

}  // namespace

double MinimoDescendiente(int rank, int half) {
  const double amount = kDescendantHalfByRank[rank < 0 ? 0 : (rank > 3 ? 3 : rank)];
  return half == 0 ? Redondea(2 * amount, 2) : Redondea(1 * amount, 2);
}

}  // namespace tv

TALLYVEX_API void Calculos100I(void* i, void* personal, void* family, void* h, void* a, void* b, void* c, void* d,
                               void* e1, void* e4, void* e5, void* f1, void* f2, void* f3, void* f4, void* f5,
                               void* g6, void* j, int pass) {
  using namespace f100::sec_i;
  using tv::Vec;
  namespace jf = f100::sec_j;
  tv::Descendants kids;
  tv::Prepare(personal, family, kids);
  const Vec W = f100::sec_a::NetWorkIncome.load(a);
  auto age = [&](int m) { return tv::per::Age(m).get(personal); };

  switch (pass) {
    case 1: {
      Vec v{0, tv::kPersonalMinimum, tv::kPersonalMinimum, tv::kPersonalMinimum, tv::kPersonalMinimum};
      if (kids.coupleUnit) {
        v[0] = tv::fam::SingleMinimum.get(family) != 0 ? tv::kPersonalMinimum : tv::kCoupleMinimum;
      } else {
        v[0] = tv::kSingleParentMinimum;
        for (int e = 0; e < f100::family::kDescendantCount; ++e) {
          const unsigned char s = tv::desc::Situation(e).get(family);
          if (s == '3' || s == '4') v[0] = tv::kPersonalMinimum;
        }
      }
      PersonalMinimum.store(i, v);
      break;
    }
    case 2: {
      Vec v{};
      for (int col = 0; col < 3; ++col)
        tv::ForEachCounted(kids, col, [&](const tv::Descendant&, bool half, int rank) {
          if (rank < 0)
            v[col] += half ? tv::kDeceasedDescendantHalf : tv::kDeceasedDescendantFull;
          else
            v[col] += tv::MinimoDescendiente(rank, half ? 1 : 0);
        });
      DescendantsMinimum.store(i, v);
      break;
    }
    case 3: {
      const Vec p = PersonalMinimum.load(i), f = DescendantsMinimum.load(i);
      Vec v;
      tv::Sumatorio5PorTitulares(v, {{p.data(), 1.0}, {f.data(), 1.0}});
      Minimum.store(i, v);
      break;
    }
    case 4: {
      const Vec base = f100::sec_h::GeneralBase.load(h);
      Vec applied, after;
      tv::ApplyMinimum(Minimum.load(i), base, applied, after);
      GeneralBase.store(i, base);
      MinimumOnGeneral.store(i, applied);
      GeneralAfterMinimum.store(i, after);
      break;
    }
    case 5: {
      const Vec base = f100::sec_h::SpecialBase.load(h), minimum = Minimum.load(i);
      const Vec onGeneral = MinimumOnGeneral.load(i);
      Vec left, applied, after;
      for (int k = 0; k < 5; ++k) left[k] = minimum[k] - onGeneral[k];
      tv::ApplyMinimum(left, base, applied, after);
      SpecialBase.store(i, base);
      MinimumOnSpecial.store(i, applied);
      SpecialAfterMinimum.store(i, after);
      break;
    }
    case 6: {
      const Vec O = tv::NetIncome(tv::ActivityRowsIncome(e1, e4, e5, f1, true), nullptr, b, c, d, f2, f3, f4, f5, g6);
      Vec v;
      for (int k = 0; k < 5; ++k) {
        if (W[k] > tv::kWorkIncomeUpper || O[k] > tv::kOtherIncomeLimit)
          v[k] = tv::kWorkReductionLow;
        else if (W[k] <= tv::kWorkIncomeLower)
          v[k] = tv::kWorkReductionHigh;
        else
          v[k] = tv::Redondea(tv::kWorkReductionHigh - (W[k] - tv::kWorkIncomeLower) * tv::kWorkReductionSlope, 2);
        if (v[k] > W[k]) v[k] = W[k];
        if (v[k] < 0.0) v[k] = 0.0;
      }
      jf::WorkIncome.store(j, v);
      break;
    }
    case 7: {
      bool flag[3];
      flag[1] = age(1) > 64 && tv::fam::ProlongedWorkingLife(1).get(family) != 0;
      flag[2] = age(2) > 64 && tv::fam::ProlongedWorkingLife(2).get(family) != 0;
      flag[0] = flag[1] || flag[2];
      const Vec work = jf::WorkIncome.load(j);
      Vec v = jf::ProlongedLife.load(j);
      for (int k = 0; k < 3; ++k) v[k] = flag[k] ? tv::LimitToWork(work[k], W[k], work[k]) : 0.0;
      jf::ProlongedLife.store(j, v);
      break;
    }
    case 8: {
      bool flag[5];
      flag[0] = false;
      for (int m = 1; m <= 4; ++m) {
        flag[m] = tv::fam::GeographicMobility(m).get(family) != 0;
        flag[0] = flag[0] || flag[m];
      }
      const Vec work = jf::WorkIncome.load(j), prolonged = jf::ProlongedLife.load(j);
      Vec v;
      for (int k = 0; k < 5; ++k) {
        v[k] = 0.0;
        if (flag[k]) {
          v[k] = work[k];
          if (work[k] + prolonged[k] + v[k] > W[k]) v[k] = W[k] - work[k] - prolonged[k];
          if (v[k] < 0.0) v[k] = 0.0;
        }
      }
      jf::Mobility.store(j, v);
      break;
    }
    case 9: {
      Vec v{};
      for (int col = 0; col < 3; ++col)
        tv::ForEachCounted(kids, col, [&](const tv::Descendant& e, bool half, int) {
          int years = 0, partial = 0;
          const bool adoptedSince2001 = tv::WholeYearsBetween(e.adoption, tv::kEndOf2000, &years, &partial) == -1;
          if ((e.age < 3 && e.adoptionBlank) || adoptedSince2001)
            v[col] += half ? tv::kChildUnderThreeHalf : tv::kChildUnderThreeFull;
        });
      jf::ChildrenUnderThree.store(j, v);
      break;
    }
    case 10:
    case 11: {
      const bool over74 = pass == 11;
      const int ageLimit = over74 ? 74 : 64;
      const double amount = over74 ? tv::kAgeOver74 : tv::kAgeOver64;
      Vec M{};
      for (int m = 1; m <= 4; ++m) M[m] = age(m) > ageLimit ? amount : 0.0;
      M[0] = M[1] + M[2];
      Vec ascendants{};
      for (int col = 0; col < 3; ++col)
        for (int e = 0; e < tv::asc::kCount; ++e) {
          const bool present = over74 ? tv::asc::Age(e).get(family) > ageLimit : tv::asc::Presence(e).isSet(family);
          if (present && tv::AscendantCounts(family, e, col))
            ascendants[col] += tv::Redondea(tv::AscendantShare(family, e) * amount, 2);
        }
      Vec v;
      for (int k = 0; k < 5; ++k) v[k] = M[k] + ascendants[k];
      (over74 ? jf::AgeOver74 : jf::AgeOver64).store(j, v);
      break;
    }
    case 12: {
      Vec v{};
      for (int m = 1; m <= 4; ++m) {
        const unsigned char degree = tv::per::DisabilityCode(m).get(personal);
        if (tv::IsModerate(degree)) v[m] = tv::kDisabilityModerate;
        if (degree == '3') v[m] = tv::kDisabilitySevere;
      }
      v[0] = v[1] + v[2];
      jf::MembersDisability.store(j, v);
      break;
    }
    case 13: {
      Vec descendants{}, ascendants{};
      for (int col = 0; col < 3; ++col) {
        for (int e = 0; e < tv::asc::kCount; ++e) {
          if (!tv::AscendantCounts(family, e, col)) continue;
          const unsigned char degree = tv::asc::Disability(e).get(family);
          if (tv::IsModerate(degree))
            ascendants[col] += tv::Redondea(tv::AscendantShare(family, e) * tv::kDisabilityModerate, 2);
          else if (degree == '3')
            ascendants[col] += tv::Redondea(tv::AscendantShare(family, e) * tv::kDisabilitySevere, 2);
        }
        tv::ForEachCounted(kids, col, [&](const tv::Descendant& e, bool half, int) {
          if (tv::IsModerate(e.disability))
            descendants[col] += half ? tv::kDisabilityModerate / 2 : tv::kDisabilityModerate;
          else if (e.disability == '3')
            descendants[col] += half ? tv::kDisabilitySevere / 2 : tv::kDisabilitySevere;
        });
      }
      Vec v{};
      for (int k = 0; k < 3; ++k) v[k] = descendants[k] + ascendants[k];
      jf::RelativesDisability.store(j, v);
      break;
    }
    case 14: {
      const Vec work = jf::WorkIncome.load(j), prolonged = jf::ProlongedLife.load(j), mobility = jf::Mobility.load(j);
      Vec v = jf::DisabledWorkers.load(j);
      auto amountOf = [](unsigned char degree) {
        return degree == '1' ? tv::kDisabledWorkerModerate : tv::kDisabledWorkerSevere;
      };
      auto limit = [&](int k, double amount) {
        if (work[k] + prolonged[k] + mobility[k] + amount > W[k]) amount = W[k] - work[k] - prolonged[k] - mobility[k];
        return amount < 0.0 ? 0.0 : amount;
      };
      unsigned char highest = 0;
      for (int m = 1; m <= 4; ++m) {
        const unsigned char degree = tv::per::WorkerDisability(m).get(personal);
        if (degree == ' ' || degree == 0 || W[m] <= 0.0) {
          v[m] = 0.0;
        } else if (degree == '1' || degree == '2') {
          v[m] = limit(m, amountOf(degree));
          if (degree > highest) highest = degree;
        }
      }
      v[0] = highest != 0 && W[0] > 0.0 ? limit(0, amountOf(highest)) : 0.0;
      jf::DisabledWorkers.store(j, v);
      break;
    }
    case 15: {
      Vec M{}, ascendants{}, descendants{};
      for (int m = 1; m <= 4; ++m) M[m] = tv::NeedsAssistance(tv::per::DisabilityCode(m).get(personal)) ? tv::kAssistance : 0.0;
      M[0] = M[1] + M[2];
      for (int col = 0; col < 3; ++col) {
        for (int e = 0; e < tv::asc::kCount; ++e)
          if (tv::AscendantCounts(family, e, col) && tv::NeedsAssistance(tv::asc::Disability(e).get(family)))
            ascendants[col] += tv::Redondea(tv::AscendantShare(family, e) * tv::kAssistance, 2);
        tv::ForEachCounted(kids, col, [&](const tv::Descendant& e, bool half, int) {
          if (tv::NeedsAssistance(e.disability)) descendants[col] += half ? tv::kAssistance / 2 : tv::kAssistance;
        });
      }
      Vec v;
      for (int k = 0; k < 5; ++k) v[k] = M[k] + ascendants[k] + descendants[k];
      jf::Assistance.store(j, v);
      break;
    }
    case 16: {
      Vec r[10];
      const blocks::Vec5 parts[10] = {jf::WorkIncome,        jf::ProlongedLife, jf::Mobility,          jf::ChildrenUnderThree,
                                      jf::AgeOver64,         jf::AgeOver74,     jf::MembersDisability, jf::RelativesDisability,
                                      jf::DisabledWorkers,   jf::Assistance};
      for (int n = 0; n < 10; ++n) r[n] = parts[n].load(j);
      Vec v;
      tv::Sumatorio5PorTitulares(v, {{r[0].data(), 1.0}, {r[1].data(), 1.0}, {r[2].data(), 1.0}, {r[3].data(), 1.0},
                                     {r[4].data(), 1.0}, {r[5].data(), 1.0}, {r[6].data(), 1.0}, {r[7].data(), 1.0},
                                     {r[8].data(), 1.0}, {r[9].data(), 1.0}});
      jf::Total.store(j, v);
      break;
    }
    default:
      break;
  }
}
