#include <gtest/gtest.h>

#include <vector>

#include "blocks/form100_a.h"
#include "blocks/form100_f2.h"
#include "blocks/form100_h.h"
#include "blocks/form100_i.h"
#include "blocks/form100_k.h"
#include "blocks/form100_l.h"
#include "blocks/form100_liquidation.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {
using namespace f100::sec_f2;
using V = blocks::Vec5::Values;

struct F2 : ::testing::Test {
  Block100 b;
  unsigned char* f2 = b[f100::SectionF2];
  unsigned char* s = b[f100::Summary];
  unsigned char* rowAt(int r) { return f2 + rowOffset(r); }
  void run() {
    Calculos100F2(f2, b[f100::SectionA], b[f100::SectionB], b[f100::SectionC], b[f100::SectionD], b[f100::SectionE1],
                  b[f100::SectionE4], b[f100::SectionE5], b[f100::SectionF1], b[f100::SectionF3], b[f100::SectionF4],
                  b[f100::SectionF5], b[f100::SectionH], b[f100::SectionK], b[f100::SectionG6], s);
  }
  // The driver's order from F2 to L, with the sections of other exports left as they stand.
  void chain() {
    run();
    for (int pass = 1; pass <= 4; ++pass) Calculos100G4(b[f100::SectionG4], pass);
    Calculos100G5(b[f100::SectionG5]);
    Calculos100G6(b[f100::SectionG6], b[f100::SectionF1], b[f100::SectionG1], b[f100::SectionG2], b[f100::SectionG3],
                  b[f100::SectionG4], b[f100::SectionB]);
    Calculos100H(b[f100::SectionH], b[f100::SectionG6], b[f100::SectionA], b[f100::SectionB], b[f100::SectionC],
                 b[f100::SectionD], b[f100::SectionE1], b[f100::SectionE4], b[f100::SectionE5], b[f100::SectionF1], f2,
                 b[f100::SectionF3], b[f100::SectionF4], b[f100::SectionF5]);
    for (int pass = 1; pass <= 16; ++pass)
      Calculos100I(b[f100::SectionI], b[f100::Personal], b[f100::Family], b[f100::SectionH], b[f100::SectionA],
                   b[f100::SectionB], b[f100::SectionC], b[f100::SectionD], b[f100::SectionE1], b[f100::SectionE4],
                   b[f100::SectionE5], b[f100::SectionF1], f2, b[f100::SectionF3], b[f100::SectionF4],
                   b[f100::SectionF5], b[f100::SectionG6], b[f100::SectionJ], pass);
    for (int pass = 1; pass <= 5; ++pass)
      Calculos100J(b[f100::SectionJ], b[f100::Personal], b[f100::SectionA], b[f100::SectionB], b[f100::SectionC],
                   b[f100::SectionD], b[f100::SectionE1], b[f100::SectionE4], b[f100::SectionE5], b[f100::SectionF1], f2,
                   b[f100::SectionF3], b[f100::SectionF4], b[f100::SectionF5], b[f100::SectionG6], pass, 2);
    Calculos100K(b[f100::SectionK], b[f100::SectionI], b[f100::SectionJ], b[f100::Personal], 2);
    Calculos100L(s, b[f100::SectionK], b[f100::Personal]);
  }
  unsigned char* row(int r, int code, char kind, double imputed, double deduction, double threshold, double carried) {
    unsigned char* w = rowAt(r);
    row::Holder.set(w, static_cast<unsigned char>(code));
    row::Kind.set(w, static_cast<unsigned char>(kind));
    row::ImputedBase.set(w, imputed);
    row::SecondAmount.set(w, deduction);
    row::Threshold.set(w, threshold);
    row::CarriedWhenLimited.set(w, carried);
    return w;
  }
  // What the previous calculation left: general liquidable base 20,000 and a net quota giving
  // an average rate of 0.1523.
  void previous() {
    f100::sec_k::GeneralLiquidable.store(b[f100::SectionK], V{20000, 20000, 0, 0, 0});
    f100::summary::StateGrossQuota.store(s, V{3000, 3000, 0, 0, 0});
    f100::sec_h::GeneralIncome.store(b[f100::SectionH], V{20000, 20000, 0, 0, 0});
    f100::summary::StateNetQuota.store(s, V{2046, 2046, 0, 0, 0});
    f100::summary::RegionalNetQuota.store(s, V{1100, 1100, 0, 0, 0});
    f100::summary::DividendsApplied.store(s, V{100, 100, 0, 0, 0});
    f100::sec_a::NetWorkIncome.store(b[f100::SectionA], V{20000, 20000, 0, 0, 0});
  }
};

TEST_F(F2, DeductionLimitedToTheTaxOfTheShare) {
  previous();
  unsigned char* w = row(0, 2, '1', 5000, 800, 1000, 123);
  run();
  EXPECT_DOUBLE_EQ(row::UnitShare.get(w), 4000.00);
  EXPECT_DOUBLE_EQ(row::UnitRate.get(w), 15.23);
  EXPECT_DOUBLE_EQ(row::UnitTax.get(w), 609.20);
  EXPECT_DOUBLE_EQ(row::HolderTax.get(w), 609.20);
  EXPECT_DOUBLE_EQ(row::UnitDeduction.get(w), 609.20);
  EXPECT_DOUBLE_EQ(row::HolderDeduction.get(w), 609.20);
  EXPECT_DOUBLE_EQ(row::UnitCarried.get(w), 123);
  EXPECT_EQ(f100::summary::ImputedBaseDeduction.load(s), (V{609.20, 609.20, 0, 0, 0}));
  EXPECT_EQ(f100::summary::ImputedBaseCarried.load(s), (V{123, 123, 0, 0, 0}));
  EXPECT_EQ(ImputedBases.load(f2), (V{5000, 5000, 0, 0, 0}));

  row::Threshold.set(w, 500);
  run();
  EXPECT_DOUBLE_EQ(row::HolderDeduction.get(w), 800);
  EXPECT_DOUBLE_EQ(row::HolderCarried.get(w), 0);
}

TEST_F(F2, RowsThatAreNotEligible) {
  previous();
  unsigned char* qualified = row(0, 2, '2', 5000, 800, 1000, 123);
  row::Qualifier.set(qualified, 'X');
  row::ThirdAmount.set(qualified, 50);
  unsigned char* negative = row(1, 3, '1', -700, 300, 1000, 123);
  unsigned char* noColumn = row(2, 9, '1', 5000, 300, 1000, 123);
  run();
  EXPECT_DOUBLE_EQ(row::UnitDeduction.get(qualified), 850);
  EXPECT_DOUBLE_EQ(row::HolderDeduction.get(qualified), 850);
  EXPECT_DOUBLE_EQ(row::HolderCarried.get(qualified), 0);
  EXPECT_DOUBLE_EQ(row::HolderDeduction.get(negative), 300);
  EXPECT_DOUBLE_EQ(row::HolderDeduction.get(noColumn), 300);
  EXPECT_EQ(ImputedBases.load(f2), (V{5000 - 700, 5000, -700, 0, 0}));
  // Column 0 of the deduction sums every row.
  EXPECT_DOUBLE_EQ(f100::summary::ImputedBaseDeduction.load(s)[0], 850 + 300 + 300);
}

TEST_F(F2, CommonRowUsesColumnZeroTwiceAndSplitsTheHolderValues) {
  previous();
  unsigned char* w = row(0, 1, '3', 5000, 800, 1000, 123);
  run();
  EXPECT_DOUBLE_EQ(row::HolderShare.get(w), row::UnitShare.get(w));
  EXPECT_EQ(f100::summary::ImputedBaseDeduction.load(s), (V{609.20, 304.60, 304.60, 0, 0}));
}

TEST_F(F2, NoBaseLeftByThePreviousCalculation) {
  unsigned char* w = row(0, 2, '1', 5000, 800, 1000, 123);
  run();
  EXPECT_DOUBLE_EQ(row::UnitRate.get(w), 0);
  EXPECT_DOUBLE_EQ(row::UnitTax.get(w), 0);
  EXPECT_DOUBLE_EQ(row::HolderDeduction.get(w), 0);
  EXPECT_DOUBLE_EQ(row::HolderCarried.get(w), 123);
}

TEST_F(F2, ChainReachesTheSameFiguresOnTheSecondCalculation) {
  f100::sec_i::personal::UnitKind.set(b[f100::Personal], 2);
  f100::sec_a::NetWorkIncome.store(b[f100::SectionA], V{30000, 30000, 0, 0, 0});
  f100::summary::StateNetQuota.store(s, V{4000, 4000, 0, 0, 0});
  f100::summary::RegionalNetQuota.store(s, V{2000, 2000, 0, 0, 0});
  unsigned char* w = row(0, 2, '1', 5000, 900, 1000, 123);

  chain();
  // The first calculation finds no base of an earlier one.
  EXPECT_DOUBLE_EQ(row::HolderDeduction.get(w), 0);
  EXPECT_DOUBLE_EQ(row::HolderCarried.get(w), 123);
  EXPECT_DOUBLE_EQ(f100::sec_h::GeneralBase.load(b[f100::SectionH])[1], 35000);

  chain();
  // Declarant: 35,000 less the personal minimum 3,400 and the work reduction 2,400.
  EXPECT_DOUBLE_EQ(f100::sec_k::GeneralLiquidable.load(b[f100::SectionK])[1], 29200);
  EXPECT_DOUBLE_EQ(row::HolderRate.get(w), 20.54);              // 6,000 / 29,200
  EXPECT_DOUBLE_EQ(row::HolderShare.get(w), 4171.43);           // 5,000 x 29,200 / 35,000
  EXPECT_DOUBLE_EQ(row::HolderTax.get(w), 856.81);
  EXPECT_DOUBLE_EQ(row::HolderDeduction.get(w), 856.81);
  EXPECT_DOUBLE_EQ(f100::summary::ImputedBaseDeduction.load(s)[1], 856.81);
  EXPECT_DOUBLE_EQ(f100::summary::ImputedBaseCarried.load(s)[1], 123);

  const std::vector<unsigned char> second(b.bytes);
  chain();
  EXPECT_EQ(b.bytes, second);
}

}  // namespace
