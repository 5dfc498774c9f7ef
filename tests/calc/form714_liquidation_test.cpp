#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "blocks/form714_liquidation.h"
#include "blocks/form714_sections.h"
#include "fixture.h"
#include "numeric.h"
#include "tallyvex.h"

namespace {

namespace liq = f714::liq;
namespace pers = f714::liq::personal;
namespace res = f714::result;
using Export = void (*)(void*, int, void*);

struct Decl : Block714 {
  void* pers() { return (*this)[f714::Personal]; }
  void* sum() { return (*this)[f714::Summary]; }
  void* result() { return (*this)[f714::Result]; }
  void community(const char* code) {
    pers::CommunityFirst.set(pers(), static_cast<unsigned char>(code[0]));
    pers::CommunitySecond.set(pers(), static_cast<unsigned char>(code[1]));
  }
  // Net wealth through one asset slot (no debts).
  void wealth(double v) { f714::summary::B.set(sum(), v); }
  void liquidate() {
    Calculos714DP(pers());
    EXPECT_EQ(Calculos714LI(sum(), pers(), -1), 1);
    Calculos714LI(sum(), pers(), 0);
    Calculos714DI(result(), sum());
  }
  double get(const blocks::F64& f) { return f.get(sum()); }
};

// Every bound selects its own row with nothing above it; one cent below stays on the row before,
// within a cent of the bound's quota (the table's quotas are rounded).
TEST(Form714Liquidation, ScaleAtEveryRowBoundary) {
  for (std::size_t r = 0; r < liq::kScale.size(); ++r) {
    const liq::ScaleRow& row = liq::kScale[r];
    Decl d;
    pers::ReducedLiquidation.set(d.pers(), 1);  // no minimum: the base is the net wealth
    d.wealth(row.bound);
    d.liquidate();
    EXPECT_EQ(d.get(liq::TaxableBase), row.bound) << r;
    EXPECT_EQ(d.get(liq::RowBound), row.bound) << r;
    EXPECT_EQ(d.get(liq::AboveBound), 0.0) << r;
    EXPECT_EQ(d.get(liq::MarginalRate), 0.0) << r;
    EXPECT_EQ(d.get(liq::FullQuota), row.quota) << r;
    if (r == 0) continue;
    Decl below;
    pers::ReducedLiquidation.set(below.pers(), 1);
    below.wealth(tv::Redondea(row.bound - 0.01, 2));
    below.liquidate();
    EXPECT_EQ(below.get(liq::RowBound), liq::kScale[r - 1].bound) << r;
    EXPECT_DOUBLE_EQ(below.get(liq::MarginalRate), liq::kScale[r - 1].rate * 100.0) << r;
    EXPECT_NEAR(below.get(liq::FullQuota), row.quota, 0.0101) << r;
  }
}

TEST(Form714Liquidation, TwentyMillionOnTheTopRow) {
  Decl d;
  pers::ReducedLiquidation.set(d.pers(), 1);
  d.wealth(20000000.00);
  d.liquidate();
  EXPECT_EQ(d.get(liq::RowBound), 10695996.06);
  EXPECT_DOUBLE_EQ(d.get(liq::AboveBound), 9304003.94);
  EXPECT_DOUBLE_EQ(d.get(liq::MarginalRate), 2.5);
  EXPECT_DOUBLE_EQ(d.get(liq::QuotaAbove), 232600.10);
  EXPECT_DOUBLE_EQ(d.get(liq::FullQuota), 416270.39);
  EXPECT_DOUBLE_EQ(d.get(liq::FullQuotaCopy), 416270.39);
  EXPECT_DOUBLE_EQ(d.get(liq::QuotaAfterLimit), 416270.39) << "reduced liquidation: no limit";
  EXPECT_DOUBLE_EQ(d.get(liq::QuotaToPay), 416270.39);
  EXPECT_DOUBLE_EQ(res::BarcodeAmount.get(d.result()), 416270.39);
}

TEST(Form714Liquidation, ExemptMinimumByCommunity) {
  struct Case { const char* code; unsigned char doubling; unsigned char reduced; double minimum; };
  const Case cases[] = {
      {"09", 0, 0, 108200.00}, {"09", 1, 0, 216400.00}, {"09", 7, 0, 216400.00},
      {"9 ", 0, 0, 108182.18}, {"90", 1, 0, 108182.18}, {"08", 1, 0, 108182.18},
      {"\0\0", 0, 0, 108182.18}, {"09", 1, 1, 0.0},
  };
  for (const Case& c : cases) {
    Decl d;
    d.community(c.code);
    pers::DoubleMinimum.set(d.pers(), c.doubling);
    pers::ReducedLiquidation.set(d.pers(), c.reduced);
    d.wealth(500000.0);
    d.liquidate();
    EXPECT_EQ(d.get(liq::ExemptMinimum), c.minimum) << c.code << int(c.doubling);
    EXPECT_DOUBLE_EQ(d.get(liq::TaxableBase), 500000.0 - c.minimum) << c.code;
    EXPECT_DOUBLE_EQ(d.get(liq::BaseLessMinimum), 500000.0 - c.minimum) << c.code;
  }
}

TEST(Form714Liquidation, NetWealthAtTheMinimumAndBelowZero) {
  Decl d;
  d.wealth(108182.18);
  d.liquidate();
  EXPECT_EQ(d.get(liq::TaxableBase), 0.0);
  EXPECT_EQ(d.get(liq::RowBound), 0.0);
  EXPECT_EQ(d.get(liq::MarginalRate), 0.0);
  EXPECT_EQ(d.get(liq::FullQuota), 0.0);

  Decl n;
  n.wealth(1000.0);
  liq::Debts.set(n.sum(), 5000.0);
  n.liquidate();
  EXPECT_EQ(n.get(liq::NetWealth), -4000.0);
  EXPECT_EQ(n.get(liq::ExemptMinimum), 0.0);
  EXPECT_EQ(n.get(liq::TaxableBase), -4000.0);
  EXPECT_EQ(n.get(liq::BaseLessMinimum), -4000.0);
  for (const blocks::F64& f : {liq::RowBound, liq::RowQuota, liq::AboveBound, liq::QuotaAbove, liq::FullQuota,
                               liq::QuotaToPay})
    EXPECT_EQ(f.get(n.sum()), 0.0) << f.off;
}

// Net wealth 1,000,000: base 891,817.82, quota 2,506.86 + R(223,318.07 x 0.009) = 4,516.72.
struct LimitCase {
  unsigned char mode;
  double firstBase, incomeQuota;
  double limit, reduction, afterLimit;
};

TEST(Form714Liquidation, IncomeTaxLimit) {
  const double full = 4516.72;
  const LimitCase cases[] = {
      // No income-tax data: no limit.
      {'I', 0.0, 0.0, 0.0, 0.0, full},
      // Limit above both quotas together: nothing reduced.
      {'I', 20000.0, 5000.0, 12000.0, 0.0, full},
      // Excess 1,516.72 below 80 %: the quota loses the excess.
      {'I', 10000.0, 3000.0, 6000.0, 1516.72, 3000.0},
      // Excess beyond 80 %: the greatest reduction.
      {' ', 1000.0, 5000.0, 600.0, 8916.72, full - 3613.38},
      // Joint mode, no other spouse: the excess counted in proportion, rounded.
      {'C', 10000.0, 3000.0, 6000.0, 1516.72, 3000.0},
  };
  for (const LimitCase& c : cases) {
    Decl d;
    d.wealth(1000000.0);
    liq::IncomeTaxMode.set(d.sum(), c.mode);
    liq::FirstIncomeBase.set(d.sum(), c.firstBase);
    liq::IncomeTaxQuota.set(d.sum(), c.incomeQuota);
    d.liquidate();
    ASSERT_DOUBLE_EQ(d.get(liq::FullQuota), full);
    EXPECT_DOUBLE_EQ(d.get(liq::Limit), c.limit) << c.firstBase;
    EXPECT_NEAR(d.get(liq::LimitReduction), c.reduction, 1e-9) << c.firstBase;
    EXPECT_NEAR(d.get(liq::QuotaAfterLimit), c.afterLimit, 1e-9) << c.firstBase;
    if (c.firstBase != 0.0) {
      EXPECT_DOUBLE_EQ(d.get(liq::CountedQuota), full);
    }
  }
}

TEST(Form714Liquidation, CreditForTaxPaidAndValuesBeyondTheNetWealth) {
  Decl d;
  d.wealth(1000000.0);
  liq::PaidTax(0, liq::kPairStride).set(d.sum(), 1000.0);
  liq::PaidValue(0, liq::kPairStride).set(d.sum(), 500000.0);
  liq::PaidTax(1, liq::kPairStride).set(d.sum(), 10.0);
  liq::PaidValue(1, liq::kPairStride).set(d.sum(), 100000.0);
  d.liquidate();
  // Average 4,516.72 / 891,817.82 = 0.0050646... cut to 0.0050.
  EXPECT_DOUBLE_EQ(d.get(liq::AverageRate), 0.5);
  EXPECT_DOUBLE_EQ(d.get(liq::BroughtValues), 445908.91 + 89181.78);
  // Caps 2,229.54 and 445.91: the first pair is credited its cap, the second what it paid.
  EXPECT_DOUBLE_EQ(d.get(liq::PaidCredit), 1000.0 + 10.0);
  EXPECT_DOUBLE_EQ(d.get(liq::PaidTotal), 1010.0);
  EXPECT_DOUBLE_EQ(d.get(liq::QuotaToPay), 4516.72 - 1010.0);

  // Values together above the net wealth are cleared; the first run keeps its credit, the second
  // computes from the cleared values.
  Decl over;
  over.wealth(1000000.0);
  liq::PaidTax(0, liq::kPairStride).set(over.sum(), 1000.0);
  liq::PaidValue(0, liq::kPairStride).set(over.sum(), 600000.0);
  liq::PaidValue(2, liq::kPairStride).set(over.sum(), 400000.01);
  Calculos714DP(over.pers());
  Calculos714LI(over.sum(), over.pers(), -1);
  EXPECT_EQ(liq::PaidValue(0, liq::kPairStride).get(over.sum()), 0.0);
  EXPECT_EQ(liq::PaidValue(2, liq::kPairStride).get(over.sum()), 0.0);
  EXPECT_DOUBLE_EQ(over.get(liq::PaidCredit), 1000.0);
  Calculos714LI(over.sum(), over.pers(), 0);
  EXPECT_EQ(over.get(liq::PaidCredit), 0.0);
  EXPECT_EQ(over.get(liq::BroughtValues), 0.0);
  EXPECT_DOUBLE_EQ(over.get(liq::AverageRate), 0.5) << "a tax paid is still listed";
}

TEST(Form714Liquidation, ReducedLiquidationClearsInputsButKeepsTheCeutaMelillaBonus) {
  Decl d;
  pers::ReducedLiquidation.set(d.pers(), 1);
  d.wealth(1000000.0);
  liq::IncomeTaxMode.set(d.sum(), 'C');
  liq::FirstIncomeBase.set(d.sum(), 1000.0);
  liq::IncomeTaxQuota.set(d.sum(), 50000.0);
  liq::PaidTax(2, liq::kPairStride).set(d.sum(), 100.0);
  liq::CeutaMelillaValue.set(d.sum(), 1000000.0);
  d.liquidate();
  EXPECT_EQ(d.get(liq::ExemptMinimum), 0.0);
  EXPECT_EQ(liq::IncomeTaxMode.get(d.sum()), ' ');
  EXPECT_EQ(d.get(liq::FirstIncomeBase), 0.0);
  EXPECT_EQ(liq::PaidTax(2, liq::kPairStride).get(d.sum()), 0.0);
  const double full = 2506.86 + tv::Redondea((1000000.0 - 668499.75) * 0.009, 2);
  EXPECT_DOUBLE_EQ(d.get(liq::FullQuota), full);
  EXPECT_DOUBLE_EQ(d.get(liq::QuotaAfterLimit), full);
  EXPECT_EQ(d.get(liq::PaidCredit), 0.0);
  EXPECT_DOUBLE_EQ(d.get(liq::CeutaMelillaBonus), tv::Redondea(0.75 * full, 2));
}

TEST(Form714Liquidation, CeutaMelillaValueAgainstTheNetWealth) {
  Decl over;
  over.wealth(1000000.0);
  liq::CeutaMelillaValue.set(over.sum(), 1000000.01);
  over.liquidate();
  EXPECT_EQ(over.get(liq::CeutaMelillaValue), 0.0);
  EXPECT_EQ(over.get(liq::CeutaMelillaBonus), 0.0);
  EXPECT_DOUBLE_EQ(over.get(liq::QuotaToPay), 4516.72);

  Decl equal;
  equal.wealth(1000000.0);
  liq::CeutaMelillaValue.set(equal.sum(), 1000000.0);
  equal.liquidate();
  EXPECT_DOUBLE_EQ(equal.get(liq::CeutaMelillaQuota), 4516.72);
  EXPECT_DOUBLE_EQ(equal.get(liq::CeutaMelillaBonus), 3387.54);
  EXPECT_NEAR(equal.get(liq::QuotaToPay), 1129.18, 1e-9);
}

TEST(Form714Result, ComplementaryDeclaration) {
  Decl d;
  pers::Complementary.set(d.pers(), 1);
  d.wealth(1000000.0);
  res::AlreadyPaid.set(d.result(), 5000.0);
  res::Option24.set(d.result(), 1);
  res::Account.set(d.result(), "12345678901234567890");
  d.liquidate();
  EXPECT_DOUBLE_EQ(res::AmountToPay.get(d.result()), 4516.72);
  EXPECT_DOUBLE_EQ(res::Difference.get(d.result()), -483.28);
  EXPECT_EQ(res::BarcodeAmount.get(d.result()), 0.0);
  EXPECT_EQ(res::Option24.get(d.result()), 0xFF);
  EXPECT_EQ(res::Option25.get(d.result()), 0xFF);
  EXPECT_EQ(res::Account.raw(d.result()), std::string(20, ' '));

  // Without the flag the earlier payment is dropped and the payment details stay.
  Decl plain;
  plain.wealth(1000000.0);
  res::AlreadyPaid.set(plain.result(), 5000.0);
  res::Option24.set(plain.result(), 1);
  res::Account.set(plain.result(), "12345678901234567890");
  plain.liquidate();
  EXPECT_EQ(res::AmountToPay.get(plain.result()), 0.0);
  EXPECT_EQ(res::AlreadyPaid.get(plain.result()), 0.0);
  EXPECT_EQ(res::Difference.get(plain.result()), 0.0);
  EXPECT_DOUBLE_EQ(res::BarcodeAmount.get(plain.result()), 4516.72);
  EXPECT_EQ(res::Option24.get(plain.result()), 1);
  EXPECT_EQ(res::Account.raw(plain.result()), "12345678901234567890");
}

// The options kept by Calculos714DP stay until its next call, whatever records the liquidation
// and the result are given.
TEST(Form714Liquidation, KeptOptionsLastUntilTheNextCalculos714DP) {
  Decl reducedComplementary;
  pers::ReducedLiquidation.set(reducedComplementary.pers(), 1);
  pers::Complementary.set(reducedComplementary.pers(), 1);

  Decl other;
  other.wealth(1000000.0);
  res::AlreadyPaid.set(other.result(), 100.0);

  Calculos714DP(reducedComplementary.pers());
  Calculos714LI(other.sum(), other.pers(), -1);
  Calculos714LI(other.sum(), other.pers(), 0);
  Calculos714DI(other.result(), other.sum());
  EXPECT_EQ(other.get(liq::ExemptMinimum), 0.0) << "reduced liquidation kept from the last Calculos714DP";
  const double full = other.get(liq::FullQuota);
  EXPECT_DOUBLE_EQ(other.get(liq::QuotaToPay), full);
  EXPECT_DOUBLE_EQ(res::AmountToPay.get(other.result()), tv::Redondea(full, 2)) << "complementary";
  EXPECT_DOUBLE_EQ(res::AlreadyPaid.get(other.result()), 100.0);

  // Options edited after the last Calculos714DP call are not seen until the next one.
  Decl edited;
  edited.wealth(1000000.0);
  Calculos714DP(edited.pers());
  pers::ReducedLiquidation.set(edited.pers(), 1);
  Calculos714LI(edited.sum(), edited.pers(), 0);
  EXPECT_DOUBLE_EQ(edited.get(liq::ExemptMinimum), 108182.18);
  Calculos714DP(edited.pers());
  Calculos714LI(edited.sum(), edited.pers(), 0);
  EXPECT_EQ(edited.get(liq::ExemptMinimum), 0.0);
}

// A complementary declaration whose quota is 2,500 after 1,500 paid: Calculos714DP and then the
// result alone leave 1,000 to pay.
TEST(Form714Result, ComplementaryFlagFromCalculos714DPAlone) {
  Decl d;
  pers::Complementary.set(d.pers(), 1);
  liq::QuotaToPay.set(d.sum(), 2500.0);
  res::AlreadyPaid.set(d.result(), 1500.0);
  Calculos714DP(d.pers());
  Calculos714DI(d.result(), d.sum());
  EXPECT_DOUBLE_EQ(res::AmountToPay.get(d.result()), 2500.0);
  EXPECT_DOUBLE_EQ(res::AlreadyPaid.get(d.result()), 1500.0);
  EXPECT_DOUBLE_EQ(res::Difference.get(d.result()), 1000.0);
  EXPECT_DOUBLE_EQ(res::BarcodeAmount.get(d.result()), 1000.0);
}

// The document's whole calculation: options, every section (-1 then 0), two liquidations and the
// result. Sections K to N are published by hand.
void calculateWholeBlock(Block714& b) {
  void* sum = b[f714::Summary];
  Calculos714DP(b[f714::Personal]);
  const struct { Export fn; blocks::RecordDef rec; } order[] = {
      {Calculos714A, f714::SectionA},   {Calculos714B, f714::SectionB},   {Calculos714C1, f714::SectionC},
      {Calculos714C2, f714::SectionC},  {Calculos714D, f714::SectionD},   {Calculos714E, f714::SectionE},
      {Calculos714F1, f714::SectionF1}, {Calculos714F2, f714::SectionF2}, {Calculos714G1, f714::SectionG1},
      {Calculos714G2, f714::SectionG2}, {Calculos714G3, f714::SectionG3}, {Calculos714G4, f714::SectionG4},
      {Calculos714H1, f714::SectionH1}, {Calculos714H2, f714::SectionH2}, {Calculos714I, f714::SectionI},
      {Calculos714J, f714::SectionJ},   {Calculos714O, f714::SectionO},   {Calculos714P, f714::SectionP},
      {Calculos714Q, f714::SectionQ},   {Calculos714DEUDAS, f714::Debts},
  };
  for (const auto& step : order) {
    step.fn(b[step.rec], -1, sum);
    step.fn(b[step.rec], 0, sum);
  }
  Calculos714LI(sum, b[f714::Personal], -1);
  Calculos714LI(sum, b[f714::Personal], 0);
  Calculos714DI(b[f714::Result], sum);
}

TEST(Form714Calculation, WholeBlockTwiceGivesTheSameBlock) {
  namespace s = f714::sections;
  Block714 b;
  s::sec_a::ItemFirst.set(b[f714::SectionA], 200000.0);
  s::sec_a::Rows.amount(0).set(b[f714::SectionA], 50000.0);
  s::B.table.amount(3).set(b[f714::SectionB], 120000.50);
  s::sec_c::FirstPart.amount(1).set(b[f714::SectionC], 3000.0);
  s::sec_c::SecondPart.amount(11).set(b[f714::SectionC], 4000.0);
  s::D.table.amount(0).set(b[f714::SectionD], 999999.0);   // not an asset of the total
  s::H1.table.amount(0).set(b[f714::SectionH1], 888888.0); // nor this
  s::G2.table.amount(17).set(b[f714::SectionG2], 25000.0);
  s::J.table.amount(4).set(b[f714::SectionJ], 1500.25);
  s::Q.table.amount(11).set(b[f714::SectionQ], 700.0);
  s::DebtsSection.table.amount(12).set(b[f714::Debts], 20000.0);
  f714::summary::K.set(b[f714::Summary], 10000.0);
  f714::summary::N.set(b[f714::Summary], 5000.0);
  liq::CeutaMelillaValue.set(b[f714::Summary], 30000.0);
  liq::PaidTax(0, liq::kPairStride).set(b[f714::Summary], 200.0);
  liq::PaidValue(0, liq::kPairStride).set(b[f714::Summary], 40000.0);
  liq::IncomeTaxMode.set(b[f714::Summary], 'I');
  liq::FirstIncomeBase.set(b[f714::Summary], 2000.0);
  liq::IncomeTaxQuota.set(b[f714::Summary], 300.0);

  calculateWholeBlock(b);
  const std::vector<unsigned char> first = b.bytes;
  const double assets = 49746.97 + 50000.0 + 120000.50 + 7000.0 + 25000.0 + 1500.25 + 700.0 + 10000.0 + 5000.0;
  EXPECT_NEAR(liq::TotalAssets.get(b[f714::Summary]), assets, 1e-6);
  EXPECT_NEAR(liq::NetWealth.get(b[f714::Summary]), assets - 20000.0, 1e-6);
  EXPECT_DOUBLE_EQ(f714::summary::D.get(b[f714::Summary]), 999999.0);
  EXPECT_GT(liq::QuotaToPay.get(b[f714::Summary]), 0.0);
  EXPECT_DOUBLE_EQ(f714::result::BarcodeAmount.get(b[f714::Result]),
                   tv::Redondea(liq::QuotaToPay.get(b[f714::Summary]), 2));

  calculateWholeBlock(b);
  EXPECT_TRUE(first == b.bytes);
}

}  // namespace
