// A panel that scrolls lines of text and pictures upwards, credits-style, in a centred column.
// The last character of each line is a code that picks its font and colour or marks it as the
// name of a picture. Everything is set by whoever builds the panel.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

class CScrollingTextCtrl : public QWidget {
  Q_OBJECT
 public:
  enum Gradient { kNoGradient = 0, kToBlack = 1, kToWhite = 2, kFromBlack = 3, kFromWhite = 4 };
  static constexpr QRgb kTransparentGrey = qRgb(192, 192, 192);

  explicit CScrollingTextCtrl(QWidget* parent = nullptr);

  void SetBackgroundColour(QColor c) { background_ = c; }
  void SetColours(QColor group, QColor title, QColor subtitle, QColor text);
  void SetHeights(int heading, int subtitle, int text);
  void SetCodes(QChar group, QChar title, QChar subtitle, QChar bitmap);
  void SetLines(const QStringList& lines);
  void SetScrollStep(int pixels) { step_ = pixels; }
  void SetColumnWidth(int width) { columnWidth_ = width; }
  void SetGradientStyle(int style) { gradient_ = style; }
  void SetBackgroundPicture(const QImage& picture) { backgroundPicture_ = picture; }
  void SetTransparentPictures(bool transparent) { transparent_ = transparent; }
  void SetPaused(bool paused) { paused_ = paused; }
  // Pictures of bitmap lines by name (by default a file or a ":/" resource of that name).
  void SetPictureLoader(std::function<QImage(const QString&)> loader) { loader_ = std::move(loader); }

  // Starts (or restarts) the scrolling timer; a tick every `periodMs` milliseconds.
  void Start(int periodMs);
  void Stop();
  // One step of the scroll, as the timer does it.
  void Tick();

  const QImage& WorkSurface() const { return work_; }
  int ColumnWidth() const { return columnWidth_; }
  bool FirstPass() const { return firstPass_; }
  bool PictureInProgress() const { return pictureInProgress_; }

  // Colour of band i (0..255) of a gradient over `base`; none for a style without gradient.
  static std::optional<QColor> GradientColour(int style, QColor base, int band);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

 private:
  enum class LineKind { Group, Title, Subtitle, Bitmap, Text };
  LineKind KindOf(const QString& line) const;
  QFont FontOf(LineKind kind) const;
  QColor ColourOf(LineKind kind) const;
  int HeightOf(LineKind kind) const;
  QRect ColumnRect() const;
  void FillBackground(QPainter& p, const QRect& area) const;
  void DrawPicture(QPainter& p, QPoint at, const QImage& picture, const QRect& source) const;
  QImage Compose(const QImage& surface) const;

  QColor background_ = Qt::black;
  QColor groupColour_ = Qt::white, titleColour_ = Qt::white, subtitleColour_ = Qt::white, textColour_ = Qt::white;
  int headingHeight_ = 20, subtitleHeight_ = 16, textHeight_ = 14;
  QChar groupCode_ = QLatin1Char('\t'), titleCode_ = QLatin1Char('\n'), subtitleCode_ = QLatin1Char('\r'),
        bitmapCode_ = QLatin1Char('\b');
  QStringList lines_;
  QString current_;
  int counter_ = 0;
  int next_ = 0;
  bool firstPass_ = true;
  bool lineFirstPass_ = true;
  bool newLine_ = false;
  int revealed_ = 0;
  int step_ = -1;
  int lineHeight_ = 0;
  QImage work_;
  QImage picture_;
  int pictureLeft_ = 0, pictureBottom_ = 0;
  bool pictureInProgress_ = false;
  QImage backgroundPicture_;
  int gradient_ = kNoGradient;
  bool transparent_ = false;
  int columnWidth_ = 0;
  bool paused_ = false;
  int timerId_ = 0;
  std::function<QImage(const QString&)> loader_;
};
