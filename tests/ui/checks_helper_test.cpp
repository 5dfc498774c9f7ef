#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

#include "checks/validation_helper.h"
#include "data/util/utilities.h"

using checks::CValidationHelper;
namespace util = checks::util;

namespace {

// Reference rules written independently of the helper: the public DNI/NIE letter table and the
// entity (CIF) control with its usual "JABCDEFGHI" letter table.
char dniLetter(long n) { return "TRWAGMYFPDXBNJZSQVHLCKE"[n % 23]; }
std::string dni(long n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08ld%c", n, dniLetter(n));
  return buf;
}
int cifDigit(const std::string& seven) {
  int even = 0, odd = 0;
  for (int i = 0; i < 7; ++i) {
    int d = seven[i] - '0';
    if (i % 2 == 0) odd += (2 * d) / 10 + (2 * d) % 10;
    else even += d;
  }
  return (10 - (even + odd) % 10) % 10;
}
std::string cif(char first, const std::string& seven, bool letter) {
  int d = cifDigit(seven);
  return std::string(1, first) + seven + (letter ? "JABCDEFGHI"[d] : static_cast<char>('0' + d));
}

}  // namespace

TEST(ChecksNif, ClassTable) {
  struct Case {
    std::string text;
    int cls;
  } cases[] = {
      {"12345678Z", 1},  {"12345678A", -11}, {"00000050G", -12}, {"x1234567l", 3},     {"X123456 S", 3},
      {"1234567Z", -11}, {"K1234567L", 2},   {"K9934567L", -1},  {"012345678", 0},     {"000000000", -21},
      {"033333333", -21}, {"123456789", -20}, {"12345678O", -4},  {"ABC123456", -5},    {"A1234567", -1},
      {"1234 567L", 1}, {"A58818501", 20},  {"A58818502", -10},   {"12345678", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CValidationHelper::ClassifyNif(c.text), c.cls) << c.text;
  // The data layer's normalised form is the one classified: a text longer than nine characters
  // is cut to nine before its blanks are packed, and blanks become zeros.
  std::string out;
  for (auto [text, normalised, cls] : {std::tuple{"12 345 678z", "001234567", 0},
                                       {"1234567890", "123456789", -20},
                                       {"         ", "000000000", -21}}) {
    EXPECT_EQ(CValidationHelper::ClassifyNif(text, &out), cls) << text;
    EXPECT_EQ(out, normalised) << text;
    EXPECT_EQ(out, CUtilities::NormalizeNif(text)) << text;
  }
  EXPECT_EQ(CValidationHelper::ClassifyNif(nullptr, &out), -6);
  EXPECT_EQ(CValidationHelper::ClassifyNif("12345678Z", nullptr), -6);
}

TEST(ChecksNif, IndependentlyComputedNumbers) {
  for (long n : {101L, 4567890L, 12345678L, 50000001L, 73829145L, 99999998L}) {
    std::string good = dni(n);
    EXPECT_EQ(CValidationHelper::ClassifyNif(good), 1) << good;
    std::string bad = good;
    bad[8] = bad[8] == 'T' ? 'R' : 'T';
    EXPECT_EQ(CValidationHelper::ClassifyNif(bad), -11) << bad;
  }
  for (long n : {1234567L, 7654321L, 55555L}) {
    std::string nie = std::string("X").append(dni(n), 1);
    EXPECT_EQ(CValidationHelper::ClassifyNif(nie), 3) << nie;
  }
  // Y and Z numbers came after these rules; they are not of the shapes known here.
  EXPECT_EQ(CValidationHelper::ClassifyNif("Y1234567X"), -1);
  for (std::string seven : {"5881850", "1234567", "0000001", "9876543", "2817340"}) {
    for (char first : {'A', 'B', 'G', 'N'}) {
      EXPECT_EQ(CValidationHelper::ClassifyNif(cif(first, seven, false)), 20) << cif(first, seven, false);
      EXPECT_EQ(CValidationHelper::ClassifyNif(cif(first, seven, true)), 21) << cif(first, seven, true);
    }
    for (char first : {'P', 'Q', 'S'}) EXPECT_EQ(CValidationHelper::ClassifyNif(cif(first, seven, true)), 22);
    std::string wrong = cif('B', seven, false);
    wrong[8] = static_cast<char>('0' + (wrong[8] - '0' + 1) % 10);
    EXPECT_EQ(CValidationHelper::ClassifyNif(wrong), -10) << wrong;
  }
}

TEST(ChecksNif, ValidateInPlace) {
  char field[9];
  std::memcpy(field, "         ", 9);
  EXPECT_TRUE(CValidationHelper::ValidateNif(field, 9, false));
  EXPECT_EQ(std::string(field, 9), std::string(9, '\0'));

  std::memcpy(field, "1234567l ", 9);
  EXPECT_TRUE(CValidationHelper::ValidateNif(field, 9, false));
  EXPECT_EQ(std::string(field, 9), "01234567L") << "normalised: upper case, right-aligned";

  for (const char* forbidden : {"00000000T", "00000001R", "99999999R"}) {
    std::memcpy(field, forbidden, 9);
    EXPECT_FALSE(CValidationHelper::ValidateNif(field, 9, true)) << forbidden;
    std::memcpy(field, forbidden, 9);
    EXPECT_FALSE(CValidationHelper::ValidateNifOrNumber(field, 9, true)) << forbidden;
  }
  std::memcpy(field, "012345678", 9);
  EXPECT_FALSE(CValidationHelper::ValidateNif(field, 9, true));
  EXPECT_TRUE(CValidationHelper::ValidateNifOrNumber(field, 9, false));

  std::memcpy(field, "A58818501", 9);
  EXPECT_FALSE(CValidationHelper::ValidateNif(field, 9, false));
  EXPECT_EQ(std::string(field, 9), "A58818501") << "a refused text is kept";
  EXPECT_TRUE(CValidationHelper::ValidateNif(field, 9, true));
}

TEST(ChecksDates, ValidDateTable) {
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {
      {"29022000", true},  {"29022004", true},  {"29021900", false}, {"29022100", false}, {"00012000", false},
      {"01002000", false}, {"31042003", false}, {"01132003", false}, {"31121881", false}, {"01011882", true},
      {"        ", true},  {"", true},          {"ABCDEFGH", false}, {"0101 003", false}, {"31022003", false},
      {"31122003", true},
  };
  for (const auto& c : cases) EXPECT_EQ(CValidationHelper::IsValidDate(c.text), c.valid) << c.text;
}

TEST(ChecksDates, ComparisonsAndRanges) {
  EXPECT_TRUE(CValidationHelper::IsDateOnOrBefore("31122003", "01012004", true));
  EXPECT_FALSE(CValidationHelper::IsDateOnOrBefore("01012004", "01012004", true));
  EXPECT_TRUE(CValidationHelper::IsDateOnOrBefore("01012004", "01012004", false));
  EXPECT_TRUE(CValidationHelper::IsDateOnOrAfter("02011998", "01011998", true));
  EXPECT_TRUE(CValidationHelper::IsDateOnOrAfter("        ", "01011998", true)) << "a blank date passes";
  EXPECT_TRUE(CValidationHelper::IsDateInRange("15062003", "        ", "01012004", true));
  EXPECT_TRUE(CValidationHelper::CheckDateRange("01052000", "01052000", "31122000", 1, false));
  EXPECT_TRUE(CValidationHelper::CheckDateRange("31122000", "01052000", "31122000", 1, false));
  EXPECT_FALSE(CValidationHelper::CheckDateRange("31062000", "01052000", "31122000", 1, false))
      << "a day the calendar does not have fails a range";
  EXPECT_FALSE(CValidationHelper::CheckDateRange("ABCDEFGH", "01052000", "31122000", 1, false));
  EXPECT_TRUE(CValidationHelper::CheckDateRange("15062003", "", "", 1, false));
  EXPECT_FALSE(CValidationHelper::CheckDateRange("15062004", "", "", 1, false)) << "after the tax year";
  EXPECT_FALSE(CValidationHelper::IsCalendarDate("29021999"));
}

TEST(ChecksNames, CheckNifAndName) {
  EXPECT_TRUE(CValidationHelper::CheckNifAndName("12345678Z", "GARCIA LOPEZ, JUAN", nullptr, 0, 0));
  EXPECT_FALSE(CValidationHelper::CheckNifAndName("12345678Z", "GA", nullptr, 0, 0));
  EXPECT_FALSE(CValidationHelper::CheckNifAndName("12345678Z", "GARCIA2 LOPEZ", nullptr, 0, 0));
  EXPECT_FALSE(CValidationHelper::CheckNifAndName("12345678Z", "GARCIA", nullptr, 0, 0));
  EXPECT_FALSE(CValidationHelper::CheckNifAndName("12345678Z", "AAAB LOPEZ", nullptr, 0, 0));
  EXPECT_TRUE(CValidationHelper::CheckNifAndName("12345678Z", "O'NEILL JUAN", nullptr, 0, 0));
  EXPECT_TRUE(CValidationHelper::CheckNifAndName("A58818501", "XYZ", nullptr, 0, 0)) << "entities: any name";
  EXPECT_TRUE(CValidationHelper::CheckNifAndName("Z00000000", "ANY NAME", nullptr, 0, 0));
  EXPECT_FALSE(CValidationHelper::CheckNifAndName("123456789", "GARCIA LOPEZ", nullptr, 0, 0));
  std::string name = "\xD1"  "U\xD1" "EZ PE\xD1" "A, JOS\xC9";  // cp1252 Ñ and É
  EXPECT_TRUE(CValidationHelper::CheckNifAndName("12345678Z", name.c_str(), nullptr, 0, 0));
  char buffer[12];
  std::memset(buffer, 'x', sizeof buffer);
  CValidationHelper::CheckNifAndName("12345678Z", "ANA RUIZ", buffer, 1, 10);
  EXPECT_EQ(std::string(buffer, 12), "xANA RUIZ  x");
}

TEST(ChecksUtil, SmallRules) {
  EXPECT_EQ(util::NormalizeNif("x123456l"), "X0123456L");
  EXPECT_EQ(util::NormalizeNif("12 345 678z"), "001234567");
  // A bank account code computed with the published weights (1,2,4,8,5,10,9,7,3,6 from the left).
  EXPECT_EQ(util::CheckBankAccountDigits("21000418450200051332"), 0);
  EXPECT_EQ(util::CheckBankAccountDigits("21000418550200051332"), 1);
  EXPECT_EQ(util::CheckBankAccountDigits("21000418460200051332"), 2);
  EXPECT_EQ(util::CheckBankAccountDigits("00000000000000000000"), 1);
  EXPECT_EQ(util::CheckBankAccountDigits("2100 418450200051332"), 1);
  EXPECT_EQ(util::CheckBankAccountDigits("2100041845020005133A"), 1) << "a letter is never a digit";
  EXPECT_DOUBLE_EQ(util::RoundToDecimals(2.675, 2), 2.68);
  EXPECT_DOUBLE_EQ(util::RoundToDecimals(-0.125, 2), -0.13);
  EXPECT_EQ(util::MonthNumberFromSpanish("marzo"), "03");
  EXPECT_EQ(util::MonthNumberFromCatalan("DESEMBRE"), "12");
  EXPECT_EQ(util::MonthNumberFromGalician("outubro"), "10");
  EXPECT_EQ(util::MonthNumberFromGalician("xu\xF1o"), "06") << "xuño, in cp1252";
  EXPECT_EQ(util::MonthNumberFromSpanish("xyz"), "13");
  for (const char* ok : {"", "  ", "01", "28", "52", "5"}) EXPECT_TRUE(CValidationHelper::IsProvinceCode(ok)) << ok;
  for (const char* bad : {"00", "53", "60", "9", "1 ", "A1"}) EXPECT_FALSE(CValidationHelper::IsProvinceCode(bad)) << bad;
}
