// A small flat button that shows only an icon: no edge while the mouse is away, a raised edge
// while it is over it, sunken while pressed. The mouse leaving is noticed by polling the cursor
// every 10 milliseconds (timer 1) while the mouse is over the button.
#pragma once

#include <QBasicTimer>
#include <QIcon>
#include <QPushButton>

class CHoverIconButton : public QPushButton {
  Q_OBJECT
 public:
  static constexpr int kTimerId = 1;
  static constexpr int kPollMs = 10;

  explicit CHoverIconButton(QWidget* parent = nullptr);
  virtual void SetIcon(const QIcon& icon, int width, int height);

  bool IsPolling() const { return timer_.isActive(); }
  bool ShowsRaisedEdge() const { return raised_; }
  // The flag shared by every button of the class: some button shows its raised edge.
  static bool RaisedEdgeShown() { return raisedShared_; }
  // One tick of the hover timer (tests drive it directly).
  void PollCursor();

 protected:
  // The cursor in global coordinates; tests substitute their own.
  virtual QPoint CursorPos() const;
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

 private:
  QRect IconRect() const;
  void ClearRaised();

  int iconW_ = 0, iconH_ = 0;
  bool pressed_ = false;
  bool raised_ = false;
  QBasicTimer timer_;
  static bool raisedShared_;
};
