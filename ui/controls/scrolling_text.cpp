#include "ui/controls/scrolling_text.h"

#include <QBitmap>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>
#include <cstdlib>

CScrollingTextCtrl::CScrollingTextCtrl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  loader_ = [](const QString& name) { return QImage(name); };
}

void CScrollingTextCtrl::SetColours(QColor group, QColor title, QColor subtitle, QColor text) {
  groupColour_ = group;
  titleColour_ = title;
  subtitleColour_ = subtitle;
  textColour_ = text;
}

void CScrollingTextCtrl::SetHeights(int heading, int subtitle, int text) {
  headingHeight_ = heading;
  subtitleHeight_ = subtitle;
  textHeight_ = text;
}

void CScrollingTextCtrl::SetCodes(QChar group, QChar title, QChar subtitle, QChar bitmap) {
  groupCode_ = group;
  titleCode_ = title;
  subtitleCode_ = subtitle;
  bitmapCode_ = bitmap;
}

void CScrollingTextCtrl::SetLines(const QStringList& lines) {
  lines_ = lines;
  next_ = 0;
}

void CScrollingTextCtrl::Start(int periodMs) {
  Stop();
  timerId_ = startTimer(periodMs);
}

void CScrollingTextCtrl::Stop() {
  if (timerId_) killTimer(timerId_);
  timerId_ = 0;
}

void CScrollingTextCtrl::timerEvent(QTimerEvent* e) {
  if (e->timerId() == timerId_) {
    Tick();
  } else {
    QWidget::timerEvent(e);
  }
}

CScrollingTextCtrl::LineKind CScrollingTextCtrl::KindOf(const QString& line) const {
  if (line.isEmpty()) return LineKind::Text;
  const QChar code = line.back();
  if (code == groupCode_) return LineKind::Group;
  if (code == titleCode_) return LineKind::Title;
  if (code == subtitleCode_) return LineKind::Subtitle;
  if (code == bitmapCode_) return LineKind::Bitmap;
  return LineKind::Text;
}

QFont CScrollingTextCtrl::FontOf(LineKind kind) const {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(std::max(1, HeightOf(kind)));
  f.setWeight(kind == LineKind::Text ? QFont::Thin : QFont::Bold);
  return f;
}

QColor CScrollingTextCtrl::ColourOf(LineKind kind) const {
  switch (kind) {
    case LineKind::Group: return groupColour_;
    case LineKind::Title: return titleColour_;
    case LineKind::Subtitle: return subtitleColour_;
    default: return textColour_;
  }
}

int CScrollingTextCtrl::HeightOf(LineKind kind) const {
  switch (kind) {
    case LineKind::Group:
    case LineKind::Title: return std::abs(headingHeight_);
    case LineKind::Subtitle: return std::abs(subtitleHeight_);
    default: return std::abs(textHeight_);
  }
}

QRect CScrollingTextCtrl::ColumnRect() const {
  QRect c = rect();
  const int w = std::min(columnWidth_, c.width());
  c.setLeft((c.width() - w) / 2);
  c.setWidth(w);
  return c;
}

std::optional<QColor> CScrollingTextCtrl::GradientColour(int style, QColor base, int i) {
  auto each = [&](auto f) { return QColor(f(base.red()), f(base.green()), f(base.blue())); };
  switch (style) {
    case kToBlack: return each([i](int c) { return c - i * c / 255; });
    case kToWhite: return each([i](int c) { return c + i * (255 - c) / 255; });
    case kFromBlack: return each([i](int c) { return i * c / 255; });
    case kFromWhite: return each([i](int c) { return 255 - i * (255 - c) / 255; });
    default: return std::nullopt;
  }
}

void CScrollingTextCtrl::FillBackground(QPainter& p, const QRect& area) const {
  if (gradient_ == kNoGradient || !backgroundPicture_.isNull()) {
    p.fillRect(area, background_);
    return;
  }
  const int w = width();
  for (int i = 0; i < 256; ++i) {
    const QRect band(i * w / 256, area.top(), (i + 1) * w / 256 - i * w / 256, area.height());
    const QRect meet = band.intersected(area);
    if (meet.isEmpty()) continue;
    if (const auto colour = GradientColour(gradient_, background_, i)) p.fillRect(meet, *colour);
  }
}

void CScrollingTextCtrl::DrawPicture(QPainter& p, QPoint at, const QImage& picture, const QRect& source) const {
  if (transparent_ && backgroundPicture_.isNull()) {
    // Light grey lets the background through.
    QImage part = picture.copy(source).convertToFormat(QImage::Format_ARGB32);
    const QImage mask = part.createMaskFromColor(kTransparentGrey, Qt::MaskOutColor);
    part.setAlphaChannel(mask);
    p.drawImage(at, part);
  } else {
    p.drawImage(at, picture, source);
  }
}

void CScrollingTextCtrl::Tick() {
  // 1. The next line starts once the current one has scrolled its height.
  if (!pictureInProgress_) {
    const int old = counter_++;
    if (lineHeight_ <= 0 || old % lineHeight_ == 0) {
      counter_ = 1;
      lineFirstPass_ = firstPass_;
      if (lines_.isEmpty()) {
        current_.clear();
      } else {
        if (next_ >= lines_.size()) next_ = 0;
        current_ = lines_[next_++];
        if (next_ >= lines_.size()) {
          firstPass_ = false;
          next_ = 0;
        }
      }
      revealed_ = 0;
      newLine_ = true;
    }
  }

  // 2.-3. Scroll the column and uncover a band at its bottom.
  if (work_.size() != size()) {
    work_ = QImage(size(), QImage::Format_RGB32);
    QPainter init(&work_);
    FillBackground(init, work_.rect());
  }
  QRect column = ColumnRect();
  const int band = std::abs(step_);
  QRect scrolled = column.width() > 0 ? column : QRect(0, height() - band, width(), band);
  QPainter p(&work_);
  if (band > 0 && scrolled.height() > band) {
    const QImage moved = work_.copy(scrolled.adjusted(0, band, 0, 0));
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(scrolled.topLeft(), moved);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  const QRect uncovered(scrolled.left(), scrolled.bottom() + 1 - band, scrolled.width(), band);
  revealed_ += band;
  const LineKind kind = KindOf(current_);
  const QString shown = current_.isEmpty() ? QString() : current_.left(current_.size() - 1);
  if (kind == LineKind::Bitmap) {
    if (!pictureInProgress_) {
      const QImage loaded = loader_ ? loader_(shown) : QImage();
      if (!loaded.isNull()) {
        picture_ = loaded;
        pictureLeft_ = column.left() + column.width() / 2 - picture_.width() / 2;
        pictureBottom_ = column.bottom();
        pictureInProgress_ = true;
        lineHeight_ = picture_.height();
      }
    }
  } else {
    lineHeight_ = HeightOf(kind);
  }
  FillBackground(p, uncovered);

  if (pictureInProgress_) {
    // 4. Reveal the picture's top rows, ending at the column's bottom.
    if (lineFirstPass_ && column.width() < picture_.width()) {
      columnWidth_ = std::min(picture_.width(), width());
      column = ColumnRect();
    }
    const int rows = std::min(revealed_, picture_.height());
    DrawPicture(p, QPoint(pictureLeft_, column.bottom() + 1 - rows), picture_, QRect(0, 0, picture_.width(), rows));
    if (revealed_ >= picture_.height()) {
      picture_ = QImage();
      pictureInProgress_ = false;
      revealed_ = 0;
      current_.clear();
      counter_ = 1;
    }
  } else if (kind != LineKind::Bitmap && !shown.isEmpty()) {
    // 5. The text, its top `revealed` pixels above the column's bottom.
    const QFont font = FontOf(kind);
    p.setFont(font);
    const int textWidth = p.fontMetrics().horizontalAdvance(shown);
    if (lineFirstPass_ && column.width() < textWidth) {
      columnWidth_ = std::min(textWidth, width());
      column = ColumnRect();
    }
    const QRect box(column.left(), column.bottom() + 1 - revealed_, column.width(), revealed_);
    p.setClipRect(box);
    p.setPen(ColourOf(kind));
    p.drawText(QRect(box.left(), box.top(), box.width(), std::max(revealed_, lineHeight_)),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, shown);
    p.setClipping(false);
    newLine_ = false;
  }
  p.end();
  // 6.
  update();
}

QImage CScrollingTextCtrl::Compose(const QImage& surface) const {
  if (backgroundPicture_.isNull()) return surface;
  QImage out(surface.size(), QImage::Format_RGB32);
  QPainter p(&out);
  for (int y = 0; y < out.height(); y += backgroundPicture_.height()) {
    for (int x = 0; x < out.width(); x += backgroundPicture_.width()) p.drawImage(x, y, backgroundPicture_);
  }
  const QRgb key = transparent_ ? kTransparentGrey : background_.rgb();
  QImage front = surface.convertToFormat(QImage::Format_ARGB32);
  front.setAlphaChannel(front.createMaskFromColor(key, Qt::MaskOutColor));
  p.drawImage(0, 0, front);
  return out;
}

void CScrollingTextCtrl::paintEvent(QPaintEvent*) {
  if (paused_) return;
  QPainter target(this);
  if (!work_.isNull()) {
    target.drawImage(0, 0, Compose(work_));
    return;
  }
  // Before the first tick: the list from its head down until the window is full.
  QImage surface(size(), QImage::Format_RGB32);
  QPainter p(&surface);
  FillBackground(p, surface.rect());
  const QRect column = ColumnRect().width() > 0 ? ColumnRect() : rect();
  int y = 0;
  for (const QString& line : lines_) {
    if (y >= height()) break;
    const LineKind kind = KindOf(line);
    const QString shown = line.isEmpty() ? QString() : line.left(line.size() - 1);
    if (kind == LineKind::Bitmap) {
      const QImage picture = loader_ ? loader_(shown) : QImage();
      if (picture.isNull()) continue;
      DrawPicture(p, QPoint(column.left() + column.width() / 2 - picture.width() / 2, y), picture, picture.rect());
      y += picture.height();
      continue;
    }
    const QFont font = FontOf(kind);
    p.setFont(font);
    if (shown.isEmpty()) {
      y += p.fontMetrics().boundingRect(QLatin1Char('W')).height();
      continue;
    }
    p.setPen(ColourOf(kind));
    const int h = HeightOf(kind);
    p.drawText(QRect(column.left(), y, column.width(), h), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, shown);
    y += h;
  }
  p.end();
  target.drawImage(0, 0, Compose(surface));
}
