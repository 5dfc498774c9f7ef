#include "forms/pages/row_buttons.h"

#include <QScrollBar>

#include <algorithm>

#include "platform/icons.h"
#include "platform/strings.h"

namespace forms {

namespace {

QToolButton* NewButton(CProg32View& view, int id, const QIcon& icon, const QString& tip) {
  auto* b = new QToolButton(view.viewport());
  b->setObjectName(QString::number(id));
  b->setIcon(icon);
  b->setIconSize(QSize(CRowButtons::kSide - 4, CRowButtons::kSide - 4));
  b->setFixedSize(CRowButtons::kSide, CRowButtons::kSide);
  b->setFocusPolicy(Qt::NoFocus);
  b->setToolTip(tip);
  b->show();
  return b;
}

}  // namespace

CRowButtons::CRowButtons(CProg32View& view, int nextId, int previousId)
    : view_(view), nextId_(nextId), previousId_(previousId) {}

bool CRowButtons::Create() {
  const QIcon next = platform::NamedBitmap("IDB_SIGU"), previous = platform::NamedBitmap("IDB_PREVU");
  if (next.isNull() || previous.isNull()) return false;
  next_ = NewButton(view_, nextId_, next, platform::LoadString(kNextTip));
  previous_ = NewButton(view_, previousId_, previous, platform::LoadString(kPreviousTip));
  QObject::connect(next_, &QToolButton::clicked, [this] {
    if (onPress) onPress(0);
  });
  QObject::connect(previous_, &QToolButton::clicked, [this] {
    if (onPress) onPress(1);
  });
  return true;
}

void CRowButtons::Place(QPoint next, QPoint previous) {
  nextAt_ = next;
  previousAt_ = previous;
  Reposition();
}

void CRowButtons::Reposition() {
  const QPoint scroll = view_.ScrollPosition();
  if (next_) next_->move(nextAt_ - scroll);
  if (previous_) previous_->move(previousAt_ - scroll);
}

void CRowButtons::Update(bool canNext, bool canPrevious) {
  if (next_) next_->setEnabled(canNext);
  if (previous_) previous_->setEnabled(canPrevious);
}

CRowIconButton::CRowIconButton(CProg32View& view, int id) : view_(view), id_(id) {}

bool CRowIconButton::Create() {
  const QIcon icon = platform::ProgramIcon(platform::kIconInformation);
  if (icon.isNull()) return false;
  button_ = new QToolButton(view_.viewport());
  button_->setObjectName(QString::number(id_));
  button_->setIcon(icon);
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setToolTip(platform::LoadString(kTip));
  button_->show();
  QObject::connect(button_, &QToolButton::clicked, [this] {
    if (onPress) onPress();
  });
  return true;
}

void CRowIconButton::Place(const QRect& anchor) {
  const int side = anchor.height();
  at_ = QRect(anchor.right() + 1, anchor.top(), side, side);
  Reposition();
}

void CRowIconButton::Reposition() {
  if (!button_) return;
  button_->setGeometry(at_.translated(-view_.ScrollPosition()));
  button_->setIconSize(QSize(std::max(at_.width() - 4, 8), std::max(at_.height() - 4, 8)));
}

}  // namespace forms
