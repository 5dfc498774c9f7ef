// Sections F1, F3, F4 and F5: attributed and imputed income.
#include <gtest/gtest.h>

#include "blocks/form100_f1.h"
#include "blocks/form100_f3.h"
#include "blocks/form100_f4.h"
#include "blocks/form100_f5.h"
#include "fixture.h"
#include "income_support.h"
#include "tallyvex.h"

namespace {

namespace f1 = f100::sec_f1;

struct Form100F1 : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionF1];
  unsigned char* sum = blk[f100::Summary];
  blocks::F64 at(std::size_t row, blocks::F64 f) { return f(row, f1::kRowSize); }
  void run() { Calculos100F1(rec, sum); }
};

TEST_F(Form100F1, CommonRowAttributesNoIncomeOfTheThirdKind) {
  f1::Holder.set(rec, 1);
  at(0, f1::Income1PartA).set(rec, 600.00);
  at(0, f1::Income1PartB).set(rec, 400.01);
  at(0, f1::Expenses1).set(rec, 100.00);
  at(0, f1::Income2).set(rec, 300.00);
  at(0, f1::Income3Entered).set(rec, 1000.00);
  at(0, f1::Expenses3).set(rec, 50.00);
  at(0, f1::Withholdings).set(rec, 20.00);
  f1::Holder(1, f1::kRowSize).set(rec, 4);
  at(1, f1::Income3Entered).set(rec, 800.00);
  at(1, f1::Expenses3).set(rec, 300.00);
  at(1, f1::LongTermLosses).set(rec, 75.00);
  run();
  EXPECT_DOUBLE_EQ(at(0, f1::Income3Entered).get(rec), 1000.00);
  EXPECT_DOUBLE_EQ(at(0, f1::Income3).get(rec), 0.0);
  EXPECT_DOUBLE_EQ(at(0, f1::Expenses3).get(rec), 0.0);
  EXPECT_DOUBLE_EQ(at(0, f1::Net3).get(rec), 0.0);
  EXPECT_DOUBLE_EQ(at(1, f1::Net3).get(rec), 500.00);
  ExpectVec(rec, f1::Net1Total, {900.01, 450.01, 450.01, 0, 0});
  ExpectVec(rec, f1::Net2Total, {300, 150, 150, 0, 0});
  ExpectVec(rec, f1::Net3Total, {500, 0, 0, 500, 0});
  ExpectVec(rec, f1::LongTermLossesTotal, {75, 0, 0, 75, 0});
  ExpectVec(sum, f100::summary::AttributedWithholdings, {20, 10, 10, 0, 0});
  ExpectIdempotent(blk, [&] { run(); });
}

TEST_F(Form100F1, RowWithoutHolderComputesItsNetsButAddsNothing) {
  at(2, f1::Income2).set(rec, 300.00);
  at(2, f1::Expenses2).set(rec, 100.00);
  at(2, f1::Income3Entered).set(rec, 40.00);
  at(2, f1::ShortTermGains).set(rec, 9.00);
  run();
  EXPECT_DOUBLE_EQ(at(2, f1::Net2).get(rec), 200.00);
  EXPECT_DOUBLE_EQ(at(2, f1::Net3).get(rec), 40.00);
  ExpectVec(rec, f1::Net2Total, {0, 0, 0, 0, 0});
  ExpectVec(rec, f1::ShortTermGainsTotal, {0, 0, 0, 0, 0});
}

TEST(Form100F3F5, ImputedListsByHolder) {
  namespace f3 = f100::sec_f3;
  for (const auto& section : {f100::SectionF3, f100::SectionF5}) {
    Block100 blk;
    unsigned char* rec = blk[section];
    f3::Holder(0, f3::kRowSize).set(rec, 1);
    f3::Amount(0, f3::kRowSize).set(rec, 0.01);
    f3::Holder(5, f3::kRowSize).set(rec, 5);
    f3::Amount(5, f3::kRowSize).set(rec, 7.50);
    auto run = [&] { section.offset == f100::SectionF3.offset ? Calculos100F3(rec) : Calculos100F5(rec); };
    run();
    ExpectVec(rec, f3::Amounts, {7.51, 0.01, 0.01, 0, 7.50}, section.name);
    ExpectIdempotent(blk, run);
  }
}

TEST(Form100F4, SingleHolderVectorsAndSummary) {
  namespace f4 = f100::sec_f4;
  Block100 blk;
  unsigned char* rec = blk[f100::SectionF4];
  unsigned char* sum = blk[f100::Summary];
  f4::AmountToImpute.set(rec, 1000.00);
  f4::DoubleTaxationDeduction.set(rec, 150.00);
  f4::PaymentOnAccount.set(rec, 80.01);
  Calculos100F4(rec, sum);  // code 0: all three vectors zero
  ExpectVec(rec, f4::AmountToImputeByHolder, {0, 0, 0, 0, 0});
  ExpectVec(sum, f100::summary::ImageRightsDeduction, {0, 0, 0, 0, 0});

  f4::Holder.set(rec, 3);
  Calculos100F4(rec, sum);
  ExpectVec(rec, f4::AmountToImputeByHolder, {1000, 0, 1000, 0, 0});
  ExpectVec(sum, f100::summary::ImageRightsDeduction, {150, 0, 150, 0, 0});
  ExpectVec(sum, f100::summary::ImageRightsPayment, {80.01, 0, 80.01, 0, 0});

  f4::Holder.set(rec, 1);
  Calculos100F4(rec, sum);
  ExpectVec(sum, f100::summary::ImageRightsPayment, {80.01, 40.01, 40.01, 0, 0});
  ExpectIdempotent(blk, [&] { Calculos100F4(rec, sum); });
}

}  // namespace
