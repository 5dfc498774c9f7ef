#include "ui/type_ahead_guard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

#include "platform/sound.h"

namespace ui {

TypeAheadGuard::TypeAheadGuard() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

TypeAheadGuard::~TypeAheadGuard() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

namespace {
bool IsCharacterKey(const QKeyEvent* k) {
  if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString t = k->text();
  return !t.isEmpty() && t.at(0).unicode() >= 0x20 && t.at(0).unicode() != 0x7F;
}
}  // namespace

bool TypeAheadGuard::eventFilter(QObject* watched, QEvent* event) {
  if (!armed_ || !watched->isWidgetType()) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      armed_ = false;
      return false;
    case QEvent::FocusIn: {
      // The focus moved from one field of the window to another: the user chose where to type.
      auto* w = static_cast<QWidget*>(watched);
      const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
      if (lastFocus_ && lastFocus_ != w && lastFocus_->window() == w->window() &&
          why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
        armed_ = false;
      lastFocus_ = w;
      return false;
    }
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(event);
      if (!IsCharacterKey(k)) {
        armed_ = false;
        return false;
      }
      if (dropped_++ == 0) platform::MessageBeep();
      return true;
    }
    case QEvent::KeyRelease:
      return IsCharacterKey(static_cast<QKeyEvent*>(event));
    default:
      return false;
  }
}

}  // namespace ui
