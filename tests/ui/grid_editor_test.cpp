// In-place editing of cells.
#include "grid_fixture.h"
#include "ui/grid/grid_cell_editor.h"

#include <QSignalSpy>
#include <QTest>

namespace qx::grid::test {
namespace {

CGridCellEditor* Editor(const CRejillaCtrl& g) { return qobject_cast<CGridCellEditor*>(g.GetCellEditor()); }

TEST(GridEditor, TypingADigitReplacesTheWholeText) {
  auto g = MakeGrid(5, 3, 1, 1);
  g->SetFocusCell(2, 1);
  QSignalSpy spy(g.get(), &CRejillaCtrl::gridNotify);
  QTest::keyClick(g.get(), Qt::Key_7);
  CGridCellEditor* ed = Editor(*g);
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(ed->text(), QStringLiteral("7"));
  EXPECT_EQ(ed->Row(), 2);
  EXPECT_EQ(ed->ControlId(), kEditorControlId);
  ASSERT_GE(spy.count(), 1);
  EXPECT_EQ(spy.last(), (QList<QVariant>{kNotifyBeginEdit, 2, 1}));
  QTest::keyClick(ed, Qt::Key_Return);
  EXPECT_EQ(g->GetItemText(2, 1), QStringLiteral("7"));
  EXPECT_TRUE(g->IsModified());
  EXPECT_EQ(g->GetFocusCell(), GridCellId(2, 1));  // Enter does not move on
  EXPECT_EQ(g->GetCellEditor(), nullptr);
}

TEST(GridEditor, BackspaceOpensWithTheLastCharacterRemoved) {
  auto g = MakeGrid(5, 3, 1, 1);
  g->SetFocusCell(2, 1);
  QTest::keyClick(g.get(), Qt::Key_Backspace);
  ASSERT_NE(Editor(*g), nullptr);
  EXPECT_EQ(Editor(*g)->text(), QStringLiteral("r2c"));
}

TEST(GridEditor, EscapeKeepsTheOldTextAndStillReports) {
  auto g = MakeGrid(5, 3, 1, 1);
  g->SetFocusCell(2, 1);
  QSignalSpy spy(g.get(), &CRejillaCtrl::gridNotify);
  QTest::keyClick(g.get(), Qt::Key_X);
  QTest::keyClicks(Editor(*g), QStringLiteral("yz"));
  QTest::keyClick(Editor(*g), Qt::Key_Escape);
  EXPECT_EQ(g->GetItemText(2, 1), QStringLiteral("r2c1"));
  EXPECT_FALSE(g->IsModified());
  EXPECT_EQ(spy.last(), (QList<QVariant>{kNotifyEndEdit, 2, 1}));
}

TEST(GridEditor, ArrowEndsATypedEditAndOpensTheNextCell) {
  auto g = MakeGrid(5, 3, 1, 1);
  g->SetFocusCell(2, 1);
  QTest::keyClick(g.get(), Qt::Key_5);
  CGridCellEditor* first = Editor(*g);
  QTest::keyClick(first, Qt::Key_Down);
  EXPECT_EQ(g->GetItemText(2, 1), QStringLiteral("5"));
  EXPECT_EQ(g->GetFocusCell(), GridCellId(3, 1));
  CGridCellEditor* next = Editor(*g);
  ASSERT_NE(next, nullptr);
  ASSERT_NE(next, first);
  EXPECT_EQ(next->Row(), 3);
  EXPECT_EQ(next->selectedText(), QStringLiteral("r3c1"));
}

TEST(GridEditor, InAMouseStartedEditArrowsMoveTheCaret) {
  auto g = MakeGrid(5, 3, 1, 1);
  Click(*g, CellCentre(*g, 2, 1));
  ASSERT_EQ(g->GetCellEditor(), nullptr);
  Click(*g, CellCentre(*g, 2, 1));  // clicking the focus cell again edits it
  CGridCellEditor* ed = Editor(*g);
  ASSERT_NE(ed, nullptr);
  EXPECT_FALSE(ed->ExitsOnArrows());
  EXPECT_EQ(ed->cursorPosition(), 4);
  QTest::keyClick(ed, Qt::Key_Left);
  EXPECT_EQ(ed->cursorPosition(), 3);
  QTest::keyClick(ed, Qt::Key_Down);
  EXPECT_EQ(Editor(*g), ed);
  EXPECT_EQ(g->GetFocusCell(), GridCellId(2, 1));
  // Ctrl with an arrow still ends it.
  QTest::keyClick(ed, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(g->GetFocusCell(), GridCellId(3, 1));
}

TEST(GridEditor, ClickingTheFocusCellWithEditingOffOpensNothing) {
  auto g = MakeGrid(5, 3, 1, 1);
  g->SetEditable(false);
  Click(*g, CellCentre(*g, 2, 1));
  Click(*g, CellCentre(*g, 2, 1));
  QTest::keyClick(g.get(), Qt::Key_7);
  EXPECT_EQ(g->GetCellEditor(), nullptr);
  EXPECT_EQ(g->GetItemText(2, 1), QStringLiteral("r2c1"));
}

TEST(GridEditor, GrowingTextWidensTheEditorUpToTheGridEdge) {
  auto g = MakeGrid(5, 3, 1, 1);
  g->SetFocusCell(2, 1);
  QTest::keyClick(g.get(), Qt::Key_A);
  CGridCellEditor* ed = Editor(*g);
  const int startWidth = ed->width();
  QTest::keyClicks(ed, QStringLiteral("bcdefghijklmnopqrstu"));
  EXPECT_GT(ed->width(), startWidth);
  QTest::keyClicks(ed, QString(200, QLatin1Char('w')));
  EXPECT_EQ(ed->geometry().right(), g->viewport()->width() - 1);
}

// A grid class that edits with a drop-down list of choices.
class ChoiceGrid : public CRejillaCtrl {
 public:
  using CRejillaCtrl::CRejillaCtrl;
  QWidget* CreateCellEditor(const QRect& rect, unsigned, int id, int row, int col, const QString& text,
                            int key) override {
    return new CGridCellChooser(this, rect, false, id, row, col, {QStringLiteral("SI"), QStringLiteral("NO")}, text,
                                key);
  }
};

TEST(GridEditor, DropDownChooserReportsLikeTheEditLine) {
  ChoiceGrid g(nullptr, 4, 2, 1, 0);
  g.resize(300, 200);
  g.show();
  g.SetItemText(1, 0, QStringLiteral("SI"));
  g.SetFocusCell(1, 0);
  g.StartCellEdit(1, 0, kKeyLeftButton);
  auto* chooser = qobject_cast<CGridCellChooser*>(g.GetCellEditor());
  ASSERT_NE(chooser, nullptr);
  chooser->setCurrentIndex(1);
  QTest::keyClick(chooser, Qt::Key_Escape);
  EXPECT_EQ(g.GetItemText(1, 0), QStringLiteral("SI"));
  g.StartCellEdit(1, 0, kKeyLeftButton);
  chooser = qobject_cast<CGridCellChooser*>(g.GetCellEditor());
  ASSERT_NE(chooser, nullptr);
  chooser->setCurrentIndex(1);
  QTest::keyClick(chooser, Qt::Key_Return);
  EXPECT_EQ(g.GetItemText(1, 0), QStringLiteral("NO"));
  EXPECT_EQ(chooser->LastKey(), int(Qt::Key_Return));
  EXPECT_TRUE(g.IsModified());
}

}  // namespace
}  // namespace qx::grid::test
