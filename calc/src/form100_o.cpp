// Section O of form 100: the state deductions entered in the section, each split into a state and
// a regional part written into Form100Summary for the liquidation.
//   pass 1  donations and the 15-per-cent item, under one common limit
//   pass 2  housing investment (with the Cataluña and Murcia variants), then adaptation works
//   pass 3  income obtained in Ceuta and Melilla
//   pass 4  account deposits
// Passes 2 and 3 also run on scratch copies of the record (housing wizard, Ceuta dialog): they
// depend on nothing but their arguments.
#include <string_view>

#include "blocks/form100_o.h"

#include "numeric.h"
#include "tallyvex.h"

namespace {

using blocks::Vec5;
using tv::Redondea;
using tv::Vec;
namespace o = f100::sec_o;
namespace sum = f100::summary;

double R2(double v) { return Redondea(v, 2); }

// ---- named data ----

// Split of a deduction computed as one amount.
constexpr double kStateShare = 0.67;
constexpr double kRegionalShare = 0.33;

// Donations: the common limit is a fraction of the bases; rates in the order the limit is consumed.
constexpr double kDonationLimitFraction = 0.1;
constexpr double kRatePriorityProgrammes = 0.30;
constexpr double kRateDonationsGeneral = 0.25;
constexpr double kRateItem15 = 0.15;
constexpr double kRateOtherEntities = 0.10;

// Rate set of a financed-acquisition formula; k is threshold × p1 rounded to cents.
struct RateSet {
  double p1;  // a, within the threshold
  double q1;  // b, within the threshold
  double p2;  // above the threshold
  double r;   // unfinanced acquisition, construction
  double k;
};

constexpr double kHousingLimit = 9015.18;
constexpr double kHousingThreshold = 4507.59;
constexpr RateSet kHousingState{0.1675, 0.134, 0.1005, 0.1005, 755.02};
constexpr RateSet kHousingRegionalGeneral{0.0825, 0.066, 0.0495, 0.0495, 371.88};
constexpr RateSet kHousingCatalunaReduced{0.0675, 0.051, 0.0345, 0.0345, 304.26};
constexpr RateSet kHousingCatalunaIncreased{0.0975, 0.081, 0.0645, 0.0645, 439.49};
constexpr RateSet kHousingMurcia{0.096, 0.096, 0.0495, 0.0695, 432.73};
// Accounts outside Cataluña take this regional rate (the Murcia set does not apply to them).
constexpr double kAccountRegionalOther = 0.0495;
constexpr double kCatalunaIncomeCeiling = 30000.0;
constexpr int kCatalunaAgeLimit = 32;  // this age or less qualifies
constexpr int kAdultAge = 18;

constexpr double kWorksLimit = 12020.24;
constexpr double kWorksThreshold = 6010.12;
constexpr RateSet kWorksState{0.1675, 0.134, 0.1005, 0.1005, 1006.70};
constexpr RateSet kWorksRegionalCataluna{0.0975, 0.081, 0.0645, 0.0645, 585.99};
constexpr RateSet kWorksRegionalOther{0.0825, 0.066, 0.0495, 0.0495, 495.83};

constexpr int kCommunityCataluna = 9;
constexpr int kCommunityMurcia = 13;

constexpr double kCeutaShareRate = 0.5;

constexpr double kDepositCap = 9000.0;
constexpr double kDepositRate = 0.15;

// ---- small helpers ----

int Code(const void* rec, blocks::U8 field) { return field.get(rec); }

// An amount field of row n of a block.
using RowField = blocks::F64 (*)(int);

// SumaASuTitular over the rows of a block, one amount per row under the row's holder code.
Vec SumRows(const void* rec, blocks::U8 (*code)(int), int rows, RowField amount) {
  Vec v{};
  for (int n = 0; n < rows; ++n) tv::AcumulaATitular(v.data(), 5, Code(rec, code(n)), amount(n).get(rec));
  return v;
}

// Lowers v to cap when it is larger.
void Cap(double& v, double cap) {
  if (v > cap) v = cap;
}

void SplitStateRegional(const Vec& deduction, void* s, Vec5 state, Vec5 regional) {
  Vec st{}, rg{};
  for (int k = 0; k < 5; ++k) {
    st[k] = R2(deduction[k] * kStateShare);
    rg[k] = R2(deduction[k] * kRegionalShare);
  }
  state.store(s, st);
  regional.store(s, rg);
}

// Financed-acquisition formula: the first `threshold` of a and b takes the higher rates.
double PartOfA(const RateSet& set, double a, double threshold) {
  if (a <= threshold) return R2(a * set.p1);
  return R2((a - threshold) * set.p2 + set.k);
}
double PartOfB(const RateSet& set, double a, double b, double threshold) {
  if (a <= threshold) {
    if (a + b <= threshold) return R2(b * set.q1);
    return R2((a + b - threshold) * set.p2 + (threshold - a) * set.q1);
  }
  return R2(b * set.p2);
}
double PartOfC(const RateSet& set, double c) { return R2(c * set.r); }

// ---- pass 1: donations and the 15-per-cent item ----

void PassDonations(void* o, const void* k, void* s) {
  const Vec item15 = SumRows(o, o::Item15Code, o::kItem15RowCount, o::Item15Amount);
  o::Item15Total.store(o, item15);

  // All four amounts of the donation rows, amount by amount across the rows.
  Vec donations{};
  constexpr RowField kTotalOrder[] = {o::DonationGeneral, o::DonationPriority, o::DonationOtherEntities,
                                      o::DonationFourth};
  for (RowField amount : kTotalOrder)
    for (int n = 0; n < o::kDonationRowCount; ++n)
      tv::AcumulaATitular(donations.data(), 5, Code(o, o::DonationCode(n)), amount(n).get(o));
  o::DonationTotal.store(o, donations);

  Vec both{};
  tv::Sumatorio5PorTitulares(both, {{item15.data(), 1.0}, {donations.data(), 1.0}});
  o::BothItemsTotal.store(o, both);

  const Vec general = o::from_k::GeneralBaseAfterReductions.load(k);
  const Vec special = o::from_k::SpecialLiquidableBase.load(k);
  Vec limit{};
  tv::Sumatorio5PorTitulares(limit, {{general.data(), kDonationLimitFraction}, {special.data(), kDonationLimitFraction}});
  for (int c = 0; c < 5; ++c) {
    if (both[c] <= 0.0) limit[c] = 0.0;
    if (limit[c] < 0.0) limit[c] = 0.0;
  }
  o::DonationLimit.store(o, limit);

  auto sumOf = [&](RowField amount) { return SumRows(o, o::DonationCode, o::kDonationRowCount, amount); };

  Vec remaining{};
  Vec admitted = sumOf(o::DonationPriority);
  Vec deduction{};
  for (int c = 0; c < 5; ++c) {
    Cap(admitted[c], limit[c]);
    remaining[c] = limit[c] - admitted[c];
    deduction[c] = R2(admitted[c] * kRatePriorityProgrammes);
  }

  Vec g = sumOf(o::DonationGeneral);
  for (int c = 0; c < 5; ++c) {
    Cap(g[c], remaining[c]);
    admitted[c] += g[c];
    remaining[c] -= g[c];
    deduction[c] = R2(g[c] * kRateDonationsGeneral + deduction[c]);
  }

  Vec item15Admitted = item15;
  Vec item15Deduction{};
  for (int c = 0; c < 5; ++c) {
    Cap(item15Admitted[c], remaining[c]);
    remaining[c] -= item15Admitted[c];
    item15Deduction[c] = R2(item15Admitted[c] * kRateItem15);
  }

  Vec e = sumOf(o::DonationOtherEntities);
  for (int c = 0; c < 5; ++c) {
    Cap(e[c], remaining[c]);
    admitted[c] += e[c];
    deduction[c] = R2(e[c] * kRateOtherEntities + deduction[c]);
  }

  o::Item15Admitted.store(o, item15Admitted);
  o::Item15Deduction.store(o, item15Deduction);
  o::DonationAdmitted.store(o, admitted);
  o::DonationDeduction.store(o, deduction);
  SplitStateRegional(item15Deduction, s, sum::Item15State, sum::Item15Regional);
  SplitStateRegional(deduction, s, sum::DonationState, sum::DonationRegional);
}

// ---- pass 2: housing investment ----

// Member m's community code (m = 0 unit .. 4 child 2): its two characters read as a decimal number,
// leading blanks skipped, an optional sign, digits up to the first other character; no digits is 0.
// Only the two characters are read, whatever follows them.
int CommunityCode(const void* p, int m) {
  const std::string_view t = f100::personal::communityCode(m + 1).raw(p);
  std::size_t n = 0;
  while (n < t.size() && (t[n] == ' ' || (t[n] >= '\t' && t[n] <= '\r'))) ++n;
  bool negative = false;
  if (n < t.size() && (t[n] == '+' || t[n] == '-')) negative = t[n++] == '-';
  int v = 0;
  for (; n < t.size() && t[n] >= '0' && t[n] <= '9'; ++n) v = v * 10 + (t[n] - '0');
  return negative ? -v : v;
}

// A living descendant who is a minor not in situation "1", or an adult in situation "2" or "4".
bool QualifyingDescendant(const void* f) {
  namespace d = f100::family::descendant;
  for (int j = 0; j < f100::family::kDescendantCount; ++j) {
    if (d::BirthDate(j).isAbsent(f) || !d::DeathDate(j).isAbsent(f)) continue;
    const int age = d::Age(j).get(f);
    const unsigned char situation = o::from_family::DescendantSituation(j).get(f);
    if ((age < kAdultAge && situation != '1') || (age >= kAdultAge && (situation == '2' || situation == '4')))
      return true;
  }
  return false;
}

struct HousingOutputs {
  Vec firstState{}, firstRegional{}, laterState{}, laterRegional{};
  Vec financedState{}, financedRegional{}, unfinancedState{}, unfinancedRegional{};
  Vec constructionState{}, constructionRegional{}, accountState{}, accountRegional{};
};

// Regional parts of the unit in a joint return in Murcia where one spouse alone has the earlier
// regional deduction: the flagged spouse's amounts take the Murcia rates, the other's the general
// ones, within one shared limit and threshold. Returns the unit's remaining limit.
double MurciaSplit(const Vec& A, const Vec& B, const Vec& C, int flagged, int other, HousingOutputs& out) {
  const RateSet& M = kHousingMurcia;
  const RateSet& G = kHousingRegionalGeneral;
  const double L = kHousingLimit;
  const double T = kHousingThreshold;
  double af = A[flagged], bf = B[flagged], cf = C[flagged];
  double ao = A[other], bo = B[other], co = C[other];
  double R = L;
  // Caps an amount at the shared remaining limit, prices it and takes it from the limit.
  auto take = [&R](double& amount, double rate) {
    Cap(amount, R);
    const double part = R2(amount * rate);
    R -= amount;
    return part;
  };
  double rAf, rAo, rBf, rBo;
  Cap(af, R);
  if (af <= T && af + ao <= T) {
    rAf = R2(af * M.p1);
    rAo = R2(ao * G.p1);
    R = L - af - ao;
    double t = T - af - ao;
    Cap(bf, R);
    if (bf + bo <= t) {
      rBf = take(bf, M.q1);
      rBo = take(bo, G.q1);
    } else if (bf <= t) {
      rBf = R2(bf * M.q1);
      R -= bf;
      t -= bf;
      Cap(bo, R);
      rBo = bo > t ? R2((bo - t) * G.p2 + t * G.q1) : R2(bo * G.q1);
      R -= bo;
    } else {
      rBf = R2((bf - t) * M.p2 + t * M.q1);
      R -= bf;
      rBo = take(bo, G.p2);
    }
  } else if (af <= T) {
    rAf = R2(af * M.p1);
    R = L - af;
    rAo = R2((af + ao - T) * G.p2 + (T - af) * G.p1);  // ao as summed, before its cap
    Cap(ao, R);
    R -= ao;
    rBf = take(bf, M.p2);
    rBo = take(bo, G.p2);
  } else {
    rAf = R2((af - T) * M.p2 + M.k);
    R = L - af;
    rAo = take(ao, G.p2);
    rBf = take(bf, M.p2);
    rBo = take(bo, G.p2);
  }
  const double rCf = take(cf, M.r);
  const double rCo = take(co, G.r);
  out.firstRegional[0] = rAf + rAo;
  out.laterRegional[0] = rBf + rBo;
  out.financedRegional[0] = out.firstRegional[0] + out.laterRegional[0];
  out.unfinancedRegional[0] = rCf + rCo;
  return R;
}

void PassHousing(void* o, void* s, const void* p, const void* f, const void* i, const int (&code)[5]) {
  namespace fp = o::from_personal;
  const double L = kHousingLimit;
  const double T = kHousingThreshold;
  const RateSet& state = kHousingState;

  // A flag for a holder outside its community is dropped from the record.
  if (code[1] != kCommunityCataluna) o::DeclarantUnemployedCataluna.set(o, 0);
  if (code[2] != kCommunityCataluna) o::SpouseUnemployedCataluna.set(o, 0);
  if (code[1] != kCommunityMurcia) o::DeclarantEarlierMurcia.set(o, 0);
  if (code[2] != kCommunityMurcia) o::SpouseEarlierMurcia.set(o, 0);
  const bool catalunaFlag[3] = {false, o::DeclarantUnemployedCataluna.get(o) != 0,
                                o::SpouseUnemployedCataluna.get(o) != 0};
  const bool murciaFlag[3] = {false, o::DeclarantEarlierMurcia.get(o) != 0, o::SpouseEarlierMurcia.get(o) != 0};

  const bool descendants = QualifyingDescendant(f);

  auto housingSum = [&](RowField amount) { return SumRows(o, o::HousingCode, o::kHousingColumnCount, amount); };
  Vec inv{};
  {
    constexpr RowField kOrder[] = {o::HousingFinancedFirst, o::HousingFinancedLater, o::HousingUnfinanced,
                                   o::HousingConstruction, o::HousingAccountAmount};
    for (RowField amount : kOrder)
      for (int n = 0; n < o::kHousingColumnCount; ++n)
        tv::AcumulaATitular(inv.data(), 5, Code(o, o::HousingCode(n)), amount(n).get(o));
  }

  // Cataluña's increased rates: young with a modest income, unemployed, severely disabled, or with
  // a qualifying descendant.
  const Vec generalAfterMinimum = o::from_i::GeneralBaseAfterMinimum.load(i);
  const Vec specialAfterMinimum = o::from_i::SpecialBaseAfterMinimum.load(i);
  auto catalunaEligible = [&](int m, int age, unsigned char disability) {
    return (age <= kCatalunaAgeLimit && generalAfterMinimum[m] + specialAfterMinimum[m] <= kCatalunaIncomeCeiling) ||
           catalunaFlag[m] || disability == '3' || descendants;
  };
  bool eligible[3];
  eligible[1] = catalunaEligible(1, fp::DeclarantAge.get(p), fp::DeclarantDisability.get(p));
  eligible[2] = catalunaEligible(2, fp::SpouseAge.get(p), fp::SpouseDisability.get(p));
  eligible[0] = (eligible[1] && inv[1] > 0.0) || (eligible[2] && inv[2] > 0.0);
  auto catalunaSet = [&](int m) -> const RateSet& {
    return eligible[m] ? kHousingCatalunaIncreased : kHousingCatalunaReduced;
  };

  Vec A = housingSum(o::HousingFinancedFirst);
  Vec B = housingSum(o::HousingFinancedLater);
  Vec C = housingSum(o::HousingUnfinanced);
  Vec remaining{};
  HousingOutputs out;

  // The limit is consumed in the order a, b, c (then d and the accounts).
  auto capAcquisition = [&](int m) {
    Cap(A[m], L);
    remaining[m] = L - A[m];
    Cap(B[m], remaining[m]);
    remaining[m] -= B[m];
    Cap(C[m], remaining[m]);
    remaining[m] -= C[m];
  };
  auto statePartsOfAcquisition = [&](int m) {
    out.firstState[m] = PartOfA(state, A[m], T);
    out.laterState[m] = PartOfB(state, A[m], B[m], T);
    out.unfinancedState[m] = PartOfC(state, C[m]);
    out.financedState[m] = out.firstState[m] + out.laterState[m];
  };
  auto acquisition = [&](int m, const RateSet& regional) {
    capAcquisition(m);
    statePartsOfAcquisition(m);
    out.firstRegional[m] = PartOfA(regional, A[m], T);
    out.laterRegional[m] = PartOfB(regional, A[m], B[m], T);
    out.unfinancedRegional[m] = PartOfC(regional, C[m]);
    out.financedRegional[m] = out.firstRegional[m] + out.laterRegional[m];
  };

  const RateSet* regionalSet[3] = {};
  for (int m = 1; m <= 2; ++m) {
    if (code[m] == kCommunityCataluna)
      regionalSet[m] = &catalunaSet(m);
    else if (code[m] == kCommunityMurcia && murciaFlag[m])
      regionalSet[m] = &kHousingMurcia;
    else
      regionalSet[m] = &kHousingRegionalGeneral;
    acquisition(m, *regionalSet[m]);
  }

  // The unit: its own sums, with the joint split when one spouse alone is flagged in Murcia.
  const bool murciaSplit = code[0] == kCommunityMurcia && murciaFlag[1] != murciaFlag[2];
  const int flagged = murciaFlag[2] ? 2 : 1;
  const int unflagged = 3 - flagged;
  if (murciaSplit) {
    capAcquisition(0);
    statePartsOfAcquisition(0);
    const Vec freshA = housingSum(o::HousingFinancedFirst);
    const Vec freshB = housingSum(o::HousingFinancedLater);
    const Vec freshC = housingSum(o::HousingUnfinanced);
    remaining[0] = MurciaSplit(freshA, freshB, freshC, flagged, unflagged, out);
  } else {
    if (code[0] == kCommunityCataluna)
      regionalSet[0] = &catalunaSet(0);
    else if (code[0] == kCommunityMurcia && murciaFlag[1] && murciaFlag[2])
      regionalSet[0] = &kHousingMurcia;
    else
      regionalSet[0] = &kHousingRegionalGeneral;
    acquisition(0, *regionalSet[0]);
  }

  o::HousingAdmittedFinancedFirst.store(o, A);
  o::HousingAdmittedFinancedLater.store(o, B);
  o::HousingAdmittedUnfinanced.store(o, C);

  // Construction or enlargement.
  Vec D = housingSum(o::HousingConstruction);
  for (int m = 1; m <= 2; ++m) {
    Cap(D[m], remaining[m]);
    remaining[m] -= D[m];
    out.constructionState[m] = R2(D[m] * state.r);
    out.constructionRegional[m] = R2(D[m] * regionalSet[m]->r);
  }
  if (murciaSplit) {
    // The state part caps the unit's sum; the regional part restarts from the same remaining with
    // each spouse's own sum.
    Cap(D[0], remaining[0]);
    out.constructionState[0] = R2(D[0] * state.r);
    const Vec freshD = housingSum(o::HousingConstruction);
    double dFlagged = freshD[flagged], dOther = freshD[unflagged];
    double R = remaining[0];
    Cap(dFlagged, R);
    const double rDf = R2(dFlagged * kHousingMurcia.r);
    R -= dFlagged;
    Cap(dOther, R);
    const double rDo = R2(dOther * kHousingRegionalGeneral.r);
    R -= dOther;
    out.constructionRegional[0] = rDf + rDo;
    remaining[0] = R;
  } else {
    Cap(D[0], remaining[0]);
    remaining[0] -= D[0];
    out.constructionState[0] = R2(D[0] * state.r);
    out.constructionRegional[0] = R2(D[0] * regionalSet[0]->r);
  }
  o::HousingAdmittedConstruction.store(o, D);

  // Housing accounts: Cataluña's rates in Cataluña, the general rate anywhere else.
  Vec E = housingSum(o::HousingAccountAmount);
  for (int m = 0; m <= 2; ++m) {
    Cap(E[m], remaining[m]);
    const double regionalRate = code[m] == kCommunityCataluna ? catalunaSet(m).r : kAccountRegionalOther;
    out.accountState[m] = R2(E[m] * state.r);
    out.accountRegional[m] = R2(E[m] * regionalRate);
  }
  o::HousingAdmittedAccounts.store(o, E);

  o::HousingFinancedFirstState.store(o, out.firstState);
  o::HousingFinancedFirstRegional.store(o, out.firstRegional);
  o::HousingFinancedLaterState.store(o, out.laterState);
  o::HousingFinancedLaterRegional.store(o, out.laterRegional);
  sum::HousingFinancedState.store(s, out.financedState);
  sum::HousingFinancedRegional.store(s, out.financedRegional);
  sum::HousingUnfinancedState.store(s, out.unfinancedState);
  sum::HousingUnfinancedRegional.store(s, out.unfinancedRegional);
  sum::HousingConstructionState.store(s, out.constructionState);
  sum::HousingConstructionRegional.store(s, out.constructionRegional);
  sum::HousingAccountState.store(s, out.accountState);
  sum::HousingAccountRegional.store(s, out.accountRegional);
}

// ---- end of pass 2: adaptation works, every column with its own limit ----

void PassWorks(void* o, void* s, const int (&code)[5]) {
  const Vec F = SumRows(o, o::WorksCode, o::kWorksRowCount, o::WorksFinancedFirst);
  const Vec G = SumRows(o, o::WorksCode, o::kWorksRowCount, o::WorksFinancedLater);
  const Vec H = SumRows(o, o::WorksCode, o::kWorksRowCount, o::WorksUnfinanced);
  const double T = kWorksThreshold;
  Vec firstState{}, firstRegional{}, laterState{}, laterRegional{};
  Vec financedState{}, financedRegional{}, unfinancedState{}, unfinancedRegional{};
  for (int m = 0; m < 5; ++m) {
    double f = F[m], g = G[m], h = H[m];
    Cap(f, kWorksLimit);
    double remaining = kWorksLimit - f;
    Cap(g, remaining);
    remaining -= g;
    Cap(h, remaining);
    const RateSet& regional = code[m] == kCommunityCataluna ? kWorksRegionalCataluna : kWorksRegionalOther;
    firstState[m] = PartOfA(kWorksState, f, T);
    laterState[m] = PartOfB(kWorksState, f, g, T);
    unfinancedState[m] = PartOfC(kWorksState, h);
    firstRegional[m] = PartOfA(regional, f, T);
    laterRegional[m] = PartOfB(regional, f, g, T);
    unfinancedRegional[m] = PartOfC(regional, h);
    financedState[m] = firstState[m] + laterState[m];
    financedRegional[m] = firstRegional[m] + laterRegional[m];
  }
  o::WorksFinancedFirstState.store(o, firstState);
  o::WorksFinancedFirstRegional.store(o, firstRegional);
  o::WorksFinancedLaterState.store(o, laterState);
  o::WorksFinancedLaterRegional.store(o, laterRegional);
  sum::WorksFinancedState.store(s, financedState);
  sum::WorksFinancedRegional.store(s, financedRegional);
  sum::WorksUnfinancedState.store(s, unfinancedState);
  sum::WorksUnfinancedRegional.store(s, unfinancedRegional);
}

// ---- pass 3: Ceuta and Melilla ----

// The part of a base's gross quota that falls on the income included in that base, at most the quota.
double QuotaShare(double base, double income, double quota) {
  if (base <= 0.0 || income <= 0.0) return 0.0;
  double share = R2(quota / base * income);
  if (share > quota) share = quota;
  return share;
}

void PassCeuta(void* o, void* s, const void* i) {
  Vec G = SumRows(o, o::CeutaCode, o::kCeutaRowCount, o::CeutaGeneral);
  Vec S = SumRows(o, o::CeutaCode, o::kCeutaRowCount, o::CeutaSpecial);
  // The unit's deduction comes from the joint return's own amounts alone.
  G[0] = o::CeutaJointGeneral.get(o);
  S[0] = o::CeutaJointSpecial.get(o);

  namespace fs = o::from_summary;
  const Vec generalBase = o::from_i::GeneralTaxBase.load(i);
  const Vec specialBase = o::from_i::SpecialTaxBase.load(i);
  const Vec generalState = fs::GeneralQuotaState.load(s), generalRegional = fs::GeneralQuotaRegional.load(s);
  const Vec specialState = fs::SpecialQuotaState.load(s), specialRegional = fs::SpecialQuotaRegional.load(s);
  Vec deduction{};
  for (int m = 0; m < 5; ++m) {
    const double general = QuotaShare(generalBase[m], G[m], generalState[m] + generalRegional[m]);
    const double special = QuotaShare(specialBase[m], S[m], specialState[m] + specialRegional[m]);
    deduction[m] = R2(general * kCeutaShareRate + special * kCeutaShareRate);
    o::CeutaShareGeneral(m).set(o, general);
    o::CeutaShareSpecial(m).set(o, special);
  }
  o::CeutaDeduction.store(o, deduction);
  SplitStateRegional(deduction, s, sum::CeutaState, sum::CeutaRegional);
}

// ---- pass 4: account deposits ----

void PassDeposits(void* o, void* s) {
  Vec A = SumRows(o, o::DepositCode, o::kDepositRowCount, o::DepositAmount);
  Vec deduction{};
  for (int m = 0; m < 5; ++m) {
    Cap(A[m], kDepositCap);
    deduction[m] = R2(A[m] * kDepositRate);
  }
  o::DepositDeduction.store(o, deduction);
  SplitStateRegional(deduction, s, sum::DepositState, sum::DepositRegional);
}

}  // namespace

TALLYVEX_API void Calculos100O(void* o, void* k, void* s, void* p, void* f, void* i, int pass) {
  switch (pass) {
    case 1:
      PassDonations(o, k, s);
      break;
    case 2: {
      int code[5];
      for (int m = 0; m < 5; ++m) code[m] = CommunityCode(p, m);
      PassHousing(o, s, p, f, i, code);
      PassWorks(o, s, code);
      break;
    }
    case 3:
      PassCeuta(o, s, i);
      break;
    case 4:
      PassDeposits(o, s);
      break;
    default:
      break;
  }
}
