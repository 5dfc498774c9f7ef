#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "numeric.h"
#include "tallyvex.h"

namespace {

TEST(Redondea, HalfCentCasesRoundAwayFromZero) {
  struct Case { double in; int dec; double out; };
  const Case cases[] = {
      {2.675, 2, 2.68},  {-2.675, 2, -2.68}, {1.005, 2, 1.01}, {1.0049, 2, 1.00},
      {0.125, 2, 0.13},  {0.0, 2, 0.0},      {-0.004, 2, 0.0}, {1234.5, 0, 1235.0},
      {0.123455, 5, 0.12346}, {1.0000049, 5, 1.0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(tv::Redondea(c.in, c.dec), c.out) << c.in;
}

TEST(Trunc, TowardZeroWithRepresentationTolerance) {
  struct Case { double in; int dec; double out; };
  const Case cases[] = {{0.57, 2, 0.57}, {1.999, 2, 1.99}, {-0.57, 2, -0.56}, {5.7, 0, 5.0},
                        {-5.7, 0, -5.0}, {2.0, -1, 2.0},  {0.0, 2, 0.0}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(tv::Trunc(c.in, c.dec), c.out) << c.in;
    EXPECT_DOUBLE_EQ(Trunc(c.in, c.dec), c.out) << "export " << c.in;
  }
}

TEST(SumaASuTitular, CommonHalvesAndTerminator) {
  double out[5] = {9, 9, 9, 9, 9};
  SumaASuTitular(out, 5, 1, 0.01, -1);
  const double a[5] = {0.01, 0.01, 0.01, 0, 0};
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(out[k], a[k]) << k;

  SumaASuTitular(out, 5, 0, 100.0, 4, 7.0, -1);
  const double b[5] = {7, 0, 0, 7, 0};
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(out[k], b[k]) << k;

  // Pairs after the terminator are not read; codes above 5 add nothing anywhere.
  SumaASuTitular(out, 5, 2, 10.0, 9, 50.0, 5, 1.5, -1, 3, 99.0);
  const double c[5] = {11.5, 10, 0, 0, 1.5};
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(out[k], c[k]) << k;

  // With three columns children only reach the family unit.
  double three[5] = {0, 0, 0, 42, 42};
  SumaASuTitular(three, 3, 4, 5.0, 3, 1.0, -1);
  EXPECT_DOUBLE_EQ(three[0], 6.0);
  EXPECT_DOUBLE_EQ(three[2], 1.0);
  EXPECT_DOUBLE_EQ(three[3], 42.0) << "columns beyond the count stay untouched";
}

TEST(Sumatorio5PorTitulares, WeightedSumRoundedAndTerminators) {
  double v[5] = {10.004, 20, 30, 40, 50};
  double w[5] = {1, 2, 3, 4, 5};
  Sumatorio5PorTitulares(v, v, 1.0, w, -1.0, nullptr);
  const double want[5] = {9.0, 18, 27, 36, 45};
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(v[k], want[k]) << k;

  double out[5];
  Sumatorio5PorTitulares(out, w, 2.0, w, 0.0, v, 1.0, nullptr);
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(out[k], 2.0 * w[k]) << "a zero coefficient ends the list";

  tv::Vec a{1.005, 0, 0, 0, 0};
  tv::Sumatorio5PorTitulares(a, {{a.data(), 1.0}, {nullptr, 1.0}, {a.data(), 5.0}});
  EXPECT_DOUBLE_EQ(a[0], 1.01);
}

TEST(LimitaVector, CapsAndFloorsPerColumn) {
  double v[5] = {100, -5, 50, 7, 9};
  tv::LimitaVector(v, 3, {{60, 1}, {0, 0}, {40, -1}, {1, 1}});
  EXPECT_DOUBLE_EQ(v[0], 60);
  EXPECT_DOUBLE_EQ(v[1], 0);
  EXPECT_DOUBLE_EQ(v[2], 50);
  EXPECT_DOUBLE_EQ(v[3], 7) << "only n columns are limited";
}

TEST(DameCuantiaMaximaPlanPensiones, ClampedTable) {
  EXPECT_DOUBLE_EQ(DameCuantiaMaximaPlanPensiones(0), 8000);
  EXPECT_DOUBLE_EQ(DameCuantiaMaximaPlanPensiones(-3), 8000);
  EXPECT_DOUBLE_EQ(DameCuantiaMaximaPlanPensiones(52), 8000);
  EXPECT_DOUBLE_EQ(DameCuantiaMaximaPlanPensiones(53), 9250);
  EXPECT_DOUBLE_EQ(DameCuantiaMaximaPlanPensiones(60), 18000);
  EXPECT_DOUBLE_EQ(DameCuantiaMaximaPlanPensiones(65), 24250);
  EXPECT_DOUBLE_EQ(DameCuantiaMaximaPlanPensiones(99), 24250);
}

TEST(TextoPorcentaje, IndexTexts) {
  char out[8];
  std::memset(out, 'x', sizeof out);
  tv::TextoPorcentaje(out, {0, 0.75, 0, 0.75, -1});
  EXPECT_STREQ(out, "0,75");
  tv::TextoPorcentaje(out, {0.1, -1});
  EXPECT_STREQ(out, "0,1");
  tv::TextoPorcentaje(out, {0.75, 0.95, -1});
  EXPECT_EQ(std::string(out, 6), "VARIOS");
  std::memset(out, 'x', sizeof out);
  tv::TextoPorcentaje(out, {0, 0, -1});
  EXPECT_EQ(std::string(out, 6), std::string(6, '\0'));
  EXPECT_EQ(out[6], 'x') << "an empty text writes six bytes only";
  // Later values are truncated before they are compared: 0.759 is the same index as 0.75.
  tv::TextoPorcentaje(out, {0.75, 0.759, -1});
  EXPECT_STREQ(out, "0,75");
}

}  // namespace
