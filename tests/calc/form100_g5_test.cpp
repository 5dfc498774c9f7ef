#include <gtest/gtest.h>

#include "blocks/form100_g5.h"
#include "fixture.h"
#include "tallyvex.h"

namespace {
using namespace f100::sec_g5;

TEST(G5, AmountsSplitByTheEntrysHolder) {
  Block100 b;
  unsigned char* g5 = b[f100::SectionG5];
  Holder.set(g5, 1);
  for (int i = 0; i < kAmounts; ++i) Amount(i).set(g5, 10.0 * (i + 1) + 0.01);
  Calculos100G5(g5);
  EXPECT_EQ(ByHolder(0).load(g5), (blocks::Vec5::Values{10.01, 5.01, 5.01, 0, 0}));
  EXPECT_EQ(ByHolder(4).load(g5), (blocks::Vec5::Values{50.01, 25.01, 25.01, 0, 0}));

  Holder.set(g5, 5);
  Calculos100G5(g5);
  EXPECT_EQ(ByHolder(2).load(g5), (blocks::Vec5::Values{30.01, 0, 0, 0, 30.01}));
  Holder.set(g5, 0);
  Calculos100G5(g5);
  EXPECT_EQ(ByHolder(2).load(g5), (blocks::Vec5::Values{}));
}

}  // namespace
