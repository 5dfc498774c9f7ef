// The previous / next buttons of a page's scrolled row tables: one pair per table beside an anchor
// box of the table's last visible row, enabled while the table can scroll that way; a press (or
// F3 / F4 in the table's boxes) commits the open editor, scrolls, repaints and hands the page the
// editor's position to move it off a box that became read-only.
#pragma once

#include <QPointer>
#include <QToolButton>

#include <functional>
#include <vector>

#include "forms/view/form_views.h"

namespace forms {

class CRowTableButtons {
 public:
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

  CRowTableButtons(CFormView& view, std::vector<Pair> pairs, AfterScroll after);
  // The buttons on the view's viewport, with their tooltips and enabled state.
  void Create();
  void Update();
  void Reposition();
  // Direction 0 next, 1 previous; nothing when the button is disabled.
  void Press(int table, int direction);
  // F3 / F4 with the editor on a box of a table; FALSE when the key is not one of them there.
  bool HandleKey(int key);
  QToolButton* Button(int table, int direction) const;

 private:
  struct Made {
    Pair pair;
    QPointer<QToolButton> next, previous;
  };
  CFormView& view_;
  std::vector<Made> made_;
  AfterScroll after_;
};

}  // namespace forms
