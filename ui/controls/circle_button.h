// A push button made round: square, clipped to a circle, painted as a ring lit from the upper left
// with its caption centred inside.
#pragma once

#include <QColor>
#include <QPoint>
#include <QPushButton>

class QPainter;

// One-pixel circle by the midpoint walk.
void DrawCircle(QPainter& p, QPoint centre, int radius, QColor colour);
// The same walk, each pixel shaded by its angle between `bright` and `dark`.
void DrawLitCircle(QPainter& p, QPoint centre, int radius, QColor bright, QColor dark);
// Blend of `bright` and `dark` for a point at `angle` (radians, screen y downwards), the light
// coming from the upper left.
QColor LightColour(double angle, QColor bright, QColor dark);

class CCircleButton : public QPushButton {
  Q_OBJECT
 public:
  explicit CCircleButton(QWidget* parent = nullptr);
  CCircleButton(const QString& text, QWidget* parent);

  // Called once the button has its place: makes it a square of the smaller side, keeping its
  // top-left corner, and clips it to the circle.
  void PreSubclassWindow();

  QPoint Centre() const { return centre_; }
  int Radius() const { return radius_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QPoint centre_;
  int radius_ = 0;
};
