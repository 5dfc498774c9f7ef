// Liquidation of form 100 (Calculos100Li), five passes run in order by the driver. Annex dialogs
// run a single pass on working copies of the summary or of section Q, so each pass reads only its
// arguments and what earlier passes left in them, and writes nothing outside its own slots.
#include "blocks/form100_liquidation.h"
#include "blocks/form100_result.h"
#include "numeric.h"
#include "tallyvex.h"

#include <initializer_list>

namespace {

using tv::Vec;
namespace sm = f100::summary;
namespace li = f100::sec_li;
namespace en = f100::sec_li::entries;

// Rates, caps and splits of the liquidation.
namespace rules {
constexpr double kStateShare = 0.67;     // split of a quota deduction or increment of 2002 onwards
constexpr double kRegionalShare = 0.33;
constexpr double kOldStateShare = 0.85;  // amounts of the years before 2002
constexpr double kOldRegionalShare = 0.15;
constexpr double kReserveQuotaCap = 0.8;  // investment reserve: share of the general quota
constexpr double kCanaryGoodsShare = 0.5;
constexpr double kCommonHalf = 0.5;       // each spouse's share of a common foreign-income entry
constexpr double kRentRate = 0.1;
constexpr double kRentIncomeShare = 0.1;  // the rent must exceed this share of the net income
constexpr double kRentCap = 601.01;
constexpr double kRentBaseJoint = 30050.61;
constexpr double kRentBaseIndividual = 21035.42;
constexpr double kInterestCapJoint = 6010.12;
constexpr double kInterestCapIndividual = 4808.10;
constexpr double kCapitalBaseShare = 0.3;
constexpr double kCapitalIncentiveRate = 0.15;
constexpr double kImputedRateRevised = 0.011;
constexpr double kImputedRate = 0.02;
constexpr double kDaysInYear = 365.0;
constexpr unsigned char kRevised = 1;
}  // namespace rules

double R(double x) { return tv::Redondea(x, 2); }
double floorAt0(double x) { return x <= 0.0 ? 0.0 : x; }

// Per-holder sum, built item by item (SumaASuTitular with a list known only at run time).
struct ByHolder {
  Vec v{};
  void add(int code, double amount) { tv::AcumulaATitular(v.data(), 5, code, amount); }
};

Vec load(const void* rec, blocks::Vec5 f) { return f.load(rec); }

void floorVector(Vec& v) { tv::LimitaVector(v.data(), 5, {{0.0, -1}, {0.0, -1}, {0.0, -1}, {0.0, -1}, {0.0, -1}}); }
void capVector(Vec& v, const Vec& limit) {
  tv::LimitaVector(v.data(), 5, {{limit[0], 1}, {limit[1], 1}, {limit[2], 1}, {limit[3], 1}, {limit[4], 1}});
}

// Results computed for the joint filing and the spouses only: columns 3 and 4 keep what they hold.
void storeTriple(void* rec, blocks::Vec5 f, const Vec& v) {
  for (int c = 0; c < 3; ++c) f.set(rec, c, v[c]);
}

Vec sumEntries(const void* rec, const li::Entries& e, std::size_t at) {
  ByHolder s;
  for (int i = 0; i < e.count; ++i) s.add(e.code(i).get(rec), e.amount(i, at).get(rec));
  return s.v;
}

// ---- pass 1: Canary Islands investment-reserve credit and Canary goods credit ------------------
void Pass1(void* s, const void* h, void* q) {
  using namespace rules;
  namespace iq = li::in_q;
  const Vec q160 = load(s, sm::StateGeneralQuota), q200 = load(s, sm::RegionalGeneralQuota);
  const Vec r240 = load(s, sm::StateAverageRate), r280 = load(s, sm::RegionalAverageRate);
  const Vec h0 = load(h, li::in_h::ShortTermBalance), h112 = load(h, li::in_h::GeneralIncome);
  auto GQ = [&](int c) { return q160[c] + q200[c]; };
  auto GB = [&](int c) { return h0[c] + h112[c]; };
  auto AR = [&](int c) { return r240[c] + r280[c]; };

  const Vec RA = sumEntries(q, iq::Reserve, iq::kAllocation);
  const Vec RB = sumEntries(q, iq::Reserve, iq::kCanaryIncome);

  Vec state = load(s, sm::ReserveCreditState), regional = load(s, sm::ReserveCreditRegional);
  Vec rate = load(q, iq::ReserveAverageRate);

  // The deduction before the limit (Y) and the limit (Z) of one part; the credit is the smaller.
  auto credit = [&](int quotaColumn, double allocation, double canaryIncome, int slot) {
    const double y = R(AR(quotaColumn) / 100 * allocation);
    double z = R(GQ(quotaColumn) * kReserveQuotaCap * canaryIncome / GB(quotaColumn));
    const double cap = R(GQ(quotaColumn) * kReserveQuotaCap);
    if (cap < z) z = cap;
    iq::ReserveDeductionBeforeLimit(slot).set(q, y);
    iq::ReserveLimit(slot).set(q, z);
    return y <= z ? y : z;
  };

  // Joint filing: each spouse's part, then the sum split and capped against the unit's quota.
  if (GB(0) <= 0 || RA[0] == 0) {
    state[0] = 0;
    regional[0] = 0;
    rate[0] = 0;
    for (int slot = 0; slot < 2; ++slot) {
      iq::ReserveDeductionBeforeLimit(slot).set(q, 0);
      iq::ReserveLimit(slot).set(q, 0);
    }
  } else {
    rate[0] = AR(0);
    double part[3] = {0, 0, 0};
    for (int sp = 1; sp <= 2; ++sp) {
      if (RA[sp] == 0) {
        iq::ReserveDeductionBeforeLimit(sp - 1).set(q, 0);
        iq::ReserveLimit(sp - 1).set(q, 0);
      } else {
        part[sp] = credit(0, RA[sp], RB[sp], sp - 1);
      }
    }
    state[0] = R((part[1] + part[2]) * kStateShare);
    const double stateCap = R(GQ(0) * kReserveQuotaCap * kStateShare);
    if (stateCap < state[0]) state[0] = stateCap;
    regional[0] = R((part[1] + part[2]) * kRegionalShare);
    const double regionalCap = R(GQ(0) * kReserveQuotaCap * kRegionalShare);
    if (regionalCap < regional[0]) regional[0] = regionalCap;
  }
  // Individual filings of the spouses: the third and fourth slots of each group of four.
  for (int c = 1; c <= 2; ++c) {
    if (GB(c) <= 0 || RA[c] == 0) {
      state[c] = 0;
      regional[c] = 0;
      rate[c] = 0;
      iq::ReserveDeductionBeforeLimit(c + 1).set(q, 0);
      iq::ReserveLimit(c + 1).set(q, 0);
    } else {
      rate[c] = AR(c);
      const double m = credit(c, RA[c], RB[c], c + 1);
      state[c] = R(m * kStateShare);
      regional[c] = R(m * kRegionalShare);
    }
  }
  storeTriple(s, sm::ReserveCreditState, state);
  storeTriple(s, sm::ReserveCreditRegional, regional);
  storeTriple(q, iq::ReserveAverageRate, rate);
  Vec total;
  const Vec st = load(s, sm::ReserveCreditState), rg = load(s, sm::ReserveCreditRegional);
  tv::Sumatorio5PorTitulares(total, {{st.data(), 1.0}, {rg.data(), 1.0}});
  iq::ReserveDeductionTotal.store(q, total);

  // Canary goods: the share of the general quota left after the reserve credit that falls on them.
  Vec CG = sumEntries(s, en::CanaryGoods, 8);
  floorVector(CG);
  double share[3], goodsState[3], goodsRegional[3];
  for (int c = 0; c < 3; ++c) {
    const double NG = GQ(c) - state[c] - regional[c];
    if (GB(c) <= 0 || CG[c] == 0) {
      share[c] = 0;
    } else {
      share[c] = R(NG * CG[c] / GB(c));
      if (NG < share[c]) share[c] = NG;
    }
  }
  for (int c = 0; c < 3; ++c) {
    goodsState[c] = R(share[c] * kCanaryGoodsShare * kStateShare);
    goodsRegional[c] = R(share[c] * kCanaryGoodsShare * kRegionalShare);
  }
  // +1352 holds three columns only: +1376 begins where its column 3 would lie.
  for (int c = 0; c < 3; ++c) {
    sm::CanaryGoodsQuotaShare.set(s, c, share[c]);
    sm::CanaryGoodsCreditState.set(s, c, goodsState[c]);
    sm::CanaryGoodsCreditRegional.set(s, c, goodsRegional[c]);
  }
}

// ---- pass 2: net quotas ------------------------------------------------------------------------
// Sumatorio5PorTitulares of the gross quota (+1.0) and every deduction (-1.0), in the listed order,
// floored at 0.
void netQuota(void* s, blocks::Vec5 gross, std::initializer_list<blocks::Vec5> deductions, blocks::Vec5 out) {
  double acc[5] = {0, 0, 0, 0, 0};
  const Vec g = load(s, gross);
  for (int k = 0; k < 5; ++k) acc[k] += 1.0 * g[k];
  for (blocks::Vec5 d : deductions) {
    const Vec v = load(s, d);
    for (int k = 0; k < 5; ++k) acc[k] += -1.0 * v[k];
  }
  Vec net;
  for (int k = 0; k < 5; ++k) net[k] = R(acc[k]);
  floorVector(net);
  out.store(s, net);
}

void Pass2(void* s) {
  // The state side takes 13 deductions, the regional side 14 (the community's own at +1576).
  netQuota(s, sm::StateGrossQuota,
           {sm::Item15State, sm::DonationState, sm::HousingFinancedState, sm::HousingUnfinancedState,
            sm::HousingConstructionState, sm::HousingAccountState, sm::WorksFinancedState, sm::WorksUnfinancedState,
            sm::IncentiveDeductionStatePart, sm::ReserveCreditState, sm::CanaryGoodsCreditState, sm::CeutaState,
            sm::DepositState},
           sm::StateNetQuota);
  netQuota(s, sm::RegionalGrossQuota,
           {sm::Item15Regional, sm::DonationRegional, sm::HousingFinancedRegional, sm::HousingUnfinancedRegional,
            sm::HousingConstructionRegional, sm::HousingAccountRegional, sm::WorksFinancedRegional,
            sm::WorksUnfinancedRegional, sm::IncentiveDeductionRegionalPart, sm::ReserveCreditRegional,
            sm::CanaryGoodsCreditRegional, sm::CeutaRegional, sm::DepositRegional, sm::RegionalDeductionsTotal},
           sm::RegionalNetQuota);
}

// ---- pass 3: increased net quotas --------------------------------------------------------------
// Two amounts of one entry split state/regional on the per-holder sums, rounded once per column.
void splitShares(void* s, const Vec& oldYears, const Vec& from2002, blocks::Vec5 stateOut, blocks::Vec5 regionalOut) {
  using namespace rules;
  Vec st, rg;
  for (int k = 0; k < 5; ++k) {
    st[k] = R(from2002[k] * kStateShare + oldYears[k] * kOldStateShare);
    rg[k] = R(from2002[k] * kRegionalShare + oldYears[k] * kOldRegionalShare);
  }
  stateOut.store(s, st);
  regionalOut.store(s, rg);
}

// One per-holder sum over all the amounts A of the entries, then all the amounts B.
Vec sumTwoAmounts(const void* s, const li::Entries& e, std::size_t a, std::size_t b) {
  ByHolder t;
  for (int i = 0; i < e.count; ++i) t.add(e.code(i).get(s), e.amount(i, a).get(s));
  for (int i = 0; i < e.count; ++i) t.add(e.code(i).get(s), e.amount(i, b).get(s));
  return t.v;
}

void Pass3(void* s) {
  sm::StateOnlyIncrements.store(s, sumEntries(s, en::StateOnly, 8));
  sm::StateInterestTotal.store(s, sumEntries(s, en::StateInterest, 8));

  sm::SplitIncrementsTotal.store(s, sumTwoAmounts(s, en::Split, 8, 16));
  splitShares(s, sumEntries(s, en::Split, 8), sumEntries(s, en::Split, 16), sm::SplitIncrementsState,
              sm::SplitIncrementsRegional);

  sm::PastInterestTotal.store(s, sumTwoAmounts(s, en::PastInterest, en::kPastInterestOld, en::kPastInterest2002));
  splitShares(s, sumEntries(s, en::PastInterest, en::kPastInterestOld),
              sumEntries(s, en::PastInterest, en::kPastInterest2002), sm::PastInterestState, sm::PastInterestRegional);

  sm::RegionalOnlyIncrements.store(s, sumEntries(s, en::RegionalOnly, 8));
  sm::RegionalInterestTotal.store(s, sumEntries(s, en::RegionalInterest, 8));

  const Vec a = load(s, sm::StateNetQuota), b = load(s, sm::StateOnlyIncrements),
            c = load(s, sm::StateInterestTotal), d = load(s, sm::SplitIncrementsState), e = load(s, sm::PastInterestState);
  Vec state;
  tv::Sumatorio5PorTitulares(state, {{a.data(), 1.0}, {b.data(), 1.0}, {c.data(), 1.0}, {d.data(), 1.0}, {e.data(), 1.0}});
  const Vec f = load(s, sm::RegionalNetQuota), g = load(s, sm::SplitIncrementsRegional),
            h = load(s, sm::PastInterestRegional), i = load(s, sm::RegionalOnlyIncrements),
            j = load(s, sm::RegionalInterestTotal);
  Vec regional;
  tv::Sumatorio5PorTitulares(regional, {{f.data(), 1.0}, {g.data(), 1.0}, {h.data(), 1.0}, {i.data(), 1.0}, {j.data(), 1.0}});
  Vec total;
  tv::Sumatorio5PorTitulares(total, {{state.data(), 1.0}, {regional.data(), 1.0}});
  sm::StateIncreasedNetQuota.store(s, state);
  sm::RegionalIncreasedNetQuota.store(s, regional);
  sm::IncreasedNetQuota.store(s, total);
}

// ---- pass 4a: dividend deductions, limited by the increased net quota --------------------------
struct Sections4 {
  const void *b, *f1, *f2, *k, *d, *a, *c, *e1, *e4, *e5, *f3, *f4, *f5, *g6, *i, *j;
};

void Dividends(void* s, const Sections4& x) {
  const Vec earlier = sumEntries(s, en::EarlierDividends, 8);
  ByHolder year;
  for (int r = 0; r < 6; ++r) year.add(li::in_b::Dividends.code(r).get(x.b), li::in_b::Dividends.at(r, li::in_b::kDividendDeduction).get(x.b));
  for (int r = 0; r < 6; ++r) year.add(li::in_f2::Imputations.code(r).get(x.f2), li::in_f2::Imputations.at(r, li::in_f2::kDividendDeduction).get(x.f2));
  for (int r = 0; r < 6; ++r) year.add(li::in_f1::Entities.code(r).get(x.f1), li::in_f1::Entities.at(r, li::in_f1::kDividendDeduction).get(x.f1));

  // Earlier years' deductions are served first; what does not fit is only shown.
  Vec room = load(s, sm::IncreasedNetQuota);
  Vec earlierApplied = earlier, earlierLeft;
  capVector(earlierApplied, room);
  tv::Sumatorio5PorTitulares(earlierLeft, {{earlier.data(), 1.0}, {earlierApplied.data(), -1.0}});
  tv::Sumatorio5PorTitulares(room, {{room.data(), 1.0}, {earlierApplied.data(), -1.0}});
  Vec yearApplied = year.v, yearLeft, applied;
  capVector(yearApplied, room);
  tv::Sumatorio5PorTitulares(yearLeft, {{year.v.data(), 1.0}, {yearApplied.data(), -1.0}});
  tv::Sumatorio5PorTitulares(applied, {{earlierApplied.data(), 1.0}, {yearApplied.data(), 1.0}});

  sm::EarlierDividendsClaimed.store(s, earlier);
  sm::EarlierDividendsApplied.store(s, earlierApplied);
  sm::EarlierDividendsNotApplied.store(s, earlierLeft);
  sm::YearDividendsClaimed.store(s, year.v);
  sm::YearDividendsApplied.store(s, yearApplied);
  sm::YearDividendsNotApplied.store(s, yearLeft);
  sm::DividendsApplied.store(s, applied);
}

// ---- pass 4a: deduction for income obtained and taxed abroad -----------------------------------
// An entry takes part with holder code 1 to 3 (column code - 1); the visit ends at the first code 0
// and passes over codes of the children.
template <class F>
void forEachForeignEntry(const void* s, F f) {
  const li::Entries& e = en::ForeignIncome;
  for (int j = 0; j < e.count; ++j) {
    const int code = e.code(j).get(s);
    if (code == 0) break;
    if (code > 3) continue;
    f(j, code);
  }
}

// The columns one entry concerns, with their factor: its own, then the related ones.
struct Concerned {
  int n;
  int column[3];
  double factor[3];
};
Concerned concernedColumns(int h) {
  if (h == 0) return {3, {0, 1, 2}, {1.0, rules::kCommonHalf, rules::kCommonHalf}};
  return {2, {h, 0, 0}, {1.0, 1.0, 0}};
}

void ForeignIncome(void* s, const Sections4& x) {
  using rules::kCommonHalf;
  const li::Entries& E = en::ForeignIncome;
  Vec QG, QS, NQ;
  {
    const Vec a = load(s, sm::StateGeneralQuota), b = load(s, sm::RegionalGeneralQuota);
    tv::Sumatorio5PorTitulares(QG, {{a.data(), 1.0}, {b.data(), 1.0}});
    const Vec c = load(s, sm::StateSpecialQuota), d = load(s, sm::RegionalSpecialQuota);
    tv::Sumatorio5PorTitulares(QS, {{c.data(), 1.0}, {d.data(), 1.0}});
    const Vec e = load(s, sm::StateNetQuota), f = load(s, sm::RegionalNetQuota);
    tv::Sumatorio5PorTitulares(NQ, {{e.data(), 1.0}, {f.data(), 1.0}});
    floorVector(NQ);
  }
  const Vec g400 = load(s, sm::StateGrossQuota), g440 = load(s, sm::RegionalGrossQuota);
  const Vec K464 = load(x.k, li::in_k::GeneralLiquidableBase), K744 = load(x.k, li::in_k::SpecialLiquidableBase);
  const Vec G160 = load(x.g6, li::in_g6::LongTermGains);

  // Average effective rates of the columns the entries concern. A column without gross quota has
  // no net quota either: its rates are set to 0 rather than left from an earlier calculation.
  auto rates = [&](int c) {
    const double GT = g400[c] + g440[c];
    double general = 0, special = 0;
    if (GT != 0) {
      if (K464[c] > 0) general = tv::Trunc(NQ[c] * (QG[c] / GT) * 100 / K464[c], 2);
      if (K744[c] > 0) special = tv::Trunc(NQ[c] * (QS[c] / GT) * 100 / K744[c], 2);
    }
    sm::ForeignGeneralRate(c).set(s, general);
    sm::ForeignSpecialRate(c).set(s, special);
  };
  forEachForeignEntry(s, [&](int, int code) {
    const Concerned cc = concernedColumns(code - 1);
    for (int i = 0; i < cc.n; ++i) rates(cc.column[i]);
  });

  // Positive income of each holder. Each amount is floored before it is summed.
  Vec DV, PI, GI;
  {
    namespace id = li::in_d;
    ByHolder dv;
    for (int r = 0; r < 6; ++r) {
      auto amt = [&](std::size_t off) { return id::Properties.at(r, off).get(x.d); };
      dv.add(id::Properties.code(r).get(x.d),
             floorAt0(amt(id::kRental) + amt(id::kSublease) - amt(id::kInterest) - amt(id::kAmortisation) -
                      amt(id::kFiscalCompensation) - amt(id::kOtherExpenses)));
    }
    DV = dv.v;
    ByHolder pi;
    auto rows = [&](const void* rec, const li::Rows& rw, std::size_t off) {
      for (int r = 0; r < 6; ++r) pi.add(rw.code(r).get(rec), floorAt0(rw.at(r, off).get(rec)));
    };
    rows(x.e1, li::in_e1::Activities, li::in_e1::kNetYield);
    rows(x.e4, li::in_e4::Activities, li::in_e4::kNetYield);
    rows(x.e5, li::in_e5::Activities, li::in_e5::kNetYield);
    for (int r = 0; r < 6; ++r) {
      namespace f1 = li::in_f1;
      const int code = f1::Entities.code(r).get(x.f1);
      pi.add(code, floorAt0(f1::Entities.at(r, f1::kNet1).get(x.f1)));
      pi.add(code, floorAt0(f1::Entities.at(r, f1::kNet2).get(x.f1)));
      pi.add(code, floorAt0(f1::Entities.at(r, f1::kNet3).get(x.f1)));
    }
    rows(x.f2, li::in_f2::Imputations, li::in_f2::kNetIncome);
    PI = pi.v;
    Vec A = load(x.a, li::in_a::NetWorkIncome), B = load(x.b, li::in_b::NetIncome);
    floorVector(A);
    floorVector(B);
    const Vec C = load(x.c, li::in_c::ImputedIncome), D1 = load(x.d, li::in_d::ReductionA),
              D2 = load(x.d, li::in_d::ReductionB), F3 = load(x.f3, li::in_f3::Amounts),
              F4 = load(x.f4, li::in_f4::Amounts), F5 = load(x.f5, li::in_f5::Amounts),
              G6 = load(x.g6, li::in_g6::ShortTermGains);
    tv::Sumatorio5PorTitulares(GI, {{PI.data(), 1.0}, {A.data(), 1.0}, {B.data(), 1.0}, {C.data(), 1.0},
                                    {D1.data(), -1.0}, {D2.data(), -1.0}, {DV.data(), 1.0}, {F3.data(), 1.0},
                                    {F4.data(), 1.0}, {F5.data(), 1.0}, {G6.data(), 1.0}});
  }
  Vec DA{}, DB{};
  {
    ByHolder da, db;
    forEachForeignEntry(s, [&](int j, int code) {
      da.add(code, E.amount(j, en::kForeignGeneral).get(s));
      db.add(code, E.amount(j, en::kForeignSpecial).get(s));
    });
    DA = da.v;
    DB = db.v;
  }

  // Parts of the liquidable bases that fall on each entry.
  for (int c = 0; c < 3; ++c)
    for (int m = 0; m < 3; ++m) {
      sm::ForeignGeneralPart(c, m).set(s, 0);
      sm::ForeignSpecialPart(c, m).set(s, 0);
    }
  forEachForeignEntry(s, [&](int j, int code) {
    const double income = E.amount(j, en::kForeignGeneral).get(s);
    const double special = E.amount(j, en::kForeignSpecial).get(s);
    const Concerned cc = concernedColumns(code - 1);
    for (int i = 0; i < cc.n; ++i) {
      const int c = cc.column[i];
      const double f = cc.factor[i];
      if (GI[c] > 0) {
        double PG = K464[c] * DA[c] / GI[c];
        if (PG > K464[c]) PG = K464[c];
        if (PG < 0) PG = 0;
        double part = 0;
        if (DA[c] != 0) part = f == 1.0 ? R(PG * income / DA[c]) : R(income * f * PG / DA[c]);
        sm::ForeignGeneralPart(c, j).set(s, part);
      }
      double PS = G160[c] != 0 ? DB[c] * K744[c] / G160[c] : 0;
      if (PS > K744[c]) PS = K744[c];
      double part = 0;
      if (DB[c] != 0) part = f == 1.0 ? R(PS * special / DB[c]) : R(special * f * PS / DB[c]);
      sm::ForeignSpecialPart(c, j).set(s, part);
    }
  });
  // A negative part takes the rate of its base with it.
  for (int c = 0; c < 3; ++c)
    for (int m = 0; m < 3; ++m) {
      if (sm::ForeignGeneralPart(c, m).get(s) < 0) {
        sm::ForeignGeneralPart(c, m).set(s, 0);
        sm::ForeignGeneralRate(c).set(s, 0);
      }
      if (sm::ForeignSpecialPart(c, m).get(s) < 0) {
        sm::ForeignSpecialPart(c, m).set(s, 0);
        sm::ForeignSpecialRate(c).set(s, 0);
      }
    }

  // The tax at the rate, limited by the whole tax paid abroad (half of it for each spouse of a
  // common entry), separately for the general and the special amount.
  Vec DG{}, DS{};
  forEachForeignEntry(s, [&](int j, int code) {
    const double T = E.amount(j, en::kForeignTaxPaid).get(s);
    const int h = code - 1;
    const Concerned cc = concernedColumns(h);
    for (int i = 0; i < cc.n; ++i) {
      const int c = cc.column[i];
      const double pg = sm::ForeignGeneralPart(c, j).get(s) * sm::ForeignGeneralRate(c).get(s) / 100;
      const double ps = sm::ForeignSpecialPart(c, j).get(s) * sm::ForeignSpecialRate(c).get(s) / 100;
      if (h == 0 && c != 0) {
        DG[c] += pg <= T * kCommonHalf ? R(pg) : R(T * kCommonHalf);
        DS[c] += ps <= T * kCommonHalf ? R(ps) : R(T * kCommonHalf);
      } else {
        DG[c] += pg <= T ? R(pg) : T;
        DS[c] += ps <= T ? R(ps) : T;
      }
    }
  });
  Vec deduction;
  tv::Sumatorio5PorTitulares(deduction, {{DG.data(), 1.0}, {DS.data(), 1.0}});
  sm::ForeignTaxDeduction.store(s, deduction);
}

// ---- pass 4b: transparency, rent of the habitual home, housing compensation, resulting quota ---
void Transparency(void* s) {
  Vec t = sumEntries(s, en::Transparency, 8);
  t[0] = en::TransparencyJoint.get(s);
  sm::TransparencyDeduction.store(s, t);
}

void Rent(void* s, const Sections4& x) {
  using namespace rules;
  Vec NI;
  {
    ByHolder ni;
    auto rows = [&](const void* rec, const li::Rows& rw, std::size_t off) {
      for (int r = 0; r < 6; ++r) ni.add(rw.code(r).get(rec), rw.at(r, off).get(rec));
    };
    rows(x.e1, li::in_e1::Activities, li::in_e1::kNetIncome);
    rows(x.e4, li::in_e4::Activities, li::in_e4::kNetIncome);
    rows(x.e5, li::in_e5::Activities, li::in_e5::kNetIncome);
    for (int r = 0; r < 6; ++r) {
      namespace f1 = li::in_f1;
      const int code = f1::Entities.code(r).get(x.f1);
      ni.add(code, f1::Entities.at(r, f1::kIncome1).get(x.f1));
      ni.add(code, f1::Entities.at(r, f1::kIncome2).get(x.f1));
      ni.add(code, f1::Entities.at(r, f1::kIncome3).get(x.f1));
    }
    const Vec A = load(x.a, li::in_a::NetWorkIncome), B1 = load(x.b, li::in_b::RentNetA),
              B2 = load(x.b, li::in_b::RentNetB), B3 = load(x.b, li::in_b::RentNetLess),
              C = load(x.c, li::in_c::ImputedIncome), D = load(x.d, li::in_d::NetIncome);
    tv::Sumatorio5PorTitulares(NI, {{ni.v.data(), 1.0}, {A.data(), 1.0}, {B1.data(), 1.0}, {B2.data(), 1.0},
                                    {B3.data(), -1.0}, {C.data(), 1.0}, {D.data(), 1.0}});
    floorVector(NI);
  }
  const li::Entries& K = en::RentContracts;
  const Vec RV = sumEntries(s, K, en::kRentPaid);
  const Vec I120 = load(x.i, li::in_i::GeneralBase), I240 = load(x.i, li::in_i::SpecialBase);
  const Vec J0 = load(x.j, li::in_j::WorkReduction), J320 = load(x.j, li::in_j::DisabledWorkers);
  Vec rent = load(s, sm::StateZeduDeduction);
  for (int c = 0; c < 3; ++c) {
    sm::RentLandlordNif(c).clear(s, '\0');
    rent[c] = 0;
    const double base = R(I120[c] + I240[c] - J0[c] - J320[c]);
    const double baseLimit = c == 0 ? kRentBaseJoint : kRentBaseIndividual;
    if (!(base <= baseLimit && R(NI[c] * kRentIncomeShare) < RV[c])) continue;
    rent[c] = R(RV[c] * kRentRate);
    if (rent[c] > kRentCap) rent[c] = kRentCap;
    for (int e = 0; e < K.count; ++e) {
      const blocks::Text nif{K.first + K.size * static_cast<std::size_t>(e) + en::kRentNif, en::kNifWidth};
      if (nif.isAbsent(s)) continue;
      const int code = K.code(e).get(s);
      const bool holds = c == 0 ? code != 0 : (code == 1 || code == c + 1);
      if (!holds) continue;
      sm::RentLandlordNif(c).set(s, nif.raw(s));
      break;
    }
  }
  storeTriple(s, sm::StateZeduDeduction, rent);
}

void HousingCompensation(void* s, const Sections4& x) {
  using namespace rules;
  const li::Entries& H = en::Homes;
  const Vec IN = sumEntries(s, H, en::kHomeInterest);
  Vec INc = IN;
  tv::LimitaVector(INc.data(), 5, {{kInterestCapJoint, 1}, {kInterestCapIndividual, 1}, {kInterestCapIndividual, 1},
                                   {kInterestCapIndividual, 1}, {kInterestCapIndividual, 1}});
  Vec BL;
  {
    const Vec k280 = load(x.k, li::in_k::GeneralBaseAfterReductions), k744 = load(x.k, li::in_k::SpecialLiquidableBase),
              i160 = load(x.i, li::in_i::GeneralMinimum), i280 = load(x.i, li::in_i::SpecialMinimum),
              j120 = load(x.j, li::in_j::ChildrenUnderThree), j160 = load(x.j, li::in_j::AgeOver64),
              j240 = load(x.j, li::in_j::MembersDisability), j280 = load(x.j, li::in_j::RelativesDisability);
    tv::Sumatorio5PorTitulares(BL, {{k280.data(), 1.0}, {k744.data(), 1.0}, {i160.data(), 1.0}, {i280.data(), 1.0},
                                    {j120.data(), 1.0}, {j160.data(), 1.0}, {j240.data(), 1.0}, {j280.data(), 1.0}});
  }
  const Vec CP = sumEntries(s, H, en::kHomeInvestment);
  Vec CPc = CP;
  {
    Vec cap;
    for (int k = 0; k < 5; ++k) cap[k] = R(BL[k] * kCapitalBaseShare);
    capVector(CPc, cap);
    floorVector(CPc);
  }
  Vec IM1{}, IM2{};
  for (int e = 0; e < H.count; ++e) {
    const bool revised = blocks::U8{H.first + H.size * static_cast<std::size_t>(e) + en::kHomeRevised}.get(s) == kRevised;
    const double rate = revised ? kImputedRateRevised : kImputedRate;
    const double amount = R(H.amount(e, en::kHomeCadastral).get(s) * rate * H.amount(e, en::kHomeDays).get(s) / kDaysInYear);
    ByHolder one;
    one.add(H.code(e).get(s), amount);
    Vec& into = revised ? IM1 : IM2;
    tv::Sumatorio5PorTitulares(into, {{one.v.data(), 1.0}, {into.data(), 1.0}});
  }
  const Vec PT = sumEntries(s, H, en::kHomePropertyTax);
  const Vec h640 = load(s, sm::HousingFinancedState), h680 = load(s, sm::HousingFinancedRegional),
            h720 = load(s, sm::HousingUnfinancedState), h760 = load(s, sm::HousingUnfinancedRegional);
  const Vec r240 = load(s, sm::StateAverageRate), r280 = load(s, sm::RegionalAverageRate);

  Vec comp = load(s, sm::HousingCompensation);
  for (int c = 0; c < 3; ++c) {
    const double applied = h640[c] + h680[c] + h720[c] + h760[c];
    const double interest = R((INc[c] + PT[c] - IM2[c] - IM1[c]) * (r240[c] + r280[c]) / 100);
    const double capital = R(CPc[c] * kCapitalIncentiveRate);
    const double total = interest + capital;
    double compensation = total - applied;
    if (compensation < 0) compensation = 0;
    sm::CompensationField(c, sm::kInterestIncentive).set(s, interest);
    sm::CompensationField(c, sm::kCapitalIncentive).set(s, capital);
    sm::CompensationField(c, sm::kTotalIncentive).set(s, total);
    sm::CompensationField(c, sm::kHousingApplied).set(s, applied);
    sm::CompensationField(c, sm::kCompensation).set(s, compensation);
    // No interest and no investment at all: nothing to compensate.
    comp[c] = IN[c] + CP[c] == 0 ? 0 : compensation;
  }
  storeTriple(s, sm::HousingCompensation, comp);
}

void ResultingQuota(void* s) {
  const Vec a = load(s, sm::IncreasedNetQuota), b = load(s, sm::DividendsApplied), c = load(s, sm::ForeignTaxDeduction),
            d = load(s, sm::TransparencyDeduction), e = load(s, sm::ImageRightsDeduction), f = load(s, sm::StateZeduDeduction),
            g = load(s, sm::HousingCompensation);
  Vec q;
  tv::Sumatorio5PorTitulares(q, {{a.data(), 1.0}, {b.data(), -1.0}, {c.data(), -1.0}, {d.data(), -1.0},
                                 {e.data(), -1.0}, {f.data(), -1.0}, {g.data(), -1.0}});
  floorVector(q);
  sm::ResultingQuota.store(s, q);
}

void Pass4(void* s, const Sections4& x) {
  Dividends(s, x);
  ForeignIncome(s, x);
  Transparency(s);
  Rent(s, x);
  HousingCompensation(s, x);
  ResultingQuota(s);
}

// ---- pass 5: payments on account and the result ------------------------------------------------
struct Sections5 {
  const void *d, *e1, *e4, *e5, *f1;
};

// Installment payments entered in an activity row cover all the holder's activities of that kind:
// each holder's amount is taken once, from its first row with a non-zero amount.
Vec Installments(const Sections5& x) {
  namespace e1 = li::in_e1;
  namespace e4 = li::in_e4;
  namespace e5 = li::in_e5;
  namespace f1 = li::in_f1;
  Vec v{};
  // Holder codes without a column (above 5) would index outside the vector: they are passed over.
  auto takeFirst = [](Vec& into, int code, double amount) {
    if (code >= 1 && code <= 5 && into[code - 1] == 0) into[code - 1] = amount;
  };
  for (int r = 0; r < 6; ++r) {
    takeFirst(v, e4::Activities.code(r).get(x.e4), e4::Activities.at(r, e4::kInstallments).get(x.e4));
    takeFirst(v, e5::Activities.code(r).get(x.e5), e5::Activities.at(r, e5::kInstallments).get(x.e5));
  }
  Vec E1{}, F1{};  // by holder code - 1
  for (int r = 0; r < 6; ++r) {
    takeFirst(E1, e1::Activities.code(r).get(x.e1), e1::Activities.at(r, e1::kInstallments).get(x.e1));
    takeFirst(F1, f1::Entities.code(r).get(x.f1), f1::Entities.at(r, f1::kInstallments).get(x.f1));
  }
  // A common E1 or F1 row (code 1) is not used.
  for (int k = 1; k <= 4; ++k) {
    v[k] = v[k] + E1[k] + F1[k];
    v[0] = v[0] + v[k];
  }
  return v;
}

void Pass5(void* s, const Sections5& x, void* result, const void* family) {
  namespace rs = f100::result;
  {
    ByHolder t;
    for (int r = 0; r < 6; ++r) t.add(li::in_d::Properties.code(r).get(x.d), li::in_d::Properties.at(r, li::in_d::kWithholding).get(x.d));
    for (int r = 0; r < 6; ++r) t.add(li::in_e1::Activities.code(r).get(x.e1), li::in_e1::Activities.at(r, li::in_e1::kWithholdingRenting).get(x.e1));
    sm::RealEstateWithholdings.store(s, t.v);
  }
  {
    ByHolder t;
    for (int r = 0; r < 6; ++r) t.add(li::in_e1::Activities.code(r).get(x.e1), li::in_e1::Activities.at(r, li::in_e1::kWithholdingOther).get(x.e1));
    for (int r = 0; r < 6; ++r) t.add(li::in_e4::Activities.code(r).get(x.e4), li::in_e4::Activities.at(r, li::in_e4::kWithholding).get(x.e4));
    for (int r = 0; r < 6; ++r) t.add(li::in_e5::Activities.code(r).get(x.e5), li::in_e5::Activities.at(r, li::in_e5::kWithholding).get(x.e5));
    sm::ActivityWithholdings.store(s, t.v);
  }
  sm::ActivityInstallments.store(s, Installments(x));
  sm::OtherPaymentsA.store(s, sumEntries(s, en::OtherA, 8));
  sm::OtherPaymentsB.store(s, sumEntries(s, en::OtherB, 8));

  const Vec p[12] = {load(s, sm::WorkWithholdings), load(s, sm::CapitalWithholdings), load(s, sm::RealEstateWithholdings),
                     load(s, sm::ActivityWithholdings), load(s, sm::ActivityInstallments), load(s, sm::AttributedWithholdings),
                     load(s, sm::ImputedBaseDeduction), load(s, sm::ImputedBaseCarried), load(s, sm::ImageRightsPayment),
                     load(s, sm::GainsWithholdings), load(s, sm::OtherPaymentsA), load(s, sm::OtherPaymentsB)};
  Vec payments;
  tv::Sumatorio5PorTitulares(payments, {{p[0].data(), 1.0}, {p[1].data(), 1.0}, {p[2].data(), 1.0}, {p[3].data(), 1.0},
                                        {p[4].data(), 1.0}, {p[5].data(), 1.0}, {p[6].data(), 1.0}, {p[7].data(), 1.0},
                                        {p[8].data(), 1.0}, {p[9].data(), 1.0}, {p[10].data(), 1.0}, {p[11].data(), 1.0}});
  sm::PaymentsOnAccount.store(s, payments);
  const Vec quota = load(s, sm::ResultingQuota);
  Vec differential;
  tv::Sumatorio5PorTitulares(differential, {{quota.data(), 1.0}, {payments.data(), -1.0}});
  sm::DifferentialQuota.store(s, differential);

  const int maternityHolder = en::MaternityHolder.get(s);
  ByHolder maternity;
  for (int child = 0; child < en::kMaternityChildCount; ++child) maternity.add(maternityHolder, en::MaternityAmount(child).get(s));
  sm::MaternityDeduction.store(s, maternity.v);
  ByHolder advances;
  advances.add(maternityHolder, en::MaternityAdvanceReceived.get(s));
  sm::MaternityAdvances.store(s, advances.v);

  Vec additions;
  for (int m = 0; m < 4; ++m) additions[m + 1] = en::MemberAddition(m).get(s);
  additions[0] = additions[1] + additions[2] + additions[3] + additions[4];
  sm::MemberAdditions.store(s, additions);

  Vec res;
  tv::Sumatorio5PorTitulares(res, {{differential.data(), 1.0}, {advances.v.data(), 1.0}, {additions.data(), 1.0},
                                   {maternity.v.data(), -1.0}});
  sm::DeclarationResult.store(s, res);

  // A complementary declaration shows its result net of what the complemented one paid or obtained.
  const Vec paid = load(result, rs::PaidBefore), refunded = load(result, rs::RefundedBefore);
  Vec member;
  for (int k = 0; k < 5; ++k) {
    if (paid[k] + refunded[k] <= 0)
      member[k] = li::Complementary(k).get(family) == 1 ? res[k] : 0;
    else
      member[k] = res[k] - paid[k] + refunded[k];
  }
  rs::MemberResult.store(result, member);
}

}  // namespace

TALLYVEX_API void Calculos100Li(void* summary, void* h, void* q, void* b, void* f1, void* k, void* d, void* f2, void* e1,
                                void* e4, void* e5, void* c, void* f3, void* f4, void* f5, void* g6, void* i, void* a,
                                void* j, void* result, void* family, int pass) {
  switch (pass) {
    case 1:
      Pass1(summary, h, q);
      break;
    case 2:
      Pass2(summary);
      break;
    case 3:
      Pass3(summary);
      break;
    case 4:
      Pass4(summary, Sections4{b, f1, f2, k, d, a, c, e1, e4, e5, f3, f4, f5, g6, i, j});
      break;
    case 5:
      Pass5(summary, Sections5{d, e1, e4, e5, f1}, result, family);
      break;
    default:
      break;
  }
}
