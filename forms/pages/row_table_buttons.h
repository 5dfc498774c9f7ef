// The previous / next buttons of a page's scrolled row tables: one pair per table, two 20 x 20
// bitmap buttons beside an anchor box of the table's last visible row (or at spots the page
// gives), enabled while the table can scroll that way. A press (or F3 / F4 in the table's boxes)
// scrolls the table: by default the open editor is committed, the table scrolled and repainted
// and the page handed the editor's position to move it off a box that became read-only; a page
// with a scroll of its own sets onPress.
#pragma once

#include <QPointer>
#include <QToolButton>

#include <functional>
#include <vector>

#include "forms/view/form_views.h"

namespace forms {

class CRowTableButtons {
 public:
  // String ids of the tooltips.
  static constexpr int kNextTip = 96801, kPreviousTip = 96802;
  static constexpr int kSide = 20;
  // One pair: the table, the anchor box, the previous button's offset from the anchor's corner
  // (right + height, top) in pixels, and the positions whose editor F3 / F4 act on. Anchor 0: the
  // offset is the previous button's place on the page, in page units (a section band's right end).
  struct Pair {
    int table;
    int anchor;
    int dx;
    int dy;
    int firstPosition;
    int lastPosition;
  };
  // After a scroll: what the page does when the box under the editor (position) is read-only now.
  using AfterScroll = std::function<void(int table, int position)>;

  CRowTableButtons(CFormView& view, std::vector<Pair> pairs, AfterScroll after = {});
  // The buttons on the view's viewport, with their tooltips and enabled state; FALSE (nothing
  // created) when a bitmap is missing.
  bool Create();
  void Update();
  void Reposition();
  // The first pair at fixed page positions (page pixels, before scrolling) instead of its anchor.
  void Place(QPoint next, QPoint previous);
  // Direction 0 next, 1 previous; nothing when the button is disabled.
  void Press(int table, int direction);
  // F3 / F4 with the editor on a box of a table; FALSE when the key is not one of them there.
  bool HandleKey(int key);
  QToolButton* Button(int table, int direction) const;
  // The first pair's buttons.
  QToolButton* Next() const { return made_.empty() ? nullptr : made_.front().next.data(); }
  QToolButton* Previous() const { return made_.empty() ? nullptr : made_.front().previous.data(); }
  // A page's own scroll in place of the default one.
  std::function<void(int table, int direction)> onPress;

 private:
  struct Made {
    Pair pair;
    QPointer<QToolButton> next, previous;
    bool placed = false;
    QPoint nextAt, previousAt;
  };
  CFormView& view_;
  std::vector<Made> made_;
  AfterScroll after_;
};

// The pages with one scrolled table spoke of their buttons by this name.
using CRowButtons = CRowTableButtons;

}  // namespace forms
