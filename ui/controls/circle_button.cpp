#include "ui/controls/circle_button.h"

#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <QRegion>
#include <QStyle>
#include <cmath>

namespace {

constexpr double kPi = 3.141592654;
constexpr double kHalfPi = 1.570796327;
constexpr double kLightAngle = -2.356;

// The eight symmetric points of one step of the walk.
template <typename Plot>
void WalkCircle(int radius, Plot plot) {
  int x = radius;
  int y = 0;
  int error = -radius;
  while (x >= y) {
    plot(x, y);
    error += 2 * y + 1;
    ++y;
    if (error >= 0) {
      --x;
      error -= 2 * x;
    }
  }
}

}  // namespace

void DrawCircle(QPainter& p, QPoint c, int radius, QColor colour) {
  p.save();
  p.setPen(colour);
  WalkCircle(radius, [&](int x, int y) {
    const QPoint pts[8] = {{c.x() + x, c.y() + y}, {c.x() + y, c.y() + x}, {c.x() - y, c.y() + x},
                           {c.x() - x, c.y() + y}, {c.x() - x, c.y() - y}, {c.x() - y, c.y() - x},
                           {c.x() + y, c.y() - x}, {c.x() + x, c.y() - y}};
    p.drawPoints(pts, 8);
  });
  p.restore();
}

void DrawLitCircle(QPainter& p, QPoint c, int radius, QColor bright, QColor dark) {
  p.save();
  WalkCircle(radius, [&](int x, int y) {
    const double t = std::atan2(static_cast<double>(y), static_cast<double>(x));
    const struct {
      QPoint at;
      double angle;
    } pts[8] = {{{c.x() + x, c.y() + y}, t},           {{c.x() + y, c.y() + x}, kHalfPi - t},
                {{c.x() - y, c.y() + x}, t + kHalfPi}, {{c.x() - x, c.y() + y}, kPi - t},
                {{c.x() - x, c.y() - y}, t - kPi},     {{c.x() - y, c.y() - x}, -t - kHalfPi},
                {{c.x() + y, c.y() - x}, t - kHalfPi}, {{c.x() + x, c.y() - y}, -t}};
    for (const auto& pt : pts) {
      p.setPen(LightColour(pt.angle, bright, dark));
      p.drawPoint(pt.at);
    }
  });
  p.restore();
}

QColor LightColour(double angle, QColor bright, QColor dark) {
  double d = kLightAngle - angle;
  if (d < -3.1415) {
    d += 6.293;
  } else if (d > 3.1415) {
    d = 6.293 - d;
  }
  const double w = (std::cos(d) + 1.0) * 0.5;
  auto mix = [w](int b, int k) { return static_cast<int>(w * b + (1.0 - w) * k); };
  return QColor(mix(bright.red(), dark.red()), mix(bright.green(), dark.green()), mix(bright.blue(), dark.blue()));
}

CCircleButton::CCircleButton(QWidget* parent) : QPushButton(parent) {}

CCircleButton::CCircleButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void CCircleButton::PreSubclassWindow() {
  const QRect client = rect();
  const int s = std::min(client.width(), client.height());
  centre_ = QPoint((client.left() + s) / 2, (client.top() + s) / 2);
  radius_ = s / 2 - 1;
  setMask(QRegion(client.left(), client.top(), s, s, QRegion::Ellipse));
  setGeometry(QRect(geometry().topLeft(), QSize(s, s)));
  update();
}

void CCircleButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  const int r = radius_;
  p.fillRect(rect(), pal.color(QPalette::Button));
  if (isFlat()) {
    DrawCircle(p, centre_, r, Qt::black);
    DrawCircle(p, centre_, r - 1, pal.color(QPalette::Light));
  } else if (!isDown()) {
    DrawLitCircle(p, centre_, r, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
    DrawLitCircle(p, centre_, r - 1, pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
  } else {
    DrawLitCircle(p, centre_, r, pal.color(QPalette::Shadow), pal.color(QPalette::Light));
    DrawLitCircle(p, centre_, r - 1, pal.color(QPalette::Dark), pal.color(QPalette::Midlight));
  }

  const QString caption = text();
  if (caption.isEmpty()) return;
  const int inner = r - 2;
  p.setClipRegion(QRegion(centre_.x() - inner, centre_.y() - inner, 2 * inner, 2 * inner, QRegion::Ellipse));
  p.setFont(font());
  // Enabled, the caption is drawn as it stands; disabled, '&' marks the letter to underline.
  const int flags = isEnabled() ? Qt::TextSingleLine : Qt::TextSingleLine | Qt::TextShowMnemonic;
  const QRect extent = p.fontMetrics().boundingRect(QRect(), flags, caption);
  QPoint topLeft = centre_ - QPoint(extent.width() / 2, extent.height() / 2);
  if (isDown()) topLeft += QPoint(1, 1);
  const QRect box(topLeft, extent.size());
  if (isEnabled()) {
    p.setPen(pal.color(QPalette::Active, QPalette::ButtonText));
    p.drawText(box, flags, caption);
  } else {
    // Greyed like a disabled label: a light copy one pixel down and right under the dark one.
    p.setPen(pal.color(QPalette::Light));
    p.drawText(box.translated(1, 1), flags, caption);
    p.setPen(pal.color(QPalette::Disabled, QPalette::ButtonText));
    p.drawText(box, flags, caption);
  }
}
