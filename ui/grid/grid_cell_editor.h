// In-place editors of grid cells: an edit line opened over the cell that reports its text, and
// the key that ended it, back to the grid, then deletes itself.
#pragma once

#include "ui/grid/grid_types.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace qx::grid {

class CRejillaCtrl;

// What both editors keep of the cell they edit, and their single report to the grid.
struct CellEditSession {
  QPointer<CRejillaCtrl> grid;
  int id = kEditorControlId;
  int row = -1, col = -1;
  QString initial;
  int lastKey = 0;
  bool exitOnArrows = true;  // false when the edit began with the mouse
  bool ended = false;
  // Reports once: hides the editor, gives the focus back to the grid, hands it the text and the
  // key, and schedules the editor's deletion.
  void Finish(QWidget* editor, const QString& text, int key);
  // The key that ends the edit for this key press (Escape included), or 0 when it does not.
  int EndingKey(const QKeyEvent* e) const;
};

class CGridCellEditor : public QLineEdit {
  Q_OBJECT

 public:
  // Opens over rect (viewport coordinates of the grid) with the cell's text; key is the key that
  // started the edit (kKeyLeftButton, a Qt::Key, or a typed character's code point).
  CGridCellEditor(CRejillaCtrl* grid, const QRect& rect, unsigned format, int id, int row, int col,
                  const QString& text, int key);

  int Row() const { return s_.row; }
  int Column() const { return s_.col; }
  int LastKey() const { return s_.lastKey; }
  bool ExitsOnArrows() const { return s_.exitOnArrows; }
  int ControlId() const { return s_.id; }
  // Ends the edit and reports it (once); the editor then deletes itself.
  void EndEdit(int lastKey);
  // The grid is going away: no report.
  void Detach() { s_.grid = nullptr; s_.ended = true; }

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void Widen();

  CellEditSession s_;
};

// The drop-down companion editor with the same report; the grid never makes one itself, a grid
// class that overrides CreateCellEditor can.
class CGridCellChooser : public QComboBox {
  Q_OBJECT

 public:
  CGridCellChooser(CRejillaCtrl* grid, const QRect& rect, bool editable, int id, int row, int col,
                   const QStringList& items, const QString& text, int key);
  void EndEdit(int lastKey);
  int LastKey() const { return s_.lastKey; }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  bool HandleKey(QKeyEvent* e);

  CellEditSession s_;
};

}  // namespace qx::grid
