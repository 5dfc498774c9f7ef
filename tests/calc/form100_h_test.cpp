#include <gtest/gtest.h>

#include <vector>

#include "blocks/form100_a.h"
#include "blocks/form100_d.h"
#include "blocks/form100_g6.h"
#include "blocks/form100_h.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {
using namespace f100::sec_h;
using V = blocks::Vec5::Values;

struct H : ::testing::Test {
  Block100 b;
  unsigned char* h = b[f100::SectionH];
  unsigned char* g6 = b[f100::SectionG6];
  void run() {
    Calculos100H(h, g6, b[f100::SectionA], b[f100::SectionB], b[f100::SectionC], b[f100::SectionD],
                 b[f100::SectionE1], b[f100::SectionE4], b[f100::SectionE5], b[f100::SectionF1], b[f100::SectionF2],
                 b[f100::SectionF3], b[f100::SectionF4], b[f100::SectionF5]);
  }
  // General income of the declarant, half from work and half from real estate.
  void income(double amount) {
    f100::sec_a::NetWorkIncome.store(b[f100::SectionA], V{amount / 2, amount / 2, 0, 0, 0});
    f100::sec_d::NetAfterReductions.store(b[f100::SectionD], V{amount / 2, amount / 2, 0, 0, 0});
  }
  void pair(Pair p, int code, double amount) {
    p.holder().set(h, static_cast<unsigned char>(code));
    p.amount().set(h, amount);
  }
};

TEST_F(H, ShortTermOffsetsWithinTenPerCentOfGeneralIncome) {
  struct Case {
    double income, earlierLosses, negative;
    double earlierOffset, rest, negativeOffset, carried, base;
  };
  const Case cases[] = {
      {10000, 2000, 500, 0, 1000, 0, 500, 9000},     // earlier losses use up the ten per cent
      {10000, 0, 3000, 0, 0, 1000, 2000, 9000},      // this year's loss takes the ten per cent
      {0, 2000, 3000, 0, 0, 0, 3000, 0},             // no general income: nothing offset
      {-100, 0, 3000, 0, 0, 0, 3000, -100},
  };
  for (const Case& c : cases) {
    income(c.income);
    pair(EarlierShortLosses[0], 2, c.earlierLosses);
    f100::sec_g6::ShortNegative.store(g6, V{c.negative, c.negative, 0, 0, 0});
    run();
    EXPECT_DOUBLE_EQ(GeneralIncome.load(h)[1], c.income);
    EXPECT_DOUBLE_EQ(EarlierShortOffset.load(h)[1], c.earlierOffset);
    EXPECT_DOUBLE_EQ(EarlierShortRestOffset.load(h)[1], c.rest) << c.income;
    EXPECT_DOUBLE_EQ(ShortNegativeOffset.load(h)[1], c.negativeOffset) << c.income;
    EXPECT_DOUBLE_EQ(ShortNegativeCarried.load(h)[1], c.carried) << c.income;
    EXPECT_DOUBLE_EQ(GeneralBase.load(h)[1], c.base) << c.income;
    EXPECT_DOUBLE_EQ(GeneralBase.load(h)[0], c.base) << c.income;
  }
}

TEST_F(H, EarlierLossesFirstAgainstThisYearsBalanceThenEarlierAmounts) {
  income(10000);
  f100::sec_g6::ShortPositive.store(g6, V{800, 800, 0, 0, 0});
  pair(EarlierShortLosses[0], 2, 1500);
  pair(EarlierGeneral[0], 2, 9500);
  run();
  EXPECT_DOUBLE_EQ(EarlierShortOffset.load(h)[1], 800);
  EXPECT_DOUBLE_EQ(EarlierGeneralOffset.load(h)[1], 9500);
  // 700 left of the earlier losses, but only 500 of general income remains.
  EXPECT_DOUBLE_EQ(EarlierShortRestOffset.load(h)[1], 500);
  EXPECT_DOUBLE_EQ(GeneralBase.load(h)[1], 0);
  // The pairs themselves are inputs and stay.
  EXPECT_DOUBLE_EQ(EarlierShortLosses[0].amount().get(h), 1500);
}

TEST_F(H, SpecialBaseAfterEarlierLongTermLosses) {
  f100::sec_g6::LongPositive.store(g6, V{500, 0, 500, 0, 0});
  pair(EarlierLongLosses[0], 3, 800);
  pair(EarlierLong2[1], 3, 100);
  run();
  EXPECT_EQ(LongPositive.load(h), (V{500, 0, 500, 0, 0}));
  EXPECT_EQ(EarlierLongOffset.load(h), (V{500, 0, 500, 0, 0}));
  EXPECT_EQ(EarlierLongOffset2.load(h), (V{0, 0, 0, 0, 0}));
  EXPECT_EQ(SpecialBase.load(h), (V{0, 0, 0, 0, 0}));

  pair(EarlierLongLosses[0], 3, 300);
  run();
  EXPECT_EQ(SpecialBase.load(h), (V{100, 0, 100, 0, 0}));
  const std::vector<unsigned char> once(h, h + f100::SectionH.size);
  run();
  EXPECT_EQ(std::vector<unsigned char>(h, h + f100::SectionH.size), once);
}

}  // namespace
