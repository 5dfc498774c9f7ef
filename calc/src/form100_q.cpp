// Form 100, annex C: deductions for business investment incentives, applied member by member
// (column by column) under percentage limits of the quota and under the quota still available,
// then the Canary Islands investment reserve totals and keys.
//
// Stages: limit bases and limits; the 32 year-by-year steps of the pending balances; the group
// totals; the lines of the year; the total and its split; the reserve blocks. Every amount applied
// anywhere is taken from one running vector, the quota still available.
#include <array>

#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "blocks/form100_f1.h"
#include "blocks/form100_l.h"
#include "blocks/form100_liquidation.h"
#include "blocks/form100_o.h"
#include "blocks/form100_q.h"
#include "numeric.h"
#include "tallyvex.h"

namespace {

namespace q = f100::sec_q;
using tv::Vec;

// ---- Form100Summary read here, written by other sections ---------------------------------------
namespace from_summary {
namespace sm = f100::summary;
// Deductions subtracted from the gross quotas to form the quota base (Calculos100O).
constexpr std::array<blocks::Vec5, 14> kQuotaBaseDeductions{
    sm::Item15State,         sm::Item15Regional,         sm::HousingFinancedState,    sm::HousingFinancedRegional,
    sm::HousingUnfinancedState, sm::HousingUnfinancedRegional, sm::HousingConstructionState,
    sm::HousingConstructionRegional, sm::HousingAccountState, sm::HousingAccountRegional, sm::WorksFinancedState,
    sm::WorksFinancedRegional, sm::WorksUnfinancedState, sm::WorksUnfinancedRegional};
// Further deductions subtracted to form the quota available: the donations, Ceuta and deposits of
// Calculos100O, and the credits of Calculos100Li (the previous calculation's values).
constexpr std::array<blocks::Vec5, 10> kQuotaAvailableDeductions{
    sm::DonationState,          sm::DonationRegional,       sm::ReserveCreditState, sm::ReserveCreditRegional,
    sm::CanaryGoodsCreditState, sm::CanaryGoodsCreditRegional, sm::CeutaState,      sm::CeutaRegional,
    sm::DepositState,           sm::DepositRegional};
}  // namespace from_summary

// ---- rates -----------------------------------------------------------------------------------
constexpr double kLine2FirstRate = 0.1;    // line 2 of the first list, of its expenses
constexpr double kLine2SecondRate = 0.3;   // line 2 of the second list
constexpr double kRaiseThreshold = 0.1;    // of the quota base: above it the limits are raised
constexpr double kGeneralRate = 0.35;
constexpr double kGeneralRaisedRate = 0.45;
constexpr double kBasicRate = 0.35;
constexpr double kSecondListRate = 0.7;
constexpr double kSecondListRaisedRate = 0.81;
constexpr double kGroup6StepRate = 0.5;
constexpr double kGroup6Rate = 0.7;
constexpr double kBalanceRate = 0.25;      // groups 8 and 9, each
constexpr double kLastLineRate = 0.5;      // line 13 of the second list
constexpr double kStatePart = 0.67;
constexpr double kRegionalPart = 0.33;

// ---- the pending steps, oldest year first, groups in order within a year -----------------------
enum class LimitKind { General, Basic, Group6, SecondList, Research, Other };

struct GroupRule {
  const q::PendingGroup* group;
  LimitKind limit;
};
// Group g (1..9) at index g - 1.
constexpr std::array<GroupRule, 9> kGroups{{
    {&q::PendingGroup1, LimitKind::General},
    {&q::PendingGroup2, LimitKind::Basic},
    {&q::PendingGroup3, LimitKind::Basic},
    {&q::PendingGroup4, LimitKind::Basic},
    {&q::PendingGroup5, LimitKind::Basic},
    {&q::PendingGroup6, LimitKind::Group6},
    {&q::PendingGroup7, LimitKind::SecondList},
    {&q::PendingGroup8, LimitKind::Research},
    {&q::PendingGroup9, LimitKind::Other},
}};

struct Step {
  int group;
  int year;
};
constexpr std::array<Step, 32> kPendingSteps{{
    {1, 1998}, {2, 1998}, {3, 1998}, {6, 1998}, {7, 1998}, {8, 1998}, {9, 1998},
    {1, 1999}, {2, 1999}, {3, 1999}, {6, 1999}, {7, 1999}, {8, 1999}, {9, 1999},
    {1, 2000}, {3, 2000}, {4, 2000}, {6, 2000}, {7, 2000}, {8, 2000}, {9, 2000},
    {1, 2001}, {4, 2001}, {6, 2001}, {7, 2001}, {8, 2001}, {9, 2001},
    {1, 2002}, {4, 2002}, {5, 2002}, {6, 2002}, {7, 2002},
}};

// Every (group, year) that has an amount, year by year, groups in order within the year.
constexpr bool stepsFollowYearsThenGroups() {
  std::size_t i = 0;
  for (int year = 1998; year <= 2002; ++year)
    for (int g = 1; g <= 9; ++g)
      if (kGroups[static_cast<std::size_t>(g - 1)].group->hasYear(year)) {
        if (i >= kPendingSteps.size() || kPendingSteps[i].group != g || kPendingSteps[i].year != year) return false;
        ++i;
      }
  return i == kPendingSteps.size();
}
static_assert(stepsFollowYearsThenGroups());

constexpr int kFirstListGeneralLines = 12;   // lines 1..12 under GeneralLimit, 13..15 under BasicLimit
constexpr int kSecondListRunningLines = 12;  // lines 1..12 under SecondListLimit, 13 under its own

// ---- column-wise operations ------------------------------------------------------------------
double R(double v) { return tv::Redondea(v, 2); }

// A sum by holder of (holder code, amount) pairs, as SumaASuTitular, for lists of any length.
struct ByHolder {
  Vec v{};
  void add(int code, double amount) { tv::AcumulaATitular(v.data(), 5, code, amount); }
};

// Coefficient x vector summed column by column and rounded once, as Sumatorio5PorTitulares, for
// lists of any length.
struct Combination {
  double acc[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
  Combination& add(const Vec& v, double coefficient) {
    for (int k = 0; k < 5; ++k) acc[k] += coefficient * v[static_cast<std::size_t>(k)];
    return *this;
  }
  Vec rounded() const {
    Vec out;
    for (int k = 0; k < 5; ++k) out[static_cast<std::size_t>(k)] = R(acc[k]);
    return out;
  }
};

Vec difference(const Vec& a, const Vec& b) {
  Vec out;
  tv::Sumatorio5PorTitulares(out, {{a.data(), 1.0}, {b.data(), -1.0}});
  return out;
}

Vec scaled(const Vec& a, double rate) {
  Vec out;
  tv::Sumatorio5PorTitulares(out, {{a.data(), rate}});
  return out;
}

void raiseToZero(Vec& v) { tv::LimitaVector(v.data(), 5, {{0.0, 0}, {0.0, 0}, {0.0, 0}, {0.0, 0}, {0.0, 0}}); }

void lowerTo(Vec& v, const Vec& ceiling) {
  tv::LimitaVector(v.data(), 5, {{ceiling[0], 1}, {ceiling[1], 1}, {ceiling[2], 1}, {ceiling[3], 1}, {ceiling[4], 1}});
}

int holderCode(const void* rec, const blocks::U8& f) { return f.get(rec); }

// ---- the annex -------------------------------------------------------------------------------
struct Annex {
  void* q;
  void* summary;
  const void* f1;
  const void* e4;
  const void* e5;

  Vec quotaBase{}, quotaAvailable{}, objectiveIncome{};
  Vec generalLimit{}, basicLimit{}, secondListLimit{}, group6StepLimit{}, group6Limit{};
  Vec researchLimit{}, otherLimit{}, lastLineLimit{};
  std::array<Vec, kPendingSteps.size()> stepApplied{};

  // The apply step: the limit is lowered to the quota available and raised to 0 (and keeps those
  // values); the amount is applied up to it and taken from the quota available.
  Vec applyUnder(const Vec& amount, Vec& limit) {
    lowerTo(limit, quotaAvailable);
    raiseToZero(limit);
    Vec applied;
    for (std::size_t k = 0; k < 5; ++k) applied[k] = amount[k] < limit[k] ? amount[k] : limit[k];
    quotaAvailable = difference(quotaAvailable, applied);
    return applied;
  }
  static void reduce(Vec& limit, const Vec& applied) { limit = difference(limit, applied); }
  // The apply step under a running limit: what is applied is also taken from the limit.
  Vec applyRunning(const Vec& amount, Vec& limit) {
    const Vec applied = applyUnder(amount, limit);
    reduce(limit, applied);
    return applied;
  }

  Vec load(const blocks::Vec5& f) const { return f.load(q); }
  void store(const blocks::Vec5& f, const Vec& v) { f.store(q, v); }

  void limitBases();
  void line2Deductions(const q::YearLine& line, double rate);
  void pendingSteps();
  void pendingTotals();
  template <std::size_t N, class Apply>
  void yearList(const std::array<q::YearLine, N>& lines, Apply applyLine);
  void linesOfTheYear();
  void totalAndSplit();
  void reserveBlocks();
};

Vec claimedOfRows(const void* rec, const q::YearLine& line) {
  ByHolder sum;
  for (int r = 0; r < line.rowCount; ++r) sum.add(holderCode(rec, line.holder(r)), line.deduction(r).get(rec));
  return sum.v;
}

void Annex::line2Deductions(const q::YearLine& line, double rate) {
  for (int r = 0; r < 2; ++r) {
    const int c = holderCode(q, line.holder(r));
    // Codes above 5 have no member: such a row is empty and keeps its deduction.
    if (c == 0 || c > 5) continue;
    const std::size_t row = line.rows[static_cast<std::size_t>(r)];
    const double direct = blocks::F64{row + q::kDirectExpensesAt}.get(q);
    const double objective = blocks::F64{row + q::kObjectiveExpensesAt}.get(q);
    const double bound = objectiveIncome[static_cast<std::size_t>(c - 1)];
    line.deduction(r).set(q, R(rate * (direct + (objective <= bound ? objective : bound))));
  }
  store(line.claimed, claimedOfRows(q, line));
}

void Annex::limitBases() {
  namespace s = from_summary;
  Combination base;
  base.add(s::sm::StateGrossQuota.load(summary), 1.0).add(s::sm::RegionalGrossQuota.load(summary), 1.0);
  for (const blocks::Vec5& v : s::kQuotaBaseDeductions) base.add(v.load(summary), -1.0);
  quotaBase = base.rounded();
  raiseToZero(quotaBase);

  Combination available;
  available.add(quotaBase, 1.0);
  for (const blocks::Vec5& v : s::kQuotaAvailableDeductions) available.add(v.load(summary), -1.0);
  quotaAvailable = available.rounded();
  raiseToZero(quotaAvailable);

  store(q::FirstList[0].claimed, claimedOfRows(q, q::FirstList[0]));

  ByHolder income;
  namespace e4f = f100::sec_e4;
  namespace e5f = f100::sec_e5;
  namespace f1f = f100::sec_f1;
  for (int r = 0; r < e4f::kRows; ++r)
    income.add(e4f::Holder(r, e4f::kRowSize).get(e4), e4f::NetBeforeLastReduction(r, e4f::kRowSize).get(e4));
  for (int r = 0; r < e5f::kRows; ++r)
    income.add(e5f::Holder(r, e5f::kRowSize).get(e5), e5f::ReducedNet(r, e5f::kRowSize).get(e5));
  for (int r = 0; r < f1f::kRows; ++r) {
    const bool counted = f1f::ObjectiveEstimationFlag(r, f1f::kRowSize).get(f1) != 0;
    income.add(f1f::Holder(r, f1f::kRowSize).get(f1), counted ? f1f::Income3Entered(r, f1f::kRowSize).get(f1) : 0.0);
  }
  objectiveIncome = income.v;
  raiseToZero(objectiveIncome);

  line2Deductions(q::FirstList[1], kLine2FirstRate);
  store(q::SecondList[0].claimed, claimedOfRows(q, q::SecondList[0]));
  line2Deductions(q::SecondList[1], kLine2SecondRate);

  const Vec first1 = load(q::FirstList[0].claimed), first2 = load(q::FirstList[1].claimed);
  const Vec second1 = load(q::SecondList[0].claimed), second2 = load(q::SecondList[1].claimed);
  for (std::size_t k = 0; k < 5; ++k) {
    const double b = quotaBase[k];
    const double threshold = R(kRaiseThreshold * b);
    generalLimit[k] = threshold < first1[k] + first2[k] ? R(kGeneralRaisedRate * b) : R(kGeneralRate * b);
    secondListLimit[k] = threshold < second1[k] + second2[k] ? R(kSecondListRaisedRate * b) : R(kSecondListRate * b);
    group6StepLimit[k] = R(kGroup6StepRate * b);
    group6Limit[k] = R(kGroup6Rate * b);
    researchLimit[k] = R(kBalanceRate * b);
    otherLimit[k] = R(kBalanceRate * b);
  }
}

void Annex::pendingSteps() {
  for (std::size_t i = 0; i < kPendingSteps.size(); ++i) {
    const Step& step = kPendingSteps[i];
    const GroupRule& rule = kGroups[static_cast<std::size_t>(step.group - 1)];
    const q::PendingGroup& g = *rule.group;
    ByHolder amount;
    for (int r = 0; r < 2; ++r) amount.add(holderCode(q, g.holder(r)), g.amount(r, step.year).get(q));

    Vec applied;
    switch (rule.limit) {
      case LimitKind::General:
        applied = applyRunning(amount.v, generalLimit);
        break;
      case LimitKind::Basic: {
        // 35 % of the base less what groups 1 to 5 applied so far in this call.
        Combination basic;
        basic.add(quotaBase, kBasicRate);
        for (std::size_t j = 0; j < i; ++j)
          if (kPendingSteps[j].group <= 5) basic.add(stepApplied[j], -1.0);
        basicLimit = basic.rounded();
        raiseToZero(basicLimit);
        lowerTo(basicLimit, quotaAvailable);
        raiseToZero(basicLimit);
        applied = applyUnder(amount.v, basicLimit);
        reduce(generalLimit, applied);
        break;
      }
      case LimitKind::Group6:
        lowerTo(group6StepLimit, group6Limit);
        applied = applyUnder(amount.v, group6StepLimit);
        reduce(group6Limit, applied);
        break;
      case LimitKind::SecondList:
        applied = applyRunning(amount.v, secondListLimit);
        break;
      case LimitKind::Research:
        applied = applyRunning(amount.v, researchLimit);
        break;
      case LimitKind::Other:
        applied = applyRunning(amount.v, otherLimit);
        break;
    }
    stepApplied[i] = applied;

    // Group 5 has a single year: its step writes the group's vectors directly.
    if (step.group == 5) {
      store(g.claimed, amount.v);
      store(g.applied, applied);
      store(g.carriedForward, difference(amount.v, applied));
    }
  }
}

// Claimed, applied and carried forward of the groups with more than one year (8 and 9 together).
// The part of a 1998 balance that is not applied lapses: what is carried forward never exceeds
// the amounts of 1999 and later.
void Annex::pendingTotals() {
  const std::array<std::array<int, 2>, 7> totals{{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {6, 0}, {7, 0}, {8, 9}}};
  for (const auto& groups : totals) {
    ByHolder claimed, later;
    Combination applied;
    bool has1998 = false;
    for (int g : groups) {
      if (g == 0) continue;
      const q::PendingGroup& group = *kGroups[static_cast<std::size_t>(g - 1)].group;
      has1998 = has1998 || group.hasYear(1998);
      for (int r = 0; r < 2; ++r)
        for (int y = group.firstYear; y < group.firstYear + group.years; ++y) {
          const int code = holderCode(q, group.holder(r));
          const double amount = group.amount(r, y).get(q);
          claimed.add(code, amount);
          if (y > 1998) later.add(code, amount);
        }
      for (std::size_t i = 0; i < kPendingSteps.size(); ++i)
        if (kPendingSteps[i].group == g) applied.add(stepApplied[i], 1.0);
    }
    const q::PendingGroup& first = *kGroups[static_cast<std::size_t>(groups[0] - 1)].group;
    const Vec appliedTotal = applied.rounded();
    Vec carried = difference(claimed.v, appliedTotal);
    if (has1998) lowerTo(carried, later.v);
    store(first.claimed, claimed.v);
    store(first.applied, appliedTotal);
    store(first.carriedForward, carried);
  }
}

// One list of the year: each line's claimed vector (lines 1 and 2 hold theirs already), what its
// limit lets through, and the rest carried forward whole.
template <std::size_t N, class Apply>
void Annex::yearList(const std::array<q::YearLine, N>& lines, Apply applyLine) {
  for (std::size_t i = 0; i < N; ++i) {
    const q::YearLine& line = lines[i];
    if (i >= 2) store(line.claimed, claimedOfRows(q, line));
    const Vec claimed = load(line.claimed);
    const Vec applied = applyLine(static_cast<int>(i), claimed);
    store(line.applied, applied);
    store(line.carriedForward, difference(claimed, applied));
  }
}

void Annex::linesOfTheYear() {
  yearList(q::FirstList, [this](int i, const Vec& claimed) {
    if (i < kFirstListGeneralLines) return applyRunning(claimed, generalLimit);
    // 35 % shared with everything applied under the general limit, even when that was raised.
    Combination basic;
    basic.add(quotaBase, kBasicRate);
    for (const q::PendingGroup* g : {&q::PendingGroup1, &q::PendingGroup2, &q::PendingGroup3, &q::PendingGroup4,
                                     &q::PendingGroup5})
      basic.add(load(g->applied), -1.0);
    for (int j = 0; j < i; ++j) basic.add(load(q::FirstList[static_cast<std::size_t>(j)].applied), -1.0);
    basicLimit = basic.rounded();
    raiseToZero(basicLimit);
    return applyUnder(claimed, basicLimit);
  });
  yearList(q::SecondList, [this](int i, const Vec& claimed) {
    if (i < kSecondListRunningLines) return applyRunning(claimed, secondListLimit);
    lastLineLimit = scaled(quotaBase, kLastLineRate);
    return applyUnder(claimed, lastLineLimit);
  });
}

void Annex::totalAndSplit() {
  Combination first;
  for (const q::PendingGroup* g : {&q::PendingGroup1, &q::PendingGroup2, &q::PendingGroup3, &q::PendingGroup4,
                                   &q::PendingGroup5})
    first.add(load(g->applied), 1.0);
  for (const q::YearLine& line : q::FirstList) first.add(load(line.applied), 1.0);

  Combination second;
  second.add(load(q::PendingGroup6.applied), 1.0).add(load(q::PendingGroup7.applied), 1.0);
  for (const q::YearLine& line : q::SecondList) second.add(load(line.applied), 1.0);

  const Vec firstTotal = first.rounded(), secondTotal = second.rounded();
  const Vec balances = load(q::PendingGroup8.applied);
  Vec total;
  tv::Sumatorio5PorTitulares(total, {{firstTotal.data(), 1.0}, {secondTotal.data(), 1.0}, {balances.data(), 1.0}});
  store(q::TotalApplied, total);

  f100::summary::IncentiveDeductionStatePart.store(summary, scaled(total, kStatePart));
  f100::summary::IncentiveDeductionRegionalPart.store(summary, scaled(total, kRegionalPart));
}

bool blankOrZero(unsigned char c) { return c == ' ' || c == 0; }

void Annex::reserveBlocks() {
  for (const q::ReserveBlock& b : q::kReserveBlocks) {
    for (int t = 0; t < b.totalCount; ++t) {
      ByHolder sum;
      for (int r = 0; r < 2; ++r)
        sum.add(holderCode(q, {b.row(r)}), blocks::F64{b.row(r) + b.summedAt[static_cast<std::size_t>(t)]}.get(q));
      store(b.totals[static_cast<std::size_t>(t)], sum.v);
    }
    const blocks::U8 family{b.keys}, declarant{b.keys + 1}, spouse{b.keys + 2};
    family.set(q, ' ');
    declarant.set(q, ' ');
    spouse.set(q, ' ');
    // Row 0 last: it decides when both rows are of the same member.
    for (int r = 1; r >= 0; --r) {
      const unsigned char key = blocks::U8{b.row(r) + b.keyAt}.get(q);
      const int code = holderCode(q, {b.row(r)});
      if (code == 2) declarant.set(q, key);
      if (code == 3) spouse.set(q, key);
    }
    const unsigned char k0 = blocks::U8{b.row(0) + b.keyAt}.get(q);
    const unsigned char k1 = blocks::U8{b.row(1) + b.keyAt}.get(q);
    if (k0 != k1 && !blankOrZero(k0) && !blankOrZero(k1))
      family.set(q, '5');
    else
      family.set(q, !blankOrZero(k0) ? k0 : k1);
  }
}

}  // namespace

TALLYVEX_API void Calculos100Q(void* secQ, void* summary, void* secF1, void* secE4, void* secE5) {
  Annex annex{secQ, summary, secF1, secE4, secE5};
  annex.limitBases();
  annex.pendingSteps();
  annex.pendingTotals();
  annex.linesOfTheYear();
  annex.totalAndSplit();
  annex.reserveBlocks();
}
