// The round push button: its shape, its shading and its caption.
#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

#include "ui/controls/circle_button.h"

namespace {

constexpr QRgb kFace = qRgb(200, 200, 200);
constexpr QRgb kCaption = qRgb(255, 0, 0);

QPalette TestPalette() {
  QPalette pal;
  pal.setColor(QPalette::Button, QColor(kFace));
  pal.setColor(QPalette::Light, Qt::white);
  pal.setColor(QPalette::Midlight, QColor(230, 230, 230));
  pal.setColor(QPalette::Dark, QColor(100, 100, 100));
  pal.setColor(QPalette::Shadow, Qt::black);
  pal.setColor(QPalette::ButtonText, QColor(kCaption));
  pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(kCaption));
  return pal;
}

struct RoundButton {
  explicit RoundButton(const QString& caption, QSize size = {40, 30}) : button(caption, nullptr) {
    button.setPalette(TestPalette());
    button.setGeometry(QRect(QPoint(5, 7), size));
    button.PreSubclassWindow();
  }
  QImage Render() { return button.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  CCircleButton button;
};

bool IsCaption(QRgb c) { return qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 110; }

// Bounding box of the caption's pixels.
QRect CaptionBox(const QImage& img) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (IsCaption(img.pixel(x, y))) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(CircleButton, LaidOutFortyByThirtyBecomesAThirtyPixelCircle) {
  RoundButton b(QStringLiteral("7"));
  EXPECT_EQ(b.button.geometry(), QRect(5, 7, 30, 30));
  EXPECT_EQ(b.button.Centre(), QPoint(15, 15));
  EXPECT_EQ(b.button.Radius(), 14);
  EXPECT_TRUE(b.button.mask().contains(QPoint(15, 15)));
  EXPECT_FALSE(b.button.mask().contains(QPoint(0, 0)));
  EXPECT_FALSE(b.button.mask().contains(QPoint(29, 29)));
}

TEST(CircleButton, PressedTurnsTheShadingOverAndMovesTheCaption) {
  RoundButton b(QStringLiteral("8"));
  const QImage up = b.Render();
  b.button.setDown(true);
  const QImage down = b.Render();
  const QPoint top(15, 1), bottom(15, 29);
  EXPECT_GT(qGray(up.pixel(top)), qGray(up.pixel(bottom)));      // lit from above
  EXPECT_LT(qGray(down.pixel(top)), qGray(down.pixel(bottom)));  // sunk
  const QRect upBox = CaptionBox(up), downBox = CaptionBox(down);
  ASSERT_FALSE(upBox.isEmpty());
  EXPECT_EQ(downBox.topLeft(), upBox.topLeft() + QPoint(1, 1));
}

TEST(CircleButton, AWideCaptionIsCutAtTheInnerCircle) {
  RoundButton b(QStringLiteral("WWWWWWWWWW"));
  const QImage img = b.Render();
  int inside = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (!IsCaption(img.pixel(x, y))) continue;
      EXPECT_LE(std::hypot(x - 15 + 0.5, y - 15 + 0.5), 12.0 + 1.0) << x << "," << y;
      ++inside;
    }
  }
  EXPECT_GT(inside, 0);
}

TEST(CircleButton, AnAmpersandShowsWhenEnabledAndUnderlinesWhenDisabled) {
  RoundButton enabled(QStringLiteral("&W"), {60, 60});
  RoundButton disabled(QStringLiteral("&W"), {60, 60});
  disabled.button.setEnabled(false);
  const QRect withAmpersand = CaptionBox(enabled.Render());
  const QRect underlined = CaptionBox(disabled.Render());
  ASSERT_FALSE(withAmpersand.isEmpty());
  ASSERT_FALSE(underlined.isEmpty());
  EXPECT_GT(withAmpersand.width(), underlined.width());
  EXPECT_GT(underlined.bottom(), withAmpersand.bottom());  // the underline below the letter
}

TEST(CircleButton, LightColourByAngle) {
  const QColor bright(255, 255, 255), dark(0, 0, 0);
  const struct {
    double angle;
    int grey;
  } cases[] = {
      {-2.356, 255},  // facing the light
      {0.785, 0},     // facing away
      {-1.5708, 217}, // top: (cos(-0.7852) + 1) / 2
      {3.14159, 216}, // wraps below -pi
      {-6.0, 15},     // wraps above pi
  };
  for (const auto& c : cases) EXPECT_EQ(LightColour(c.angle, bright, dark).red(), c.grey) << c.angle;
  EXPECT_EQ(LightColour(-2.356, QColor(10, 20, 30), QColor(0, 0, 0)), QColor(10, 20, 30));
}

TEST(CircleButton, DrawCircleWalksTheWholeRing) {
  QImage img(40, 40, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    DrawCircle(p, QPoint(20, 20), 14, Qt::black);
  }
  int count = 0;
  int octants = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (img.pixel(x, y) != qRgb(0, 0, 0)) continue;
      ++count;
      const double d = std::hypot(x - 20, y - 20);
      EXPECT_NEAR(d, 14.0, 0.75) << x << "," << y;
      const double a = std::atan2(y - 20, x - 20);
      octants |= 1 << static_cast<int>(std::floor((a + M_PI) / (M_PI / 4)) ) % 8;
    }
  }
  EXPECT_EQ(octants, 0xFF);
  EXPECT_GE(count, 8 * 10);  // about a pixel per step of the circumference
}

}  // namespace
