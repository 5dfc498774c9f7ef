#include "forms/pages/row_buttons.h"

#include <QScrollBar>

#include <algorithm>

#include "platform/icons.h"
#include "platform/strings.h"

namespace forms {

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
