// The push button of every dialog: an icon beside a centred caption, flat (an edge only while the
// mouse is over it) or with the classic raised edge, painted off screen in one copy.
#pragma once

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

// True only on a platform version that cannot draw owner-drawn buttons; never on this platform.
bool IsOldWindowsNT();

// Off-screen surface over a target painter: everything drawn on it reaches the target in one copy
// when it goes out of scope.
class CMemoryDC {
 public:
  CMemoryDC(QPainter& target, const QRect& area);
  ~CMemoryDC();
  QPainter& painter() { return painter_; }

 private:
  QPainter& target_;
  QRect area_;
  QPixmap pixmap_;
  QPainter painter_;
};

class COwnerDrawButton : public QPushButton {
  Q_OBJECT
 public:
  explicit COwnerDrawButton(QWidget* parent = nullptr);
  COwnerDrawButton(const QString& text, QWidget* parent);

  // Hot icon shown while hovered or pressed, the normal one otherwise (0: the hot one again).
  void SetIcon(unsigned hotIconId, unsigned normalIconId, unsigned char width, unsigned char height);
  void SetIcon(const QIcon& hot, const QIcon& normal, unsigned char width, unsigned char height);
  void SetFlat(bool flat);
  void SetDrawFocusRect(bool draw, bool repaint);
  void SetGuiFont();

  bool IsFlat() const { return flat_; }
  bool IsHovered() const { return hovered_; }
  bool IsPlainMode() const { return plainMode_; }
  bool HasIcon() const { return !hotIcon_.isNull(); }
  // Where the last paint put the icon and the caption (for tests of the geometry).
  QRect LastIconRect() const { return lastIcon_; }
  QRect LastCaptionRect() const { return lastCaption_; }
  // Room for the icon beside the caption.
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void Draw(QPainter& p);

  bool plainMode_;
  bool flat_ = true;
  bool hovered_ = false;
  bool focusWhenFlat_ = false;
  QIcon hotIcon_, normalIcon_;
  unsigned char iconW_ = 0, iconH_ = 0;
  QColor normalBack_, normalText_, hoverBack_, hoverText_;
  QRect lastIcon_, lastCaption_;
};
