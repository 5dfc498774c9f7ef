#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "blocks/form100_l.h"
#include "blocks/form100_liquidation.h"
#include "blocks/form100_q.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {

namespace q = f100::sec_q;
using V = std::array<double, 5>;

constexpr int D = 2, S = 3;  // holder codes: declarant, spouse

struct AnnexC : Block100 {
  void* q() { return (*this)[f100::SectionQ]; }
  void* sum() { return (*this)[f100::Summary]; }
  void run() { Calculos100Q(q(), sum(), (*this)[f100::SectionF1], (*this)[f100::SectionE4], (*this)[f100::SectionE5]); }
  // The quota base: the state gross quota of the family unit and the declarant.
  void base(double b) { f100::summary::StateGrossQuota.store(sum(), V{b, b, 0, 0, 0}); }
  void pending(const q::PendingGroup& g, int row, int code, int year, double amount) {
    g.holder(row).set(q(), static_cast<unsigned char>(code));
    g.amount(row, year).set(q(), amount);
  }
  void line(const q::YearLine& l, int row, int code, double deduction) {
    l.holder(row).set(q(), static_cast<unsigned char>(code));
    l.deduction(row).set(q(), deduction);
  }
  V vec(const blocks::Vec5& f) { return f.load(q()); }
  // The declarant's column (and the family unit's, which follows the same figures here).
  double decl(const blocks::Vec5& f) {
    const V v = vec(f);
    EXPECT_DOUBLE_EQ(v[0], v[1]) << "family unit and declarant at +" << f.off;
    return v[1];
  }
};

struct GroupOneCase { double y1998, y1999, applied, carried; };

// A general limit of 300 (35 % of 857.14): the 1998 amount first; what 1998 leaves unapplied lapses.
TEST(AnnexC, PendingBalancesOf1998And1999) {
  const GroupOneCase cases[] = {{500, 100, 300, 100}, {100, 500, 300, 300}, {100, 100, 200, 0}};
  for (const GroupOneCase& c : cases) {
    AnnexC a;
    a.base(857.14);
    a.pending(q::PendingGroup1, 0, D, 1998, c.y1998);
    a.pending(q::PendingGroup1, 0, D, 1999, c.y1999);
    a.run();
    EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup1.claimed), c.y1998 + c.y1999) << c.y1998;
    EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup1.applied), c.applied) << c.y1998;
    EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup1.carriedForward), c.carried) << c.y1998;
    EXPECT_DOUBLE_EQ(a.decl(q::TotalApplied), c.applied);
  }
}

TEST(AnnexC, WithoutQuotaNothingAppliesAndOnly1998Lapses) {
  AnnexC a;
  a.pending(q::PendingGroup1, 0, D, 1998, 50);
  a.pending(q::PendingGroup1, 1, D, 2000, 70);
  a.pending(q::PendingGroup4, 0, D, 2000, 30);
  a.pending(q::PendingGroup5, 1, D, 2002, 20);
  a.pending(q::PendingGroup6, 0, D, 1998, 40);
  a.pending(q::PendingGroup6, 0, D, 2002, 45);
  // Deductions larger than the gross quota: the base is 0.
  f100::summary::StateGrossQuota.store(a.sum(), V{100, 100, 0, 0, 0});
  blocks::Vec5{480}.store(a.sum(), V{150, 150, 0, 0, 0});
  a.run();
  for (const q::PendingGroup* g : {&q::PendingGroup1, &q::PendingGroup4, &q::PendingGroup5, &q::PendingGroup6})
    EXPECT_EQ(a.decl(g->applied), 0.0) << g->claimed.off;
  EXPECT_EQ(a.decl(q::PendingGroup1.carriedForward), 70.0);
  EXPECT_EQ(a.decl(q::PendingGroup4.carriedForward), 30.0);
  EXPECT_EQ(a.decl(q::PendingGroup5.carriedForward), 20.0);
  EXPECT_EQ(a.decl(q::PendingGroup5.claimed), 20.0);
  EXPECT_EQ(a.decl(q::PendingGroup6.carriedForward), 45.0);
}

// The general limit is raised to 45 % by the research line, but group 2 still shares 35 % with
// group 1; the first list then takes what groups 1 and 2 left of the raised limit.
TEST(AnnexC, BasicLimitSharesThirtyFivePercentWithGroupOne) {
  AnnexC a;
  a.base(1000);
  a.line(q::FirstList[0], 0, D, 150);  // above 10 % of the base: general limit 450
  a.pending(q::PendingGroup1, 0, D, 1998, 300);
  a.pending(q::PendingGroup2, 0, D, 1998, 200);
  a.run();
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup1.applied), 300);
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup2.applied), 50);
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup2.carriedForward), 0) << "1998 balance lapses";
  EXPECT_DOUBLE_EQ(a.decl(q::FirstList[0].claimed), 150);
  EXPECT_DOUBLE_EQ(a.decl(q::FirstList[0].applied), 100);
  EXPECT_DOUBLE_EQ(a.decl(q::FirstList[0].carriedForward), 50);
  EXPECT_DOUBLE_EQ(a.decl(q::TotalApplied), 450);
}

TEST(AnnexC, GroupSixAndTheResearchBalancesHaveTheirOwnLimits) {
  AnnexC a;
  a.base(1000);
  a.pending(q::PendingGroup6, 0, D, 1998, 600);
  a.pending(q::PendingGroup6, 0, D, 1999, 600);
  a.pending(q::PendingGroup8, 0, D, 1998, 400);
  a.pending(q::PendingGroup9, 1, D, 2001, 400);
  a.pending(q::PendingGroup7, 0, D, 2002, 1000);
  a.run();
  // One year at most 50 %, all years at most 70 %.
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup6.applied), 700);
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup6.carriedForward), 500);
  // 25 % each for groups 8 and 9, one shared set of vectors.
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup8.claimed), 800);
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup8.applied), 300) << "group 9 finds only 300 of quota left";
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup8.carriedForward), 400) << "1998 lapses, 2001 carried";
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup7.applied), 0) << "the quota is used up";
  EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup7.carriedForward), 1000);
}

TEST(AnnexC, LineOfTheYearAgainstTheQuotaAvailable) {
  AnnexC a;
  a.base(3333.33);  // raised general limit R(0.45 x 3333.33) = 1500
  blocks::Vec5{560}.store(a.sum(), V{2333.33, 2333.33, 0, 0, 0});  // 1000 available
  a.line(q::FirstList[0], 2, D, 2000);
  a.line(q::SecondList[2], 1, D, 100);
  a.run();
  EXPECT_DOUBLE_EQ(a.decl(q::FirstList[0].applied), 1000);
  EXPECT_DOUBLE_EQ(a.decl(q::FirstList[0].carriedForward), 1000);
  EXPECT_DOUBLE_EQ(a.decl(q::SecondList[2].applied), 0);
  EXPECT_DOUBLE_EQ(a.decl(q::SecondList[2].carriedForward), 100);
  EXPECT_DOUBLE_EQ(a.decl(q::TotalApplied), 1000);
  EXPECT_DOUBLE_EQ(f100::summary::IncentiveDeductionStatePart.get(a.sum(), 1), 670);
  EXPECT_DOUBLE_EQ(f100::summary::IncentiveDeductionRegionalPart.get(a.sum(), 1), 330);
}

TEST(AnnexC, LastLinesOfBothListsHaveTheirOwnLimits) {
  AnnexC a;
  a.base(1000);
  a.line(q::FirstList[0], 0, D, 150);  // general limit raised to 450
  a.line(q::FirstList[2], 0, D, 250);  // 40 % applied under the general limit
  a.line(q::FirstList[12], 1, D, 50);  // but 35 % is all that lines 13 to 15 share
  a.line(q::SecondList[2], 0, D, 700 - 0.01);
  a.line(q::SecondList[3], 0, D, 50);
  a.line(q::SecondList[12], 0, D, 200);
  a.run();
  EXPECT_DOUBLE_EQ(a.decl(q::FirstList[2].applied), 250);
  EXPECT_DOUBLE_EQ(a.decl(q::FirstList[12].applied), 0);
  EXPECT_DOUBLE_EQ(a.decl(q::FirstList[12].carriedForward), 50);
  EXPECT_DOUBLE_EQ(a.decl(q::SecondList[2].applied), 600) << "what the quota available leaves";
  EXPECT_DOUBLE_EQ(a.decl(q::SecondList[2].carriedForward), 99.99);
  EXPECT_DOUBLE_EQ(a.decl(q::SecondList[3].applied), 0);
  EXPECT_DOUBLE_EQ(a.decl(q::SecondList[12].applied), 0) << "no quota left";

  AnnexC b;
  b.base(1000);
  b.line(q::SecondList[2], 0, D, 700);  // the whole second-list limit (70 %)
  b.line(q::SecondList[12], 0, D, 400);
  b.run();
  EXPECT_DOUBLE_EQ(b.decl(q::SecondList[2].applied), 700);
  EXPECT_DOUBLE_EQ(b.decl(q::SecondList[12].applied), 300) << "50 %, bounded by the quota available";
  EXPECT_DOUBLE_EQ(b.decl(q::SecondList[12].carriedForward), 100);
}

TEST(AnnexC, RaiseOfTheGeneralLimitAtTenPercent) {
  for (double claimed : {100.0, 100.01}) {
    AnnexC a;
    a.base(1000);
    a.line(q::FirstList[0], 0, D, claimed);
    a.pending(q::PendingGroup1, 0, D, 2002, 1000);
    a.run();
    EXPECT_DOUBLE_EQ(a.decl(q::PendingGroup1.applied), claimed == 100.0 ? 350 : 450) << claimed;
  }
}

TEST(AnnexC, LineTwoDeductionFromTheExpenses) {
  AnnexC a;
  void* e4 = a[f100::SectionE4];
  void* f1 = a[f100::SectionF1];
  void* e5 = a[f100::SectionE5];
  // Spouse: 400 of objective-estimation income (E4 row 1); declarant: -50 (E5 row 0) + 30 (F1
  // row 2, flagged) + 99 (F1 row 3, not flagged, not counted).
  blocks::U8{1416}.set(e4, S);
  blocks::F64{1416 + 1392}.set(e4, 400);
  blocks::U8{0}.set(e5, D);
  blocks::F64{2032}.set(e5, -80);
  blocks::U8{2 * 184}.set(f1, D);
  blocks::U8{2 * 184 + 105}.set(f1, 1);
  blocks::F64{2 * 184 + 112}.set(f1, 30);
  blocks::U8{3 * 184}.set(f1, D);
  blocks::F64{3 * 184 + 112}.set(f1, 99);

  const q::YearLine& first2 = q::FirstList[1];
  const q::YearLine& second2 = q::SecondList[1];
  auto row = [&](const q::YearLine& l, int r, int code, double direct, double objective) {
    const std::size_t at = l.rows[static_cast<std::size_t>(r)];
    blocks::U8{at}.set(a.q(), static_cast<unsigned char>(code));
    blocks::F64{at + q::kDirectExpensesAt}.set(a.q(), direct);
    blocks::F64{at + q::kObjectiveExpensesAt}.set(a.q(), objective);
    l.deduction(r).set(a.q(), 12345.0);
  };
  row(first2, 0, S, 200, 1000);  // bounded by the spouse's 400
  row(first2, 1, D, 200, 1000);  // negative income: objective expenses count as 0
  row(second2, 0, 1, 0, 1000);   // common: bounded by the family unit's income, 400 - 80 + 30
  row(second2, 1, 7, 50, 50);    // no such member: the row is empty and keeps its deduction
  a.run();
  EXPECT_DOUBLE_EQ(first2.deduction(0).get(a.q()), 60);
  EXPECT_DOUBLE_EQ(first2.deduction(1).get(a.q()), 20);
  EXPECT_DOUBLE_EQ(second2.deduction(0).get(a.q()), 105);
  EXPECT_DOUBLE_EQ(second2.deduction(1).get(a.q()), 12345.0);
  const V claimed = a.vec(first2.claimed);
  EXPECT_DOUBLE_EQ(claimed[0], 80);
  EXPECT_DOUBLE_EQ(claimed[1], 20);
  EXPECT_DOUBLE_EQ(claimed[2], 60);
  const V common = a.vec(second2.claimed);
  EXPECT_DOUBLE_EQ(common[0], 105);
  EXPECT_DOUBLE_EQ(common[1], 52.5);
  EXPECT_DOUBLE_EQ(common[2], 52.5);
}

TEST(AnnexC, CommonRowAndTheSplitOfHalfACent) {
  AnnexC a;
  a.base(10);
  a.pending(q::PendingGroup8, 0, 1, 2001, 100.01);
  a.pending(q::PendingGroup9, 0, D, 1999, 0.50);
  a.run();
  const V claimed = a.vec(q::PendingGroup8.claimed);
  EXPECT_DOUBLE_EQ(claimed[0], 100.51);
  EXPECT_DOUBLE_EQ(claimed[1], 50.51);
  EXPECT_DOUBLE_EQ(claimed[2], 50.01);
  // The declarant's column: 2.50 of the research limit, then 0.50 of the other modalities.
  EXPECT_DOUBLE_EQ(a.vec(q::TotalApplied)[1], 3.0);
  // A total of 0.50 splits into 0.34 and 0.17.
  AnnexC h;
  h.base(10);
  h.pending(q::PendingGroup8, 0, D, 1998, 0.50);
  h.run();
  EXPECT_DOUBLE_EQ(h.vec(q::TotalApplied)[1], 0.50);
  EXPECT_DOUBLE_EQ(f100::summary::IncentiveDeductionStatePart.get(h.sum(), 1), 0.34);
  EXPECT_DOUBLE_EQ(f100::summary::IncentiveDeductionRegionalPart.get(h.sum(), 1), 0.17);
}

struct KeyCase { int code0; char key0; int code1; char key1; char family, declarant, spouse; };

TEST(AnnexC, ReserveKeys) {
  const KeyCase cases[] = {
      {D, 'A', S, 'B', '5', 'A', 'B'},
      {D, 'A', S, 'A', 'A', 'A', 'A'},
      {1, 'B', 0, '\0', 'B', ' ', ' '},
      {D, 'A', D, 'B', '5', 'A', ' '},
      {0, '\0', S, 'B', 'B', ' ', 'B'},
      {0, '\0', 0, '\0', '\0', ' ', ' '},
  };
  for (const q::ReserveBlock& b : q::kReserveBlocks)
    for (const KeyCase& c : cases) {
      AnnexC a;
      blocks::U8{b.row0}.set(a.q(), static_cast<unsigned char>(c.code0));
      blocks::U8{b.row0 + b.keyAt}.set(a.q(), static_cast<unsigned char>(c.key0));
      blocks::U8{b.row1}.set(a.q(), static_cast<unsigned char>(c.code1));
      blocks::U8{b.row1 + b.keyAt}.set(a.q(), static_cast<unsigned char>(c.key1));
      blocks::U8{b.keys + 3}.set(a.q(), 'x');  // a child's byte is not written
      a.run();
      EXPECT_EQ(blocks::U8{b.keys}.get(a.q()), static_cast<unsigned char>(c.family)) << b.keys << c.key0 << c.key1;
      EXPECT_EQ(blocks::U8{b.keys + 1}.get(a.q()), static_cast<unsigned char>(c.declarant)) << b.keys;
      EXPECT_EQ(blocks::U8{b.keys + 2}.get(a.q()), static_cast<unsigned char>(c.spouse)) << b.keys;
      EXPECT_EQ(blocks::U8{b.keys + 3}.get(a.q()), 'x');
    }
}

TEST(AnnexC, ReserveTotalsByHolder) {
  AnnexC a;
  const q::ReserveBlock& b = q::ReserveBlock2003;
  blocks::U8{b.row0}.set(a.q(), D);
  blocks::U8{b.row1}.set(a.q(), S);
  for (std::size_t f : {8, 16, 24, 40}) {
    blocks::F64{b.row0 + f}.set(a.q(), static_cast<double>(f));
    blocks::F64{b.row1 + f}.set(a.q(), 1000.0 + static_cast<double>(f));
  }
  a.run();
  const std::size_t fields[] = {8, 24, 40};  // the Canary Islands income (+16) has no total
  for (int t = 0; t < 3; ++t) {
    const V v = b.totals[static_cast<std::size_t>(t)].load(a.q());
    const double f = static_cast<double>(fields[t]);
    EXPECT_DOUBLE_EQ(v[0], 1000 + 2 * f);
    EXPECT_DOUBLE_EQ(v[1], f);
    EXPECT_DOUBLE_EQ(v[2], 1000 + f);
  }
}

// No annex data: zero everywhere, blank keys for the declarant and the spouse, the empty rows'
// zero byte for the family unit; the parts of the total are 0.
TEST(AnnexC, EmptyBlock) {
  AnnexC a;
  a.run();
  std::vector<unsigned char> expected(q::kCalculationEnd, 0);
  for (const q::ReserveBlock& b : q::kReserveBlocks) expected[b.keys + 1] = expected[b.keys + 2] = ' ';
  EXPECT_TRUE(std::memcmp(a.q(), expected.data(), expected.size()) == 0);
  EXPECT_EQ(f100::summary::IncentiveDeductionStatePart.load(a.sum()), V{});
  EXPECT_EQ(f100::summary::IncentiveDeductionRegionalPart.load(a.sum()), V{});
}

// The annex writes only its own fields: not the liquidation's reserve fields, not the pages'
// fields beyond the annex, and of the summary only its two parts.
TEST(AnnexC, WritesOnlyItsOwnFieldsAndTwiceGivesTheSameBlock) {
  AnnexC a;
  a.base(5000);
  f100::summary::RegionalGrossQuota.store(a.sum(), V{2000, 1000, 1000, 0, 0});
  a.pending(q::PendingGroup1, 0, 1, 1998, 800.33);
  a.pending(q::PendingGroup3, 1, S, 2000, 300);
  a.pending(q::PendingGroup7, 0, D, 1999, 900);
  a.line(q::FirstList[0], 3, D, 700);
  a.line(q::FirstList[4], 0, S, 250.5);
  a.line(q::FirstList[13], 1, 1, 99.99);
  a.line(q::SecondList[6], 0, D, 1200);
  a.line(q::SecondList[12], 1, S, 333);
  blocks::U8{q::ReserveBlock2001.row0}.set(a.q(), D);
  blocks::U8{q::ReserveBlock2001.row0 + 24}.set(a.q(), 'A');
  blocks::F64{q::ReserveBlock2001.row0 + 32}.set(a.q(), 77);
  std::memset(static_cast<unsigned char*>(a.q()) + q::kLiquidationStart + 96, 0x5A,
              q::kLiquidationEnd - q::kLiquidationStart - 96);
  std::memset(static_cast<unsigned char*>(a.q()) + f100::sec_li::in_q::ReserveDeductionTotal.off, 0x5A,
              f100::SectionQ.size - f100::sec_li::in_q::ReserveDeductionTotal.off);
  const std::vector<unsigned char> before = a.bytes;

  a.run();
  const std::vector<unsigned char> once = a.bytes;
  const std::size_t qStart = f100::SectionQ.offset;
  for (std::size_t i = qStart + q::kLiquidationStart; i < qStart + q::kLiquidationEnd; ++i)
    ASSERT_EQ(once[i], before[i]) << "liquidation field at +" << i - qStart;
  for (std::size_t i = qStart + f100::sec_li::in_q::ReserveDeductionTotal.off; i < f100::kBlockSize; ++i)
    ASSERT_EQ(once[i], before[i]) << "byte +" << i - qStart;
  for (std::size_t i = 0; i < qStart; ++i) {
    const std::size_t s = i - f100::Summary.offset;
    if (i >= f100::Summary.offset && s >= 1120 && s < 1200) continue;
    ASSERT_EQ(once[i], before[i]) << "block byte " << i;
  }
  EXPECT_GT(a.vec(q::TotalApplied)[1], 0.0);
  EXPECT_GT(a.vec(q::TotalApplied)[2], 0.0);

  a.run();
  EXPECT_TRUE(once == a.bytes);
}

}  // namespace
