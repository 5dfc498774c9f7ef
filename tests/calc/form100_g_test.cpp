// Sections G1, G2 and G3: gains and losses.
#include <gtest/gtest.h>

#include "blocks/form100_g1.h"
#include "blocks/form100_g2.h"
#include "blocks/form100_g3.h"
#include "fixture.h"
#include "income_support.h"
#include "tallyvex.h"

namespace {

namespace g1 = f100::sec_g1;
namespace g2 = f100::sec_g2;
namespace g3 = f100::sec_g3;

struct Form100G1 : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionG1];
  unsigned char* sum = blk[f100::Summary];
  blocks::F64 at(std::size_t row, blocks::F64 f) { return f(row, g1::kRowSize); }
  void SetUp() override {
    g1::Holder(0, g1::kRowSize).set(rec, 2);
    at(0, g1::ShortTermValue1).set(rec, 1000.00);
    at(0, g1::ShortTermValue2).set(rec, 1200.00);
    at(0, g1::LongTermValue1).set(rec, 500.00);
    at(0, g1::LongTermValue2).set(rec, 500.00);
    at(0, g1::Withholding).set(rec, 5.00);
    g1::Holder(14, g1::kRowSize).set(rec, 1);
    at(14, g1::LongTermValue1).set(rec, 300.01);
    g1::kind::Holder.set(rec, 3);
    g1::kind::Valuation.set(rec, 500.00);
    g1::kind::PaymentOnAccount.set(rec, 40.00);
    g1::kind::PaymentCharged.set(rec, 100.00);
    g1::cash::Holder(3, g1::cash::kRowSize).set(rec, 2);
    g1::cash::Gross(3, g1::cash::kRowSize).set(rec, 2000.00);
    g1::cash::Withholding(3, g1::cash::kRowSize).set(rec, 360.00);
  }
};

TEST_F(Form100G1, Pass1SplitsRowsIntoGainsAndLosses) {
  Calculos100G1(rec, sum, 1);
  EXPECT_DOUBLE_EQ(at(0, g1::ShortTermGain).get(rec), 0.0);
  EXPECT_DOUBLE_EQ(at(0, g1::ShortTermLoss).get(rec), 200.00);
  EXPECT_DOUBLE_EQ(at(0, g1::LongTermGain).get(rec), 0.0);
  EXPECT_DOUBLE_EQ(at(0, g1::LongTermLoss).get(rec), 0.0);
  ExpectVec(rec, g1::ShortTermLosses, {200, 200, 0, 0, 0});
  ExpectVec(rec, g1::LongTermGains, {300.01, 150.01, 150.01, 0, 0});
  ExpectVec(rec, g1::kind::Total, {0, 0, 0, 0, 0}, "prizes wait for pass 2");
  ExpectVec(sum, f100::summary::GainsWithholdings, {405, 365, 40, 0, 0});
  ExpectIdempotent(blk, [&] { Calculos100G1(rec, sum, 1); });
}

TEST_F(Form100G1, Pass2AddsUpThePrizes) {
  Calculos100G1(rec, sum, 2);
  ExpectVec(rec, g1::cash::Total, {2000, 2000, 0, 0, 0});
  ExpectVec(rec, g1::kind::Total, {440, 0, 440, 0, 0});
  ExpectVec(rec, g1::ShortTermLosses, {0, 0, 0, 0, 0}, "rows wait for pass 1");
  ExpectVec(sum, f100::summary::GainsWithholdings, {405, 365, 40, 0, 0});
}

TEST_F(Form100G1, OtherPassesOnlyRecomputeTheWithholdings) {
  const std::vector<unsigned char> before = blk.bytes;
  Calculos100G1(rec, sum, 0);
  ExpectVec(sum, f100::summary::GainsWithholdings, {405, 365, 40, 0, 0});
  f100::summary::GainsWithholdings.store(sum, {0, 0, 0, 0, 0});
  EXPECT_EQ(blk.bytes, before);
}

struct Form100G2 : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionG2];
  blocks::F64 at(std::size_t row, blocks::F64 f) { return f(row, g2::kRowSize); }
  void element(std::size_t row, std::size_t j, const char* cls, double a, double b, int excluded = 0) {
    g2::ClassCode(j)(row, g2::kRowSize).set(rec, cls);
    at(row, g2::FirstValue(j)).set(rec, a);
    at(row, g2::SecondValue(j)).set(rec, b);
    g2::LossExcluded(j)(row, g2::kRowSize).set(rec, static_cast<unsigned char>(excluded));
  }
};

TEST_F(Form100G2, ClassesDecideHowElementsCount) {
  g2::Holder.set(rec, 2);
  element(0, 0, "G23", 10000.00, 6000.00);
  element(0, 1, "GP1", 3000.00, 3500.00, 1);
  element(0, 2, " P2", 100.00, 400.00);
  g2::Holder(1, g2::kRowSize).set(rec, 3);
  element(1, 0, "GP1", 700.00, 200.00);
  element(1, 1, "G25", 900.00, 100.00);
  element(1, 2, "G22", 100.00, 900.00);  // a loss of a reduced class counts nowhere
  Calculos100G2(rec);
  EXPECT_DOUBLE_EQ(at(0, g2::FirstValuesSum).get(rec), 10000.00 + 3000.00 + 100.00);
  EXPECT_DOUBLE_EQ(at(0, g2::SecondValuesSum).get(rec), 6000.00 + 3500.00 + 400.00);
  EXPECT_DOUBLE_EQ(at(0, g2::GainsG2x).get(rec), 4000.00);
  EXPECT_DOUBLE_EQ(at(0, g2::ReducedGainsG2x).get(rec), 2000.00);
  EXPECT_DOUBLE_EQ(at(0, g2::LossesGP1).get(rec), 500.00);
  EXPECT_DOUBLE_EQ(at(0, g2::ComputableLossesGP1).get(rec), 0.0);
  EXPECT_DOUBLE_EQ(at(0, g2::LossesP2).get(rec), 300.00);
  EXPECT_DOUBLE_EQ(at(0, g2::ComputableLossesP2).get(rec), 300.00);
  EXPECT_DOUBLE_EQ(at(1, g2::GainsG2x).get(rec), 800.00);
  EXPECT_DOUBLE_EQ(at(1, g2::ReducedGainsG2x).get(rec), 0.0);
  ExpectVec(rec, g2::ShortTermGains, {500, 0, 500, 0, 0});
  ExpectVec(rec, g2::ShortTermLosses, {0, 0, 0, 0, 0});
  ExpectVec(rec, g2::LongTermGains, {2000, 2000, 0, 0, 0});
  ExpectVec(rec, g2::LongTermLosses, {300, 300, 0, 0, 0});
  ExpectIdempotent(blk, [&] { Calculos100G2(rec); });
}

TEST_F(Form100G2, UnknownClassesAndEqualValuesCountNowhere) {
  element(0, 0, "gp1", 100.00, 500.00);
  element(0, 1, "P2 ", 100.00, 500.00);
  element(0, 2, "GP1", 500.00, 500.00);
  at(0, g2::GainsGP1).set(rec, 99.0);  // recomputed from zero
  Calculos100G2(rec);  // a row without holder still computes its own fields
  for (blocks::F64 f : {g2::GainsGP1, g2::LossesGP1, g2::ComputableLossesGP1, g2::GainsG2x, g2::ReducedGainsG2x,
                        g2::LossesP2, g2::ComputableLossesP2})
    EXPECT_DOUBLE_EQ(at(0, f).get(rec), 0.0);
  EXPECT_DOUBLE_EQ(at(0, g2::SecondValuesSum).get(rec), 1500.00);
}

struct Form100G3 : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionG3];
  blocks::F64 at(std::size_t row, blocks::F64 f) { return f(row, g3::kRowSize); }
  double get(blocks::F64 f) { return at(0, f).get(rec); }
  void set(blocks::F64 f, double v) { at(0, f).set(rec, v); }
  void transfer(int code, char kind, double amount, double acquisition) {
    g3::Holder.set(rec, static_cast<unsigned char>(code));
    g3::AssetKind.set(rec, static_cast<unsigned char>(kind));
    set(g3::TransferAmount, amount);
    set(g3::AcquisitionAmount, acquisition);
  }
  void run() { Calculos100G3(rec); }
};

TEST_F(Form100G3, FourPerCentReductionOfKindsOneAndTwo) {
  transfer(2, '1', 5000.00, 3000.00);
  g3::FourPerCentMarker.set(rec, 1);
  run();
  EXPECT_DOUBLE_EQ(get(g3::Gain), 2000.00);
  EXPECT_DOUBLE_EQ(get(g3::Reduction), 80.00);
  EXPECT_DOUBLE_EQ(get(g3::ComputableReducedGain), 1920.00);
  ExpectVec(rec, g3::ComputableGainsReduced, {1920, 1920, 0, 0, 0});

  g3::Instalments.set(rec, 1);
  set(g3::CollectedInYear, 1000.00);
  run();
  EXPECT_DOUBLE_EQ(get(g3::ComputableReducedGain), 384.00);
  set(g3::TransferAmount, 0.0);  // nothing to scale by: the computable gain stays 0
  set(g3::AcquisitionAmount, -3000.00);
  run();
  EXPECT_DOUBLE_EQ(get(g3::Gain), 3000.00);
  EXPECT_DOUBLE_EQ(get(g3::ComputableReducedGain), 0.0);
}

TEST_F(Form100G3, ReinvestmentInANewMainHome) {
  transfer(3, '3', 5000.00, 3000.00);
  set(g3::Reinvested, 2500.00);
  run();
  EXPECT_DOUBLE_EQ(get(g3::ExemptGain), 1000.00);
  EXPECT_DOUBLE_EQ(get(g3::ComputableGainNotExempt), 1000.00);
  ExpectVec(rec, g3::ComputableGainsOther, {1000, 0, 1000, 0, 0});

  set(g3::OutstandingLoan, 4000.00);  // 2000 x 2500 / 1000 is cut to the gain
  run();
  EXPECT_DOUBLE_EQ(get(g3::ExemptGain), 2000.00);
  EXPECT_DOUBLE_EQ(get(g3::ComputableGainNotExempt), 0.0);

  set(g3::OutstandingLoan, 6000.00);  // a negative base gives a negative share: 0
  run();
  EXPECT_DOUBLE_EQ(get(g3::ExemptGain), 0.0);
  EXPECT_DOUBLE_EQ(get(g3::GainNotExempt), 2000.00);

  set(g3::OutstandingLoan, 5000.00);  // no base: nothing exempt
  run();
  EXPECT_DOUBLE_EQ(get(g3::ExemptGain), 0.0);
}

TEST_F(Form100G3, LossesOfInstalmentTransfersAndBuyBacks) {
  transfer(2, '3', 5000.00, 6000.00);
  set(g3::TransferExpenses, 0.0);
  set(g3::AcquisitionExpenses, 500.00);
  set(g3::Amortisation, 100.00);
  g3::Instalments.set(rec, 1);
  set(g3::CollectedInYear, 2500.00);
  run();
  EXPECT_DOUBLE_EQ(get(g3::AcquisitionValue), 6400.00);
  EXPECT_DOUBLE_EQ(get(g3::Loss), 1400.00);
  EXPECT_DOUBLE_EQ(get(g3::ComputableLoss), 700.00);
  ExpectVec(rec, g3::ComputableLosses, {700, 700, 0, 0, 0});
  g3::LossNotComputable.set(rec, 1);
  run();
  EXPECT_DOUBLE_EQ(get(g3::ComputableLoss), 0.0);

  transfer(2, '3', 5000.00, 5000.00);  // equal values: a gain of 0
  set(g3::AcquisitionExpenses, 0.0);
  set(g3::Amortisation, 0.0);
  run();
  EXPECT_DOUBLE_EQ(get(g3::Loss), 0.0);
  EXPECT_DOUBLE_EQ(get(g3::Gain), 0.0);
}

TEST_F(Form100G3, RowWithoutHolderOrKindLosesItsInputs) {
  for (int code : {0, 2}) {
    transfer(code, code == 0 ? '1' : '\0', 5000.00, 3000.00);
    set(g3::Reinvested, 1.0);
    set(g3::AcquisitionExpenses, 2.0);
    g3::Instalments.set(rec, 1);
    set(g3::Loss, 99.0);
    g3::AssetKind.set(rec, code == 0 ? '1' : 0);
    run();
    EXPECT_DOUBLE_EQ(get(g3::TransferAmount), 0.0) << code;
    EXPECT_DOUBLE_EQ(get(g3::Reinvested), 0.0) << code;
    EXPECT_EQ(g3::Instalments.get(rec), 0) << code;
    EXPECT_DOUBLE_EQ(get(g3::AcquisitionAmount), 0.0) << code;
    EXPECT_DOUBLE_EQ(get(g3::AcquisitionExpenses), 0.0) << code;
    EXPECT_DOUBLE_EQ(get(g3::Loss), 0.0) << code;
  }
  ExpectIdempotent(blk, [&] { run(); });
}

}  // namespace
