#include <gtest/gtest.h>

#include <vector>

#include "blocks/form100_k.h"
#include "blocks/form100_l.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {
using namespace f100::summary;
using V = blocks::Vec5::Values;

struct L : ::testing::Test {
  Block100 b;
  unsigned char* s = b[f100::Summary];
  unsigned char* k = b[f100::SectionK];
  unsigned char* per = b[f100::Personal];
  void run() { Calculos100L(s, k, per); }
  void general(double base) { f100::sec_k::GeneralLiquidable.store(k, V{base, base, 0, 0, 0}); }
  void pair(f100::sec_h::Pair p, int code, double amount) {
    p.holder().set(s, static_cast<unsigned char>(code));
    p.amount().set(s, amount);
  }
};

TEST_F(L, GeneralQuotaByTheScales) {
  general(30000);
  run();
  EXPECT_DOUBLE_EQ(StateGeneralQuota.load(s)[1], 5194.14);
  EXPECT_DOUBLE_EQ(RegionalGeneralQuota.load(s)[1], 2671.86);
  EXPECT_DOUBLE_EQ(StateAverageRate.load(s)[1], 17.31);
  EXPECT_DOUBLE_EQ(RegionalAverageRate.load(s)[1], 8.90);
  EXPECT_DOUBLE_EQ(StateGrossQuota.load(s)[1], 5194.14);

  // Exempt income counts only for the rate.
  pair(ExemptIncomePairs[2], 2, 10000);
  run();
  EXPECT_DOUBLE_EQ(ExemptIncome.load(s)[1], 10000);
  EXPECT_DOUBLE_EQ(StateAverageRate.load(s)[1], 19.16);
  EXPECT_DOUBLE_EQ(StateGeneralQuota.load(s)[1], 5748.00);

  for (double base : {0.0, -100.0}) {
    general(base);
    run();
    EXPECT_EQ(StateGeneralQuota.load(s), (V{}));
    EXPECT_EQ(RegionalAverageRate.load(s), (V{}));
  }
}

TEST_F(L, AnnuitiesForChildrenTaxedApart) {
  general(30000);
  // Not below the base: the plain scales.
  pair(ChildAnnuityPairs[0], 2, 30000);
  run();
  EXPECT_DOUBLE_EQ(StateGeneralQuota.load(s)[1], 5194.14);

  // 10,000 of annuities: 10,000 and 20,000 through the scales apart.
  pair(ChildAnnuityPairs[0], 2, 10000);
  run();
  const double state = 362.40 + 6000 * 15.84 / 100 + (1914.72 + 6200 * 18.68 / 100);
  EXPECT_NEAR(StateGeneralQuota.load(s)[1], state, 1e-9);
  EXPECT_DOUBLE_EQ(StateAverageRate.load(s)[1], 14.61);
  EXPECT_DOUBLE_EQ(StateGrossQuota.load(s)[1], 4385.68);
}

TEST_F(L, SpecialBaseFlatRateByCommunity) {
  f100::sec_k::SpecialLiquidable.store(k, V{1000, 1000, -1000, 0, 0});
  f100::personal::communityCode(2).set(per, "20");
  f100::personal::communityCode(3).set(per, "  ");
  run();
  EXPECT_EQ(StateSpecialQuota.load(s), (V{90.60, 150.00, -90.60, 0, 0}));
  EXPECT_EQ(RegionalSpecialQuota.load(s), (V{59.40, 0, -59.40, 0, 0}));
  EXPECT_EQ(RegionalGrossQuota.load(s), (V{59.40, 0, -59.40, 0, 0}));

  const std::vector<unsigned char> once(s, s + f100::Summary.size);
  run();
  EXPECT_EQ(std::vector<unsigned char>(s, s + f100::Summary.size), once);
}

}  // namespace
