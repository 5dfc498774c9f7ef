#include "ui/companion_button.h"

#include <QEvent>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPainter>
#include <QStyleOptionToolButton>

#include "platform/sound.h"
#include "platform/strings.h"
#include "ui/edit_host.h"

namespace ui {

CCompanionButton::CCompanionButton(QLineEdit* edit, Look look, int tipStringId)
    : QToolButton(edit->parentWidget() ? edit->parentWidget() : edit), edit_(edit), look_(look) {
  SetControlId(this, kCompanionButtonId);
  setText(QStringLiteral("..."));
  setFocusPolicy(Qt::NoFocus);
  setAutoRaise(false);
  if (tipStringId) {
    const QString tip = platform::LoadString(tipStringId);
    setToolTip(tip);
    setAccessibleName(tip);
  }
  edit_->installEventFilter(this);
  setEnabled(edit_->isEnabled());
  Follow();
  setVisible(edit_->isVisible() || !edit_->parentWidget());
}

CCompanionButton::~CCompanionButton() {
  if (edit_) edit_->removeEventFilter(this);
}

void CCompanionButton::Follow() {
  following_ = true;
  const int h = edit_->height();
  QMargins m = edit_->textMargins();
  if (m.right() != h) edit_->setTextMargins(m.left(), m.top(), h, m.bottom());
  if (parentWidget() == edit_) {
    setGeometry(edit_->width() - h, 0, h, h);
  } else {
    const QRect g = edit_->geometry();
    setGeometry(g.right() - h + 1, g.top(), h, h);
  }
  raise();
  following_ = false;
}

void CCompanionButton::moveEvent(QMoveEvent* e) {
  QToolButton::moveEvent(e);
  // A scroll of the parent moves the button and its edit alike, the edit first: it goes back over
  // the edit rather than off by the scroll.
  if (!following_ && parentWidget() != edit_) Follow();
}

bool CCompanionButton::eventFilter(QObject* watched, QEvent* e) {
  if (watched == edit_) {
    switch (e->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::LayoutRequest: Follow(); break;
      case QEvent::Show: Follow(); show(); break;
      case QEvent::Hide: hide(); break;
      case QEvent::EnabledChange: setEnabled(edit_->isEnabled()); break;
      default: break;
    }
  }
  return QToolButton::eventFilter(watched, e);
}

void CCompanionButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QStyleOptionToolButton opt;
  initStyleOption(&opt);
  opt.text.clear();
  style()->drawComplexControl(QStyle::CC_ToolButton, &opt, &p, this);
  p.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : palette().color(QPalette::Disabled, QPalette::ButtonText));
  const QRect r = rect().adjusted(2, 2, -2, -2);
  if (look_ == Look::Drop) {
    // A small down arrow, as the list's drop button shows it.
    const int w = std::max(4, r.width() / 2), cx = r.center().x(), cy = r.center().y();
    QPolygon tri;
    tri << QPoint(cx - w / 2, cy - w / 4) << QPoint(cx + w / 2, cy - w / 4) << QPoint(cx, cy + w / 4);
    p.setBrush(p.pen().color());
    p.drawPolygon(tri);
  } else {
    p.drawText(r, Qt::AlignCenter, QStringLiteral("..."));
  }
}

bool HandleNoTypingKey(QLineEdit* edit, int key, Qt::KeyboardModifiers mods) {
  const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier;
  if (ctrl && (key == Qt::Key_C || key == Qt::Key_Insert)) {
    edit->copy();
    return true;
  }
  if ((ctrl && (key == Qt::Key_V || key == Qt::Key_X || key == Qt::Key_Z)) ||
      (shift && (key == Qt::Key_Delete || key == Qt::Key_Insert))) {
    platform::MessageBeep();
    return true;
  }
  return false;
}

}  // namespace ui
