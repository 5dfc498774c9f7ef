// Sections A to D: work, movable capital, imputed and real-estate income.
#include <gtest/gtest.h>

#include <cstring>

#include "blocks/form100_a.h"
#include "blocks/form100_b.h"
#include "blocks/form100_c.h"
#include "blocks/form100_d.h"
#include "fixture.h"
#include "income_support.h"
#include "tallyvex.h"

namespace {

namespace a = f100::sec_a;
namespace b = f100::sec_b;
namespace c = f100::sec_c;
namespace d = f100::sec_d;

struct Form100A : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionA];
  unsigned char* sum = blk[f100::Summary];
  void row(std::size_t i, int code, blocks::F64 f, double v) {
    a::Holder(i, a::kRowSize).set(rec, static_cast<unsigned char>(code));
    f(i, a::kRowSize).set(rec, v);
  }
  void run() { Calculos100A(rec, sum); }
};

TEST_F(Form100A, CommonMoneyPaySplitsBetweenSpouses) {
  row(0, 1, a::MoneyPay, 1000.00);
  row(0, 1, a::MoneyPayWithholding, 150.00);
  row(1, 3, a::KindPaymentOnAccount, 20.00);
  run();
  ExpectVec(rec, a::MoneyPayTotal, {1000, 500, 500, 0, 0});
  ExpectVec(rec, a::NetWorkIncome, {1020, 500, 520, 0, 0});
  ExpectVec(sum, f100::summary::WorkWithholdings, {170, 75, 95, 0, 0});
}

TEST_F(Form100A, DuesAreCappedPerColumnFamilyUnitOnItsOwn) {
  row(0, 2, a::ProfessionalDues, 300.51);
  row(1, 3, a::ProfessionalDues, 300.51);
  row(0, 2, a::LegalDefence, 450.00);
  row(0, 2, a::SocialSecurity, 100.00);
  row(0, 2, a::MoneyPay, 5000.00);
  run();
  ExpectVec(rec, a::ProfessionalDuesTotal, {300.51, 300.51, 300.51, 0, 0});
  ExpectVec(rec, a::LegalDefenceTotal, {300, 300, 0, 0, 0});
  ExpectVec(rec, a::DeductibleExpenses, {700.51, 700.51, 300.51, 0, 0});
  ExpectVec(rec, a::NetWorkIncome, {4299.49, 4299.49, -300.51, 0, 0});
}

TEST_F(Form100A, InKindAndPromoterContributions) {
  row(2, 4, a::KindValuation, 800.00);
  row(2, 4, a::KindPaymentOnAccount, 100.00);
  row(2, 4, a::KindPaymentCharged, 30.00);
  row(2, 4, a::PromoterContributionsAnnex, 250.00);
  row(2, 4, a::IrregularReduction, 70.00);
  // A row without holder still has its counted contributions refreshed, but adds nothing.
  row(5, 0, a::PromoterContributionsAnnex, 999.00);
  a::PromoterContributions(5, a::kRowSize).set(rec, 1.0);
  run();
  EXPECT_DOUBLE_EQ(a::PromoterContributions(2, a::kRowSize).get(rec), 250.00);
  EXPECT_DOUBLE_EQ(a::PromoterContributions(5, a::kRowSize).get(rec), 999.00);
  ExpectVec(rec, a::IncomeInKind, {870, 0, 0, 870, 0});
  ExpectVec(rec, a::PromoterContributionsTotal, {250, 0, 0, 250, 0});
  ExpectVec(rec, a::NetWorkIncome, {1050, 0, 0, 1050, 0});
  ExpectIdempotent(blk, [&] { run(); });
}

struct Form100B : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionB];
  unsigned char* sum = blk[f100::Summary];
};

TEST_F(Form100B, Pass1TotalsGroupsExpensesReductionsAndWithholdings) {
  using b::kRowSize;
  b::g2::Holder.set(rec, 2);
  b::g2::GrossReceived.set(rec, 1000.00);  // not read by the calculation
  b::g2::Computable.set(rec, 1400.00);
  b::g2::Withholding.set(rec, 150.00);
  b::g2::Expenses.set(rec, 40.00);
  b::g2::Reduction.set(rec, 10.00);
  b::G1.holder(1, kRowSize).set(rec, 1);
  b::G1.amount(1, kRowSize).set(rec, 200.01);
  b::G1.withholding(1, kRowSize).set(rec, 30.00);
  b::G1.expenses(1, kRowSize).set(rec, 20.00);
  b::G5.holder(0, kRowSize).set(rec, 3);
  b::G5.amount(0, kRowSize).set(rec, 500.00);
  b::G5.expenses(0, kRowSize).set(rec, 100.00);   // first reduction
  b::G5.reduction(0, kRowSize).set(rec, 50.00);   // transitional reduction
  b::G6.holder(2, kRowSize).set(rec, 3);
  b::G6.amount(2, kRowSize).set(rec, 300.00);
  b::G6.expenses(2, kRowSize).set(rec, 60.00);
  b::g3::Holder(4, b::g3::kRowSize).set(rec, 2);
  b::g3::Amount(4, b::g3::kRowSize).set(rec, 70.00);

  Calculos100B(rec, sum, 1);
  ExpectVec(rec, b::G1.income, {200.01, 100.01, 100.01, 0, 0});
  ExpectVec(rec, b::g2::Income, {1400, 1400, 0, 0, 0});
  ExpectVec(rec, b::TotalIncome, {2470.01, 1570.01, 900.01, 0, 0});
  ExpectVec(rec, b::Expenses, {60, 50, 10, 0, 0});
  ExpectVec(rec, b::ExpensesSecondKind, {60, 0, 60, 0, 0});
  ExpectVec(rec, b::NetBeforeReductions, {2350.01, 1520.01, 830.01, 0, 0});
  ExpectVec(rec, b::Reductions, {110, 10, 100, 0, 0});
  ExpectVec(rec, b::TransitionalReductions, {50, 0, 50, 0, 0});
  ExpectVec(rec, b::NetIncome, {2190.01, 1510.01, 680.01, 0, 0});
  ExpectVec(sum, f100::summary::CapitalWithholdings, {180, 165, 15, 0, 0});
  ExpectIdempotent(blk, [&] { Calculos100B(rec, sum, 1); });
}

TEST_F(Form100B, Pass2SplitsTheBalanceAndOtherPassesDoNothing) {
  b::balance::Holder(0, b::balance::kRowSize).set(rec, 2);
  b::balance::Amount(0, b::balance::kRowSize).set(rec, -200.00);
  b::balance::Holder(3, b::balance::kRowSize).set(rec, 2);
  b::balance::Amount(3, b::balance::kRowSize).set(rec, 80.00);
  b::balance::Holder(4, b::balance::kRowSize).set(rec, 3);
  b::balance::Amount(4, b::balance::kRowSize).set(rec, 45.00);
  b::g3::Holder.set(rec, 2);
  b::g3::Amount.set(rec, 10.00);

  const std::vector<unsigned char> before = blk.bytes;
  for (int pass : {0, 3, -1}) Calculos100B(rec, sum, pass);
  EXPECT_EQ(blk.bytes, before);

  Calculos100B(rec, sum, 2);
  ExpectVec(rec, b::LongTermGains, {0, 0, 45, 0, 0});
  ExpectVec(rec, b::LongTermLosses, {75, 120, 0, 0, 0});
  ExpectVec(rec, b::g3::Income, {0, 0, 0, 0, 0}, "pass 2 leaves pass-1 vectors alone");
  ExpectIdempotent(blk, [&] { Calculos100B(rec, sum, 2); });
}

struct Form100C : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionC];
  void row(std::size_t i, int code, double amount, double imputed, const char* ref) {
    c::Holder(i, c::kRowSize).set(rec, static_cast<unsigned char>(code));
    c::Amount(i, c::kRowSize).set(rec, amount);
    c::Imputed(i, c::kRowSize).set(rec, imputed);
    c::Reference(i, c::kRowSize).set(rec, ref);
  }
  void SetUp() override {
    row(0, 1, 100.01, 20.01, "COMMON");
    row(1, 4, 300.00, 60.00, "CHILD ONE");
    row(2, 2, 500.00, 90.00, "DECLARANT");
  }
};

TEST_F(Form100C, FamilyUnitViewCopiesEveryRow) {
  Calculos100C(rec, 1);
  ExpectVec(rec, c::ImputedIncome, {170.01, 100.01, 10.01, 60, 0});
  EXPECT_EQ(c::SlotCode(0).get(rec), 1);
  EXPECT_EQ(c::SlotCode(1).get(rec), 4);
  EXPECT_EQ(c::SlotCode(3).get(rec), 0);
  EXPECT_DOUBLE_EQ(c::SlotAmount(1).get(rec, 0), 300.00);
  EXPECT_DOUBLE_EQ(c::SlotImputed(2).get(rec, 0), 90.00);
  EXPECT_EQ(c::slotText(1, 0).trimmed(rec), "CHILD ONE");
}

TEST_F(Form100C, SpouseViewsHalveCommonRowsAndChildViewsSkipThem) {
  Calculos100C(rec, 2);
  EXPECT_EQ(c::SlotCode(0).get(rec), 2);
  EXPECT_DOUBLE_EQ(c::SlotAmount(0).get(rec, 1), 50.01);
  EXPECT_DOUBLE_EQ(c::SlotImputed(0).get(rec, 1), 10.01);
  EXPECT_EQ(c::slotText(0, 1).trimmed(rec), "COMMON");
  EXPECT_DOUBLE_EQ(c::SlotAmount(1).get(rec, 1), 500.00);
  EXPECT_EQ(c::SlotCode(2).get(rec), 0);

  Calculos100C(rec, 4);  // the earlier view is cleared, rows are packed from the first slot
  EXPECT_EQ(c::SlotCode(0).get(rec), 2);
  EXPECT_EQ(c::SlotCode(1).get(rec), 0);
  EXPECT_DOUBLE_EQ(c::SlotAmount(0).get(rec, 3), 300.00);
  EXPECT_DOUBLE_EQ(c::SlotAmount(0).get(rec, 1), 0.0);
  EXPECT_EQ(c::slotText(0, 1).raw(rec), std::string(20, '\0'));
  EXPECT_EQ(c::slotText(0, 3).trimmed(rec), "CHILD ONE");
  ExpectIdempotent(blk, [&] { Calculos100C(rec, 3); });
}

TEST_F(Form100C, MemberWithoutColumnLeavesTheViewEmpty) {
  Calculos100C(rec, 1);
  for (int member : {0, 6, 200, -3}) {
    const std::vector<unsigned char> before = blk.bytes;
    Calculos100C(rec, member);
    EXPECT_EQ(c::SlotCode(0).get(rec), 0) << member;
    EXPECT_DOUBLE_EQ(c::SlotAmount(0).get(rec, 0), 0.0) << member;
    // Only the member view changed.
    for (std::size_t i = 0; i < blk.bytes.size(); ++i)
      if (i < f100::SectionC.offset + c::SlotCodes.off || i >= f100::SectionC.offset + c::RowTableEntries.off) {
        ASSERT_EQ(blk.bytes[i], before[i]) << "member " << member << " byte " << i;
      }
  }
  ExpectVec(rec, c::ImputedIncome, {170.01, 100.01, 10.01, 60, 0});
}

struct Form100D : ::testing::Test {
  Block100 blk;
  unsigned char* rec = blk[f100::SectionD];
  void property(std::size_t i, int code, char type, double income, double expenses, double irregular = 0) {
    d::Holder(i, d::kRowSize).set(rec, static_cast<unsigned char>(code));
    d::YieldType(i, d::kRowSize).set(rec, static_cast<unsigned char>(type));
    d::RentalIncome(i, d::kRowSize).set(rec, income);
    d::OtherExpenses(i, d::kRowSize).set(rec, expenses);
    d::IrregularReduction(i, d::kRowSize).set(rec, irregular);
  }
  void run() { Calculos100D(rec, blk[f100::Summary]); }
};

TEST_F(Form100D, HalfReductionOfTypeOne) {
  property(0, 2, '1', 10000.00, 4000.00);
  run();
  ExpectVec(rec, d::NetYield, {6000, 6000, 0, 0, 0});
  ExpectVec(rec, d::HalfReduction, {3000, 3000, 0, 0, 0});
  ExpectVec(rec, d::NetAfterReductions, {3000, 3000, 0, 0, 0});
  ExpectVec(rec, d::TotalExpenses, {4000, 4000, 0, 0, 0});
}

TEST_F(Form100D, HalfReductionLimitedByIrregularReduction) {
  property(0, 2, '1', 10000.00, 4000.00, 4000.00);
  run();
  ExpectVec(rec, d::HalfReduction, {2000, 2000, 0, 0, 0});
  ExpectVec(rec, d::IrregularReductions, {4000, 4000, 0, 0, 0});
  ExpectVec(rec, d::NetAfterReductions, {0, 0, 0, 0, 0});
}

TEST_F(Form100D, IrregularReductionLimitedToWhatTheNetLeaves) {
  property(0, 3, ' ', 3000.00, 1000.00, 2500.00);
  run();
  ExpectVec(rec, d::IrregularReductions, {2000, 0, 2000, 0, 0});
  ExpectVec(rec, d::NetAfterReductions, {0, 0, 0, 0, 0});
}

TEST_F(Form100D, GrossYieldCountsIncomeWithoutExpenses) {
  property(0, 2, '2', 5000.00, 7000.00);
  d::SubleaseShare.set(rec, 0.005);  // the gross amount is rounded to cents
  run();
  ExpectVec(rec, d::NetYield, {5000.01, 5000.01, 0, 0, 0});
  ExpectVec(rec, d::HalfReduction, {0, 0, 0, 0, 0});
  ExpectVec(rec, d::TotalIncome, {5000.01, 5000.01, 0, 0, 0});
}

TEST_F(Form100D, LossesOffsetBeforeTheFloorPerColumn) {
  property(0, 2, ' ', 1000.00, 3000.00);  // -2000
  property(1, 2, ' ', 5000.00, 1000.00);  // +4000
  property(2, 3, ' ', 1000.00, 1500.00);  // -500 for the spouse alone
  run();
  ExpectVec(rec, d::NetYield, {1500, 2000, 0, 0, 0});
  ExpectVec(rec, d::NetAfterReductions, {1500, 2000, 0, 0, 0});
  ExpectIdempotent(blk, [&] { run(); });
}

}  // namespace
