#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "platform/barcode.h"

namespace {

std::span<const unsigned char> Bytes(const std::string& s) {
  return {reinterpret_cast<const unsigned char*>(s.data()), s.size()};
}

TEST(Barcode, Gs1_128OfAnIdentificationElement) {
  const auto r = platform::EncodeGs1_128("[90]01000000012345678FUEG");
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.symbol.rows, 1);
  // Code 128: symbol characters of 11 modules (start, FNC1, data, check) and a stop of 13.
  EXPECT_EQ((r.symbol.width - 13) % 11, 0);
  EXPECT_EQ(r.symbol.humanText, "(90)01000000012345678FUEG");
  // A code starts with a bar and ends with the stop's final bar.
  EXPECT_TRUE(r.symbol.Dark(0, 0));
  EXPECT_TRUE(r.symbol.Dark(0, r.symbol.width - 1));
}

TEST(Barcode, EncoderFailuresCarryZintsCode) {
  EXPECT_FALSE(platform::EncodeGs1_128("").ok());
  const auto r = platform::EncodeGs1_128("[90]0100000001234\xD1");  // outside the GS1 set
  EXPECT_FALSE(r.ok());
  EXPECT_GE(r.status, 5);
  EXPECT_FALSE(r.error.empty());
}

TEST(Barcode, Pdf417KeepsTheColumnsAndRowsAsked) {
  const std::string data(400, 'Q');
  platform::Pdf417Options o;
  o.columns = 12;
  o.rows = 51;
  o.eccLevel = 6;
  const auto r = platform::EncodePdf417(Bytes(data), o);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.symbol.rows, 51);
  EXPECT_EQ(r.symbol.dataColumns, 12);
  EXPECT_EQ(r.symbol.width, 17 * 12 + 69);
  // Every row begins with the start pattern: eight dark modules.
  for (int y = 0; y < r.symbol.rows; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_TRUE(r.symbol.Dark(y, x));
  // More than the symbol can hold is an error, not a larger symbol.
  const auto tooMuch = platform::EncodePdf417(Bytes(std::string(2000, 'Q')), o);
  EXPECT_FALSE(tooMuch.ok());
}

TEST(Barcode, ModulesDrawnOffscreenCoverTheSymbol) {
  platform::Pdf417Options o;
  o.columns = 6;
  const auto r = platform::EncodePdf417(Bytes(std::string("dot code")), o);
  ASSERT_TRUE(r.ok());
  QImage img(r.symbol.width * 2 + 10, r.symbol.rows * 6 + 10, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    platform::DrawSymbolModules(p, r.symbol, QPointF(5, 5), 2, 6);
  }
  for (int y = 0; y < r.symbol.rows; ++y)
    for (int x = 0; x < r.symbol.width; ++x)
      ASSERT_EQ(qGray(img.pixel(5 + 2 * x, 5 + 6 * y)) < 128, r.symbol.Dark(y, x)) << y << "," << x;
  EXPECT_EQ(img.pixel(2, 2), qRgb(255, 255, 255));
}

}  // namespace
