#include "ui/grid/grid_cell_editor.h"

#include "ui/grid/rejilla_ctrl.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QTimer>

namespace qx::grid {

namespace {
bool IsPageOrArrow(int k) {
  return k == Qt::Key_PageUp || k == Qt::Key_PageDown || k == Qt::Key_Left || k == Qt::Key_Right ||
         k == Qt::Key_Up || k == Qt::Key_Down;
}
bool IsEndingKey(int k) {
  return k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Return || k == Qt::Key_Enter ||
         k == Qt::Key_Escape;
}
int NormaliseKey(int k) { return k == Qt::Key_Enter ? int(Qt::Key_Return) : k == Qt::Key_Backtab ? int(Qt::Key_Tab) : k; }
}  // namespace

CGridCellEditor::CGridCellEditor(CRejillaCtrl* grid, const QRect& rect, unsigned format, int id, int row,
                                 int col, const QString& text, int key)
    : QLineEdit(grid->viewport()), s_{grid, id, row, col, text, 0, key != kKeyLeftButton, false} {
  setAlignment((format & kFmtRight) ? Qt::AlignRight : (format & kFmtCenter) ? Qt::AlignHCenter : Qt::AlignLeft);
  setGeometry(rect);
  setFont(grid->GetGridFont());
  setText(text);
  connect(this, &QLineEdit::textEdited, this, &CGridCellEditor::Widen);
  show();
  setFocus(Qt::OtherFocusReason);

  if (key == kKeyLeftButton || key == Qt::Key_Return || key == Qt::Key_Enter) {
    end(false);
  } else if (key == Qt::Key_Backspace || key == 0x08) {
    end(false);
    backspace();
    Widen();
  } else if (key == Qt::Key_Space || key == ' ' || key == Qt::Key_End || key == Qt::Key_Home ||
             IsPageOrArrow(key)) {
    selectAll();
  } else if (key > 0 && key < 0x110000) {
    // A typed character replaces the whole text.
    selectAll();
    const char32_t ch = char32_t(key);
    insert(QString::fromUcs4(&ch, 1));
    Widen();
  } else {
    selectAll();
  }
}

void CGridCellEditor::Widen() {
  if (!s_.grid) return;
  const int need = fontMetrics().horizontalAdvance(text()) + 5;
  if (width() >= need) return;
  const int maxRight = s_.grid->viewport()->width();
  const int w = std::min(need, maxRight - x());
  if (w > width()) resize(w, height());
}

bool CGridCellEditor::event(QEvent* e) {
  // Tab would otherwise move the dialog's focus before the editor sees it.
  if (e->type() == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(e);
    if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
      keyPressEvent(ke);
      return true;
    }
  }
  return QLineEdit::event(e);
}

void CGridCellEditor::keyPressEvent(QKeyEvent* e) {
  if (const int k = s_.EndingKey(e)) {
    if (k == Qt::Key_Escape) setText(s_.initial);
    EndEdit(k);
    return;
  }
  QLineEdit::keyPressEvent(e);
  // Keys the line leaves unused (Up, Down, pages) must not reach the grid behind it.
  e->accept();
}

void CGridCellEditor::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  // A popup (the context menu) takes the focus only for a moment.
  if (e->reason() != Qt::PopupFocusReason) EndEdit(0);
}

void CGridCellEditor::EndEdit(int lastKey) { s_.Finish(this, text(), lastKey); }

int CellEditSession::EndingKey(const QKeyEvent* e) const {
  const int k = e->key();
  if (IsPageOrArrow(k)) return exitOnArrows || (e->modifiers() & Qt::ControlModifier) ? k : 0;
  return IsEndingKey(k) ? NormaliseKey(k) : 0;
}

void CellEditSession::Finish(QWidget* editor, const QString& text, int key) {
  if (ended) return;
  ended = true;
  lastKey = key;
  GridEditInfo info;
  info.row = row;
  info.col = col;
  info.text = text;
  info.lastKey = key;
  editor->hide();
  if (QPointer<CRejillaCtrl> g = grid) {
    g->setFocus(Qt::OtherFocusReason);
    g->OnCellEditEnded(info);
  }
  editor->deleteLater();
}

// ---------------------------------------------------------------- drop-down chooser

CGridCellChooser::CGridCellChooser(CRejillaCtrl* grid, const QRect& rect, bool editable, int id, int row,
                                   int col, const QStringList& items, const QString& text, int key)
    : QComboBox(grid->viewport()), s_{grid, id, row, col, text, 0, key != kKeyLeftButton, false} {
  setEditable(editable);
  addItems(items);
  setGeometry(rect);
  setFont(grid->GetGridFont());
  setCurrentText(text);
  if (lineEdit()) lineEdit()->installEventFilter(this);
  show();
  setFocus(Qt::OtherFocusReason);
}

bool CGridCellChooser::HandleKey(QKeyEvent* e) {
  const int k = s_.EndingKey(e);
  if (!k) return false;
  if (k == Qt::Key_Escape) setCurrentText(s_.initial);
  EndEdit(k);
  return true;
}

bool CGridCellChooser::eventFilter(QObject* o, QEvent* e) {
  // The edit part passes the ending keys to the combo box.
  if (o == lineEdit()) {
    if (e->type() == QEvent::KeyPress) {
      auto* ke = static_cast<QKeyEvent*>(e);
      const bool pageArrow = IsPageOrArrow(ke->key()) && (ke->modifiers() & Qt::ControlModifier);
      if ((pageArrow || IsEndingKey(ke->key())) && HandleKey(ke)) return true;
    } else if (e->type() == QEvent::FocusOut) {
      auto* fe = static_cast<QFocusEvent*>(e);
      if (fe->reason() != Qt::PopupFocusReason && !hasFocus()) EndEdit(0);
    }
  }
  return QComboBox::eventFilter(o, e);
}

void CGridCellChooser::keyPressEvent(QKeyEvent* e) {
  if (!HandleKey(e)) QComboBox::keyPressEvent(e);
}

void CGridCellChooser::focusOutEvent(QFocusEvent* e) {
  QComboBox::focusOutEvent(e);
  // A list without edit part reports when the focus goes to another window, not to its popup.
  if (!isEditable() && e->reason() != Qt::PopupFocusReason && !(view() && view()->isVisible())) EndEdit(0);
}

void CGridCellChooser::EndEdit(int lastKey) { s_.Finish(this, currentText(), lastKey); }

}  // namespace qx::grid
