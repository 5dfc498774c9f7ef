// Clipboard text and drops onto cells.
#include "grid_fixture.h"

#include <QClipboard>
#include <QMimeData>
#include <QTest>

namespace qx::grid::test {
namespace {

std::unique_ptr<QMimeData> Text(const QString& t) {
  auto d = std::make_unique<QMimeData>();
  d->setText(t);
  return d;
}

TEST(GridClipboard, CopyGivesRowsByLineFeedAndColumnsByTab) {
  auto g = MakeGrid(5, 4, 1, 1);
  g->SetItemText(3, 2, QString());
  g->SetSelectedRange(2, 1, 3, 3);
  EXPECT_EQ(g->SelectionText(), QStringLiteral("r2c1\tr2c2\tr2c3\nr3c1\t \tr3c3"));
  g->SetFocusCell(2, 1);
  QTest::keyClick(g.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("r2c1\tr2c2\tr2c3\nr3c1\t \tr3c3"));
  // Unselected cells inside the span give nothing between their tabs.
  g->SetItemState(2, 2, g->GetItemState(2, 2) & ~kStateSelected);
  EXPECT_EQ(g->SelectionText(), QStringLiteral("r2c1\t\tr2c3\nr3c1\t \tr3c3"));
  g->SetSelectedRange(-1, -1, -1, -1);
  EXPECT_EQ(std::unique_ptr<QMimeData>(g->CopySelectionToData()), nullptr);
  EXPECT_FALSE(g->CanCopy());
}

TEST(GridClipboard, PasteSplitsAtTabsCommasAndLines) {
  struct Case {
    const char* text;
    GridCellId at;
    std::vector<std::pair<GridCellId, const char*>> expect;
  };
  const Case cases[] = {
      {"uno, dos\ttres", {2, 1}, {{{2, 1}, "uno"}, {{2, 2}, "dos"}, {{2, 3}, "tres"}}},
      // From the last column only the first piece of each line lands.
      {"a\tb\nc\td\n", {2, 3}, {{{2, 3}, "a"}, {{3, 3}, "c"}, {{2, 2}, "r2c2"}}},
      // An empty line in the middle clears its cell; lines may end in CR LF.
      {"x\r\n\r\ny\r\n", {1, 1}, {{{1, 1}, "x"}, {{2, 1}, ""}, {{3, 1}, "y"}, {{4, 1}, "r4c1"}}},
  };
  for (const Case& c : cases) {
    auto g = MakeGrid(5, 4, 1, 1);
    ASSERT_TRUE(g->PasteDataIntoCells(c.at, Text(QString::fromUtf8(c.text)).get())) << c.text;
    for (const auto& [cell, want] : c.expect)
      EXPECT_EQ(g->GetItemText(cell.row, cell.col), QString::fromUtf8(want)) << c.text << " @" << cell.row << "," << cell.col;
    EXPECT_TRUE(g->IsModified());
  }
}

TEST(GridClipboard, PasteClearsTheSelectedBitOfWrittenCells) {
  auto g = MakeGrid(5, 4, 1, 1);
  g->SetSelectedRange(2, 1, 2, 3);
  ASSERT_TRUE(g->PasteDataIntoCells({2, 1}, Text(QStringLiteral("p\tq")).get()));
  EXPECT_EQ(g->GetSelectedSpan(), GridCellSpan(2, 3, 2, 3));
}

TEST(GridClipboard, CutClearsAndPasteWritesFromTheFocusCell) {
  auto g = MakeGrid(5, 4, 1, 1);
  g->SetFocusCell(1, 1);
  g->SetSelectedRange(1, 1, 1, 2);
  EXPECT_TRUE(g->CanCut());
  QTest::keyClick(g.get(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("r1c1\tr1c2"));
  EXPECT_EQ(g->GetItemText(1, 1), QString());
  EXPECT_EQ(g->GetItemText(1, 2), QString());
  g->SetFocusCell(3, 2);
  EXPECT_TRUE(g->CanPaste());
  QTest::keyClick(g.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(g->GetItemText(3, 2), QStringLiteral("r1c1"));
  EXPECT_EQ(g->GetItemText(3, 3), QStringLiteral("r1c2"));
}

TEST(GridClipboard, WithEditingOffCutPasteAndDeleteDoNothing) {
  auto g = MakeGrid(5, 4, 1, 1);
  g->SetEditable(false);
  QApplication::clipboard()->setText(QStringLiteral("zzz"));
  g->SetFocusCell(2, 2);
  g->SetSelectedRange(2, 2, 2, 2);
  EXPECT_TRUE(g->CanCopy());
  EXPECT_FALSE(g->CanCut());
  EXPECT_FALSE(g->CanPaste());
  QTest::keyClick(g.get(), Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(g.get(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(g.get(), Qt::Key_Delete);
  EXPECT_EQ(g->GetItemText(2, 2), QStringLiteral("r2c2"));
  EXPECT_FALSE(g->IsModified());
  // A read-only cell refuses the paste too.
  g->SetEditable(true);
  g->SetItemState(2, 2, g->GetItemState(2, 2) | kStateReadOnly);
  EXPECT_FALSE(g->PasteDataIntoCells({2, 2}, Text(QStringLiteral("no")).get()));
  QTest::keyClick(g.get(), Qt::Key_Delete);
  EXPECT_EQ(g->GetItemText(2, 2), QStringLiteral("r2c2"));
}

TEST(GridClipboard, DropWritesIntoTheHighlightedCell) {
  auto g = MakeGrid(5, 4, 1, 1);
  g->SetDragDrop(true);
  auto data = Text(QStringLiteral("dropped"));
  const QPoint at = CellCentre(*g, 3, 2);
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(g->viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  EXPECT_EQ(enter.dropAction(), Qt::MoveAction);
  EXPECT_TRUE(g->GetItemState(3, 2) & kStateDropHighlighted);
  QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::ControlModifier);
  QApplication::sendEvent(g->viewport(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
  EXPECT_EQ(g->GetItemText(3, 2), QStringLiteral("dropped"));
  EXPECT_FALSE(g->GetItemState(3, 2) & kStateDropHighlighted);
  // Without drag and drop nothing is accepted.
  g->SetDragDrop(false);
  QDragEnterEvent refused(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  refused.setAccepted(false);
  QApplication::sendEvent(g->viewport(), &refused);
  EXPECT_FALSE(refused.isAccepted());
}

}  // namespace
}  // namespace qx::grid::test
