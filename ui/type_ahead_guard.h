// Keys typed after the key that opened a box's dialog must not land in whatever field of that
// dialog happens to have the focus (it may stand for another amount than the box). While the guard
// lives, character keys are dropped with a beep until the user does something in the dialog other
// than typing on: a mouse press, a key that is not a character (Tab, an arrow, Enter, Escape...),
// or the focus put on another field of the dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace ui {

class TypeAheadGuard : public QObject {
 public:
  // Watches the application from now until destroyed.
  TypeAheadGuard();
  ~TypeAheadGuard() override;
  TypeAheadGuard(const TypeAheadGuard&) = delete;
  TypeAheadGuard& operator=(const TypeAheadGuard&) = delete;

  int Dropped() const { return dropped_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool armed_ = true;
  QPointer<QWidget> lastFocus_;
  int dropped_ = 0;
};

}  // namespace ui
