#include "ui/mapped_bitmap_button.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "platform/icons.h"

namespace {
constexpr int kImage = 16;   // the strips' image size
constexpr int kMargin = 4;   // the frame around the image
}  // namespace

CMappedBitmapButton::CMappedBitmapButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::TabFocus);
  setFixedSize(sizeHint());
}

bool CMappedBitmapButton::LoadMappedBitmap(int bitmapId) {
  images_.clear();
  bitmapId_ = -1;
  images_ = platform::ProgramImages(bitmapId);
  if (images_.isEmpty()) return false;
  bitmapId_ = bitmapId;
  update();
  return true;
}

int CMappedBitmapButton::ImageIndex() const {
  if (isDown()) return 1;
  if (hasFocus()) return 2;
  if (!isEnabled()) return 3;
  return 0;
}

QSize CMappedBitmapButton::sizeHint() const { return QSize(kImage + 2 * kMargin, kImage + 2 * kMargin); }

void CMappedBitmapButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QStyleOptionButton frame;
  frame.initFrom(this);
  frame.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &frame, &p, this);
  if (images_.isEmpty()) return;
  const int index = ImageIndex();
  const bool own = index < images_.size();
  const QIcon& icon = own ? images_[index] : images_[0];
  const QIcon::Mode mode = !own && index == 3 ? QIcon::Disabled : QIcon::Normal;
  const int shift = isDown() ? 1 : 0;
  icon.paint(&p, QRect(kMargin + shift, kMargin + shift, kImage, kImage), Qt::AlignCenter, mode);
  if (index == 2 && !own) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(2, 2, -2, -2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
  }
}

void CMappedBitmapButton::changeEvent(QEvent* event) {
  // New system colours: the images are taken again.
  if (event->type() == QEvent::PaletteChange && images_.size() == 4) LoadMappedBitmap(bitmapId_);
  QAbstractButton::changeEvent(event);
}
