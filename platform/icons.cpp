#ifdef QT_CORE_LIB
#include "platform/icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QStyle>

namespace platform {

namespace {

QPixmap Canvas(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  return pm;
}

QPixmap CheckMark(int s) {
  QPixmap pm = Canvas(s);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(0, 150, 0), s / 6.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  QPainterPath path;
  path.moveTo(s * 0.18, s * 0.55);
  path.lineTo(s * 0.42, s * 0.78);
  path.lineTo(s * 0.84, s * 0.24);
  p.drawPath(path);
  return pm;
}

QPixmap Cross(int s, bool onDisc) {
  QPixmap pm = Canvas(s);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  if (onDisc) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 0, 0));
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
  }
  QPen pen(onDisc ? QColor(Qt::white) : QColor(200, 0, 0), s / 7.0, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  const double a = onDisc ? 0.32 : 0.2, b = 1.0 - a;
  p.drawLine(QPointF(s * a, s * a), QPointF(s * b, s * b));
  p.drawLine(QPointF(s * b, s * a), QPointF(s * a, s * b));
  return pm;
}

QPixmap Question(int s) {
  QPixmap pm = Canvas(s);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 90, 0), 1));
  p.setBrush(QColor(255, 220, 0));
  p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
  QFont f;
  f.setBold(true);
  f.setPixelSize(s * 2 / 3);
  p.setFont(f);
  p.setPen(Qt::black);
  p.drawText(QRect(0, 0, s, s), Qt::AlignCenter, QStringLiteral("?"));
  return pm;
}

// A green arrow pointing right (forward) or left (back).
QPixmap Arrow(int s, bool forward) {
  QPixmap pm = Canvas(s);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 100, 0), 1));
  p.setBrush(QColor(0, 160, 0));
  QPolygonF arrow{{0.12, 0.38}, {0.52, 0.38}, {0.52, 0.16}, {0.90, 0.50}, {0.52, 0.84}, {0.52, 0.62}, {0.12, 0.62}};
  for (QPointF& pt : arrow) pt = QPointF((forward ? pt.x() : 1.0 - pt.x()) * s, pt.y() * s);
  p.drawPolygon(arrow);
  return pm;
}

// A chequered flag on its pole.
QPixmap Flag(int s) {
  QPixmap pm = Canvas(s);
  QPainter p(&pm);
  p.setPen(QPen(QColor(80, 60, 40), s / 12.0));
  p.drawLine(QPointF(s * 0.2, s * 0.1), QPointF(s * 0.2, s * 0.92));
  const double cell = s * 0.15;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c)
      p.fillRect(QRectF(s * 0.24 + c * cell, s * 0.12 + r * cell, cell, cell), (r + c) % 2 ? Qt::white : Qt::black);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(s * 0.24, s * 0.12, 4 * cell, 3 * cell));
  return pm;
}

}  // namespace

QIcon ProgramIcon(int id, int size) {
  switch (id) {
    case 124: return QIcon(CheckMark(size));
    case 128: return QIcon(Cross(size, false));
    case 141: return QIcon(Cross(size, true));
    case 151: return QIcon(Arrow(size, true));
    case 157: return QIcon(Arrow(size, false));
    case 161: return QIcon(Question(size));
    case 287: return QIcon(Flag(size));
    default: return {};
  }
}

QIcon StandardIcon(int id) {
  QStyle* st = QApplication::style();
  switch (id) {
    case kIconHand: return st->standardIcon(QStyle::SP_MessageBoxCritical);
    case kIconQuestion: return st->standardIcon(QStyle::SP_MessageBoxQuestion);
    case kIconExclamation: return st->standardIcon(QStyle::SP_MessageBoxWarning);
    case kIconAsterisk: return st->standardIcon(QStyle::SP_MessageBoxInformation);
    default: return {};
  }
}

}  // namespace platform
#endif
