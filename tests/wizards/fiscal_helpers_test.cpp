// The font helper of the printing code.
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>

#include <cstring>

#include "wizards/fiscal_helpers.h"

TEST(FiscalHelpers, CreateAndSelectFontFillsTheRecordAndSelectsTheFont) {
  fiscal::LogFont lf;
  lf.italic = 1;  // cleared first
  QFont font;
  QImage image(40, 40, QImage::Format_RGB32);
  QPainter dc(&image);
  dc.setBackgroundMode(Qt::OpaqueMode);
  fiscal::CreateAndSelectFont(&lf, 20, 20, 0, 0, 1, 0, 700, 0, QStringLiteral("Arial"), &font, 0, &dc);
  EXPECT_EQ(lf.height, 20);
  EXPECT_EQ(lf.width, 20);
  EXPECT_EQ(lf.weight, 700);
  EXPECT_EQ(lf.charSet, 1);
  EXPECT_EQ(lf.italic, 0);
  EXPECT_STREQ(lf.faceName, "Arial");
  EXPECT_EQ(font.family(), QStringLiteral("Arial"));
  EXPECT_EQ(font.pixelSize(), 20);
  EXPECT_EQ(font.weight(), QFont::Bold);
  EXPECT_GT(font.stretch(), 100);  // as wide as it is high
  EXPECT_EQ(dc.backgroundMode(), Qt::TransparentMode);
  EXPECT_EQ(dc.font().pixelSize(), 20);
}
