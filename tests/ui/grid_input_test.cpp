// Focus cell, selection, keyboard, mouse and scrolling.
#include "grid_fixture.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace qx::grid::test {
namespace {

TEST(GridInput, ArrowsHomeEndAndPagesMoveTheFocusCell) {
  auto g = MakeGrid(50, 4, 1, 1);
  g->SetFocusCell(1, 1);
  struct Step {
    Qt::Key key;
    GridCellId expect;
  };
  const Step steps[] = {
      {Qt::Key_Down, {2, 1}}, {Qt::Key_Right, {2, 2}}, {Qt::Key_Up, {1, 2}},  {Qt::Key_Up, {1, 2}},  // no heading
      {Qt::Key_Left, {1, 1}}, {Qt::Key_Left, {1, 1}},  {Qt::Key_End, {49, 1}}, {Qt::Key_Home, {1, 1}},
  };
  for (const Step& s : steps) {
    QTest::keyClick(g.get(), s.key);
    EXPECT_EQ(g->GetFocusCell(), s.expect) << "key " << s.key;
  }
  // Page Down moves by as many rows as the view scrolled, and the cell stays shown.
  const int first = g->GetFirstScrolledCell().row;
  QTest::keyClick(g.get(), Qt::Key_PageDown);
  const int moved = g->GetFirstScrolledCell().row - first;
  EXPECT_GT(moved, 0);
  EXPECT_EQ(g->GetFocusCell(), GridCellId(1 + moved, 1));
  QTest::keyClick(g.get(), Qt::Key_End);
  EXPECT_TRUE(g->IsCellShown(49, 1));
  QTest::keyClick(g.get(), Qt::Key_PageDown);  // the view cannot move: to the last row
  EXPECT_EQ(g->GetFocusCell(), GridCellId(49, 1));
}

TEST(GridInput, TabWrapsRowsAndIsLeftToTheDialogAtTheLastCell) {
  QWidget dialog;
  auto* g = new CRejillaCtrl(&dialog, 3, 3, 1, 1);
  auto* next = new QLineEdit(&dialog);
  g->setGeometry(0, 0, 300, 150);
  next->setGeometry(0, 160, 100, 20);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  g->setFocus();
  g->SetFocusCell(1, 2);
  QTest::keyClick(g, Qt::Key_Tab);
  EXPECT_EQ(g->GetFocusCell(), GridCellId(2, 1));
  QTest::keyClick(g, Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(g->GetFocusCell(), GridCellId(1, 2));
  g->SetFocusCell(2, 2);
  QTest::keyClick(g, Qt::Key_Tab);
  EXPECT_EQ(g->GetFocusCell(), GridCellId(2, 2));
  EXPECT_TRUE(next->hasFocus());
}

TEST(GridInput, KeyboardSelectionFollowsShift) {
  auto g = MakeGrid(10, 4, 1, 1);
  g->SetFocusCell(2, 1);
  QTest::keyClick(g.get(), Qt::Key_Down);
  EXPECT_EQ(g->GetSelectedSpan(), GridCellSpan(3, 1, 3, 1));
  QTest::keyClick(g.get(), Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(g.get(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(g->GetSelectedSpan(), GridCellSpan(3, 1, 4, 2));
  EXPECT_EQ(g->GetSelectedCount(), 4);
  QTest::keyClick(g.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(g->GetSelectedSpan(), GridCellSpan(1, 1, 9, 3));
}

TEST(GridInput, FocusNotificationsAndHeadingsOfTheFocusLine) {
  auto g = MakeGrid(5, 3, 1, 1);
  QSignalSpy spy(g.get(), &CRejillaCtrl::gridNotify);
  g->SetFocusCell(2, 1);
  g->SetFocusCell(3, 2);
  ASSERT_EQ(spy.count(), 3);
  EXPECT_EQ(spy[0], (QList<QVariant>{kNotifyFocusSet, 2, 1}));
  EXPECT_EQ(spy[1], (QList<QVariant>{kNotifyFocusLeft, 2, 1}));
  EXPECT_EQ(spy[2], (QList<QVariant>{kNotifyFocusSet, 3, 2}));
  EXPECT_EQ(g->GetItemState(2, 1) & kStateFocused, 0u);
  EXPECT_EQ(g->GetItemState(3, 2) & kStateFocused, kStateFocused);
  g->SetFocusCell(3, 2);  // already the focus cell: nothing
  EXPECT_EQ(spy.count(), 3);
}

TEST(GridInput, WithSelectionOffClicksOnlyMoveTheFocus) {
  auto g = MakeGrid(10, 4, 1, 1);
  g->SetSelectable(false);
  Click(*g, CellCentre(*g, 2, 1));
  Click(*g, CellCentre(*g, 4, 3), Qt::ShiftModifier);
  EXPECT_EQ(g->GetFocusCell(), GridCellId(4, 3));
  Click(*g, CellCentre(*g, 5, 2), Qt::ControlModifier);
  EXPECT_EQ(g->GetFocusCell(), GridCellId(5, 2));
  EXPECT_EQ(g->GetSelectedCount(), 0);
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(g->GetItemState(r, c) & kStateSelected, 0u);
}

TEST(GridInput, ClickSelectsAndShiftClickExtends) {
  auto g = MakeGrid(10, 4, 1, 1);
  QSignalSpy clicked(g.get(), &CRejillaCtrl::clicked);
  Click(*g, CellCentre(*g, 2, 1));
  EXPECT_EQ(g->GetSelectedSpan(), GridCellSpan(2, 1, 2, 1));
  Click(*g, CellCentre(*g, 4, 3), Qt::ShiftModifier);
  EXPECT_EQ(g->GetSelectedSpan(), GridCellSpan(2, 1, 4, 3));
  EXPECT_EQ(clicked.count(), 2);
}

TEST(GridInput, HeadingClickFocusesTheFirstBodyCellOfThatLine) {
  auto g = MakeGrid(10, 4, 1, 1);
  Click(*g, CellCentre(*g, 0, 2));
  EXPECT_EQ(g->GetFocusCell(), GridCellId(1, 2));
  EXPECT_EQ(g->GetSelectedSpan(), GridCellSpan(1, 2, 9, 2));  // the whole column
  Click(*g, CellCentre(*g, 3, 0));
  EXPECT_EQ(g->GetFocusCell(), GridCellId(3, 1));
  EXPECT_EQ(g->GetSelectedSpan(), GridCellSpan(3, 1, 3, 3));  // the whole row
}

TEST(GridInput, DoubleClickSignalsTheCellButNotOutsideTheCells) {
  auto g = MakeGrid(3, 2, 1, 0);
  g->SetEditable(false);
  QSignalSpy spy(g.get(), &CRejillaCtrl::cellDoubleClicked);
  DoubleClick(*g, CellCentre(*g, 0, 1));
  DoubleClick(*g, CellCentre(*g, 2, 0));
  DoubleClick(*g, QPoint(250, 150));  // right of and below every cell
  ASSERT_EQ(spy.count(), 2);
  EXPECT_EQ(spy[0], (QList<QVariant>{0, 1}));
  EXPECT_EQ(spy[1], (QList<QVariant>{2, 0}));
}

void Wheel(CRejillaCtrl& g, int delta) {
  const QPoint p(50, 50);
  QWheelEvent e(QPointF(p), QPointF(g.viewport()->mapToGlobal(p)), QPoint(), QPoint(0, delta), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(g.viewport(), &e);
}

TEST(GridInput, WheelScrollsLinesOfTheirOwnHeightOrPages) {
  auto g = MakeGrid(60, 2, 1, 0);
  for (int r = 1; r < 60; ++r) g->SetRowHeight(r, 10 + r % 3 * 5);  // 15, 20, 10, 15 ...
  g->UpdateScrollBars();
  g->SetWheelLines(3);
  Wheel(*g, -120);
  EXPECT_EQ(g->GetFirstScrolledCell().row, 4);
  EXPECT_EQ(g->GetScrollOffset(Qt::Vertical), 15 + 20 + 10);
  Wheel(*g, 120);
  EXPECT_EQ(g->GetScrollOffset(Qt::Vertical), 0);
  g->SetWheelLines(-1);
  Wheel(*g, -240);
  EXPECT_EQ(g->GetScrollOffset(Qt::Vertical), 2 * (g->viewport()->height() - 20));
}

TEST(GridInput, DraggingAColumnDividerResizes) {
  auto g = MakeGrid(5, 3, 1, 0);
  const QPoint divider(120, 10);  // right edge of column 1 in the heading row
  auto drag = [&](QPoint to) {
    SendMouse(g->viewport(), QEvent::MouseMove, divider, Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(g->GetMouseMode(), MouseMode::OverColumnDivider);
    SendMouse(g->viewport(), QEvent::MouseButtonPress, divider, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(g->GetMouseMode(), MouseMode::SizingColumn);
    SendMouse(g->viewport(), QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(g->viewport(), QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  };
  drag(QPoint(40, 10));  // left of column 1's own left edge (60)
  EXPECT_EQ(g->GetColumnWidth(1), 60);
  drag(QPoint(150, 10));
  EXPECT_EQ(g->GetColumnWidth(1), 90);
  EXPECT_EQ(g->GetMouseMode(), MouseMode::None);
}

TEST(GridInput, EnsureVisibleScrollsTheCellIntoView) {
  auto g = MakeGrid(200, 10, 1, 1);
  for (const GridCellId c : {GridCellId(150, 8), GridCellId(3, 2), GridCellId(199, 9), GridCellId(1, 1)}) {
    g->EnsureVisible(c.row, c.col);
    QRect r;
    ASSERT_TRUE(g->GetCellRect(c.row, c.col, r)) << c.row << "," << c.col;
    EXPECT_LE(r.bottom(), g->viewport()->height()) << c.row;
    EXPECT_LE(r.right(), g->viewport()->width()) << c.col;
  }
}

TEST(GridInput, ScrollBarArrowsStepByWholeRows) {
  auto g = MakeGrid(40, 2, 1, 0);
  g->SetRowHeight(1, 33);
  g->UpdateScrollBars();
  g->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(g->GetScrollOffset(Qt::Vertical), 33);
  g->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(g->GetScrollOffset(Qt::Vertical), 53);
  g->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(g->GetScrollOffset(Qt::Vertical), 33);
}

}  // namespace
}  // namespace qx::grid::test
