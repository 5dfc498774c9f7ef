// The information button of a row: a square icon button over the page beside a box of the row,
// kept there while the page scrolls. (The rows' scroll buttons: row_table_buttons.h.)
#pragma once

#include <QToolButton>

#include <functional>

#include "forms/pages/row_table_buttons.h"
#include "forms/view/page_view.h"

namespace forms {

// A square button with the information icon beside a box of a row.
class CRowIconButton {
 public:
  static constexpr int kTip = 96803;
  CRowIconButton(CProg32View& view, int id);
  bool Create();
  // Over the square right of `anchor` (page pixels), as high as the box.
  void Place(const QRect& anchor);
  void Reposition();
  QToolButton* Button() const { return button_; }
  std::function<void()> onPress;

 private:
  CProg32View& view_;
  int id_;
  QToolButton* button_ = nullptr;
  QRect at_;
};

}  // namespace forms
