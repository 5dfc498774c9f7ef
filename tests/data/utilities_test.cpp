#include <gtest/gtest.h>

#include <filesystem>

#include <fstream>
#include "data/util/utilities.h"
#include "platform/cp1252.h"
#include "db_fixture.h"

TEST(RoundToDecimals, HalfAwayFromZeroWithTolerance) {
  struct Case {
    double value;
    int decimals;
    double expected;
  };
  for (const Case& c : {Case{2.5, 0, 3}, Case{-2.5, 0, -3}, Case{1.005, 2, 1.01}, Case{1.0049, 2, 1.0},
                        Case{2.345, 2, 2.35}, Case{-2.345, 2, -2.35}, Case{0.0, 2, 0.0}, Case{123.4549999, 2, 123.45}}) {
    EXPECT_DOUBLE_EQ(CUtilities::RoundToDecimals(c.value, c.decimals), c.expected) << c.value;
  }
}

TEST(WholeYearsBetween, AnniversariesAndLeapDays) {
  struct Case {
    const char* from;
    const char* to;
    int result, years, flag;
  };
  for (const Case& c : {Case{"29022000", "28022003", 1, 3, 0}, Case{"28022001", "28022004", 1, 2, 1},
                        Case{"28022001", "29022004", 1, 3, 0}, Case{"15062000", "15062003", 1, 3, 0},
                        Case{"16062000", "15062003", 1, 2, 1}, Case{"01012003", "31122003", 0, 0, 99},
                        Case{"01012004", "31122003", -1, 99, 99}}) {
    int years = 99, flag = 99;
    EXPECT_EQ(CUtilities::WholeYearsBetween(c.from, c.to, years, flag), c.result) << c.from << " " << c.to;
    EXPECT_EQ(years, c.years) << c.from << " " << c.to;
    EXPECT_EQ(flag, c.flag) << c.from << " " << c.to;
  }
}

// The months' lists the date boxes pick from: every name, as the field stores it, reads back as
// its own month in the language whose list it is.
TEST(MonthsAndDates, TheMonthListsReadBackAsTheirMonths) {
  using Reader = std::string (*)(std::string_view);
  const std::pair<char, Reader> languages[] = {{'E', &CUtilities::MonthNumberFromSpanish},
                                               {'C', &CUtilities::MonthNumberFromCatalan},
                                               {'G', &CUtilities::MonthNumberFromGalician},
                                               {'V', &CUtilities::MonthNumberFromCatalan}};
  for (const auto& [letter, read] : languages) {
    std::ifstream in(std::string(QX_SOURCE_DIR "/resources/db/DatLocal/MESES__") + letter + ".tsv");
    ASSERT_TRUE(in) << letter;
    std::string line;
    std::getline(in, line);  // the column names
    int rows = 0;
    while (std::getline(in, line)) {
      const std::string key = line.substr(0, line.find('\t'));
      const std::string name = platform::Utf8ToCp1252(line.substr(line.find('\t') + 1));
      EXPECT_LE(name.size(), 10u) << name;
      EXPECT_EQ(read(name), key) << letter << " " << line;
      ++rows;
    }
    EXPECT_EQ(rows, 12) << letter;
  }
}

TEST(MonthsAndDates, NamesLengthsAndSplits) {
  EXPECT_EQ(CUtilities::MonthNumberFromSpanish("dic"), "12");
  EXPECT_EQ(CUtilities::MonthNumberFromSpanish("Marzo"), "03");
  EXPECT_EQ(CUtilities::MonthNumberFromSpanish("XYZ"), "13");
  EXPECT_EQ(CUtilities::MonthNumberFromCatalan("setembre"), "09");
  EXPECT_EQ(CUtilities::MonthNumberFromGalician("xu\xF1o"), "06");  // xuño in cp1252
  EXPECT_EQ(CUtilities::MonthNumberFromGalician("outubro"), "10");

  CUtilities u;
  for (auto [year, days] : {std::pair{1900, 28}, {2003, 28}, {2000, 29}, {2004, 29}}) {
    u.SetFebruaryForYear(year);
    EXPECT_EQ(u.GetDaysInMonth(1), days) << year;
  }
  CUtilities other;
  EXPECT_EQ(other.GetDaysInMonth(1), 28);  // each instance has its own table

  int d = 0, m = 0, y = 0;
  ASSERT_TRUE(CUtilities::SplitDate("150695", d, m, y));
  EXPECT_EQ(y, 1995);
  ASSERT_TRUE(CUtilities::SplitDate("01022003", d, m, y));
  EXPECT_EQ(d * 10000 + m * 100, 10200);
  EXPECT_EQ(y, 2003);
  d = -1;
  EXPECT_FALSE(CUtilities::SplitDate("01023", d, m, y));
  EXPECT_EQ(d, -1);
}

TEST(BankAccount, CheckDigits) {
  EXPECT_EQ(CUtilities::CheckBankAccountDigits("00000000000000000000"), 1);
  EXPECT_EQ(CUtilities::CheckBankAccountDigits("2100 418450200051332"), 1);
  EXPECT_EQ(CUtilities::CheckBankAccountDigits("2100041845"), 1);  // short: unusable
  // 2100-0418-45-0200051332: bank-and-branch digit 4, account digit 5.
  EXPECT_EQ(CUtilities::CheckBankAccountDigits("21000418450200051332"), 0);
  EXPECT_EQ(CUtilities::CheckBankAccountDigits("21000418460200051332"), 2);
  EXPECT_EQ(CUtilities::CheckBankAccountDigits("21000418350200051332"), 1);
}

TEST(Nif, Normalisation) {
  struct Case {
    const char* in;
    const char* out;
  };
  for (const Case& c : {Case{"12345678z", "12345678Z"}, Case{"1234 567Z", "01234567Z"}, Case{"x1234567l", "X1234567L"},
                        Case{"X123456L", "X0123456L"}, Case{"123456789012", "123456789"}, Case{"1234567o", "01234567o"},
                        Case{"", "000000000"}, Case{" 1 2 3", "000000123"}, Case{"12 345 678z", "001234567"},
                        Case{"X12345 L", "X0012345L"}}) {
    EXPECT_EQ(CUtilities::NormalizeNif(c.in), c.out) << c.in;
  }
}

TEST(SmallTexts, BlanksDigitsAndPrefixes) {
  std::string t = "A B  C ";
  EXPECT_EQ(CUtilities::SqueezeOutBlanks(t), 1);
  EXPECT_EQ(t, "ABC    ");
  EXPECT_TRUE(CUtilities::IsBlankText(""));
  EXPECT_TRUE(CUtilities::IsBlankText("   "));
  EXPECT_FALSE(CUtilities::IsBlankText(" a "));
  EXPECT_TRUE(CUtilities::IsDigitsOrSpaces("12 34"));
  EXPECT_TRUE(CUtilities::IsDigitsOrSpaces(""));
  EXPECT_FALSE(CUtilities::IsDigitsOrSpaces("12-3"));
  EXPECT_EQ(CUtilities::ParseLeadingInt("12345", 3), 123);
  EXPECT_EQ(CUtilities::ParseLeadingInt("ab", 2), 0);
  EXPECT_EQ(CUtilities::StripPrefixAndDots("Ref.: 9999.1234.5"), "999912345");
  EXPECT_EQ(CUtilities::StripPrefixAndDots("Ref"), "");
  EXPECT_EQ(CUtilities::CopyLeftChars("ABCDEF", 3), "ABC");
  EXPECT_EQ(CUtilities::CopyLeftChars("AB", 5), "AB");
}

TEST(TempFiles, UniqueNamesWithPrefix) {
  dbtest::TempDir dir;
  std::string a = CUtilities::MakeTempFilePath(dir.Str(), "imp");
  std::string b = CUtilities::MakeTempFilePath(dir.Str(), "imp", 3);
  ASSERT_FALSE(a.empty());
  EXPECT_NE(a, b);
  EXPECT_EQ(std::filesystem::path(a).filename().string().rfind("imp", 0), 0u);
  EXPECT_EQ(std::filesystem::path(b).filename().string().rfind("3imp", 0), 0u);
  EXPECT_TRUE(std::filesystem::exists(a));
  EXPECT_EQ(CUtilities::MakeTempFilePath(dir.Str() + "missing/", "imp"), "");
}
