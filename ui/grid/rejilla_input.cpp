// Focus cell, selection, keyboard, mouse, scrolling and in-place editing of the grid.
#include "ui/grid/grid_cell_editor.h"
#include "ui/grid/rejilla_ctrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace qx::grid {

void CRejillaCtrl::Notify(int code, int row, int col) {
  if (destroying_) return;
  emit gridNotify(code, row, col);
}

// ---------------------------------------------------------------- focus and selection

void CRejillaCtrl::RedrawHeadingsOf(int row, int col) {
  if (col >= 0)
    for (int r = 0; r < fixedRows_; ++r) RedrawCell(r, col);
  if (row >= 0)
    for (int c = 0; c < fixedCols_; ++c) RedrawCell(row, c);
}

GridCellId CRejillaCtrl::SetFocusCell(int row, int col) {
  const GridCellId prev = focus_;
  const GridCellId next(row, col);
  if (next == prev) return prev;
  if (IsValid(prev)) {
    Notify(kNotifyFocusLeft, prev.row, prev.col);
    if (CGridCellData* c = Cell(prev.row, prev.col)) c->state &= ~kStateFocused;
    RedrawCell(prev.row, prev.col);
    RedrawHeadingsOf(prev.row != row ? prev.row : -1, prev.col != col ? prev.col : -1);
  }
  focus_ = next;
  if (IsValid(next)) {
    if (CGridCellData* c = Cell(row, col)) c->state |= kStateFocused;
    RedrawCell(row, col);
    RedrawHeadingsOf(row, col);
    Notify(kNotifyFocusSet, row, col);
  }
  return prev;
}

void CRejillaCtrl::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool) {
  if (!selectable_) return;
  const GridCellSpan span(minRow, minCol, maxRow, maxCol);
  // Repaints are queued either way: the backing store already paints in one pass.
  for (const auto& [key, id] : selected_) {
    if (CGridCellData* c = Cell(id.row, id.col)) {
      c->state &= ~kStateSelected;
      if (!span.contains(id.row, id.col)) InvalidateCell(id.row, id.col);
    }
  }
  selected_.clear();
  // Cells selected before Ctrl was held stay selected.
  for (const auto& [key, id] : prevSelected_) {
    if (CGridCellData* c = Cell(id.row, id.col)) {
      c->state |= kStateSelected;
      selected_[key] = id;
      InvalidateCell(id.row, id.col);
    }
  }
  if (IsValid(span)) {
    for (int r = minRow; r <= maxRow; ++r)
      for (int c = minCol; c <= maxCol; ++c) {
        CGridCellData* cell = Cell(r, c);
        if (!cell) continue;
        const bool had = cell->state & kStateSelected;
        cell->state |= kStateSelected;
        selected_[SelKey(r, c)] = GridCellId(r, c);
        if (!had) InvalidateCell(r, c);
      }
  }
}

void CRejillaCtrl::ResetSelectedRange() {
  SetSelectedRange(-1, -1, -1, -1);
  SetFocusCell(-1, -1);
}

GridCellSpan CRejillaCtrl::GetSelectedSpan() const {
  GridCellSpan s(rowCount_, colCount_, -1, -1);
  for (const auto& [key, id] : selected_) {
    s.minRow = std::min(s.minRow, id.row);
    s.minCol = std::min(s.minCol, id.col);
    s.maxRow = std::max(s.maxRow, id.row);
    s.maxCol = std::max(s.maxCol, id.col);
  }
  return s;
}

void CRejillaCtrl::SelectAllBodyCells() {
  if (!selectable_) return;
  SetSelectedRange(fixedRows_, fixedCols_, rowCount_ - 1, colCount_ - 1);
}

void CRejillaCtrl::SelectColumnSpan(const GridCellId& c) {
  if (!selectable_ || !IsValid(c) || c.col < fixedCols_) return;
  SetSelectedRange(fixedRows_, std::min(selStart_.col, c.col), rowCount_ - 1, std::max(selStart_.col, c.col));
}

void CRejillaCtrl::SelectRowSpan(const GridCellId& c) {
  if (!selectable_ || !IsValid(c) || c.row < fixedRows_) return;
  SetSelectedRange(std::min(selStart_.row, c.row), fixedCols_, std::max(selStart_.row, c.row), colCount_ - 1);
}

void CRejillaCtrl::SelectCellSpan(const GridCellId& c) {
  if (!selectable_ || !IsValid(c) || c.row < fixedRows_ || c.col < fixedCols_) return;
  SetSelectedRange(std::min(selStart_.row, c.row), std::min(selStart_.col, c.col), std::max(selStart_.row, c.row),
                   std::max(selStart_.col, c.col));
}

void CRejillaCtrl::ExtendSelection(const GridCellId& c) {
  if (!selectable_) return;
  switch (mouseMode_) {
    case MouseMode::SelectAll: SelectAllBodyCells(); break;
    case MouseMode::SelectColumns: SelectColumnSpan(c); break;
    case MouseMode::SelectRows: SelectRowSpan(c); break;
    case MouseMode::SelectCells: SelectCellSpan(c); break;
    default: break;
  }
}

void CRejillaCtrl::OnHeadingRowClick(const GridCellId& c) {
  if (!rowMode_) {
    mouseMode_ = c.col < fixedCols_ ? MouseMode::SelectAll : MouseMode::SelectColumns;
    ExtendSelection(c);
  } else if (sortOnHeading_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (c.col == sortColumn_) {
      sortAscending_ = !sortAscending_;
    } else {
      sortColumn_ = c.col;
      sortAscending_ = true;
    }
    SortRowsByText(sortColumn_, sortAscending_);
    viewport()->update();
    QApplication::restoreOverrideCursor();
  }
}

void CRejillaCtrl::OnHeadingColumnClick(const GridCellId& c) {
  mouseMode_ = c.row < fixedRows_ ? MouseMode::SelectAll : MouseMode::SelectRows;
  ExtendSelection(c);
}

// ---------------------------------------------------------------- scrolling

namespace {
int ScrollTarget(int code, int pos, int max, int page, int lineBack, int lineFwd, bool canLineBack, int track) {
  switch (ScrollCode(code)) {
    case ScrollCode::LineUp: return pos > 0 && canLineBack ? std::max(pos - lineBack, 0) : pos;
    case ScrollCode::LineDown: return pos < max ? std::min(pos + lineFwd, max) : pos;
    case ScrollCode::PageUp: return pos > 0 ? std::max(pos - page, 0) : pos;
    case ScrollCode::PageDown: return pos < max ? std::min(pos + page, max) : pos;
    case ScrollCode::Top: return 0;
    case ScrollCode::Bottom: return max;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: return std::clamp(track, 0, max);
  }
  return pos;
}
}  // namespace

void CRejillaCtrl::Scroll(Qt::Orientation o, ScrollCode code, int trackPos) {
  if (int(code) > 7 || int(code) < 0) return;
  if (!hasFocus() && focusPolicy() != Qt::NoFocus) setFocus(Qt::OtherFocusReason);
  QScrollBar* sb = o == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
  const GridCellId first = GetFirstScrolledCell();
  int lineBack = 0, lineFwd = 0, page = 0;
  bool canBack = false;
  if (o == Qt::Vertical) {
    canBack = first.row > fixedRows_;
    lineBack = canBack ? rowHeights_[size_t(first.row - 1)] : 0;
    lineFwd = first.row >= 0 && first.row < rowCount_ ? rowHeights_[size_t(first.row)] : 0;
    page = viewport()->height() - GetHeadingRowsHeight();
  } else {
    canBack = first.col > fixedCols_;
    lineBack = canBack ? colWidths_[size_t(first.col - 1)] : 0;
    lineFwd = first.col >= 0 && first.col < colCount_ ? colWidths_[size_t(first.col)] : 0;
    page = viewport()->width() - GetHeadingColumnsWidth();
  }
  sb->setValue(ScrollTarget(int(code), sb->value(), sb->maximum(), page, lineBack, lineFwd, canBack, trackPos));
}

void CRejillaCtrl::OnScrollAction(Qt::Orientation o, int action) {
  // The bars' own arrows and page areas step by whole rows and columns, as the keyboard does.
  QScrollBar* sb = o == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
  ScrollCode code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = ScrollCode::LineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = ScrollCode::LineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = ScrollCode::PageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = ScrollCode::PageDown; break;
    default: return;
  }
  const int before = sb->value();
  Scroll(o, code);
  const int target = sb->value();
  // The bar applies its own position after this signal; make it ours.
  sb->setValue(before);
  sb->setSliderPosition(target);
}

void CRejillaCtrl::EnsureVisible(int row, int col) {
  const GridCellSpan vis = GetVisibleBodyRange();
  const int right = col - vis.maxCol;
  const int left = vis.minCol - col;
  const int down = row - vis.maxRow;
  const int up = vis.minRow - row;
  for (int i = 0; i < right; ++i) Scroll(Qt::Horizontal, ScrollCode::LineDown);
  for (int i = 0; i < left; ++i) Scroll(Qt::Horizontal, ScrollCode::LineUp);
  for (int i = 0; i < down; ++i) Scroll(Qt::Vertical, ScrollCode::LineDown);
  for (int i = 0; i < up; ++i) Scroll(Qt::Vertical, ScrollCode::LineUp);
  QRect r;
  if (GetCellRect(row, col, r)) {
    if (r.right() >= viewport()->width()) Scroll(Qt::Horizontal, ScrollCode::LineDown);
    if (r.bottom() >= viewport()->height()) Scroll(Qt::Vertical, ScrollCode::LineDown);
  }
}

void CRejillaCtrl::wheelEvent(QWheelEvent* e) {
  const int d = e->angleDelta().y();
  if (wheelLines_ == -1) {
    const int n = d / 120;
    for (int i = 0; i < n; ++i) Scroll(Qt::Vertical, ScrollCode::PageUp);
    for (int i = 0; i < -n; ++i) Scroll(Qt::Vertical, ScrollCode::PageDown);
  } else {
    const int n = d * wheelLines_ / 120;
    for (int i = 0; i < n; ++i) Scroll(Qt::Vertical, ScrollCode::LineUp);
    for (int i = 0; i < -n; ++i) Scroll(Qt::Vertical, ScrollCode::LineDown);
  }
  e->accept();
}

// ---------------------------------------------------------------- keyboard

bool CRejillaCtrl::event(QEvent* e) {
  // The grid takes Tab itself (unless Ctrl is held) and leaves it to the dialog only when the
  // focus cannot move on.
  if (e->type() == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(e);
    if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) && handleTab_ &&
        !(ke->modifiers() & Qt::ControlModifier)) {
      const bool shift = ke->key() == Qt::Key_Backtab || (ke->modifiers() & Qt::ShiftModifier);
      if (HandleKey(Qt::Key_Tab, shift ? Qt::ShiftModifier : Qt::NoModifier)) return true;
      focusNextPrevChild(!shift);
      return true;
    }
  } else if (e->type() == QEvent::ShortcutOverride) {
    // Clipboard keys belong to the grid while it has the focus.
    auto* ke = static_cast<QKeyEvent*>(e);
    if (ke->modifiers() & Qt::ControlModifier) {
      const int k = ke->key();
      if (k == Qt::Key_A || k == Qt::Key_C || k == Qt::Key_V || k == Qt::Key_X) {
        e->accept();
        return true;
      }
    }
  }
  return QAbstractScrollArea::event(e);
}

bool CRejillaCtrl::focusNextPrevChild(bool next) { return QAbstractScrollArea::focusNextPrevChild(next); }

void CRejillaCtrl::keyPressEvent(QKeyEvent* e) {
  const int k = e->key();
  const Qt::KeyboardModifiers mods = e->modifiers();
  bool handled = IsValid(focus_) && HandleKey(k, mods);
  // Typed characters (and Backspace) open the focus cell's editor.
  if (!(mods & Qt::ControlModifier) && mouseMode_ == MouseMode::None && IsValid(focus_)) {
    const QString t = e->text();
    if (k == Qt::Key_Backspace) {
      StartCellEdit(focus_.row, focus_.col, Qt::Key_Backspace);
      handled = true;
    } else if (!t.isEmpty() && t.at(0).isPrint()) {
      StartCellEdit(focus_.row, focus_.col, int(t.toUcs4().value(0)));
      handled = true;
    }
  }
  if (handled)
    e->accept();
  else
    QAbstractScrollArea::keyPressEvent(e);
}

bool CRejillaCtrl::HandleKey(int k, Qt::KeyboardModifiers mods) {
  if (!IsValid(focus_)) return false;
  const bool ctrl = mods & Qt::ControlModifier;
  const bool shift = mods & Qt::ShiftModifier;
  if (ctrl) {
    if (k == Qt::Key_A) SelectAll();
    else if (k == Qt::Key_C) CopyToClipboard();
    else if (k == Qt::Key_V) PasteFromClipboard();
    else if (k == Qt::Key_X) CutToClipboard();
  }
  GridCellId n = focus_;
  bool tabWrapped = false;
  bool handled = true;
  switch (k) {
    case Qt::Key_Tab:
      if (!shift) {
        if (n.col < colCount_ - 1) {
          ++n.col;
        } else if (n.row < rowCount_ - 1) {
          ++n.row;
          n.col = fixedCols_;
          tabWrapped = true;
        } else {
          return false;  // the dialog moves on to its next control
        }
      } else {
        if (n.col > fixedCols_) {
          --n.col;
        } else if (n.row > fixedRows_) {
          --n.row;
          n.col = colCount_ - 1;
          tabWrapped = true;
        } else {
          return false;
        }
      }
      break;
    case Qt::Key_PageUp: {
      const int before = GetFirstScrolledCell().row;
      Scroll(Qt::Vertical, ScrollCode::PageUp);
      const int after = GetFirstScrolledCell().row;
      n.row = after == before ? fixedRows_ : std::max(n.row - (before - after), fixedRows_);
      break;
    }
    case Qt::Key_PageDown: {
      const int before = GetFirstScrolledCell().row;
      Scroll(Qt::Vertical, ScrollCode::PageDown);
      const int after = GetFirstScrolledCell().row;
      n.row = after == before ? rowCount_ - 1 : std::min(n.row + (after - before), rowCount_ - 1);
      break;
    }
    case Qt::Key_End:
      Scroll(Qt::Vertical, ScrollCode::Bottom);
      n.row = rowCount_ - 1;
      break;
    case Qt::Key_Home:
      Scroll(Qt::Vertical, ScrollCode::Top);
      n.row = fixedRows_;
      break;
    case Qt::Key_Left:
      if (n.col > fixedCols_) --n.col;
      break;
    case Qt::Key_Up:
      if (n.row > fixedRows_) --n.row;
      break;
    case Qt::Key_Right:
      if (n.col < colCount_ - 1) ++n.col;
      break;
    case Qt::Key_Down:
      if (n.row < rowCount_ - 1) ++n.row;
      break;
    case Qt::Key_Delete:
      if (IsCellEditable(focus_.row, focus_.col)) {
        SetItemText(focus_.row, focus_.col, QString());
        RedrawCell(focus_.row, focus_.col);
        modified_ = true;
      }
      return true;
    default:
      return ctrl && (k == Qt::Key_A || k == Qt::Key_C || k == Qt::Key_V || k == Qt::Key_X);
  }
  if (n == focus_) return handled;
  if (mouseMode_ == MouseMode::None) {
    prevSelected_.clear();
    mouseMode_ = rowMode_ ? MouseMode::SelectRows : MouseMode::SelectCells;
    if (!shift || k == Qt::Key_Tab) selStart_ = n;
    ExtendSelection(n);
    mouseMode_ = MouseMode::None;
  }
  SetFocusCell(n);
  if (!IsCellShown(n.row, n.col)) {
    EnsureVisible(n.row, n.col);
    switch (k) {
      case Qt::Key_Left: Scroll(Qt::Horizontal, ScrollCode::LineUp); break;
      case Qt::Key_Up: Scroll(Qt::Vertical, ScrollCode::LineUp); break;
      case Qt::Key_Right: Scroll(Qt::Horizontal, ScrollCode::LineDown); break;
      case Qt::Key_Down: Scroll(Qt::Vertical, ScrollCode::LineDown); break;
      case Qt::Key_Tab:
        if (!tabWrapped) {
          Scroll(Qt::Horizontal, shift ? ScrollCode::LineUp : ScrollCode::LineDown);
        } else {
          Scroll(Qt::Vertical, shift ? ScrollCode::LineUp : ScrollCode::LineDown);
          SetScrollOffset(Qt::Horizontal, shift ? GetScrollMaximum(Qt::Horizontal) : 0);
        }
        break;
      default: break;
    }
    viewport()->update();
  }
  return handled;
}

// ---------------------------------------------------------------- mouse

void CRejillaCtrl::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(e);
    return;
  }
  const QPoint p = e->position().toPoint();
  const Qt::KeyboardModifiers mods = e->modifiers();
  leftClickPos_ = p;
  mouseMoved_ = false;
  leftClickCell_ = HitTestCell(p, true);
  if (!IsValid(leftClickCell_)) return;
  selStart_ = (mods & Qt::ShiftModifier) ? focus_ : leftClickCell_;
  const bool hadFocus = hasFocus();
  setFocus(Qt::MouseFocusReason);
  if (leftClickCell_ == focus_) {
    mouseMode_ = MouseMode::PrepareEdit;
    return;
  }
  // A heading click focuses the first body cell of that line.
  SetFocusCell(std::max(leftClickCell_.row, fixedRows_), std::max(leftClickCell_.col, fixedCols_));
  if (dragDrop_ && hadFocus && (GetItemState(leftClickCell_.row, leftClickCell_.col) & kStateSelected)) {
    mouseMode_ = MouseMode::PrepareDrag;
    return;
  }
  if (mouseMode_ == MouseMode::OverColumnDivider) {
    mouseMode_ = MouseMode::SizingColumn;
    QRect r;
    const GridCellId first = GetFirstScrolledCell();
    const int row = fixedRows_ > 0 ? 0 : first.row;
    GetCellRect(row, leftClickCell_.col, r);
    resizeIndex_ = leftClickCell_.col;
    if (std::abs(p.x() - r.left()) <= resizeCaptureRange_ && resizeIndex_ > 0) resizeIndex_ -= 1;
    bandPos_ = p.x();
    viewport()->update();
  } else if (mouseMode_ == MouseMode::OverRowDivider) {
    mouseMode_ = MouseMode::SizingRow;
    QRect r;
    const GridCellId first = GetFirstScrolledCell();
    const int col = fixedCols_ > 0 ? 0 : first.col;
    GetCellRect(leftClickCell_.row, col, r);
    resizeIndex_ = leftClickCell_.row;
    if (std::abs(p.y() - r.top()) <= resizeCaptureRange_ && resizeIndex_ > 0) resizeIndex_ -= 1;
    bandPos_ = p.y();
    viewport()->update();
  } else {
    prevSelected_.clear();
    if (mods & Qt::ControlModifier) prevSelected_ = selected_;
    if (leftClickCell_.row < fixedRows_)
      OnHeadingRowClick(leftClickCell_);
    else if (leftClickCell_.col < fixedCols_)
      OnHeadingColumnClick(leftClickCell_);
    else {
      mouseMode_ = rowMode_ ? MouseMode::SelectRows : MouseMode::SelectCells;
      ExtendSelection(leftClickCell_);
    }
    autoScroll_.start();
  }
  lastMousePos_ = p;
}

void CRejillaCtrl::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  const QRect client = viewport()->rect();
  if (!client.contains(p) && mouseMode_ != MouseMode::Dragging && !(e->buttons() & Qt::LeftButton)) return;
  if (p != leftClickPos_) mouseMoved_ = true;
  if (!(e->buttons() & Qt::LeftButton)) {
    const GridCellId first = GetFirstScrolledCell();
    MouseMode mode = MouseMode::None;
    if (p.y() < GetHeadingRowsHeight() && colResize_) {
      const int c = ColAtX(p.x(), first.col);
      if (c >= 0) {
        const int left = ColX(c, first.col), right = left + colWidths_[size_t(c)];
        if ((std::abs(p.x() - left) <= resizeCaptureRange_ && c > 0) || std::abs(p.x() - right) <= resizeCaptureRange_)
          mode = MouseMode::OverColumnDivider;
      }
    } else if (p.x() < GetHeadingColumnsWidth() && rowResize_) {
      const int r = RowAtY(p.y(), first.row);
      if (r >= 0) {
        const int top = RowY(r, first.row), bottom = top + rowHeights_[size_t(r)];
        if ((std::abs(p.y() - top) <= resizeCaptureRange_ && r > 0) || std::abs(p.y() - bottom) <= resizeCaptureRange_)
          mode = MouseMode::OverRowDivider;
      }
    }
    mouseMode_ = mode;
    viewport()->setCursor(mode == MouseMode::OverColumnDivider ? Qt::SizeHorCursor
                          : mode == MouseMode::OverRowDivider  ? Qt::SizeVerCursor
                                                               : Qt::ArrowCursor);
  } else if (IsValid(leftClickCell_)) {
    switch (mouseMode_) {
      case MouseMode::SelectColumns:
      case MouseMode::SelectRows:
      case MouseMode::SelectCells: {
        const GridCellId c = HitTestCell(p, true);
        if (IsValid(c)) {
          ExtendSelection(c);
          if (c.row >= fixedRows_ && c.col >= fixedCols_) SetFocusCell(c);
        }
        break;
      }
      case MouseMode::SizingRow:
        bandPos_ = p.y();
        viewport()->update();
        break;
      case MouseMode::SizingColumn:
        bandPos_ = p.x();
        viewport()->update();
        break;
      case MouseMode::PrepareDrag:
        StartDrag();
        break;
      default: break;
    }
  }
  lastMousePos_ = p;
}

void CRejillaCtrl::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseReleaseEvent(e);
    return;
  }
  const QPoint p = e->position().toPoint();
  autoScroll_.stop();
  switch (mouseMode_) {
    case MouseMode::PrepareEdit:
      StartCellEdit(focus_.row, focus_.col, kKeyLeftButton);
      break;
    case MouseMode::PrepareDrag:
      ResetSelectedRange();
      break;
    case MouseMode::SizingColumn:
    case MouseMode::SizingRow: {
      const bool cols = mouseMode_ == MouseMode::SizingColumn;
      bandPos_ = -1;
      const GridCellId first = GetFirstScrolledCell();
      if (mouseMoved_ && resizeIndex_ >= 0 && resizeIndex_ < (cols ? colCount_ : rowCount_)) {
        // The new size runs from the line's own edge to the release point; a negative one is refused.
        const int size = cols ? p.x() - ColX(resizeIndex_, first.col) : p.y() - RowY(resizeIndex_, first.row);
        if (size >= 0) {
          if (cols)
            SetColumnWidth(resizeIndex_, size);
          else
            SetRowHeight(resizeIndex_, size);
          UpdateScrollBars();
        }
      }
      viewport()->update();
      break;
    }
    default: break;
  }
  mouseMode_ = MouseMode::None;
  viewport()->setCursor(Qt::ArrowCursor);
  if (IsValid(leftClickCell_)) emit clicked();
}

void CRejillaCtrl::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseDoubleClickEvent(e);
    return;
  }
  const QPoint p = e->position().toPoint();
  leftClickCell_ = HitTestCell(p, true);
  if (!IsValid(leftClickCell_)) return;
  const GridCellId first = GetFirstScrolledCell();
  if (mouseMode_ == MouseMode::OverColumnDivider) {
    int c = leftClickCell_.col;
    if (std::abs(p.x() - ColX(c, first.col)) <= resizeCaptureRange_ && c > 0) --c;
    FitColumnToCells(c);
    viewport()->update();
  } else if (mouseMode_ == MouseMode::OverRowDivider) {
    int r = leftClickCell_.row;
    if (std::abs(p.y() - RowY(r, first.row)) <= resizeCaptureRange_ && r > 0) --r;
    FitRowToCells(r);
    viewport()->update();
  } else if (mouseMode_ == MouseMode::None) {
    if (leftClickCell_.row >= fixedRows_ && leftClickCell_.col >= fixedCols_) {
      StartCellEdit(focus_.row, focus_.col, kKeyLeftButton);
    } else if (rowMode_ && leftClickCell_.col < fixedCols_ && leftClickCell_.row >= fixedRows_) {
      StartCellEdit(leftClickCell_.row, leftClickCell_.col, kKeyLeftButton);
    }
  }
  emit cellDoubleClicked(leftClickCell_.row, leftClickCell_.col);
}

void CRejillaCtrl::OnTimer() {
  const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
  const QRect client = viewport()->rect();
  int x = p.x(), y = p.y();
  bool stepped = false;
  if (y > client.bottom()) {
    HandleKey(Qt::Key_Down, Qt::NoModifier);
    y = client.bottom();
    stepped = true;
  } else if (y < GetHeadingRowsHeight()) {
    HandleKey(Qt::Key_Up, Qt::NoModifier);
    y = GetHeadingRowsHeight() + 1;
    stepped = true;
  }
  if (stepped) ExtendSelection(HitTestCell(QPoint(std::clamp(x, 0, client.right()), y), true));
  stepped = false;
  if (x > client.right()) {
    HandleKey(Qt::Key_Right, Qt::NoModifier);
    x = client.right();
    stepped = true;
  } else if (x < GetHeadingColumnsWidth()) {
    HandleKey(Qt::Key_Left, Qt::NoModifier);
    x = GetHeadingColumnsWidth() + 1;
    stepped = true;
  }
  if (stepped) ExtendSelection(HitTestCell(QPoint(x, std::clamp(y, 0, client.bottom())), true));
}

// ---------------------------------------------------------------- in-place editing

void CRejillaCtrl::StartCellEdit(int row, int col, int key) {
  EnsureVisible(row, col);
  if (!IsCellEditable(row, col) || !IsCellShown(row, col)) return;
  QRect r;
  if (!GetCellRect(row, col, r)) return;
  if (editor_) return;  // one editor at a time
  Notify(kNotifyBeginEdit, row, col);
  editor_ = CreateCellEditor(r, GetItemFormat(row, col), kEditorControlId, row, col, GetItemText(row, col), key);
}

QWidget* CRejillaCtrl::CreateCellEditor(const QRect& rect, unsigned format, int id, int row, int col,
                                         const QString& text, int key) {
  return new CGridCellEditor(this, rect, format, id, row, col, text, key);
}

void CRejillaCtrl::FinishCellEdit(int row, int col, const QString& text) { SetItemText(row, col, text); }

void CRejillaCtrl::OnCellEditEnded(const GridEditInfo& info) {
  if (destroying_) return;
  editor_ = nullptr;
  if (info.lastKey != Qt::Key_Escape && info.text != GetItemText(info.row, info.col)) modified_ = true;
  FinishCellEdit(info.row, info.col, info.text);
  RedrawCell(info.row, info.col);
  Notify(kNotifyEndEdit, info.row, info.col);
  switch (info.lastKey) {
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_End: case Qt::Key_Home:
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
      HandleKey(info.lastKey, Qt::NoModifier);
      StartCellEdit(focus_.row, focus_.col, info.lastKey);
      break;
    default: break;
  }
}

}  // namespace qx::grid
