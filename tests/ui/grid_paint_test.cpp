// Painting cells and printing the table into PDF files.
#include "grid_fixture.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace qx::grid::test {
namespace {

// Rows of `img` inside `band` (viewport coordinates) that hold dark text pixels.
int DarkPixels(const QImage& img, QRect band) {
  int n = 0;
  band = band.intersected(img.rect());
  for (int y = band.top(); y <= band.bottom(); ++y)
    for (int x = band.left(); x <= band.right(); ++x)
      if (qGray(img.pixel(x, y)) < 100) ++n;
  return n;
}

QImage Render(CRejillaCtrl& g) {
  QImage img(g.viewport()->size(), QImage::Format_RGB32);
  g.RenderTo(img);
  return img;
}

TEST(GridPaint, BodyTextSplitsAtBackslashNButHeadingsDoNot) {
  auto g = MakeGrid(3, 2, 1, 0);
  g->SetGridLines(0);
  g->SetRowHeight(0, 40);
  g->SetRowHeight(1, 40);
  g->SetItemText(0, 0, QStringLiteral("AAA\\nBBB"));
  g->SetItemText(1, 0, QStringLiteral("AAA\\nBBB"));
  g->SetItemText(1, 1, QStringLiteral("AAA"));
  g->SetCellBackground(Qt::white);
  const QImage img = Render(*g);
  QRect heading, body, single;
  ASSERT_TRUE(g->GetCellRect(0, 0, heading));
  ASSERT_TRUE(g->GetCellRect(1, 0, body));
  ASSERT_TRUE(g->GetCellRect(1, 1, single));
  auto lowerBand = [](QRect r) { return QRect(r.left() + 2, r.top() + 15, r.width() - 4, r.height() - 17); };
  EXPECT_GT(DarkPixels(img, lowerBand(body)), 0) << "the second line of a body cell";
  EXPECT_EQ(DarkPixels(img, lowerBand(heading)), 0) << "a heading cell stays on one line";
  EXPECT_EQ(DarkPixels(img, lowerBand(single)), 0);
}

TEST(GridPaint, GridLinesFollowTheirMode) {
  auto g = MakeGrid(4, 3, 1, 0);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) g->SetItemText(r, c, QString());
  g->SetCellBackground(Qt::white);
  QRect cell;
  ASSERT_TRUE(g->GetCellRect(2, 1, cell));
  const int lineX = cell.right(), lineY = cell.bottom();
  const int midX = cell.center().x(), midY = cell.center().y();
  struct Case {
    int mode;
    bool vertical, horizontal;
  };
  for (const Case c : {Case{0, false, false}, Case{1, false, true}, Case{2, true, false}, Case{3, true, true}}) {
    g->SetGridLines(c.mode);
    const QImage img = Render(*g);
    EXPECT_EQ(qGray(img.pixel(lineX, midY)) < 100, c.vertical) << "mode " << c.mode;
    EXPECT_EQ(qGray(img.pixel(midX, lineY)) < 100, c.horizontal) << "mode " << c.mode;
  }
}

TEST(GridPaint, FocusCellIsFramedAndItsHeadingIsBold) {
  auto g = MakeGrid(4, 3, 1, 0);
  g->SetGridLines(0);
  g->SetCellBackground(Qt::white);
  g->SetItemText(2, 1, QString());
  g->SetFocusCell(2, 1);
  QImage img = Render(*g);
  QRect cell;
  ASSERT_TRUE(g->GetCellRect(2, 1, cell));
  EXPECT_EQ(img.pixelColor(cell.topLeft()), QColor(Qt::black));
  // The heading of the focus column is drawn heavier than the one beside it.
  QRect h1, h2;
  g->GetCellRect(0, 1, h1);
  g->GetCellRect(0, 2, h2);
  g->SetItemText(0, 1, QStringLiteral("HHHH"));
  g->SetItemText(0, 2, QStringLiteral("HHHH"));
  img = Render(*g);
  EXPECT_GT(DarkPixels(img, h1.adjusted(3, 3, -3, -3)), DarkPixels(img, h2.adjusted(3, 3, -3, -3)));
}

TEST(GridPaint, CellImageSitsAtTheTopLeftInsideTheMargin) {
  auto g = MakeGrid(3, 2, 1, 0);
  QPixmap red(16, 16);
  red.fill(Qt::red);
  GridImageList images;
  images.images = {red};
  g->SetImages(&images);
  g->SetItemImage(1, 1, 0);
  g->SetItemImage(2, 1, 3);  // no such image: nothing drawn
  const QImage img = Render(*g);
  QRect with, without;
  ASSERT_TRUE(g->GetCellRect(1, 1, with));
  ASSERT_TRUE(g->GetCellRect(2, 1, without));
  const int m = g->GetMargin();
  EXPECT_EQ(img.pixelColor(with.left() + m + 1, with.top() + 1), QColor(Qt::red));
  EXPECT_NE(img.pixelColor(without.left() + m + 1, without.top() + 1), QColor(Qt::red));
}

// Records what printing draws.
class PrintProbe : public CRejillaCtrl {
 public:
  using CRejillaCtrl::CRejillaCtrl;
  std::vector<int> printedRows;
  std::vector<std::pair<int, int>> footers;

 protected:
  bool PaintCell(QPainter& p, int row, int col, QRect rect, bool erase) override {
    if (col == 0) printedRows.push_back(row);
    return CRejillaCtrl::PaintCell(p, row, col, rect, erase);
  }
  void PrintPageFooter(QPainter& p, const QRect& rect) override {
    footers.emplace_back(GetPrintCurrentPage(), GetPrintPageCount());
    CRejillaCtrl::PrintPageFooter(p, rect);
  }
};

int PdfPages(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = f.readAll();
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
  return int(QString::fromLatin1(pdf).count(page));
}

struct Printed {
  int returned;
  int pdfPages;
};

Printed PrintToPdf(CRejillaCtrl& g, const QString& path) {
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const int n = g.PrintTo(printer);
  return {n, PdfPages(path)};
}

TEST(GridPrint, LongGridPrintsAPageForEveryBodyHeightOfRows) {
  QTemporaryDir dir;
  PrintProbe g(nullptr, 501, 3, 1, 0);
  for (int r = 0; r < 501; ++r) {
    g.SetRowHeight(r, 20);
    for (int c = 0; c < 3; ++c) g.SetItemText(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
  }
  for (int c = 0; c < 3; ++c) g.SetColumnWidth(c, 100);
  const Printed p = PrintToPdf(g, dir.filePath(QStringLiteral("long.pdf")));
  const int body = g.GetPageBodyHeight();
  ASSERT_GT(body, 20);
  const int perPage = body / 20;
  const int expected = (500 + perPage - 1) / perPage;
  EXPECT_GT(expected, 1);
  EXPECT_EQ(g.GetPrintPageCount(), expected);
  EXPECT_EQ(p.returned, expected);
  EXPECT_EQ(p.pdfPages, expected);
  // Every body row is printed exactly once, in order.
  std::vector<int> all(500);
  std::iota(all.begin(), all.end(), 1);
  EXPECT_EQ(g.printedRows, all);
  ASSERT_EQ(int(g.footers.size()), expected);
  EXPECT_EQ(g.footers[1], std::make_pair(2, expected));
}

TEST(GridPrint, ARowTallerThanThePageTakesAPageButIsNotPrinted) {
  QTemporaryDir dir;
  PrintProbe g(nullptr, 4, 2, 1, 0);
  for (int r = 0; r < 4; ++r) g.SetRowHeight(r, 20);
  for (int c = 0; c < 2; ++c) g.SetColumnWidth(c, 150);
  g.SetRowHeight(2, 5000);
  const Printed p = PrintToPdf(g, dir.filePath(QStringLiteral("tall.pdf")));
  ASSERT_LT(g.GetPageBodyHeight(), 5000);
  EXPECT_EQ(g.GetPrintPageCount(), 3);
  EXPECT_EQ(p.pdfPages, 3);
  EXPECT_EQ(g.printedRows, (std::vector<int>{1, 3}));
  EXPECT_EQ(g.footers, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
}

TEST(GridPrint, AGridWithoutBodyRowsPrintsNothing) {
  QTemporaryDir dir;
  CRejillaCtrl g(nullptr, 1, 3, 1, 0);
  EXPECT_EQ(PrintToPdf(g, dir.filePath(QStringLiteral("empty.pdf"))).returned, 0);
}

}  // namespace
}  // namespace qx::grid::test
