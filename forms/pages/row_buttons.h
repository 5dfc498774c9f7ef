// The next and previous buttons of a page's row table: two 20 x 20 bitmap buttons over the page,
// placed beside an anchor box and kept there while the page scrolls; enabled while the table can
// scroll that way.
#pragma once

#include <QToolButton>

#include <functional>

#include "forms/view/page_view.h"

namespace forms {

class CRowButtons {
 public:
  // String ids of the tooltips.
  static constexpr int kNextTip = 96801, kPreviousTip = 96802;
  static constexpr int kSide = 20;

  CRowButtons(CProg32View& view, int nextId, int previousId);
  // Loads the bitmaps and creates the buttons; false (nothing created) when a bitmap is missing.
  bool Create();
  // Page positions of the buttons' top left corners (page pixels, before scrolling).
  void Place(QPoint next, QPoint previous);
  // Moves them by the page's scroll position.
  void Reposition();
  void Update(bool canNext, bool canPrevious);
  QToolButton* Next() const { return next_; }
  QToolButton* Previous() const { return previous_; }
  // Pressed: 0 next, 1 previous.
  std::function<void(int direction)> onPress;

 private:
  CProg32View& view_;
  int nextId_, previousId_;
  QToolButton* next_ = nullptr;
  QToolButton* previous_ = nullptr;
  QPoint nextAt_, previousAt_;
};

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
