// Grid structure, cells and layout operations.
#include "grid_fixture.h"

namespace qx::grid::test {
namespace {

TEST(GridModel, FixedRowCountOnEmptyGridCreatesTheRow) {
  CRejillaCtrl g;
  ASSERT_EQ(g.GetRowCount(), 0);
  EXPECT_TRUE(g.SetFixedRowCount(1));
  EXPECT_EQ(g.GetRowCount(), 1);
  EXPECT_EQ(g.GetFixedRowCount(), 1);
  EXPECT_EQ(g.GetRowHeight(0), g.GetDefaultRowHeight());
}

TEST(GridModel, InsertRowAtCountIsRefusedAndMinusOneAppends) {
  CRejillaCtrl g(nullptr, 2, 0, 1, 0);
  EXPECT_EQ(g.InsertRow(QStringLiteral("x"), 2), -1);
  EXPECT_EQ(g.GetRowCount(), 2);
  // A grid without columns gets one; the heading text goes into the first cell.
  EXPECT_EQ(g.InsertRow(QStringLiteral("Último"), -1), 2);
  EXPECT_EQ(g.GetColumnCount(), 1);
  EXPECT_EQ(g.GetItemText(2, 0), QStringLiteral("Último"));
  EXPECT_EQ(g.GetRowHeight(2), g.MeasureText(QStringLiteral("Último"), true).height());
  EXPECT_EQ(g.InsertRow(QStringLiteral("first"), 1), 1);
  EXPECT_EQ(g.GetItemText(1, 0), QStringLiteral("first"));
  EXPECT_EQ(g.GetItemText(3, 0), QStringLiteral("Último"));
}

TEST(GridModel, StretchColumnsSpreadsTheDifference) {
  struct Case {
    int diff;
    std::array<int, 3> change;
  };
  // Too wide by 10: each shrinks by 3 and the first one by one more pixel.
  for (const Case& c : {Case{-10, {-4, -3, -3}}, Case{10, {4, 3, 3}}, Case{2, {1, 1, 0}}, Case{0, {0, 0, 0}}}) {
    auto g = MakeGrid(4, 3);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int client = g->viewport()->width();
    g->SetColumnWidth(0, 100);
    g->SetColumnWidth(1, 100);
    g->SetColumnWidth(2, client - 200 - c.diff);
    const std::array<int, 3> before{g->GetColumnWidth(0), g->GetColumnWidth(1), g->GetColumnWidth(2)};
    g->StretchColumnsToWindow();
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(g->GetColumnWidth(i) - before[size_t(i)], c.change[size_t(i)]) << "diff " << c.diff << " col " << i;
    EXPECT_EQ(g->GetTotalWidth(), client);
  }
}

TEST(GridModel, StretchToWindowFillsBothDirections) {
  auto g = MakeGrid(3, 4);
  g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  g->StretchToWindow();
  EXPECT_EQ(g->GetTotalWidth(), g->viewport()->width());
  EXPECT_EQ(g->GetTotalHeight(), g->viewport()->height());
}

TEST(GridModel, NewCellFormatCopiesTheCellAboveExceptInColumnZero) {
  CRejillaCtrl g(nullptr, 2, 3, 1, 0);
  g.SetItemFormat(1, 0, kFmtCenter);
  g.SetItemFormat(1, 2, 0x8024);
  g.SetRowCount(3);
  EXPECT_EQ(g.GetItemFormat(2, 0), 0u);
  EXPECT_EQ(g.GetItemFormat(2, 2), 0x8024u);
  // Row 0 never inherits.
  g.SetItemFormat(0, 1, kFmtRight);
  g.SetColumnCount(4);
  EXPECT_EQ(g.GetItemFormat(0, 3), 0u);
}

TEST(GridModel, OutOfRangeOperationsChangeNothing) {
  CRejillaCtrl g(nullptr, 3, 2, 1, 0);
  EXPECT_FALSE(g.SetItemText(3, 0, QStringLiteral("x")));
  EXPECT_FALSE(g.SetItemText(0, -1, QStringLiteral("x")));
  EXPECT_EQ(g.GetItemText(5, 5), QString());
  EXPECT_EQ(g.GetItemImage(5, 0), -1);
  EXPECT_EQ(g.GetItemFormat(5, 0), 0u);
  EXPECT_EQ(g.GetItemState(5, 0), 0u);
  EXPECT_EQ(g.GetItemFont(5, 0), nullptr);
  EXPECT_EQ(g.GetRowHeight(3), -1);
  EXPECT_EQ(g.GetColumnWidth(-1), -1);
  const int h = g.GetRowHeight(1);
  EXPECT_FALSE(g.SetRowHeight(1, -5));
  EXPECT_EQ(g.GetRowHeight(1), h);
  EXPECT_FALSE(g.SetColumnWidth(2, 10));
  GridItemInfo info;
  info.row = 9;
  info.mask = kMaskText;
  EXPECT_FALSE(g.GetItem(info));
}

TEST(GridModel, SetItemCopiesOnlyTheMaskedMembers) {
  CRejillaCtrl g(nullptr, 2, 2, 1, 0);
  g.SetItemText(1, 1, QStringLiteral("old"));
  GridItemInfo in;
  in.row = 1;
  in.col = 1;
  in.mask = kMaskImage | kMaskFormat | kMaskData;
  in.text = QStringLiteral("ignored");
  in.image = 1;
  in.format = 0x8020;
  in.data = 77;
  ASSERT_TRUE(g.SetItem(in));
  GridItemInfo out;
  out.row = 1;
  out.col = 1;
  out.mask = kMaskText | kMaskImage | kMaskFormat | kMaskData;
  ASSERT_TRUE(g.GetItem(out));
  EXPECT_EQ(out.text, QStringLiteral("old"));
  EXPECT_EQ(out.image, 1);
  EXPECT_EQ(out.format, 0x8020u);
  EXPECT_EQ(out.data, 77u);
}

TEST(GridModel, ShrinkingRemovesTheFocusCellAndClampsHeadings) {
  auto g = MakeGrid(6, 3, 2);
  g->SetFocusCell(4, 1);
  g->SetItemState(5, 2, kStateSelected);
  g->SetRowCount(4);
  EXPECT_EQ(g->GetFocusCell(), GridCellId());
  EXPECT_EQ(g->GetSelectedCount(), 0);
  g->SetRowCount(1);
  EXPECT_EQ(g->GetFixedRowCount(), 1);
  // Growing the heading rows over the focus cell clears it.
  g->SetRowCount(5);
  g->SetFocusCell(2, 1);
  g->SetFixedRowCount(3);
  EXPECT_EQ(g->GetFocusCell(), GridCellId());
}

TEST(GridModel, SelectedStateKeepsTheMapInStepBeyondSixteenBitRows) {
  CRejillaCtrl g(nullptr, 65540, 1, 0, 0);
  // Rows 1 and 65537 share their low 16 bits; both stay selected.
  g.SetItemState(1, 0, kStateSelected);
  g.SetItemState(65537, 0, kStateSelected);
  EXPECT_EQ(g.GetSelectedCount(), 2);
  EXPECT_EQ(g.GetSelectedSpan(), GridCellSpan(1, 0, 65537, 0));
  g.SetItemState(1, 0, 0);
  EXPECT_EQ(g.GetSelectedSpan(), GridCellSpan(65537, 0, 65537, 0));
}

TEST(GridModel, SortMovesWholeRowsWithTheirHeights) {
  auto g = MakeGrid(5, 2);
  const QStringList keys{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("a")};
  for (int i = 0; i < 4; ++i) {
    g->SetItemText(i + 1, 0, keys[i]);
    g->SetItemText(i + 1, 1, QString::number(i));
    g->SetRowHeight(i + 1, 10 + i);
  }
  ASSERT_TRUE(g->SortRowsByText(0, true));
  QStringList got, ids;
  for (int r = 1; r < 5; ++r) {
    got << g->GetItemText(r, 0);
    ids << g->GetItemText(r, 1);
    EXPECT_EQ(g->GetRowHeight(r), 10 + g->GetItemText(r, 1).toInt());
  }
  EXPECT_EQ(got, (QStringList{"a", "a", "b", "c"}));
  EXPECT_EQ(ids, (QStringList{"1", "3", "0", "2"}));
  EXPECT_EQ(g->GetItemText(0, 0), QStringLiteral("r0c0"));  // the heading row stays
  ASSERT_TRUE(g->SortRowsByText(0, false));
  EXPECT_EQ(g->GetItemText(1, 0), QStringLiteral("c"));
  EXPECT_FALSE(g->SortRowsByText(2, true));
}

TEST(GridModel, FitColumnTakesTheWidestCell) {
  auto g = MakeGrid(3, 2);
  g->SetItemText(2, 1, QStringLiteral("a considerably longer text"));
  ASSERT_TRUE(g->FitColumnToCells(1));
  EXPECT_EQ(g->GetColumnWidth(1), g->MeasureCell(2, 1).width());
  EXPECT_GT(g->GetColumnWidth(1), g->MeasureCell(1, 1).width());
}

TEST(GridModel, ColourChangeKeepsColoursTheOwnerSet) {
  auto g = MakeGrid(3, 2);
  const QColor yellow(255, 255, 224);
  g->SetCellBackground(yellow);
  QPalette pal = g->palette();
  pal.setColor(QPalette::Base, QColor(10, 20, 30));
  pal.setColor(QPalette::Text, QColor(200, 100, 50));
  pal.setColor(QPalette::Button, QColor(1, 2, 3));
  g->setPalette(pal);
  EXPECT_EQ(g->GetCellBackground(), yellow);
  EXPECT_EQ(g->GetTextColour(), QColor(200, 100, 50));
  EXPECT_EQ(g->GetFixedBackground(), QColor(1, 2, 3));
}

TEST(GridModel, GeometryLocatesRowsThroughTheScrollPosition) {
  auto g = MakeGrid(100, 3, 1, 1);
  EXPECT_EQ(g->GetHeadingRowsHeight(), 20);
  EXPECT_EQ(g->GetHeadingColumnsWidth(), 60);
  EXPECT_EQ(g->GetFirstScrolledCell(), GridCellId(1, 1));
  g->SetScrollOffset(Qt::Vertical, 200);
  EXPECT_EQ(g->GetFirstScrolledCell().row, 11);
  QPoint p;
  EXPECT_FALSE(g->GetCellTopLeft(5, 1, p));  // scrolled out above
  ASSERT_TRUE(g->GetCellTopLeft(12, 0, p));
  EXPECT_EQ(p, QPoint(0, 40));
  EXPECT_EQ(g->HitTestCell(QPoint(70, 45)), GridCellId(12, 1));
  EXPECT_EQ(g->HitTestCell(QPoint(70, 5)), GridCellId(0, 1));
  EXPECT_EQ(g->HitTestCell(QPoint(70, 5), false), GridCellId(-1, 1));
  const GridCellSpan vis = g->GetVisibleBodyRange();
  EXPECT_EQ(vis.minRow, 11);
  EXPECT_EQ(vis.maxRow, 11 + (g->viewport()->height() - 20 - 1) / 20);
}

}  // namespace
}  // namespace qx::grid::test
