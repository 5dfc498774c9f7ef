// The square button that lookup, launcher, selection and sub-dialog editors keep at their right
// edge: a sibling of the edit, laid over the edit's last square (the edit leaves that room free in
// its text margins), following the edit when it moves, hides or is enabled.
#pragma once

#include <QToolButton>

class QLineEdit;

namespace ui {

constexpr int kCompanionButtonId = 123;

class CCompanionButton : public QToolButton {
  Q_OBJECT
 public:
  enum class Look { Drop, Dots };
  // Made for `edit` in the edit's parent; `tipStringId` names its window text (0: none).
  CCompanionButton(QLineEdit* edit, Look look, int tipStringId);
  ~CCompanionButton() override;
  // Lays the button over the edit's right square again.
  void Follow();
  QLineEdit* Edit() const { return edit_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void moveEvent(QMoveEvent* e) override;

 private:
  QLineEdit* edit_;
  Look look_;
  bool following_ = false;
};

// The keys of the editors that take no typed text (launcher, selection and sub-dialog edits):
// Ctrl+C and Ctrl+Insert copy; Ctrl+V, Ctrl+X, Ctrl+Z, Shift+Delete and Shift+Insert beep. True when
// the key was consumed.
bool HandleNoTypingKey(QLineEdit* edit, int key, Qt::KeyboardModifiers mods);

}  // namespace ui
