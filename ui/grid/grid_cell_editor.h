// In-place editors of grid cells: an edit line opened over the cell that reports its text, and
// the key that ended it, back to the grid, then deletes itself.
#pragma once

#include "ui/grid/grid_types.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

namespace qx::grid {

class CRejillaCtrl;

class CGridCellEditor : public QLineEdit {
  Q_OBJECT

 public:
  // Opens over rect (viewport coordinates of the grid) with the cell's text; key is the key that
  // started the edit (kKeyLeftButton, a Qt::Key, or a typed character's code point).
  CGridCellEditor(CRejillaCtrl* grid, const QRect& rect, unsigned format, int id, int row, int col,
                  const QString& text, int key);

  int Row() const { return row_; }
  int Column() const { return col_; }
  int LastKey() const { return lastKey_; }
  bool ExitsOnArrows() const { return exitOnArrows_; }
  int ControlId() const { return id_; }
  // Ends the edit and reports it (once); the editor then deletes itself.
  void EndEdit(int lastKey);
  // The grid is going away: no report.
  void Detach() { grid_ = nullptr; ended_ = true; }

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void Widen();

  QPointer<CRejillaCtrl> grid_;
  int id_;
  int row_, col_;
  QString initial_;
  int lastKey_ = 0;
  bool exitOnArrows_;
  bool ended_ = false;
};

// The drop-down companion editor with the same report; the grid never makes one itself, a grid
// class that overrides CreateCellEditor can.
class CGridCellChooser : public QComboBox {
  Q_OBJECT

 public:
  CGridCellChooser(CRejillaCtrl* grid, const QRect& rect, bool editable, int id, int row, int col,
                   const QStringList& items, const QString& text, int key);
  void EndEdit(int lastKey);
  int LastKey() const { return lastKey_; }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  bool HandleKey(QKeyEvent* e);

  QPointer<CRejillaCtrl> grid_;
  int id_;
  int row_, col_;
  QString initial_;
  int lastKey_ = 0;
  bool exitOnArrows_;
  bool ended_ = false;
};

}  // namespace qx::grid
