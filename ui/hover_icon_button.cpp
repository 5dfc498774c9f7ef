#include "ui/hover_icon_button.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

bool CHoverIconButton::raisedShared_ = false;

CHoverIconButton::CHoverIconButton(QWidget* parent) : QPushButton(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::TabFocus);
}

void CHoverIconButton::SetIcon(const QIcon& icon, int width, int height) {
  setIcon(icon);
  setIconSize(QSize(width, height));
  iconW_ = width;
  iconH_ = height;
}

QPoint CHoverIconButton::CursorPos() const { return QCursor::pos(); }

QRect CHoverIconButton::IconRect() const {
  QRect r = rect();
  const QRect window(mapToGlobal(QPoint(0, 0)), size());
  if (pressed_ && window.contains(CursorPos())) r.translate(1, 1);
  return r;
}

void CHoverIconButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette pal = palette();
  const QRect r = rect();
  p.fillRect(r, pal.color(QPalette::Button));
  const QRect ir = IconRect();
  QColor tl, br;
  if (isDown()) {
    tl = pal.color(QPalette::Mid);
    br = pal.color(QPalette::Light);
  } else if (raised_) {
    tl = pal.color(QPalette::Light);
    br = pal.color(QPalette::Mid);
  } else {
    tl = br = pal.color(QPalette::Button);
  }
  p.setPen(tl);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(br);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  if (!icon().isNull()) p.drawPixmap(ir, icon().pixmap(ir.size()));
}

void CHoverIconButton::mouseMoveEvent(QMouseEvent* e) {
  timer_.start(kPollMs, this);
  QPushButton::mouseMoveEvent(e);
}

void CHoverIconButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) pressed_ = true;
  QPushButton::mousePressEvent(e);
}

void CHoverIconButton::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) pressed_ = false;
  QPushButton::mouseReleaseEvent(e);
}

void CHoverIconButton::ClearRaised() {
  if (!raisedShared_) return;
  raisedShared_ = false;
  raised_ = false;
  update();
}

void CHoverIconButton::PollCursor() {
  const QRect window(mapToGlobal(QPoint(0, 0)), size());
  if (pressed_) {
    timer_.stop();
    ClearRaised();
    return;
  }
  if (window.contains(CursorPos())) {
    if (!raisedShared_) {
      raisedShared_ = true;
      raised_ = true;
      repaint();
    }
    return;
  }
  timer_.stop();
  ClearRaised();
}

void CHoverIconButton::timerEvent(QTimerEvent* e) {
  if (e->timerId() == timer_.timerId()) PollCursor();
  else QPushButton::timerEvent(e);
}
