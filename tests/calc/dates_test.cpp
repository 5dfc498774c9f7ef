#include <gtest/gtest.h>

#include "blocks/dates.h"

namespace {

TEST(Dates, Validity) {
  struct Case { const char* text; int valid; };
  const Case cases[] = {{"29022000", 1}, {"29021900", 0}, {"29022100", 0}, {"29022004", 1},
                        {"29022003", 0}, {"31042003", 0}, {"00012003", 0}, {"01132003", 0},
                        {"3112200", 0},  {"311220033", 0}, {"1 012003", 1}, {"31122003", 1},
                        {"", 0}};
  for (const Case& c : cases) EXPECT_EQ(tv::IsValidDate(c.text), c.valid) << c.text;
}

TEST(Dates, SplitStoresNothingOnWrongLength) {
  int d = -1, m = -1, y = -1;
  EXPECT_EQ(tv::SplitDate("1234567", &d, &m, &y), 0);
  EXPECT_EQ(d, -1);
  EXPECT_EQ(tv::SplitDate("1 052003", &d, &m, &y), 1);
  EXPECT_EQ(d, 1);
  EXPECT_EQ(m, 5);
  EXPECT_EQ(y, 2003);
}

TEST(Dates, OneSplitterForStoredAndTypedTexts) {
  using tv::DateForm;
  struct Case { const char* text; DateForm form; bool split; int d, m, y; };
  const Case cases[] = {
      {"01022003", DateForm::kStored, true, 1, 2, 2003},  {"01022003", DateForm::kTyped, true, 1, 2, 2003},
      {"150695", DateForm::kStored, false, 0, 0, 0},      {"150695", DateForm::kTyped, true, 15, 6, 1995},
      {"0102200", DateForm::kStored, false, 0, 0, 0},     {"0102200", DateForm::kTyped, true, 1, 2, 200},
      {"010220031", DateForm::kStored, false, 0, 0, 0},   {"010220031", DateForm::kTyped, true, 1, 2, 20031},
      {"01023", DateForm::kTyped, false, 0, 0, 0},        {"", DateForm::kTyped, false, 0, 0, 0},
      {"1 052003", DateForm::kStored, true, 1, 5, 2003},  {"AB052003", DateForm::kStored, true, 0, 5, 2003},
  };
  for (const Case& c : cases) {
    int d = -1, m = -1, y = -1;
    EXPECT_EQ(tv::SplitDateText(c.text, c.form, d, m, y), c.split) << c.text;
    if (c.split) {
      EXPECT_EQ(d, c.d) << c.text;
      EXPECT_EQ(m, c.m) << c.text;
      EXPECT_EQ(y, c.y) << c.text;
    } else {
      EXPECT_EQ(d, -1) << c.text;  // nothing stored
    }
  }
  // A text ends at its first zero byte, whatever follows.
  int d = 0, m = 0, y = 0;
  EXPECT_FALSE(tv::SplitDateText(std::string_view("0102\0" "2003", 9), DateForm::kTyped, d, m, y));
}

TEST(Dates, Compare) {
  EXPECT_EQ(tv::CompareDates("31121994", "01011995"), -1);
  EXPECT_EQ(tv::CompareDates("31122002", "31122002"), 0);
  EXPECT_EQ(tv::CompareDates("01022003", "31012003"), 1);
  EXPECT_EQ(tv::CompareDates("31022003", "01012003"), -2);
  EXPECT_EQ(tv::CompareDates("0101200", "01012003"), -2);
}

TEST(Dates, DaysBetween) {
  struct Case { const char* a; const char* b; int days; };
  const Case cases[] = {{"31122002", "01012003", 1},   {"01012000", "01012001", 366},
                        {"01012001", "01012002", 365}, {"15062003", "15062003", 0},
                        {"02012003", "01012003", -1},  {"01022004", "01032004", 29},
                        {"01022003", "01032003", 28},  {"10012003", "20012003", 10},
                        {"30121999", "02012002", 734}, {"31042003", "01052003", -1}};
  for (const Case& c : cases) EXPECT_EQ(tv::DaysBetween(c.a, c.b), c.days) << c.a << " " << c.b;
}

TEST(Dates, WholeYearsBetween) {
  struct Case { const char* a; const char* b; int ret; int years; int flag; };
  const Case cases[] = {
      {"29022000", "28022003", 1, 3, 0}, {"28022001", "29022004", 1, 3, 0},
      {"28022001", "28022004", 1, 2, 1}, {"28022000", "28022003", 1, 3, 1},
      {"15061990", "14062003", 1, 12, 1}, {"15061990", "15062003", 1, 13, 0},
      {"15061990", "16062003", 1, 13, 1}, {"15061990", "01012003", 1, 12, 1},
      {"15061990", "01122003", 1, 13, 1},
  };
  for (const Case& c : cases) {
    int years = -7, flag = -7;
    EXPECT_EQ(tv::WholeYearsBetween(c.a, c.b, &years, &flag), c.ret) << c.a << " " << c.b;
    EXPECT_EQ(years, c.years) << c.a << " " << c.b;
    EXPECT_EQ(flag, c.flag) << c.a << " " << c.b;
  }
  int years = -7, flag = -7;
  EXPECT_EQ(tv::WholeYearsBetween("01012003", "31122003", &years, &flag), 0);
  EXPECT_EQ(years, 0);
  EXPECT_EQ(flag, -7) << "same year leaves the flag untouched";
  years = -7;
  EXPECT_EQ(tv::WholeYearsBetween("01012004", "31122003", &years, &flag), -1);
  EXPECT_EQ(years, -7);
}

}  // namespace
