#include "data/calc/form714_calculation.h"

#include <gtest/gtest.h>

#include <vector>

#include "blocks/form714_liquidation.h"
#include "fixtures/form714_declarations.h"
#include "message_recorder.h"
#include "tallyvex.h"

namespace {

namespace lq = f714::liq;
using Block = std::vector<unsigned char>;

Block Fresh() { return Block(f714::kBlockSize, 0); }
unsigned char* Sum(Block& b) { return f714::record(b.data(), f714::Summary); }
unsigned char* Per(Block& b) { return f714::record(b.data(), f714::Personal); }
unsigned char* Res(Block& b) { return f714::record(b.data(), f714::Result); }

class Declarations714 : public ::testing::TestWithParam<fixture::Declaration (*)()> {};

TEST_P(Declarations714, DerivedBoxesAndRepeatability) {
  const fixture::Declaration decl = GetParam()();
  Block block = fixture::BlockOf(decl, f714::kBlockSize);
  MessageRecorder rec;
  Form714CalcContext ctx;
  ctx.messages = &rec;
  EXPECT_EQ(CalculateForm714(block.data(), 1, ctx), 1);
  EXPECT_EQ(fixture::Mismatches(block, decl), std::vector<std::string>{}) << decl.name;
  EXPECT_EQ(rec.codes(), decl.messages) << decl.name;

  const Block first = block;
  rec.shown.clear();
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_TRUE(block == first) << decl.name << ": a second calculation changed the block";
  EXPECT_TRUE(rec.shown.empty()) << decl.name << ": nothing changed, nothing to tell";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Declarations714,
                         ::testing::Values(&fixture::Wealth714Single, &fixture::Wealth714LimitAndCredit));

TEST(Calculate714, FreshBlockShowsNothingAndOwesNothing) {
  Block block = Fresh();
  MessageRecorder rec;
  Form714CalcContext ctx;
  ctx.messages = &rec;
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_TRUE(rec.shown.empty());
  EXPECT_EQ(f714::summary::NothingToPay.get(Sum(block)), 1);
}

// Mode 0 takes the section totals already in the summary: the rows and the section exports are
// left alone, only the liquidation and the result run.
TEST(Calculate714, ModeZeroRecomputesOnlyTheLiquidation) {
  Form714CalcContext ctx;
  Block block = Fresh();
  unsigned char* secA = f714::record(block.data(), f714::SectionA);
  f714::sections::sec_a::Rows.amount(0).set(secA, 1000.0);
  f714::sections::sec_a::Total.set(secA, 7.0);  // the stored total, not recomputed
  f714::summary::E.set(Sum(block), 200000.0);   // published earlier
  f714::result::AlreadyPaid.set(Res(block), 3.0);
  Calculos714DP(Per(block));  // the options of this declaration, kept by its last full run
  CalculateForm714(block.data(), 0, ctx);
  EXPECT_EQ(f714::sections::sec_a::Rows.total.get(secA), 0.0);
  EXPECT_EQ(f714::sections::sec_a::Total.get(secA), 7.0);
  EXPECT_EQ(f714::summary::A.get(Sum(block)), 0.0);
  EXPECT_EQ(lq::TotalAssets.get(Sum(block)), 200000.0);
  // 200000 - 108182.18 = 91817.82 in row 0: R(91817.82 x 0.002) = R(183.63564).
  EXPECT_NEAR(lq::QuotaToPay.get(Sum(block)), 183.64, 1e-9);
  EXPECT_NEAR(f714::result::BarcodeAmount.get(Res(block)), 183.64, 1e-9);  // the result ran too
  EXPECT_EQ(f714::result::AlreadyPaid.get(Res(block)), 0.0);

  // The full run then takes the rows.
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_EQ(f714::sections::sec_a::Total.get(secA), 1000.0);
  EXPECT_EQ(lq::TotalAssets.get(Sum(block)), 1000.0);  // E has no rows: its total is 0 again
}

// A run with mode 0 does not pass the personal data through Calculos714DP: the result follows the
// options of the last full run, even after the complementary flag was cleared.
TEST(Calculate714, ModeZeroKeepsTheOptionsOfTheLastFullRun) {
  Form714CalcContext ctx;
  Block block = Fresh();
  lq::personal::Complementary.set(Per(block), 1);
  f714::result::AlreadyPaid.set(Res(block), 1500.0);
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_EQ(f714::result::AlreadyPaid.get(Res(block)), 1500.0);
  lq::personal::Complementary.set(Per(block), 0);
  CalculateForm714(block.data(), 0, ctx);
  EXPECT_EQ(f714::result::AlreadyPaid.get(Res(block)), 1500.0) << "still complementary";
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_EQ(f714::result::AlreadyPaid.get(Res(block)), 0.0);
}

// Assets excluded from the limit above the net wealth: 100P103, the three inputs of the limit are
// reset, and the declaration is calculated once more without them.
TEST(Calculate714, ExcludedAssetsAboveNetWealthResetAndRecalculateOnce) {
  Block block = fixture::BlockOf(fixture::Wealth714LimitAndCredit(), f714::kBlockSize);
  lq::IncomeTaxData.set(Sum(block), 0);
  lq::SecondIncomeBase.set(Sum(block), 0.0);
  lq::ExcludedAssets.set(Sum(block), 500000.0);
  MessageRecorder rec;
  int runs = 0;
  Form714CalcContext ctx;
  ctx.messages = &rec;
  ctx.viewsOwner = &runs;
  ctx.updateViews = [](void* owner) { ++*static_cast<int*>(owner); };
  CalculateForm714(block.data(), 1, ctx);

  ASSERT_EQ(rec.codes(), std::vector<std::string>{"100P103"});
  EXPECT_EQ(rec.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(lq::FirstIncomeBase.get(Sum(block)), 0.0);
  EXPECT_EQ(lq::IncomeTaxQuota.get(Sum(block)), 0.0);
  EXPECT_EQ(lq::ExcludedAssets.get(Sum(block)), 0.0);
  // Recalculated without income-tax data: no limit, 828.27 less the credit of 20
  // (min(20, R(33180 x Trunc(828.27 / 331800, 4) = 0.0024) = 79.63)).
  EXPECT_NEAR(lq::QuotaAfterLimit.get(Sum(block)), 828.27, 1e-9);
  EXPECT_NEAR(lq::QuotaToPay.get(Sum(block)), 808.27, 1e-9);

  rec.shown.clear();
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_TRUE(rec.shown.empty());
  EXPECT_EQ(runs, 3);
}

// Whatever happens while the views refresh, the reset triggers one recalculation only.
TEST(Calculate714, RecalculationAfterTheResetRunsOnce) {
  Block block = Fresh();
  f714::sections::E.table.amount(0).set(f714::record(block.data(), f714::SectionE), 300000.0);
  struct Tamper {
    unsigned char* sum;
    int runs = 0;
  } tamper{Sum(block)};
  Form714CalcContext ctx;
  MessageRecorder rec;
  ctx.messages = &rec;
  ctx.viewsOwner = &tamper;
  ctx.updateViews = [](void* owner) {
    auto* t = static_cast<Tamper*>(owner);
    ++t->runs;
    lq::NetWealth.set(t->sum, 1000.0 + t->runs);  // a net wealth that moves on every run
    lq::ExcludedAssets.set(t->sum, 1e9);
  };
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_EQ(tamper.runs, 2);
  EXPECT_EQ(rec.codes(), (std::vector<std::string>{"100P103", "100P103"}));
}

// Inputs the liquidation clears because they exceed the net wealth are reported, each once.
TEST(Calculate714, ClearedCeutaAndCreditValuesAreReported) {
  Block block = Fresh();
  f714::sections::E.table.amount(0).set(f714::record(block.data(), f714::SectionE), 300000.0);
  lq::CeutaMelillaValue.set(Sum(block), 400000.0);
  lq::PaidTax(1, lq::kPairStride).set(Sum(block), 10.0);
  lq::PaidValue(1, lq::kPairStride).set(Sum(block), 200000.0);
  lq::PaidValue(2, lq::kPairStride).set(Sum(block), 200000.0);
  MessageRecorder rec;
  Form714CalcContext ctx;
  ctx.messages = &rec;
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_EQ(rec.codes(), (std::vector<std::string>{"100R111", "714R005"}));
  EXPECT_EQ(lq::CeutaMelillaValue.get(Sum(block)), 0.0);
  EXPECT_EQ(lq::PaidValue(2, lq::kPairStride).get(Sum(block)), 0.0);

  rec.shown.clear();
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_TRUE(rec.shown.empty());

  // Without a change of the net wealth nothing is reported, even when an input is cleared.
  lq::CeutaMelillaValue.set(Sum(block), 400000.0);
  CalculateForm714(block.data(), 1, ctx);
  EXPECT_TRUE(rec.shown.empty());
  EXPECT_EQ(lq::CeutaMelillaValue.get(Sum(block)), 0.0);
}

TEST(FinishResult714, NothingToPayOptionsAndCopiedAmounts) {
  struct Case {
    double result;
    unsigned char copy, option24, option25;
    double alreadyPaid;
    unsigned char nothing, out24, out25;
    double toPay, difference;
  };
  const Case cases[] = {
      {0.0, 0, 7, 1, 0.0, 1, 0, 1, 0.0, 0.0},          // nothing to pay; a stray option byte becomes 0
      {-5.0, 1, 0, 0xFF, 0.0, 1, 0, 0, -5.0, 0.0},     // negative result copied, difference floored
      {250.5, 0, 1, 0, 100.0, 0, 1, 0, 0.0, 0.0},      // not copied: both amounts 0
      {250.5, 1, 1, 0, 100.0, 0, 1, 0, 250.5, 150.5},  // copied: the difference to what was paid
      {250.5, 1, 0, 0, 300.0, 0, 0, 0, 250.5, 0.0},    // paid more than due: difference 0
  };
  for (const Case& c : cases) {
    Block block = Fresh();
    f714::summary::Result.set(Sum(block), c.result);
    f714::personal::CopyResult.set(Per(block), c.copy);
    f714::result::Option24.set(Res(block), c.option24);
    f714::result::Option25.set(Res(block), c.option25);
    f714::result::AlreadyPaid.set(Res(block), c.alreadyPaid);
    FinishResult714(block.data());
    SCOPED_TRACE(c.result);
    EXPECT_EQ(f714::summary::NothingToPay.get(Sum(block)), c.nothing);
    EXPECT_EQ(f714::result::Option24.get(Res(block)), c.out24);
    EXPECT_EQ(f714::result::Option25.get(Res(block)), c.out25);
    EXPECT_EQ(f714::result::AmountToPay.get(Res(block)), c.toPay);
    EXPECT_EQ(f714::result::Difference.get(Res(block)), c.difference);
  }
}

}  // namespace
