#include <gtest/gtest.h>

#include <vector>

#include "blocks/form100_a.h"
#include "blocks/form100_h.h"
#include "blocks/form100_i.h"
#include "blocks/form100_j.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {
using namespace f100::sec_j;
using V = blocks::Vec5::Values;

struct J : ::testing::Test {
  Block100 b;
  unsigned char* j = b[f100::SectionJ];
  unsigned char* per = b[f100::Personal];
  void run(int pass) {
    Calculos100J(j, per, b[f100::SectionA], b[f100::SectionB], b[f100::SectionC], b[f100::SectionD],
                 b[f100::SectionE1], b[f100::SectionE4], b[f100::SectionE5], b[f100::SectionF1], b[f100::SectionF2],
                 b[f100::SectionF3], b[f100::SectionF4], b[f100::SectionF5], b[f100::SectionG6], pass, 2);
  }
  unsigned char* pensionRowAt(int r) { return j + pensionRow(r); }
  unsigned char* disabledRowAt(int r) { return j + disabledRow(r); }
};

TEST_F(J, PensionSchemesCappedByAge) {
  f100::sec_i::personal::Age(1).set(per, 60);  // cap 18,000
  unsigned char* row = pensionRowAt(0);
  pension::Holder.set(row, 2);
  pension::OwnYearIn.set(row, 20000);
  run(1);
  EXPECT_DOUBLE_EQ(pension::OwnYear.get(row), 18000);
  EXPECT_DOUBLE_EQ(pension::OwnReduction.get(row), 18000);
  pension::OwnExcessIn.set(row, 5000);
  pension::OwnYearIn.set(row, 15000);
  pension::PromoterYearIn.set(row, 1000);
  run(1);
  EXPECT_DOUBLE_EQ(pension::OwnExcess.get(row), 5000);
  EXPECT_DOUBLE_EQ(pension::OwnYear.get(row), 15000);
  EXPECT_DOUBLE_EQ(pension::OwnReduction.get(row), 18000);
  EXPECT_DOUBLE_EQ(pension::PromoterReduction.get(row), 1000);
  EXPECT_EQ(PensionReduction.load(j), (V{19000, 19000, 0, 0, 0}));

  // Common and absent holders are skipped and keep their outputs.
  unsigned char* other = pensionRowAt(1);
  pension::Holder.set(other, 1);
  pension::OwnYearIn.set(other, 500);
  pension::OwnReduction.set(other, 77);
  run(1);
  EXPECT_DOUBLE_EQ(pension::OwnReduction.get(other), 77);
  EXPECT_EQ(PensionReduction.load(j), (V{19000, 19000, 0, 0, 0}));
}

TEST_F(J, HolderCodeWithoutColumnIsSkipped) {
  pension::Holder.set(pensionRowAt(0), 200);
  pension::OwnYearIn.set(pensionRowAt(0), 1000);
  disabled::Holder.set(disabledRowAt(0), 9);
  disabled::Relatives.set(disabledRowAt(0), 1000);
  SpouseContributor.set(j, 7);
  SpouseContribution[0].set(j, 1000);
  const std::vector<unsigned char> before(b.bytes);
  for (int pass = 1; pass <= 3; ++pass) run(pass);
  EXPECT_EQ(PensionReduction.load(j), (V{}));
  EXPECT_EQ(SpouseSchemes.load(j), (V{}));
  EXPECT_EQ(DisabledSchemes.load(j), (V{}));
  EXPECT_EQ(std::vector<unsigned char>(b.bytes.begin(), b.bytes.begin() + f100::SectionJ.offset),
            std::vector<unsigned char>(before.begin(), before.begin() + f100::SectionJ.offset));
}

TEST_F(J, SpouseSchemesWhileTheSpousesIncomeIsLow) {
  SpouseContributor.set(j, 2);
  SpouseContribution[0].set(j, 1000);
  SpouseContribution[1].set(j, 2000);
  struct Case { double spouseIncome, reduction; };
  for (const Case& c : {Case{7999.99, 2000}, Case{8000, 0}}) {
    f100::sec_a::NetWorkIncome.store(b[f100::SectionA], V{c.spouseIncome, 0, c.spouseIncome, 0, 0});
    run(2);
    EXPECT_EQ(SpouseSchemes.load(j), (V{c.reduction, c.reduction, 0, 0, 0})) << c.spouseIncome;
  }
}

TEST_F(J, DisabledPersonsRelativesShareOneLimit) {
  for (int r = 0; r < 2; ++r) {
    unsigned char* row = disabledRowAt(r);
    disabled::Holder.set(row, 3);
    disabled::Nif.set(row, "12345678Z");
    disabled::Relatives.set(row, 6000);
    disabled::Own.set(row, 20000);
    disabled::Promoter.set(row, 5000);
  }
  disabled::NifCopy.set(disabledRowAt(2), "LEFTOVER");
  run(3);
  EXPECT_DOUBLE_EQ(disabled::RelativesReduction.get(disabledRowAt(0)), 6000);
  EXPECT_DOUBLE_EQ(disabled::RelativesReduction.get(disabledRowAt(1)), 2000);
  EXPECT_DOUBLE_EQ(disabled::OwnReduction.get(disabledRowAt(0)), 24250);
  EXPECT_EQ(disabled::NifCopy.str(disabledRowAt(1)), "12345678Z");
  EXPECT_EQ(disabled::NifCopy.raw(disabledRowAt(2)), std::string(9, '\0'));
  EXPECT_EQ(DisabledSchemes.load(j), (V{2 * 24250 + 8000, 0, 2 * 24250 + 8000, 0, 0}));
}

TEST_F(J, FurtherReductionAndSportspeople) {
  FurtherHolder(0).set(j, 1);
  FurtherAmount(0).set(j, 100.01);
  run(4);
  EXPECT_EQ(Further.load(j), (V{100.01, 50.01, 50.01, 0, 0}));

  SportHolder(0).set(j, 2);
  SportOwn(0).set(j, 20000);
  SportPromoter(0).set(j, 10000);
  SportHolder(1).set(j, 3);
  SportOwn(1).set(j, 1000);
  SportHolder(1).set(j, 3);
  f100::sec_a::NetWorkIncome.store(b[f100::SectionA], V{59000, 60000, -1000, 0, 0});
  run(5);
  EXPECT_EQ(Sportspeople.load(j), (V{24250, 24250, 0, 0, 0}));
  f100::sec_a::NetWorkIncome.store(b[f100::SectionA], V{15000, 15000, 0, 0, 0});
  run(5);
  EXPECT_EQ(Sportspeople.load(j), (V{15000, 15000, 0, 0, 0}));

  const std::vector<unsigned char> once(b.bytes);
  run(5);
  run(6);
  EXPECT_EQ(b.bytes, once);
}

}  // namespace
