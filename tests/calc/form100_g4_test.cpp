#include <gtest/gtest.h>

#include <vector>

#include "blocks/form100_g4.h"
#include "fixture.h"
#include "form100_g4.h"
#include "tallyvex.h"

namespace {
using namespace f100::sec_g4;

struct G4 : ::testing::Test {
  Block100 b;
  unsigned char* g4 = b[f100::SectionG4];
  unsigned char* item(int i) { return g4 + itemOffset(i); }
  // A transfer of `type` by the declarant, without expenses.
  unsigned char* transfer(int i, char type, const char* acquired, const char* transferred, double amount,
                          double acquisition) {
    unsigned char* it = item(i);
    item::Holder.set(it, 2);
    item::AssetType.set(it, static_cast<unsigned char>(type));
    item::AcquisitionDate.set(it, acquired);
    item::TransferDate.set(it, transferred);
    item::TransferAmount.set(it, amount);
    item::AcquisitionAmount.set(it, acquisition);
    return it;
  }
  void pass3() { Calculos100G4(g4, 3); }
};

TEST(G4Coefficients, TablesByYear) {
  struct Case { const char* date; double business; double other; };
  const Case cases[] = {{"31121983", 1.9956, 1.1236}, {"01011984", 1.812, 1.1236}, {"15061990", 1.3175, 1.1236},
                        {"31121994", 1.2059, 1.1236}, {"01011995", 1.1577, 1.1871}, {"30061996", 1.1026, 1.1465},
                        {"01012002", 1.0171, 1.02},   {"15062003", 1.0, 1.0}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(tv::CoeficienteAfectos(c.date), c.business) << c.date;
    EXPECT_DOUBLE_EQ(tv::CoeficienteNoAfectos(c.date), c.other) << c.date;
  }
}

TEST_F(G4, NonBusinessRealEstateTransitionalReduction) {
  unsigned char* it = transfer(0, '3', "15031990", "10062003", 100000, 50000);
  pass3();
  EXPECT_DOUBLE_EQ(item::AcquisitionUpdated.get(it), 56180.00);
  EXPECT_DOUBLE_EQ(item::Gain.get(it), 43820.00);
  EXPECT_DOUBLE_EQ(item::YearsTo1996.get(it), 7);
  EXPECT_DOUBLE_EQ(item::GainReduced.get(it), 19477.99);
  EXPECT_DOUBLE_EQ(item::GainImputedNonBusiness.get(it), 19477.99);
  const auto gains = ItemGainsNonBusiness.load(g4);
  EXPECT_DOUBLE_EQ(gains[0], 19477.99);
  EXPECT_DOUBLE_EQ(gains[1], 19477.99);

  // Held longer than the type's limit before 1997: the whole gain is reduced away.
  item::AcquisitionDate.set(it, "15031986");
  pass3();
  EXPECT_DOUBLE_EQ(item::YearsTo1996.get(it), 11);
  EXPECT_DOUBLE_EQ(item::GainReduced.get(it), 0.0);

  // Acquired on the last day of 1994: that day's own coefficient.
  item::AcquisitionDate.set(it, "31121994");
  pass3();
  EXPECT_DOUBLE_EQ(item::AcquisitionUpdated.get(it), 59355.00);
}

TEST_F(G4, TaxiLicenceReductionByYearsHeld) {
  struct Case { const char* acquired; double reduction; };
  // Gain 10,000 (no acquisition amount). Exactly 5 years: 0.26; a day more: 0.33; past 12: whole.
  const Case cases[] = {{"10061998", 2600.0}, {"09061998", 3300.0}, {"09061991", 10000.0}, {"10062003", 400.0}};
  for (const Case& c : cases) {
    unsigned char* it = transfer(0, '1', c.acquired, "10062003", 10000, 0);
    item::TaxiLicence.set(it, 1);
    pass3();
    EXPECT_DOUBLE_EQ(item::TaxiReduction.get(it), c.reduction) << c.acquired;
    EXPECT_DOUBLE_EQ(item::GainImputedBusiness.get(it), 10000.0 - c.reduction) << c.acquired;
    EXPECT_DOUBLE_EQ(ItemGainsBusiness.load(g4)[1], 10000.0 - c.reduction);
  }
}

TEST_F(G4, LossesInstalmentsAndNoImputation) {
  unsigned char* it = transfer(0, '7', "01012000", "01062003", 1000, 2000);
  pass3();
  const double loss = item::Loss.get(it);
  EXPECT_DOUBLE_EQ(loss, 1000);  // only types 1 and 3 are updated
  EXPECT_DOUBLE_EQ(item::LossImputed.get(it), loss);

  item::Instalments.set(it, 1);
  item::CollectedInYear.set(it, 250);
  pass3();
  EXPECT_DOUBLE_EQ(item::LossImputed.get(it), loss * 250 / 1000);

  // Instalments without a transfer amount: nothing to divide by, the whole loss counts.
  item::TransferAmount.set(it, 0);
  pass3();
  EXPECT_DOUBLE_EQ(item::LossImputed.get(it), item::Loss.get(it));

  item::NoLossImputation.set(it, 1);
  pass3();
  EXPECT_GT(item::Loss.get(it), 0.0);
  EXPECT_DOUBLE_EQ(item::LossImputed.get(it), 0.0);
  EXPECT_DOUBLE_EQ(ItemLosses.load(g4)[0], 0.0);
}

TEST_F(G4, ReinvestmentInMainHomeExemptsItsShare) {
  unsigned char* it = transfer(0, '7', "01012000", "01062003", 100000, 60000);
  item::Reinvested.set(it, 50000);
  pass3();
  EXPECT_DOUBLE_EQ(item::Gain.get(it), 40000.00);
  EXPECT_DOUBLE_EQ(item::YearsTo1996.get(it), 0);
  EXPECT_DOUBLE_EQ(item::GainExempt.get(it), 20000.00);
  EXPECT_DOUBLE_EQ(item::GainNotExempt.get(it), 20000.00);
  // Reinvesting more than the transfer yields exempts the gain, never more.
  item::Reinvested.set(it, 150000);
  pass3();
  EXPECT_DOUBLE_EQ(item::GainExempt.get(it), 40000.00);
  EXPECT_DOUBLE_EQ(item::GainImputedNonBusiness.get(it), 0.0);
}

TEST_F(G4, Allowance2002WithinAYearIsNotUpdated) {
  struct Case { const char* allowance; double updated; };
  const Case cases[] = {{"31122002", 1000.0}, {"15062002", 1000.0}, {"15012002", 1020.0}, {"        ", 1020.0}};
  for (const Case& c : cases) {
    unsigned char* it = transfer(0, '3', "01012000", "15032003", 100000, 0);
    item::Allowance2002Date.set(it, c.allowance);
    item::LateYear(6).set(it, 1000);
    pass3();
    EXPECT_DOUBLE_EQ(item::LateYearUpdated(6).get(it), c.updated) << c.allowance;
    EXPECT_DOUBLE_EQ(item::DepreciationFrom1996.get(it), 1000.0);
    EXPECT_DOUBLE_EQ(item::DepreciationFrom1996Updated.get(it), c.updated);
  }
}

TEST_F(G4, BusinessDepreciationUpdatedByYear) {
  unsigned char* it = transfer(0, '1', "01011980", "01062003", 200000, 100000);
  item::EarlyYear(0).set(it, 1000);   // 1983 and before
  item::EarlyYear(10).set(it, 1000);  // 1993
  item::Year1994.set(it, 1000);
  item::Year1995.set(it, 1000);
  item::LateYear(0).set(it, 1000);    // 1996
  pass3();
  EXPECT_DOUBLE_EQ(item::AcquisitionUpdated.get(it), 199560.00);
  EXPECT_DOUBLE_EQ(item::DepreciationTo1993.get(it), 2000.0);
  EXPECT_DOUBLE_EQ(item::DepreciationTo1993Updated.get(it), 1995.60 + 1228.20);
  EXPECT_DOUBLE_EQ(item::Depreciation1994Updated.get(it), 1205.90 + 1157.70);
  EXPECT_DOUBLE_EQ(item::Depreciation1995Updated.get(it), 1102.60);
  EXPECT_DOUBLE_EQ(item::AcquisitionValue.get(it),
                   199560.00 - (1995.60 + 1228.20) - (1205.90 + 1157.70) - 1102.60);
}

TEST_F(G4, BlankDatesKeepUpdatedAmounts) {
  unsigned char* it = transfer(0, '3', "", "10062003", 1000, 0);
  item::AcquisitionUpdated.set(it, 400);
  pass3();
  EXPECT_DOUBLE_EQ(item::AcquisitionUpdated.get(it), 400);
  EXPECT_DOUBLE_EQ(item::Gain.get(it), 600);
  EXPECT_DOUBLE_EQ(item::GainImputedNonBusiness.get(it), 600);
}

TEST_F(G4, ListPassesAndOtherPasses) {
  ListA.holder(0).set(g4, 1);
  ListA.counted(0).set(g4, 100.01);
  ListB.holder(14).set(g4, 3);
  ListB.counted(14).set(g4, 50);
  ListC.holder(2).set(g4, 4);
  ListC.counted(2).set(g4, 70);
  ListE.holder(0).set(g4, 5);
  ListE.counted(0).set(g4, 80);
  ListF.holder(0).set(g4, 2);
  ListF.counted(0).set(g4, 90);
  transfer(0, '3', "15031990", "10062003", 100000, 50000);

  const std::vector<unsigned char> before(g4, g4 + f100::SectionG4.size);
  Calculos100G4(g4, 0);
  Calculos100G4(g4, 5);
  EXPECT_EQ(std::vector<unsigned char>(g4, g4 + f100::SectionG4.size), before);

  for (int pass = 1; pass <= 4; ++pass) Calculos100G4(g4, pass);
  EXPECT_EQ(ShortGainsA.load(g4), (blocks::Vec5::Values{100.01, 50.01, 50.01, 0, 0}));
  EXPECT_EQ(ShortLossesB.load(g4), (blocks::Vec5::Values{50, 0, 50, 0, 0}));
  EXPECT_EQ(ShortGainsC.load(g4), (blocks::Vec5::Values{70, 0, 0, 70, 0}));
  EXPECT_EQ(LongGainsE.load(g4), (blocks::Vec5::Values{80, 0, 0, 0, 80}));
  EXPECT_EQ(LongLossesF.load(g4), (blocks::Vec5::Values{90, 90, 0, 0, 0}));

  const std::vector<unsigned char> once(g4, g4 + f100::SectionG4.size);
  for (int pass = 1; pass <= 4; ++pass) Calculos100G4(g4, pass);
  EXPECT_EQ(std::vector<unsigned char>(g4, g4 + f100::SectionG4.size), once);
}

}  // namespace
