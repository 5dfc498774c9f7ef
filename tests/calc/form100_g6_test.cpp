#include <gtest/gtest.h>

#include <vector>

#include "blocks/form100_b.h"
#include "blocks/form100_f1.h"
#include "blocks/form100_g1.h"
#include "blocks/form100_g3.h"
#include "blocks/form100_g4.h"
#include "blocks/form100_g6.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {
using namespace f100::sec_g6;
using V = blocks::Vec5::Values;

struct G6 : ::testing::Test {
  Block100 b;
  unsigned char* g6 = b[f100::SectionG6];
  void run() {
    Calculos100G6(g6, b[f100::SectionF1], b[f100::SectionG1], b[f100::SectionG2], b[f100::SectionG3],
                  b[f100::SectionG4], b[f100::SectionB]);
  }
};

TEST_F(G6, SourcesNetIntoShortAndLongBalances) {
  // Short term: gains 1,000 (600 from G1 prizes, 400 from G4 list A) against losses 1,500.
  f100::sec_g1::kind::Total.store(b[f100::SectionG1], V{600, 600, 0, 0, 0});
  f100::sec_g4::ShortGainsA.store(b[f100::SectionG4], V{400, 400, 0, 0, 0});
  f100::sec_g3::ComputableLosses.store(b[f100::SectionG3], V{1500, 1500, 0, 0, 0});
  // Long term: B's positive items and G4's items against F1's losses; the spouse breaks even.
  f100::sec_b::LongTermGains.store(b[f100::SectionB], V{3000, 2000, 1000, 0, 0});
  f100::sec_g4::ItemGainsBusiness.store(b[f100::SectionG4], V{0.005, 0.005, 0, 0, 0});
  f100::sec_f1::LongTermLossesTotal.store(b[f100::SectionF1], V{1500, 500, 1000, 0, 0});
  f100::sec_f1::ShortTermGainsTotal.store(b[f100::SectionF1], V{0, 0, 0, 0, 250});
  run();
  EXPECT_EQ(ShortGains.load(g6), (V{1000, 1000, 0, 0, 250}));
  EXPECT_EQ(ShortLosses.load(g6), (V{1500, 1500, 0, 0, 0}));
  EXPECT_EQ(ShortPositive.load(g6), (V{0, 0, 0, 0, 250}));
  EXPECT_EQ(ShortNegative.load(g6), (V{500, 500, 0, 0, 0}));
  EXPECT_EQ(LongGains.load(g6), (V{3000.01, 2000.01, 1000, 0, 0}));
  // Balances are plain differences of the rounded sums.
  EXPECT_EQ(LongPositive.load(g6), (V{3000.01 - 1500, 2000.01 - 500, 0, 0, 0}));
  EXPECT_EQ(LongNegative.load(g6), (V{0, 0, 0, 0, 0}));

  const std::vector<unsigned char> once(g6, g6 + f100::SectionG6.size);
  run();
  EXPECT_EQ(std::vector<unsigned char>(g6, g6 + f100::SectionG6.size), once);
}

}  // namespace
