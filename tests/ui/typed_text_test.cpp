// What the edits make of typed text and what a box takes from its definition row: the pure
// functions the edits and the page loaders call (and the fuzz targets drive).
#include <gtest/gtest.h>

#include <climits>

#include "ui/box_definition.h"
#include "ui/typed_text.h"

namespace {

TEST(TypedText, AmountsIntegersAndDates) {
  struct Amount {
    const char* text;
    double value;
  };
  for (const Amount& c : {Amount{"", 0.0}, Amount{"1.234,56", 1234.56}, Amount{"-12,5", -12.5}, Amount{"7", 7.0},
                          Amount{"0,07", 0.07}, Amount{"12,345", 12.345}})
    EXPECT_DOUBLE_EQ(ui::typed::ParseAmountText(QString::fromUtf8(c.text)), c.value) << c.text;

  struct Integer {
    const char* text;
    std::int32_t value;
  };
  for (const Integer& c : {Integer{"", 0}, Integer{" 12", 0}, Integer{"1.250", 1250}, Integer{"12a", 12},
                           Integer{"99999999999", INT_MAX}, Integer{"-99999999999", INT_MIN}, Integer{"x", 0}})
    EXPECT_EQ(ui::typed::ParseIntegerText(QString::fromUtf8(c.text)), c.value) << c.text;

  struct Date {
    const char* in;
    int width;
    const char* out;
  };
  for (const Date& c : {Date{"1 /2 /03  ", 8, "01/02/2003"}, Date{" 5/11/99  ", 8, "05/11/1999"},
                        Date{"01/02/1970", 8, "01/02/1970"}, Date{"3 /4 /", 6, "03/04/"}, Date{"", 8, "          "},
                        Date{"7", 8, "07        "}})
    EXPECT_EQ(ui::typed::CompleteDateSections(QString::fromUtf8(c.in), c.width), QString::fromUtf8(c.out)) << c.in;
  EXPECT_EQ(ui::typed::CompleteStoredDate(QStringLiteral("1 2 03")), QStringLiteral("01022003"));
  EXPECT_EQ(ui::typed::CompleteStoredDate(QString()), QStringLiteral("        "));
}

TEST(BoxDefinition, FormatSpecsAndRectangles) {
  struct Spec {
    const char* spec;
    int width, occurrences, decimals;
  };
  for (const Spec& c : {Spec{"F12*5.2", 12, 5, 2}, Spec{"S9", 9, 0, 0}, Spec{"S1*5.0", 1, 5, 0}, Spec{"D8-comment", 8, 0, 0},
                        Spec{"F12*X.2", 12, 0, 2}, Spec{"S99999999999", INT_MAX, 0, 0}, Spec{"F", 0, 0, 0}})
  {
    const ui::BoxFormat f = ui::ReadFormatSpec(c.spec);
    EXPECT_EQ(f.width, c.width) << c.spec;
    EXPECT_EQ(f.occurrences, c.occurrences) << c.spec;
    EXPECT_EQ(f.decimals, c.decimals) << c.spec;
  }
  struct Amount {
    const char* spec;
    const char* normalized;
  };
  for (const Amount& c : {Amount{"R12*5.2", "R12*5.2"}, Amount{"R12.2", "R12.2"}, Amount{"R13", "R13.0"},
                          Amount{"R-3*-2.1", "R0.0"}, Amount{"Rx", "R0.0"}, Amount{"R12*5-x", "R12*5.0"}})
    EXPECT_EQ(ui::NormalizedAmountSpec(c.spec), c.normalized) << c.spec;

  ui::ControlRow row;
  row.coor[0] = 10;
  row.coor[1] = 21;
  row.coor[2] = 33;
  row.coor[3] = 45;
  EXPECT_EQ(ui::ScaledRect(row, 0.5), QRect(QPoint(5, 10), QPoint(17, 23)));
  row.coor[2] = INT_MAX;
  EXPECT_LE(ui::ScaledRect(row, 1e6).right(), 1000000000) << "a damaged row stays within a rectangle";
}

}  // namespace
