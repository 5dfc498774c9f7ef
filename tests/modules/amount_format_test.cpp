// Amounts in the Spanish style, thousands dots and the fixed columns of a module line.
#include <gtest/gtest.h>

#include "modules/amount_format.h"

namespace {

using namespace modules;

TEST(AmountFormat, SpanishStyleWithTwoDecimals) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {{1234.5, "1.234,50"}, {-1234.56, "-1.234,56"}, {-56, "-56,00"},   {0.0, ""},
                        {-0.25, "-0,25"},     {999.999, "1.000,00"},   {1234567.891, "1.234.567,89"}};
  for (const Case& c : cases) {
    double v = c.value;
    EXPECT_EQ(FormatImporte(v), c.text) << c.value;
    EXPECT_EQ(v, c.value);
  }
  double big = 1e12 + 1;
  bool overflowed = false;
  EXPECT_EQ(FormatImporte(big, &overflowed), "0,00");
  EXPECT_EQ(big, 0.0);
  EXPECT_TRUE(overflowed);
}

TEST(AmountFormat, PaddingToTheColumn) {
  std::string zero;
  PadImporte(zero, 15);
  EXPECT_EQ(zero, std::string(15, ' '));
  std::string s = "1.234,50";
  PadImporte(s, 15);
  EXPECT_EQ(s, "       1.234,50");
  std::string plain = "12";
  PadImporte(plain, 15);
  EXPECT_EQ(plain, "          12   ");
}

TEST(AmountFormat, ThousandsDotsWithinTheTextsLength) {
  struct Case {
    const char* in;
    int maxDots;
    const char* out;
  };
  const Case cases[] = {{"1234      ", 3, "     1.234"},   {"0         ", 3, "         0"},
                        {"123456789 ", 3, "123456789 "},   {"12345678  ", 3, "12.345.678"},
                        {"-1234     ", 3, "    -1.234"},   {"1234567   ", 1, "  1234.567"},
                        {"          ", 3, "          "},   {"1234567   ", -1, " 1.234.567"}};
  for (const Case& c : cases) {
    std::string s = c.in;
    InsertThousandsDots(s, c.maxDots);
    EXPECT_EQ(s, c.out) << c.in;
  }
  std::string longText(81, '1');
  InsertThousandsDots(longText, 3);
  EXPECT_EQ(longText, std::string(81, '1'));
  EXPECT_EQ(WholeAmountText(12345678), "12.345.678");
  EXPECT_EQ(WholeAmountText(123456789), "123456789 ");
  EXPECT_EQ(WholeAmountText(20000.4), "    20.000");
}

TEST(AmountFormat, ModuleLineColumns) {
  CModulo m;
  m.SetImporte(1234.5);
  m.SetText(mods::modulo::DesCorta, "Personal asalariado");
  m.SetText(mods::modulo::UniCorta, "Persona");
  const std::string line = ModuleLine(1, m);
  EXPECT_EQ(line, " 1       Personal asalariado    Persona        1.234,50");
  EXPECT_EQ(line.size(), 55u);
  EXPECT_EQ(line.substr(kLineAmountColumn), "       1.234,50");
  m.SetImporte(0);
  EXPECT_EQ(ModuleLine(12, m).substr(0, 2), "12");
  EXPECT_EQ(ModuleLine(12, m).substr(kLineAmountColumn), std::string(15, ' '));
  m.SetImporte(-0.25);
  EXPECT_EQ(ModuleLine(3, m).substr(kLineAmountColumn), "          -0,25");
  m.SetImporte(5e13);
  bool overflowed = false;
  EXPECT_EQ(ModuleLine(3, m, &overflowed).substr(kLineAmountColumn), "           0,00");
  EXPECT_TRUE(overflowed);
}

}  // namespace
