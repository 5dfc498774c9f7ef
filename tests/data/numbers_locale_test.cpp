// Numbers written and read as text under the "C" locale and under the Spanish one (a comma for
// the decimal point in printf and strtod): stored values, database texts, the profile and the
// bar-code amounts never depend on the process locale.
#include <gtest/gtest.h>

#include <optional>

#include "blocks/numtext.h"
#include "data/doc/document.h"
#include "data/settings/profile.h"
#include "db_fixture.h"
#include "support/scoped_locale.h"

namespace {

class NumbersUnderLocale : public dbtest::DeclarationsTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    locale_.emplace(GetParam());
    if (!locale_->Active()) GTEST_SKIP() << GetParam() << " is not installed";
    DeclarationsTest::SetUp();
  }
  void TearDown() override { locale_.reset(); }

  std::optional<qxtest::ScopedLocale> locale_;
};

TEST_P(NumbersUnderLocale, FormattingIsTheCLibrarysInTheCLocale) {
  struct Fixed {
    double v;
    int decimals;
    const char* text;
  } fixed[] = {{1234.5, 2, "1234.50"}, {0.75, 6, "0.750000"}, {-3.0, 2, "-3.00"},
               {2.5, 0, "2"},          {7.1, -1, "7"},          {1e15, 2, "1000000000000000.00"}};
  for (const Fixed& c : fixed) EXPECT_EQ(blocks::FormatFixed(c.v, c.decimals), c.text) << c.v;
  struct General {
    double v;
    const char* text;
  } general[] = {{0.5, "0.5"}, {12.5, "12.5"}, {1234567.0, "1.23457e+06"}, {1e-5, "1e-05"}, {100, "100"}};
  for (const General& c : general) EXPECT_EQ(blocks::FormatGeneral(c.v), c.text) << c.v;
}

TEST_P(NumbersUnderLocale, ParsingReadsThePointAndStopsAtTheFirstOtherCharacter) {
  struct Case {
    const char* text;
    double v;
    std::size_t used;
  } cases[] = {{"  1234.5xyz", 1234.5, 8}, {"+0.75", 0.75, 5}, {"-2e3", -2000, 4}, {".5", 0.5, 2},
               {"0,75", 0.0, 1},           {"abc", 0.0, 0},    {"", 0.0, 0},      {"+-1", 0.0, 0}};
  for (const Case& c : cases) {
    std::size_t used = 99;
    EXPECT_DOUBLE_EQ(blocks::ParseDecimal(c.text, &used), c.v) << c.text;
    EXPECT_EQ(used, c.used) << c.text;
  }
}

TEST_P(NumbersUnderLocale, DatabaseNumbersAsText) {
  ASSERT_TRUE(conn.Execute("CREATE TABLE T (D DOUBLE, E)"));
  ASSERT_TRUE(conn.Execute("INSERT INTO T VALUES (1234.5, '2.25')"));
  db::CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("T", &conn));
  EXPECT_EQ(rs.GetFieldText("D"), "1234.500000");
  double d = 0;
  ASSERT_TRUE(rs.GetDouble("E", d));  // a number held as text in a column without a type
  EXPECT_DOUBLE_EQ(d, 2.25);
  // A text for a numeric column takes a point or a comma.
  for (auto [text, value] : {std::pair{"0,75", 0.75}, {"1234.5", 1234.5}, {"1234,5", 1234.5}}) {
    ASSERT_TRUE(rs.SetText("D", text)) << text;
    ASSERT_TRUE(rs.GetDouble("D", d));
    EXPECT_DOUBLE_EQ(d, value) << text;
  }
  EXPECT_FALSE(rs.SetText("D", "1,5 euros"));
  ASSERT_TRUE(rs.PrepareNewRow());
  ASSERT_TRUE(rs.AddPendingValue("D", "0,125") && rs.AppendPendingRow());
  ASSERT_TRUE(rs.GetDouble("D", d));
  EXPECT_DOUBLE_EQ(d, 0.125);
}

TEST_P(NumbersUnderLocale, ProfileAndBarcodeAmounts) {
  EXPECT_DOUBLE_EQ(settings::ParseCalculatorMemory("1234,5"), 1234.5);
  EXPECT_DOUBLE_EQ(settings::ParseCalculatorMemory("0.75"), 0.75);
  EXPECT_EQ(doc::BarcodeAmountDigits(1234.5), "00000123450");
  EXPECT_EQ(doc::BarcodeAmountDigits(-7.25), "00000000725");
}

INSTANTIATE_TEST_SUITE_P(Locales, NumbersUnderLocale, ::testing::Values("C", qxtest::kSpanishLocale),
                         [](const auto& info) { return std::string(info.param[0] == 'C' ? "C" : "Spanish"); });

}  // namespace
