#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "blocks/form100_i.h"
#include "blocks/form100_j.h"
#include "blocks/form100_k.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {
using namespace f100::sec_k;
namespace jf = f100::sec_j;
using V = blocks::Vec5::Values;

struct K : ::testing::Test {
  Block100 b;
  unsigned char* k = b[f100::SectionK];
  unsigned char* i = b[f100::SectionI];
  unsigned char* j = b[f100::SectionJ];
  void run(int member = 2) { Calculos100K(k, i, j, b[f100::Personal], member); }
  void bases(double general, double special) {
    f100::sec_i::GeneralAfterMinimum.store(i, V{general, general, 0, 0, 0});
    f100::sec_i::SpecialAfterMinimum.store(i, V{special, special, 0, 0, 0});
  }
};

TEST_F(K, ReductionsInOrderThenTheRestAgainstTheSpecialBase) {
  bases(10000, 5000);
  jf::Total.store(j, V{4000, 4000, 0, 0, 0});
  jf::PensionReduction.store(j, V{8000, 8000, 0, 0, 0});
  jf::Further.store(j, V{300, 300, 0, 0, 0});
  run();
  EXPECT_DOUBLE_EQ(GeneralReductions.load(k)[1], 4000);
  EXPECT_DOUBLE_EQ(GeneralPension.load(k)[1], 6000);
  EXPECT_DOUBLE_EQ(GeneralFurther.load(k)[1], 0);
  EXPECT_DOUBLE_EQ(GeneralLiquidable.load(k)[1], 0);
  EXPECT_DOUBLE_EQ(SpecialReductions.load(k)[1], 0);
  EXPECT_DOUBLE_EQ(SpecialPension.load(k)[1], 2000);
  EXPECT_DOUBLE_EQ(SpecialFurther.load(k)[1], 300);
  EXPECT_DOUBLE_EQ(SpecialLiquidable.load(k)[1], 2700);
}

TEST_F(K, NegativeBaseAndTheSportspeoplesReduction) {
  bases(-500, 0);
  jf::Total.store(j, V{4000, 4000, 0, 0, 0});
  jf::Sportspeople.store(j, V{100, 100, 0, 0, 0});
  FirstOffsetPairs[0].holder().set(k, 2);
  FirstOffsetPairs[0].amount().set(k, 50);
  run();
  EXPECT_DOUBLE_EQ(GeneralReductions.load(k)[1], 0);
  EXPECT_DOUBLE_EQ(GeneralAfterReductions.load(k)[1], -600);
  EXPECT_DOUBLE_EQ(FirstOffset.load(k)[1], 0);
  EXPECT_DOUBLE_EQ(GeneralLiquidable.load(k)[1], -600);
}

TEST_F(K, EarlierYearsOffsets) {
  struct Case { double first, second, firstApplied, secondApplied, liquidable; };
  const Case cases[] = {{3000, 500, 1000, 0, 0}, {400, 900, 400, 600, 0}, {100, 200, 100, 200, 700}};
  bases(1000, 0);
  for (const Case& c : cases) {
    FirstOffsetPairs[0].holder().set(k, 2);
    FirstOffsetPairs[0].amount().set(k, c.first);
    SecondOffsetPairs[1].holder().set(k, 2);
    SecondOffsetPairs[1].amount().set(k, c.second);
    run();
    EXPECT_DOUBLE_EQ(FirstOffset.load(k)[1], c.firstApplied) << c.first;
    EXPECT_DOUBLE_EQ(SecondOffset.load(k)[1], c.secondApplied) << c.first;
    EXPECT_DOUBLE_EQ(GeneralLiquidable.load(k)[1], c.liquidable) << c.first;
  }
}

TEST_F(K, PensionContributionsCarriedForwardForTheMemberShown) {
  // Declarant aged 40 (cap 8,000): excess 2,000 and 7,000 of the year, of which the bases absorb 5,000.
  f100::sec_i::personal::Age(1).set(b[f100::Personal], 40);
  unsigned char* row = j + jf::pensionRow(0);
  jf::pension::Holder.set(row, 2);
  jf::pension::OwnExcess.set(row, 2000);
  jf::pension::OwnYear.set(row, 7000);
  bases(5000, 0);
  jf::PensionReduction.store(j, V{8000, 8000, 0, 0, 0});
  for (int member : {1, 2}) {
    run(member);
    EXPECT_EQ(CarryHolder(0).get(k), 2) << member;
    EXPECT_DOUBLE_EQ(CarryOwn(0).get(k), 4000) << member;
    EXPECT_DOUBLE_EQ(CarryPromoter(0).get(k), 0) << member;
    EXPECT_EQ(CarryHolder(1).get(k), 0) << member;  // the spouse has nothing to carry
  }
  // The children and members outside 1..5 (the lowest int included) carry nothing.
  for (int member : {3, 4, 5, 0, -1, 6, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
    run(member);
    EXPECT_EQ(CarryHolder(0).get(k), 0) << member;
    EXPECT_DOUBLE_EQ(CarryOwn(0).get(k), 0) << member;
  }

  // The bases absorb up to the cap: what the year adds beyond it is carried.
  bases(20000, 0);
  run(2);
  EXPECT_DOUBLE_EQ(CarryOwn(0).get(k), 1000);
  // Within the cap and absorbed whole: nothing to carry.
  jf::pension::OwnYear.set(row, 5000);
  run(2);
  EXPECT_EQ(CarryHolder(0).get(k), 0);
  jf::pension::OwnYear.set(row, 7000);

  // The bases do not even absorb the excess: the year's whole amounts are carried.
  bases(1000, 0);
  run(2);
  EXPECT_DOUBLE_EQ(CarryOwn(0).get(k), 7000);

  const std::vector<unsigned char> once(k, k + f100::SectionK.size);
  run(2);
  EXPECT_EQ(std::vector<unsigned char>(k, k + f100::SectionK.size), once);
}

}  // namespace
