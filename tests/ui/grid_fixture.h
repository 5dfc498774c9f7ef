// A shown grid of known geometry for the grid tests, and helpers that send it mouse events.
#pragma once

#include "ui/grid/rejilla_ctrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <memory>

namespace qx::grid::test {

// rows x cols with one heading row and `fixedCols` heading columns; every row 20 px high and
// every column 60 px wide; texts "r<row>c<col>"; scroll bars on, frame off.
inline std::unique_ptr<CRejillaCtrl> MakeGrid(int rows, int cols, int fixedRows = 1, int fixedCols = 0,
                                               QSize size = QSize(300, 200)) {
  auto g = std::make_unique<CRejillaCtrl>(nullptr, rows, cols, fixedRows, fixedCols);
  g->setFrameShape(QFrame::NoFrame);
  g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  for (int r = 0; r < rows; ++r) {
    g->SetRowHeight(r, 20);
    for (int c = 0; c < cols; ++c) g->SetItemText(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
  }
  for (int c = 0; c < cols; ++c) g->SetColumnWidth(c, 60);
  g->resize(size);
  g->show();
  g->UpdateScrollBars();
  return g;
}

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, mods);
  QApplication::sendEvent(w, &e);
}

inline void Click(CRejillaCtrl& g, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  SendMouse(g.viewport(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, mods);
  SendMouse(g.viewport(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, mods);
}

inline void DoubleClick(CRejillaCtrl& g, QPoint p) {
  Click(g, p);
  SendMouse(g.viewport(), QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
  SendMouse(g.viewport(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

// Centre of a cell in viewport coordinates.
inline QPoint CellCentre(const CRejillaCtrl& g, int row, int col) {
  QRect r;
  EXPECT_TRUE(g.GetCellRect(row, col, r)) << row << "," << col;
  return r.center();
}

}  // namespace qx::grid::test
