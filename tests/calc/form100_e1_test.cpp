// Section E1: activities in direct estimation.
#include <gtest/gtest.h>

#include "blocks/form100_e1.h"
#include "fixture.h"
#include "income_support.h"
#include "tallyvex.h"

namespace {

namespace e1 = f100::sec_e1;

struct Form100E1 : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionE1];
  blocks::F64 at(std::size_t row, blocks::F64 f) { return f(row, e1::kRowSize); }
  void activity(std::size_t row, int code, bool normal, bool simplified, double income, double expenses) {
    e1::Holder(row, e1::kRowSize).set(rec, static_cast<unsigned char>(code));
    e1::NormalModality(row, e1::kRowSize).set(rec, normal ? 1 : 0);
    e1::SimplifiedModality(row, e1::kRowSize).set(rec, simplified ? 1 : 0);
    at(row, e1::Income1Entered).set(rec, income);
    at(row, e1::Expense(14)).set(rec, expenses);
  }
};

TEST_F(Form100E1, SimplifiedModalityTakesFivePerCentAllowance) {
  activity(0, 2, false, true, 20000.00, 12000.00);
  Calculos100E1(rec);
  EXPECT_DOUBLE_EQ(at(0, e1::Income1).get(rec), 20000.00);
  EXPECT_DOUBLE_EQ(at(0, e1::SimplifiedBase).get(rec), 8000.00);
  EXPECT_DOUBLE_EQ(at(0, e1::SimplifiedAllowance).get(rec), 400.00);
  EXPECT_DOUBLE_EQ(at(0, e1::SimplifiedExpenses).get(rec), 12400.00);
  EXPECT_DOUBLE_EQ(at(0, e1::NetYield).get(rec), 7600.00);
  ExpectVec(rec, e1::NetYields, {7600, 7600, 0, 0, 0});
}

TEST_F(Form100E1, ModalitiesDecideWhichExpensesCount) {
  activity(0, 2, false, false, 1000.00, 300.00);  // neither: no expenses
  at(0, e1::Reduction).set(rec, 100.00);
  activity(1, 3, true, true, 1000.00, 300.00);  // both: the expenses count twice
  at(1, e1::NormalProvisions).set(rec, 50.00);
  activity(2, 4, false, true, 1000.00, 1500.00);  // loss: no allowance
  at(2, e1::Income2Entered).set(rec, 0.10);
  at(2, e1::Income3Entered).set(rec, 0.20);
  activity(3, 5, false, false, 0, 0);
  at(3, e1::NormalProvisions).set(rec, 77.00);  // cleared once the normal modality is not marked
  Calculos100E1(rec);

  EXPECT_DOUBLE_EQ(at(0, e1::NetAfterReduction).get(rec), 900.00);
  EXPECT_DOUBLE_EQ(at(1, e1::NormalExpenses).get(rec), 350.00);
  EXPECT_DOUBLE_EQ(at(1, e1::SimplifiedAllowance).get(rec), 35.00);
  EXPECT_DOUBLE_EQ(at(1, e1::NetYield).get(rec), 1000.00 - 350.00 - 335.00);
  EXPECT_DOUBLE_EQ(at(2, e1::TotalIncome).get(rec), 1000.00 + 0.10 + 0.20);
  EXPECT_DOUBLE_EQ(at(2, e1::SimplifiedAllowance).get(rec), 0.0);
  EXPECT_DOUBLE_EQ(at(2, e1::NetYield).get(rec), (1000.00 + 0.10 + 0.20) - 1500.00);
  EXPECT_DOUBLE_EQ(at(3, e1::NormalProvisions).get(rec), 0.0);
  ExpectVec(rec, e1::NetYields, {900 + 315 + ((1000.00 + 0.10 + 0.20) - 1500.00), 900, 315,
                                 (1000.00 + 0.10 + 0.20) - 1500.00, 0});
  ExpectIdempotent(blk, [&] { Calculos100E1(rec); });
}

}  // namespace
