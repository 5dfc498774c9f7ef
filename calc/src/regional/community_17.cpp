// Community 17: allowances per item and per person (17.1 to 17.6) and percentages of amounts
// entered with income limits (17.7 to 17.15), in this order at every turn.
#include <cstring>

#include "blocks/dates.h"
#include "calc/src/regional/regional.h"

namespace tv::regional {
namespace {
namespace c = sp::c17;

constexpr double kPerItem = 150.0;
constexpr double kPerSharedItem = 200.0;
constexpr double kFirstDisabledChild = 200.0;
constexpr double kLaterDisabledChild = 250.0;
constexpr double kLargeFamily[3] = {180.0, 300.0, 420.0};  // first, second, honour category
constexpr int kElderlyAge = 64;  // above
constexpr double kElderly = 160.0;
constexpr double kLowIncomeFamily = 120.20;
constexpr double kLowIncomeFamilyBaseLimit = 12020.24;
constexpr double kSecondIncomeLimit = 300.51;
constexpr int kYoungAge = 36;  // under
constexpr double kPersonRate = 0.03;
constexpr double kPersonIncomeLimit = 12633.6;
constexpr double kClaimed = 90.15;
constexpr double kRentRate = 0.1;
constexpr double kRentCeiling = 180.0;
constexpr double kRentIncomeLimit = 21035.0;
constexpr double kRentJointIncomeLimit = 30500.0;
constexpr double kYearDays = 365.0;
constexpr char kPeriodStart[] = "31122002";
constexpr RatedRows kPlain[3] = {{c::TwentyPercent, c::TwentyPercentRows, 0.20},
                             {c::TenPercent, c::TenPercentRows, 0.10},
                             {c::FivePercent, c::FivePercentRows, 0.05}};
constexpr double kBaseLimitedRate = 0.05;
constexpr double kBaseLimitedShare = 0.2;

// ---- 17.1 to 17.6 -----------------------------------------------------------------------------------

void PerItem(Records& r, int m) {
  const void* p = r.p;
  const double cc = c::ItemsCommon.get(p);
  const double d = q(c::ItemsDeclarant.get(p), c::ItemsEntitledDeclarant.get(p));
  const double s = q(c::ItemsSpouse.get(p), c::ItemsEntitledSpouse.get(p));
  double v = 0.0;
  if (m == kDeclarant) v = rnd((0.5 * cc + d) * kPerItem);
  else if (m == kSpouse) v = rnd((0.5 * cc + s) * kPerItem);
  else if (m == kUnit) v = rnd(kPerItem * (cc + d + s));
  c::PerItem.set(r.p, m, v);
}

void SharedItems(Records& r, int m) {
  const void* p = r.p;
  const double divisor = c::SharedFlag.get(p) == 1 ? 2.0 : 1.0;
  const double cc = c::SharedCommon.get(p), d = c::SharedDeclarant.get(p), s = c::SharedSpouse.get(p);
  double v = 0.0;
  if (m == kDeclarant) v = rnd((d / divisor + 0.5 * cc) * kPerSharedItem);
  else if (m == kSpouse) v = rnd((s / divisor + 0.5 * cc) * kPerSharedItem);
  else if (m == kUnit) v = rnd((d / divisor + s / divisor + cc) * kPerSharedItem);
  c::SharedItems.set(r.p, m, v);
}

void DisabledChildren(Records& r, int m) {
  const void* p = r.p;
  const double ac = c::FirstCommon.get(p), bc = c::LaterCommon.get(p);
  const double pd = c::DisabledEntitledDeclarant.get(p), ps = c::DisabledEntitledSpouse.get(p);
  const double ad = q(c::FirstDeclarant.get(p), pd), bd = q(c::LaterDeclarant.get(p), pd);
  const double as = q(c::FirstSpouse.get(p), ps), bs = q(c::LaterSpouse.get(p), ps);
  double v = 0.0;
  if (m == kDeclarant)
    v = rnd((0.5 * ac + ad) * kFirstDisabledChild + (0.5 * bc + bd) * kLaterDisabledChild);
  else if (m == kSpouse)
    v = rnd((0.5 * ac + as) * kFirstDisabledChild + (0.5 * bc + bs) * kLaterDisabledChild);
  else if (m == kUnit)
    v = rnd((ac + ad + as) * kFirstDisabledChild + (bc + bd + bs) * kLaterDisabledChild);
  c::DisabledChildren.set(r.p, m, v);
}

void LargeFamily(Records& r, int m) {
  const void* p = r.p;
  double amount = 0.0;  // a later category replaces an earlier one
  if (c::FirstCategory.get(p) == 1) amount = kLargeFamily[0];
  if (c::SecondCategory.get(p) == 1) amount = kLargeFamily[1];
  if (c::HonourCategory.get(p) == 1) amount = kLargeFamily[2];
  const int h = c::LargeFamilyHolder.get(p);
  const double n = c::LargeFamilyEntitled.get(p);
  double v = 0.0;
  if (amount != 0.0) {
    if (m == kDeclarant || m == kSpouse) {
      if (h == 1) v = rnd(amount / 2);
      else if (h == m + 1 && n != 0.0) v = rnd(amount / n);
    } else if (m == kUnit) {
      if (h == 1) v = amount;
      else if (n != 0.0) v = rnd(amount / n);
    }
  }
  c::LargeFamily.set(r.p, m, v);
}

bool elderly(const Records& r, int person, blocks::U8 request) {
  return age(r, person) > kElderlyAge && in::personal::DisabilityCode(person).isSet(r.personal) && marked(r.p, request);
}

void Elderly(Records& r, int m) {
  double v = 0.0;
  if (m == kDeclarant) v = elderly(r, 1, c::ElderlyRequestDeclarant) ? kElderly : 0.0;
  else if (m == kSpouse) v = elderly(r, 2, c::ElderlyRequestSpouse) ? kElderly : 0.0;
  else if (m == kUnit)
    v = (elderly(r, 1, c::ElderlyRequestDeclarant) ? kElderly : 0.0) +
        (elderly(r, 2, c::ElderlyRequestSpouse) ? kElderly : 0.0);
  c::Elderly.set(r.p, m, v);
}

struct DescendantCounts {
  int first[3] = {0, 0, 0};   // by parent: 1 declarant, 2 spouse
  int second[3] = {0, 0, 0};
};
DescendantCounts descendantCounts(const Records& r) {
  namespace d = in::family::descendant;
  DescendantCounts n;
  for (int i = 0; i < f100::family::kDescendantCount; ++i) {
    if (!d::Used(i).isSet(r.family)) continue;
    for (int parent = 1; parent <= 2; ++parent) {
      const blocks::U8 code = parent == 1 ? d::CodeTowardsDeclarant(i) : d::CodeTowardsSpouse(i);
      if (code.get(r.family) == '2' || d::Flag134(i).get(r.family) != 0) continue;
      const bool f135clear = d::Flag135(i).get(r.family) == 0;
      const unsigned char situation = d::Situation(i).get(r.family);
      if (f135clear) ++n.first[parent];
      if (d::Age(i).get(r.family) < 18 || situation == '2' || situation == '4' || f135clear) ++n.second[parent];
    }
  }
  return n;
}

void LowIncomeFamily(Records& r, int m) {
  // First income flag: work income or activity yields.
  const Vec rows = activityIncome(r, {in::sec_e1::kYield, in::sec_e4::kYield, in::sec_e5::kYield, {in::sec_f1::kAmount96}});
  bool firstFlag[5];
  for (int k = 0; k < 5; ++k)
    firstFlag[k] = col(r.secA, in::sec_a::WorkIncome1, k) + col(r.secA, in::sec_a::WorkIncome2, k) +
                       col(r.secA, in::sec_a::WorkIncome3, k) + rows[static_cast<std::size_t>(k)] > 0.0;
  // Second income flag: capital yields above 300.51 (five vectors copied, so rounded first).
  Vec b0 = load(r.secB, in::sec_b::Yield0), b792 = load(r.secB, in::sec_b::Yield792),
      b1072 = load(r.secB, in::sec_b::Yield1072), b1352 = load(r.secB, in::sec_b::Yield1352),
      b656 = load(r.secB, in::sec_b::Yield656);
  for (Vec* v : {&b0, &b792, &b1072, &b1352, &b656}) Sumatorio5PorTitulares(*v, {{v->data(), 1.0}});
  const Vec b1952 = load(r.secB, in::sec_b::Added1952), b1992 = load(r.secB, in::sec_b::Subtracted1992);
  const Vec s = splitRows(r.secB, in::sec_b::YieldRows, in::sec_b::kYieldAmount);
  const Vec t = splitRows(r.secF1, in::sec_f1::Activities, in::sec_f1::kAmount24);
  bool secondFlag[5];
  for (std::size_t k = 0; k < 5; ++k)
    secondFlag[k] = b0[k] + b792[k] + b1072[k] + b1352[k] + b656[k] + b1952[k] - b1992[k] + s[k] + t[k] > kSecondIncomeLimit;

  double v = 0.0;
  if (m <= kSpouse) {
    const Vec u = splitRows(r.secF1, in::sec_f1::Activities, in::sec_f1::kAmount72);
    const double z = col(r.secC, in::sec_c::Net, m) + col(r.secD, in::sec_d::Yield512, m) +
                     col(r.secG6, in::sec_g6::Gains0, m) + col(r.secG6, in::sec_g6::Losses40, m) +
                     col(r.secG6, in::sec_g6::Gains160, m) + col(r.secG6, in::sec_g6::Losses200, m) -
                     b1952[static_cast<std::size_t>(m)] - b1992[static_cast<std::size_t>(m)] +
                     u[static_cast<std::size_t>(m)];
    const DescendantCounts n = descendantCounts(r);
    const double g = m == kUnit ? rnd(col(r.secK, in::sec_k::GeneralTaxableBase, 0))
                                : rnd(col(r.secK, in::sec_k::GeneralTaxableBase, 1) +
                                      col(r.secK, in::sec_k::GeneralTaxableBase, 2) +
                                      col(r.secK, in::sec_k::GeneralTaxableBase, 3) +
                                      col(r.secK, in::sec_k::GeneralTaxableBase, 4));
    int withFirst = 0;
    bool anySecond = false;
    for (int k = 1; k <= 4; ++k) {
      if (firstFlag[k]) ++withFirst;
      if (secondFlag[k]) anySecond = true;
    }
    const bool descendants = m == kUnit ? n.second[1] > 1 || n.second[2] > 1 : n.first[1] > 1 || n.first[2] > 1;
    if (marriedCouple(r) && !(g > kLowIncomeFamilyBaseLimit) && withFirst < 2 && (m == kUnit || !firstFlag[m]) &&
        z == 0.0 && !anySecond && descendants)
      v = kLowIncomeFamily;
  }
  c::LowIncomeFamily.set(r.p, m, v);
}

// ---- 17.7 to 17.15 ------------------------------------------------------------------------------------

// Days of the declarant's tax period: 365, or up to the end date when there is one (-1 when invalid).
int periodDays(const Records& r) {
  const blocks::Text end = in::personal::PeriodEndDate;
  if (end.isAbsent(r.personal)) return 365;
  char date[9];
  std::memcpy(date, blocks::at(r.personal, end.off), 8);
  date[8] = '\0';
  return DaysBetween(kPeriodStart, date);
}

double incomeAfterMinimum(const Records& r, int k) {
  return col(r.secI, in::sec_i::GeneralBaseAfterMinimum, k) + col(r.secI, in::sec_i::SpecialBaseAfterMinimum, k);
}

// The declarant's and the spouse's parts of a 3 percent deduction, as the family unit computes them.
struct Parts {
  double declarant, spouse;
};

// 17.7 and 17.8: 3 percent for the persons who qualify, within the income limit.
Parts PersonPercentage(Records& r, int m, blocks::Vec5 result, const sp::Rows& rows, bool (*qualifies)(const Records&, int),
                       bool unitSpouseNeedsCouple, int days) {
  const Vec x = splitRows(r.p, rows);
  const double declarantLimit = rnd(kPersonIncomeLimit * days / kYearDays);
  Parts parts{0.0, 0.0};
  double v = 0.0;
  if (m == kDeclarant) {
    if (qualifies(r, 1) && !(incomeAfterMinimum(r, 1) > declarantLimit)) v = rnd(kPersonRate * x[1]);
  } else if (m == kSpouse) {
    if (qualifies(r, 2) && !(incomeAfterMinimum(r, 2) > kPersonIncomeLimit)) v = rnd(kPersonRate * x[2]);
  } else if (m == kUnit) {
    if (qualifies(r, 1) && !(incomeAfterMinimum(r, 1) > kPersonIncomeLimit)) parts.declarant = rnd(kPersonRate * x[1]);
    if (qualifies(r, 2) && (!unitSpouseNeedsCouple || marriedCouple(r)) &&
        !(incomeAfterMinimum(r, 2) > kPersonIncomeLimit))
      parts.spouse = rnd(kPersonRate * x[2]);
    v = parts.declarant + parts.spouse;
  }
  result.set(r.p, m, v);
  return parts;
}

bool youngPerson(const Records& r, int p) { return age(r, p) < kYoungAge; }
bool severelyDisabled(const Records& r, int p) { return disability(r, p) == '3'; }

void Claimed(Records& r, int m, const Parts& young, const Parts& disabled) {
  const void* p = r.p;
  double v = 0.0;
  if (m == kDeclarant || m == kSpouse) {
    if (marked(p, m == kDeclarant ? c::ClaimDeclarant : c::ClaimSpouse) && c::Young.get(p, m) == 0.0 &&
        c::Disabled.get(p, m) == 0.0)
      v = kClaimed;
  } else if (m == kUnit) {
    if (marked(p, c::ClaimDeclarant) && young.declarant == 0.0 && disabled.declarant == 0.0) v += kClaimed;
    if (marked(p, c::ClaimSpouse) && young.spouse == 0.0 && disabled.spouse == 0.0) v += kClaimed;
  }
  c::Claimed.set(r.p, m, v);
}

// The first row of the holder codes with a NIF present, or -1.
int firstRowWithNif(const void* p, const sp::Rows& rows, std::size_t nifField, int own) {
  for (int i = 0; i < rows.count; ++i) {
    const int code = holder(p, rows.code(i));
    if ((code == own || code == 1) && nifPresent(p, rows.nif(i, nifField))) return i;
  }
  return -1;
}
void captureNif(void* p, const sp::Rows& rows, std::size_t nifField, int own, blocks::Text slot, bool* taken = nullptr) {
  const int i = firstRowWithNif(p, rows, nifField, own);
  if (i < 0) return;
  if (taken) *taken = true;
  fillSlotIfEmpty(p, slot, rows.nif(i, nifField));
}

void Rent(Records& r, int m, int days) {
  void* p = r.p;
  const Vec rent = splitRows(p, c::RentRows);
  // A member with any of these deductions gets no rent deduction.
  std::array<Vec, 13> terms{};
  for (std::size_t i = 0; i < 6; ++i) terms[i] = load(r.summary, in::summary::HousingInvestmentDeductions(i));
  for (std::size_t i = 0; i < 4; ++i) terms[6 + i] = load(r.summary, in::summary::OtherDeductions(i));
  terms[10] = load(p, c::Young);
  terms[11] = load(p, c::Disabled);
  terms[12] = load(p, c::Claimed);
  Vec w{};
  Sumatorio5PorTitulares(w, {{terms[0].data(), 1.0}, {terms[1].data(), 1.0}, {terms[2].data(), 1.0},
                             {terms[3].data(), 1.0}, {terms[4].data(), 1.0}, {terms[5].data(), 1.0},
                             {terms[6].data(), 1.0}, {terms[7].data(), 1.0}, {terms[8].data(), 1.0},
                             {terms[9].data(), 1.0}, {terms[10].data(), 1.0}, {terms[11].data(), 1.0},
                             {terms[12].data(), 1.0}});
  auto part = [&](int k) {
    double x = rnd(kRentRate * rent[static_cast<std::size_t>(k)]);
    return x > kRentCeiling ? kRentCeiling : x;
  };
  double v = 0.0;
  if (m == kDeclarant) {
    if (!(incomeGeneralSpecial(r, 1) > rnd(kRentIncomeLimit * days / kYearDays)) && w[1] == 0.0) {
      v = part(1);
      captureNif(p, c::RentRows, sp::kRowNif, 2, sp::CounterpartyNif(1));
    }
  } else if (m == kSpouse) {
    if (!(incomeGeneralSpecial(r, 2) > kRentIncomeLimit) && w[2] == 0.0) {
      v = part(2);
      captureNif(p, c::RentRows, sp::kRowNif, 3, sp::CounterpartyNif(2));
    }
  } else if (m == kUnit && !(incomeGeneralSpecial(r, 0) > kRentJointIncomeLimit)) {
    // The persons' 17.7 to 17.9 columns still hold the previous calculation's values here.
    bool taken = false;
    if (w[1] == 0.0) {
      v = part(1);
      if (v > 0.0) captureNif(p, c::RentRows, sp::kRowNif, 2, sp::CounterpartyNif(0), &taken);
    }
    if (w[2] == 0.0) {
      v += part(2);
      if (v > 0.0 && !taken) captureNif(p, c::RentRows, sp::kRowNif, 3, sp::CounterpartyNif(0));
    }
  }
  c::Rent.set(p, m, v);
}

void RentByMonths(Records& r, int m, int days) {
  void* p = r.p;
  const sp::Rows& rows = c::RentByMonthsRows;
  double md = 0.0, ms = 0.0;  // months of the last row of each person
  for (int i = 0; i < rows.count; ++i) {
    const int code = holder(p, rows.code(i));
    if (code == 1 || code == 2) md = rows.f64(i, c::kMonths).get(p);
    if (code == 1 || code == 3) ms = rows.f64(i, c::kMonths).get(p);
  }
  Vec amounts = splitRows(p, rows);
  Sumatorio5PorTitulares(amounts, {{amounts.data(), kRentRate}});
  auto ceiling = [](double months) {
    const double x = rnd(kRentCeiling * months / 12);
    return x < kRentCeiling ? x : kRentCeiling;
  };
  auto part = [&](int k, double months) {
    const double cap = ceiling(months);
    return amounts[static_cast<std::size_t>(k)] < cap ? amounts[static_cast<std::size_t>(k)] : cap;
  };
  double v = 0.0;
  if (m == kDeclarant) {
    if (!(incomeGeneralSpecial(r, 1) > rnd(kRentIncomeLimit * days / kYearDays))) {
      v = part(1, md);
      if (v > 0.0) captureNif(p, rows, c::kMonthsNif, 2, sp::SecondCounterpartyNif(1));
    }
  } else if (m == kSpouse) {
    if (!(incomeGeneralSpecial(r, 2) > kRentIncomeLimit)) {
      v = part(2, ms);
      if (v > 0.0) captureNif(p, rows, c::kMonthsNif, 3, sp::SecondCounterpartyNif(2));
    }
  } else if (m == kUnit && !(incomeGeneralSpecial(r, 0) > kRentJointIncomeLimit)) {
    bool taken = false;
    v = part(1, md);
    if (v > 0.0) captureNif(p, rows, c::kMonthsNif, 2, sp::SecondCounterpartyNif(0), &taken);
    v += part(2, ms);
    if (v > 0.0 && !taken) captureNif(p, rows, c::kMonthsNif, 3, sp::SecondCounterpartyNif(0));
  }
  c::RentByMonths.set(p, m, v);
}


void BaseLimited(Records& r) {
  Vec x = splitRows(r.p, c::BaseLimitedRows);
  x[0] = 0.0;
  for (std::size_t k = 1; k <= 2; ++k) {
    const double cap = rnd(kBaseLimitedShare * taxableBases(r, static_cast<int>(k)));
    if (cap < x[k]) x[k] = cap;
    if (x[k] < 0.0) x[k] = 0.0;
    x[0] += x[k];
  }
  for (double& v : x) v = rnd(kBaseLimitedRate * v);
  store(r.p, c::BaseLimited, x);
}

}  // namespace

void Community17(Records& r, int m) {
  PerItem(r, m);
  SharedItems(r, m);
  DisabledChildren(r, m);
  LargeFamily(r, m);
  Elderly(r, m);
  LowIncomeFamily(r, m);

  const int days = periodDays(r);
  const Parts young = PersonPercentage(r, m, c::Young, c::YoungRows, youngPerson, true, days);
  const Parts disabled = PersonPercentage(r, m, c::Disabled, c::DisabledRows, severelyDisabled, false, days);
  Claimed(r, m, young, disabled);
  Rent(r, m, days);
  RentByMonths(r, m, days);
  for (const RatedRows& d : kPlain) PercentOfRows(r, d);
  BaseLimited(r);
}

}  // namespace tv::regional
