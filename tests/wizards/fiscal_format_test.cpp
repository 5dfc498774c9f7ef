// Display text of the file's digit fields and back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "wizards/fiscal_format.h"

using namespace fiscal;

TEST(FiscalFormat, FileNumbers) {
  struct Case {
    const char* digits;
    int n, d;
    const char* shown;
  } cases[] = {
      {"000000012345", 10, 2, "123,45"},
      {"N00000012345", 10, 2, "-123,45"},
      {"000000000000", 10, 2, "0,00"},
      {"N00000000000", 10, 2, "0,00"},  // a negative zero has no sign
      {"0000000000", 10, 0, "0"},
      {"0001234567", 10, 0, "1.234.567"},
      {"000000099900", 10, 2, "999,00"},
      {"000120000000", 10, 2, "1.200.000,00"},
      {"000000000005", 10, 2, "0,05"},
      {"010", 1, 2, "0,10"},
      {"999999999999", 10, 2, "9.999.999.999,99"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFileNumber(c.digits, c.n, c.d), c.shown) << c.digits;
}

TEST(FiscalFormat, DatesAndThousands) {
  EXPECT_EQ(FormatFileDate("20031231"), "31/12/2003");
  EXPECT_EQ(FormatFileDate("2003"), "//2003");  // a short text gives what it holds, no more
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"1234.560000", "1.234,560000"}, {"-123456.00", "-123.456,00"}, {"5.00", "5,00"},
               {"999.00", "999,00"},           {"", ""},                    {".5", "0,5"},
               {"12.", "12,00"},               {"1000000", "1.000.000"}};
  for (const Case& c : cases) EXPECT_EQ(FormatWithThousands(c.in), c.out) << c.in;
}

TEST(FiscalFormat, PlainNumbersReadTheSameInEveryLocale) {
  EXPECT_EQ(ToPlainNumber("1.234.567,89"), "1234567.89");
  EXPECT_DOUBLE_EQ(ReadPlainNumber(ToPlainNumber("-1.234,50")), -1234.5);
  EXPECT_DOUBLE_EQ(ReadPlainNumber("  7.25xyz"), 7.25);
  EXPECT_DOUBLE_EQ(ReadPlainNumber("abc"), 0.0);
  EXPECT_DOUBLE_EQ(ReadPlainNumber(""), 0.0);
  EXPECT_DOUBLE_EQ(FileNumberValue("N00000012345", 10, 2), -123.45);
  EXPECT_DOUBLE_EQ(FileNumberValue("000002680000", 10, 2), 26800.0);
}

TEST(FiscalFormat, FreeAndClear) {
  void* p = std::malloc(16);
  FreeAndClear(&p);
  EXPECT_EQ(p, nullptr);
  FreeAndClear(&p);  // a null pointer: nothing
  FreeAndClear(nullptr);
  EXPECT_EQ(p, nullptr);
}
