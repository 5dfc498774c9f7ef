// Cell texts as plain text: clipboard and drag and drop.
#include "ui/grid/rejilla_ctrl.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>

namespace qx::grid {

QString CRejillaCtrl::SelectionText() const {
  const GridCellSpan s = GetSelectedSpan();
  if (!IsValid(s)) return QString();
  QString out;
  for (int r = s.minRow; r <= s.maxRow; ++r) {
    if (r > s.minRow) out += QLatin1Char('\n');
    for (int c = s.minCol; c <= s.maxCol; ++c) {
      if (c > s.minCol) out += QLatin1Char('\t');
      if (GetItemState(r, c) & kStateSelected) {
        const QString t = GetItemText(r, c);
        out += t.isEmpty() ? QStringLiteral(" ") : t;
      }
    }
  }
  return out;
}

QMimeData* CRejillaCtrl::CopySelectionToData() const {
  if (!IsValid(GetSelectedSpan())) return nullptr;
  auto* data = new QMimeData;
  data->setText(SelectionText());
  return data;
}

bool CRejillaCtrl::PasteDataIntoCells(const GridCellId& cell, const QMimeData* data) {
  if (!IsValid(cell) || !IsCellEditable(cell.row, cell.col) || !data || !data->hasText()) return false;
  static const QRegularExpression kSeparators(QStringLiteral("[\t,\n]"));
  const QStringList lines = data->text().split(QLatin1Char('\n'));
  for (int k = 0; k < lines.size(); ++k) {
    QString line = lines[k];
    // Text from other programs ends its lines with CR LF; the CR is not part of the last cell.
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    QStringList pieces;
    if (line.isEmpty()) {
      if (k + 1 == lines.size()) break;
      pieces << QStringLiteral(" ");
    } else {
      pieces = line.split(kSeparators, Qt::SkipEmptyParts);
    }
    for (int t = 0; t < pieces.size(); ++t) {
      const int row = cell.row + k, col = cell.col + t;
      if (!IsValid(row, col)) continue;
      SetItemText(row, col, pieces[t].trimmed());
      SetItemState(row, col, GetItemState(row, col) & ~kStateSelected);
      modified_ = true;
    }
  }
  viewport()->update();
  return true;
}

void CRejillaCtrl::ClearSelectedCells() {
  if (!editable_) return;
  for (const auto& [key, id] : selected_) {
    if (!IsCellEditable(id.row, id.col)) continue;
    if (CGridCellData* c = Cell(id.row, id.col)) ClearCell(*c, id.row, id.col);
    modified_ = true;
  }
  // Cleared cells lost their selected bit with their state.
  std::erase_if(selected_, [this](const auto& kv) { return !(GetItemState(kv.second.row, kv.second.col) & kStateSelected); });
  viewport()->update();
}

void CRejillaCtrl::CutToClipboard() {
  if (!editable_) return;
  if (QMimeData* data = CopySelectionToData()) {
    QApplication::clipboard()->setMimeData(data);
    ClearSelectedCells();
  }
}

void CRejillaCtrl::CopyToClipboard() {
  if (QMimeData* data = CopySelectionToData()) QApplication::clipboard()->setMimeData(data);
}

void CRejillaCtrl::PasteFromClipboard() {
  if (!editable_) return;
  GridCellId target = IsValid(focus_) ? focus_ : GetFirstScrolledCell();
  if (!IsValid(target)) return;
  PasteDataIntoCells(target, QApplication::clipboard()->mimeData());
}

void CRejillaCtrl::SelectAll() { SelectAllBodyCells(); }

bool CRejillaCtrl::CanCopy() const { return IsValid(GetSelectedSpan()); }
bool CRejillaCtrl::CanCut() const { return editable_ && CanCopy(); }
bool CRejillaCtrl::CanPaste() const {
  if (!IsValid(focus_) || !IsCellEditable(focus_.row, focus_.col)) return false;
  const QMimeData* d = QApplication::clipboard()->mimeData();
  return d && d->hasText();
}

QPixmap CRejillaCtrl::MakeDragImage(QSize* cellSize) {
  QRect r;
  if (!IsValid(focus_) || !GetCellRect(focus_.row, focus_.col, r)) return QPixmap();
  QImage img(r.size(), QImage::Format_ARGB32_Premultiplied);
  img.fill(textBk_);
  {
    QPainter p(&img);
    PaintCell(p, focus_.row, focus_.col, QRect(QPoint(0, 0), r.size()), false);
  }
  // The cell background is the transparent colour of the picture.
  QPixmap pm = QPixmap::fromImage(img);
  pm.setMask(pm.createMaskFromColor(textBk_));
  if (cellSize) *cellSize = r.size();
  return pm;
}

// ---------------------------------------------------------------- drag and drop

void CRejillaCtrl::StartDrag() {
  if (!dragDrop_) return;
  QMimeData* data = CopySelectionToData();
  if (!data) return;
  const GridCellSpan s = GetSelectedSpan();
  Notify(kNotifyBeginDrag, s.minRow, s.minCol);
  mouseMode_ = MouseMode::Dragging;
  autoScroll_.stop();
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  const Qt::DropAction result = drag->exec(Qt::CopyAction | Qt::MoveAction);
  if (result == Qt::MoveAction) ClearSelectedCells();
  mouseMode_ = MouseMode::None;
}

namespace {
Qt::DropAction ActionFor(Qt::KeyboardModifiers mods) {
  return (mods & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
}
}  // namespace

void CRejillaCtrl::dragEnterEvent(QDragEnterEvent* e) {
  if (!dragDrop_ || !e->mimeData()->hasText()) {
    e->ignore();
    return;
  }
  dragOver_ = HitTestCell(e->position().toPoint(), false);
  if (!IsValid(dragOver_) || !IsCellEditable(dragOver_.row, dragOver_.col)) {
    e->ignore();
    return;
  }
  if (CGridCellData* c = Cell(dragOver_.row, dragOver_.col)) c->state |= kStateDropHighlighted;
  RedrawCell(dragOver_.row, dragOver_.col);
  e->setDropAction(ActionFor(e->modifiers()));
  e->accept();
}

void CRejillaCtrl::dragMoveEvent(QDragMoveEvent* e) {
  if (!dragDrop_ || !editable_ || !e->mimeData()->hasText()) {
    e->ignore();
    return;
  }
  const GridCellId cell = HitTestCell(e->position().toPoint(), false);
  if (!IsValid(cell)) {
    if (CGridCellData* c = Cell(dragOver_.row, dragOver_.col)) c->state &= ~kStateDropHighlighted;
    RedrawCell(dragOver_.row, dragOver_.col);
    dragOver_ = GridCellId();
    e->ignore();
    return;
  }
  if (!IsCellEditable(cell.row, cell.col)) {
    e->ignore();
    return;
  }
  if (cell != dragOver_) {
    if (CGridCellData* c = Cell(dragOver_.row, dragOver_.col)) c->state &= ~kStateDropHighlighted;
    RedrawCell(dragOver_.row, dragOver_.col);
    dragOver_ = cell;
    if (CGridCellData* c = Cell(cell.row, cell.col)) c->state |= kStateDropHighlighted;
    RedrawCell(cell.row, cell.col);
  }
  e->setDropAction(ActionFor(e->modifiers()));
  e->accept();
}

void CRejillaCtrl::dragLeaveEvent(QDragLeaveEvent*) {
  if (CGridCellData* c = Cell(dragOver_.row, dragOver_.col)) c->state &= ~kStateDropHighlighted;
  RedrawCell(dragOver_.row, dragOver_.col);
}

void CRejillaCtrl::dropEvent(QDropEvent* e) {
  if (!dragDrop_ || !IsCellEditable(dragOver_.row, dragOver_.col)) {
    e->ignore();
    return;
  }
  mouseMode_ = MouseMode::None;
  if (CGridCellData* c = Cell(dragOver_.row, dragOver_.col)) c->state &= ~kStateDropHighlighted;
  RedrawCell(dragOver_.row, dragOver_.col);
  if (PasteDataIntoCells(dragOver_, e->mimeData())) {
    e->setDropAction(ActionFor(e->modifiers()));
    e->accept();
  } else {
    e->ignore();
  }
}

}  // namespace qx::grid
