#include <gtest/gtest.h>

#include "numeric.h"

namespace {

struct ScaleCase { double base; double state; double regional; };

TEST(Scales, WorkedExamplesAndBrackets) {
  const ScaleCase cases[] = {
      {-1.0, 0.0, 0.0},
      {0.0, 0.0, 0.0},
      {30000.0, 5194.14, 2671.86},
      {100000.0, 24938.64, 13227.36},
  };
  for (const ScaleCase& c : cases) {
    EXPECT_NEAR(tv::CuotaEscalaEstatal(c.base), c.state, 1e-9) << c.base;
    EXPECT_NEAR(tv::CuotaEscalaAutonomica(c.base), c.regional, 1e-9) << c.base;
  }
  EXPECT_NEAR(tv::CuotaEscalaEstatal(4000.01), 362.401584, 1e-9) << "not rounded";
}

// At every bound, and one cent either side: the quota is continuous and the marginal rate of the
// cent above the bound is the new bracket's.
TEST(Scales, EveryBoundaryAndOneCentEitherSide) {
  struct Bound { double at; double state; double regional; double stateRateBelow, stateRateAbove, regRateBelow, regRateAbove; };
  const Bound bounds[] = {
      {4000, 362.40, 237.60, 9.06, 15.84, 5.94, 8.16},
      {13800, 1914.72, 1037.28, 15.84, 18.68, 8.16, 9.32},
      {25800, 4156.32, 2155.68, 18.68, 24.71, 9.32, 12.29},
      {45000, 8900.64, 4515.36, 24.71, 29.16, 12.29, 15.84},
  };
  for (const Bound& b : bounds) {
    EXPECT_NEAR(tv::CuotaEscalaEstatal(b.at), b.state, 1e-9) << b.at;
    EXPECT_NEAR(tv::CuotaEscalaAutonomica(b.at), b.regional, 1e-9) << b.at;
    EXPECT_NEAR(tv::CuotaEscalaEstatal(b.at - 0.01), b.state - 0.01 * b.stateRateBelow / 100, 1e-9);
    EXPECT_NEAR(tv::CuotaEscalaEstatal(b.at + 0.01), b.state + 0.01 * b.stateRateAbove / 100, 1e-9);
    EXPECT_NEAR(tv::CuotaEscalaAutonomica(b.at - 0.01), b.regional - 0.01 * b.regRateBelow / 100, 1e-9);
    EXPECT_NEAR(tv::CuotaEscalaAutonomica(b.at + 0.01), b.regional + 0.01 * b.regRateAbove / 100, 1e-9);
  }
  EXPECT_NEAR(tv::CuotaEscalaEstatal(0.01), 0.000906, 1e-12);
}

}  // namespace
