#include "ui/owner_draw_button.h"

#include <algorithm>
#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "platform/icons.h"

bool IsOldWindowsNT() { return false; }

CMemoryDC::CMemoryDC(QPainter& target, const QRect& area)
    : target_(target), area_(area), pixmap_(area.size().expandedTo(QSize(1, 1))) {
  pixmap_.fill(Qt::transparent);
  painter_.begin(&pixmap_);
  painter_.translate(-area.topLeft());
}

CMemoryDC::~CMemoryDC() {
  painter_.end();
  target_.drawPixmap(area_.topLeft(), pixmap_);
}

namespace {

// A line from a to b without its end point, as the platform's line drawing gives it.
void Line(QPainter& p, QPoint a, QPoint b) {
  if (a == b) return;
  QPoint end = b;
  if (a.x() == b.x()) end.ry() += a.y() < b.y() ? -1 : 1;
  else end.rx() += a.x() < b.x() ? -1 : 1;
  p.drawLine(a, end);
}

void Polyline(QPainter& p, const QColor& c, QPoint a, QPoint b, QPoint d) {
  p.setPen(QPen(c, 1));
  Line(p, a, b);
  Line(p, b, d);
}

void FrameRect(QPainter& p, const QRect& r, const QColor& c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  const int l = r.left(), t = r.top(), rt = r.left() + r.width(), b = r.top() + r.height();
  p.drawRect(l, t, rt - l, 1);
  p.drawRect(l, b - 1, rt - l, 1);
  p.drawRect(l, t, 1, b - t);
  p.drawRect(rt - 1, t, 1, b - t);
  p.setBrush(Qt::NoBrush);
}

}  // namespace

COwnerDrawButton::COwnerDrawButton(QWidget* parent) : COwnerDrawButton(QString(), parent) {}

COwnerDrawButton::COwnerDrawButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent), plainMode_(IsOldWindowsNT()) {
  const QPalette pal = QApplication::palette();
  normalBack_ = hoverBack_ = pal.color(QPalette::Button);
  normalText_ = hoverText_ = pal.color(QPalette::ButtonText);
  setMouseTracking(true);
  setAutoDefault(false);
}

void COwnerDrawButton::SetIcon(unsigned hotIconId, unsigned normalIconId, unsigned char width,
                               unsigned char height) {
  if (plainMode_) return;
  const QIcon hot = platform::ProgramIcon(static_cast<int>(hotIconId));
  SetIcon(hot, normalIconId ? platform::ProgramIcon(static_cast<int>(normalIconId)) : hot, width, height);
}

void COwnerDrawButton::SetIcon(const QIcon& hot, const QIcon& normal, unsigned char width, unsigned char height) {
  if (plainMode_) return;
  hotIcon_ = hot;
  normalIcon_ = normal.isNull() ? hot : normal;
  iconW_ = width;
  iconH_ = height;
  updateGeometry();
  repaint();
}

QSize COwnerDrawButton::sizeHint() const {
  QSize s = QPushButton::sizeHint();
  if (HasIcon()) {
    s.rwidth() += iconW_ + 6;
    s.setHeight(std::max(s.height(), iconH_ + 6));
  }
  return s;
}

void COwnerDrawButton::SetFlat(bool flat) {
  if (plainMode_) return;
  flat_ = flat;
  update();
}

void COwnerDrawButton::SetDrawFocusRect(bool draw, bool repaintNow) {
  focusWhenFlat_ = draw;
  if (repaintNow) update();
}

void COwnerDrawButton::SetGuiFont() {
  if (plainMode_) return;
  QFont f = QApplication::font();
  f.setWeight(QFont::Normal);
  setFont(f);
}

void COwnerDrawButton::paintEvent(QPaintEvent* e) {
  if (plainMode_) {
    QPushButton::paintEvent(e);
    return;
  }
  QPainter target(this);
  CMemoryDC mem(target, rect());
  Draw(mem.painter());
}

void COwnerDrawButton::Draw(QPainter& p) {
  const bool focused = hasFocus();
  const bool pressed = isDown();
  const bool disabled = !isEnabled();
  const QPalette pal = palette();
  // R in the platform's convention: right and bottom exclusive.
  int left = 0, top = 0, right = width(), bottom = height();
  if (!flat_ && focused) {
    FrameRect(p, QRect(left, top, right - left, bottom - top), Qt::black);
    ++left, ++top, --right, --bottom;
  }
  const QRect R(left, top, right - left, bottom - top);
  const bool lit = hovered_ || pressed;
  p.fillRect(R, lit ? hoverBack_ : normalBack_);

  const QColor hi = pal.color(QPalette::Light), shadow = pal.color(QPalette::Mid);
  const QColor light3d = pal.color(QPalette::Midlight), dark3d = pal.color(QPalette::Shadow);
  if (pressed && !flat_) {
    FrameRect(p, R, shadow);
  } else if (pressed && flat_) {
    Polyline(p, shadow, {left, bottom - 1}, {left, top}, {right, top});
    Polyline(p, hi, {left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, top - 1});
  } else if (!flat_) {
    Polyline(p, hi, {left, bottom - 1}, {left, top}, {right, top});
    Polyline(p, light3d, {left + 1, bottom - 1}, {left + 1, top + 1}, {right, top + 1});
    Polyline(p, dark3d, {left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, top - 1});
    Polyline(p, shadow, {left + 1, bottom - 2}, {right - 2, bottom - 2}, {right - 2, top});
  } else if (hovered_) {
    Polyline(p, hi, {left, bottom - 1}, {left, top}, {right, top});
    Polyline(p, shadow, {left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, top - 1});
  }

  const QString caption = text();
  int cLeft = left, cTop = top, cRight = right, cBottom = bottom;
  lastIcon_ = QRect();
  if (!hotIcon_.isNull()) {
    int iLeft = caption.isEmpty() ? left + (right - iconW_ - left) / 2 : left + 3;
    int iTop = top + (bottom - iconH_ - top) / 2;
    int iRight = right, iBottom = bottom;
    if (!caption.isEmpty()) cLeft += iconW_ + 3;
    if (pressed) ++iLeft, ++iTop, ++iRight, ++iBottom;
    const QIcon& icon = lit ? hotIcon_ : normalIcon_;
    // The icon is drawn at its own size from the rectangle's top-left corner.
    lastIcon_ = QRect(iLeft, iTop, iconW_, iconH_);
    p.drawPixmap(lastIcon_, icon.pixmap(QSize(iconW_, iconH_), disabled ? QIcon::Disabled : QIcon::Normal));
    Q_UNUSED(iRight);
    Q_UNUSED(iBottom);
  }
  lastCaption_ = QRect();
  if (!caption.isEmpty()) {
    if (pressed) ++cLeft, ++cTop, ++cRight, ++cBottom;
    p.setFont(font());
    const QFontMetrics fm(font());
    // Measured with the ampersand counted as a character, then drawn with it as a prefix.
    const int mw = fm.horizontalAdvance(caption), mh = fm.height();
    const int mx = cLeft + ((cRight - cLeft) - mw) / 2, my = cTop + ((cBottom - cTop) - mh) / 2;
    lastCaption_ = QRect(mx, my, mw, mh);
    p.setPen(disabled ? pal.color(QPalette::Disabled, QPalette::ButtonText) : (lit ? hoverText_ : normalText_));
    p.drawText(lastCaption_, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine, caption);
  }
  if (focused && (!flat_ || focusWhenFlat_)) {
    QStyleOptionFocusRect opt;
    opt.initFrom(this);
    opt.rect = R.adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
  }
}

void COwnerDrawButton::mouseMoveEvent(QMouseEvent* e) {
  QPushButton::mouseMoveEvent(e);
  if (plainMode_ || !flat_) return;
  const bool leftHeld = e->buttons() & Qt::LeftButton;
  if (leftHeld && !hovered_) return;
  const bool inside = rect().contains(e->position().toPoint());
  if (inside && !hovered_) {
    hovered_ = true;
    update();
  } else if (!inside && hovered_ && !leftHeld) {
    hovered_ = false;
    update();
  }
}

void COwnerDrawButton::leaveEvent(QEvent* e) {
  QPushButton::leaveEvent(e);
  if (plainMode_ || !flat_ || !hovered_) return;
  if (QApplication::mouseButtons() & Qt::LeftButton) return;
  hovered_ = false;
  update();
}

void COwnerDrawButton::focusOutEvent(QFocusEvent* e) {
  QPushButton::focusOutEvent(e);
  if (!plainMode_ && flat_ && hovered_) {
    hovered_ = false;
    update();
  }
}
