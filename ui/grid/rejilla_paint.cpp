// How the grid paints itself on the screen and prints its table page by page.
#include "ui/grid/rejilla_ctrl.h"
#include "platform/strings.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <qdrawutil.h>

namespace qx::grid {

namespace {
constexpr int kStrPageOfPages = 98949;  // "Página %1 de %2"
// Separator of the lines of a multi-line body text: the two characters backslash and "n".
const QString kLineSeparator = QStringLiteral("\\n");
// Distance between the lines of a multi-line body text.
constexpr int kLineStep = 14;
}  // namespace

void CRejillaCtrl::DrawCellText(QPainter& p, const QRect& r, const QString& text, unsigned fmt) const {
  int flags = (fmt & kFmtRight) ? Qt::AlignRight : (fmt & kFmtCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
  QString t = text;
  if (fmt & kFmtSingleLine) {
    flags |= (fmt & kFmtBottom) ? Qt::AlignBottom : (fmt & kFmtVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (fmt & kFmtEndEllipsis) t = p.fontMetrics().elidedText(t, Qt::ElideRight, r.width());
  } else {
    flags |= Qt::AlignTop;
    if (fmt & kFmtWordBreak) flags |= Qt::TextWordWrap;
  }
  if (!(fmt & kFmtNoPrefix)) flags |= Qt::TextShowMnemonic;
  if (fmt & kFmtNoClip) flags |= Qt::TextDontClip;
  p.drawText(r, flags, t);
}

// Keeps the margins left and right and draws the cell's image at the top left, moving the text
// past it.
void CRejillaCtrl::DrawMarginsAndImage(QPainter& p, QRect& rect, int image) const {
  rect.adjust(margin_, 0, -margin_, 0);
  if (images_ && image >= 0 && size_t(image) < images_->images.size()) {
    const QPixmap& img = images_->images[size_t(image)];
    p.drawPixmap(rect.topLeft(), img);
    rect.setLeft(rect.left() + margin_ + img.width() + 1);
  }
}

// ---------------------------------------------------------------- screen

void CRejillaCtrl::paintEvent(QPaintEvent* e) {
  QPainter p(viewport());
  PaintGrid(p, e->rect());
  if (bandPos_ >= 0 && (mouseMode_ == MouseMode::SizingColumn || mouseMode_ == MouseMode::SizingRow)) {
    // The inverted band that follows a divider while it is dragged.
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QRect band = mouseMode_ == MouseMode::SizingColumn ? QRect(bandPos_, 0, 2, viewport()->height())
                                                              : QRect(0, bandPos_, viewport()->width(), 2);
    p.fillRect(band, Qt::white);
  }
}

void CRejillaCtrl::RenderTo(QImage& img) {
  QPainter p(&img);
  PaintGrid(p, img.rect());
}

void CRejillaCtrl::PaintGrid(QPainter& p, const QRect& clip) {
  if (clip.isEmpty()) return;
  QRect R;
  const GridCellSpan vis = GetVisibleBodyRange(&R);
  const GridCellId first = GetFirstScrolledCell();
  const int headW = GetHeadingColumnsWidth(), headH = GetHeadingRowsHeight();
  const int rRight = R.width(), rBottom = R.height();  // exclusive edges of the visible cells

  // Background: heading bands, body, and the grid background right of and below the cells.
  if (clip.left() < headW && clip.top() < rBottom)
    p.fillRect(QRect(clip.topLeft(), QPoint(headW - 1, rBottom - 1)), fixedBk_);
  if (clip.top() < headH && clip.right() >= headW && clip.left() < rRight)
    p.fillRect(QRect(QPoint(std::max(headW - 1, 0), clip.top()), QPoint(rRight - 1, headH - 1)), fixedBk_);
  p.fillRect(clip.intersected(QRect(QPoint(headW, headH), QPoint(rRight - 1, rBottom - 1))), textBk_);
  p.fillRect(clip.intersected(QRect(QPoint(rRight, clip.top()), clip.bottomRight())), gridBk_);
  p.fillRect(clip.intersected(QRect(QPoint(clip.left(), rBottom), QPoint(std::min(clip.right(), rRight - 1), clip.bottom()))),
             gridBk_);

  // Visible body rows and columns that meet the clip box, found by bisection of the prefix sums.
  // lo..hi (the visible body lines) narrowed to those between the clip edges a and b.
  auto narrow = [](int& lo, int& hi, int a, int b, int head, auto at) {
    if (a >= head) {
      const int i = at(a);
      lo = i < 0 ? hi + 1 : std::max(i, lo);
    }
    if (b >= head) {
      const int i = at(b);
      if (i >= 0) hi = std::min(i, hi);
    } else {
      hi = lo - 1;
    }
  };
  int r0 = vis.minRow, r1 = vis.maxRow, c0 = vis.minCol, c1 = vis.maxCol;
  narrow(r0, r1, clip.top(), clip.bottom(), headH, [&](int y) { return RowAtY(y, first.row); });
  narrow(c0, c1, clip.left(), clip.right(), headW, [&](int x) { return ColAtX(x, first.col); });
  auto rectOf = [&](int r, int c) {
    return QRect(ColX(c, first.col), RowY(r, first.row), colWidths_[size_t(c)], rowHeights_[size_t(r)]);
  };

  for (int r = 0; r < fixedRows_; ++r)
    for (int c = 0; c < fixedCols_; ++c) PaintHeadingCell(p, r, c, rectOf(r, c), false);
  for (int r = r0; r <= r1; ++r)
    for (int c = 0; c < fixedCols_; ++c) PaintHeadingCell(p, r, c, rectOf(r, c), false);
  for (int r = 0; r < fixedRows_; ++r)
    for (int c = c0; c <= c1; ++c) PaintHeadingCell(p, r, c, rectOf(r, c), false);
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c) PaintCell(p, r, c, rectOf(r, c), false);

  // Lines between body cells.
  QPen pen(gridLineColour_, 0);
  p.setPen(pen);
  if (gridLines_ == 2 || gridLines_ == 3)
    for (int c = c0; c <= c1; ++c) {
      const int x = ColX(c, first.col) + colWidths_[size_t(c)] - 1;
      p.drawLine(x, headH, x, rBottom - 1);
    }
  if (gridLines_ == 1 || gridLines_ == 3)
    for (int r = r0; r <= r1; ++r) {
      const int y = RowY(r, first.row) + rowHeights_[size_t(r)] - 1;
      p.drawLine(headW, y, rRight - 1, y);
    }
  p.setPen(Qt::NoPen);
}

bool CRejillaCtrl::PaintCell(QPainter& p, int row, int col, QRect rect, bool erase) {
  if (!redraw_ && !printing_) return false;
  const CGridCellData* cell = Cell(row, col);
  if (!cell) return false;
  const QColor bg = cell->background.isValid() ? cell->background : textBk_;
  QColor fg = cell->foreground.isValid() ? cell->foreground : textColour_;
  if (!bg.isValid() && erase) p.fillRect(rect.adjusted(0, 0, -1, -1), textBk_);
  p.save();
  const QRect fill = rect.adjusted(0, 0, -1, -1);  // the last pixel column and row hold the grid lines
  if (!printing_) {
    const bool focused = cell->state & kStateFocused;
    if (focused) {
      p.fillRect(rect, bg);
      p.setPen(QPen(Qt::black, 0));
      p.setBrush(Qt::NoBrush);
      p.drawRect(rect.adjusted(0, 0, -2, -2));
      rect.adjust(1, 1, -1, -1);
    }
    if (cell->state & kStateSelected) {
      p.fillRect(focused ? rect : rect, palette().color(QPalette::Highlight));
      fg = palette().color(QPalette::HighlightedText);
    } else if (!focused) {
      p.fillRect(fill, bg);
    }
    if (cell->state & kStateDropHighlighted) {
      p.setPen(QPen(Qt::black, 0));
      p.setBrush(Qt::NoBrush);
      p.drawRect(fill.adjusted(0, 0, -1, -1));
    }
  } else {
    p.fillRect(fill, bg);
  }
  p.setFont(cell->font);
  p.setPen(fg);
  DrawMarginsAndImage(p, rect, cell->image);
  if (cell->text.contains(kLineSeparator)) {
    const QStringList pieces = cell->text.split(kLineSeparator);
    for (int i = 0; i < pieces.size(); ++i) {
      DrawCellText(p, rect, pieces[i], cell->format);
      if (i + 1 < pieces.size()) rect.translate(0, kLineStep);
    }
  } else {
    DrawCellText(p, rect, cell->text, cell->format);
  }
  p.restore();
  return true;
}

bool CRejillaCtrl::PaintHeadingCell(QPainter& p, int row, int col, QRect rect, bool erase) {
  if (!redraw_ && !printing_) return false;
  const CGridCellData* cell = Cell(row, col);
  if (!cell) return false;
  const QColor bg = cell->background.isValid() ? cell->background : fixedBk_;
  const QColor fg = cell->foreground.isValid() ? cell->foreground : fixedText_;
  if (!printing_ && (cell->background.isValid() || erase)) p.fillRect(rect.adjusted(0, 0, -1, -1), bg);
  p.save();
  const bool inFocusLine = IsValid(focus_) && (row == focus_.row || col == focus_.col);
  QFont f = cell->font;
  if (inFocusLine) f.setWeight(QFont::DemiBold);
  const QPalette pal = palette();
  const int l = rect.left(), t = rect.top(), r = rect.right() - 1, b = rect.bottom() - 1;
  if (!inFocusLine) {
    p.setPen(QPen(pal.color(QPalette::Light), 0));
    p.drawLine(r, t, l, t);
    p.drawLine(l, t, l, b);
    p.setPen(QPen(pal.color(QPalette::Shadow), 0));
    p.drawLine(r, t, r, b);
    p.drawLine(r, b, l, b);
  } else {
    qDrawWinPanel(&p, rect, pal, false);
  }
  rect.adjust(1, 1, -1, -1);
  p.setFont(f);
  p.setPen(fg);
  DrawMarginsAndImage(p, rect, cell->image);
  DrawCellText(p, rect, cell->text, cell->format);  // heading texts are never split
  p.restore();
  return true;
}

bool CRejillaCtrl::RedrawCell(int row, int col, QPainter* p) {
  if (!redraw_ || !IsCellShown(row, col)) return false;
  QRect r;
  if (!GetCellRect(row, col, r)) return false;
  if (!p) {
    // Widgets paint inside their paint event only: queue the cell.
    viewport()->update(r.adjusted(0, 0, 1, 1));
    return true;
  }
  const bool ok = row < fixedRows_ || col < fixedCols_ ? PaintHeadingCell(*p, row, col, r, true)
                                                       : PaintCell(*p, row, col, r, true);
  p->save();
  p->setPen(QPen(gridLineColour_, 0));
  if (gridLines_ == 1 || gridLines_ == 3) p->drawLine(r.left(), r.bottom(), r.right() + 1, r.bottom());
  if (gridLines_ == 2 || gridLines_ == 3) p->drawLine(r.right(), r.top(), r.right(), r.bottom() + 1);
  p->restore();
  return ok;
}

void CRejillaCtrl::InvalidateCell(int row, int col) {
  if (!redraw_ || !IsCellShown(row, col)) return;
  QRect r;
  if (GetCellRect(row, col, r)) viewport()->update(r.adjusted(0, 0, 1, 1));
}

// ---------------------------------------------------------------- printing

bool CRejillaCtrl::Print() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dlg(&printer, this);
  QAbstractPrintDialog::PrintDialogOptions opts = QAbstractPrintDialog::PrintCollateCopies |
                                                  QAbstractPrintDialog::PrintShowPageSize;
  // In remote mode the user may not change the printer's properties or the copies.
  if (remotePrintMode_) opts = {};
  dlg.setOptions(opts);
  dlg.setPrintRange(QAbstractPrintDialog::AllPages);
  if (dlg.exec() != QDialog::Accepted) return false;
  return PrintTo(printer) > 0;
}

int CRejillaCtrl::PrintTo(QPrinter& printer) {
  // A table without body rows has no pages.
  if (rowCount_ <= fixedRows_) return 0;
  printer.setDocName(QGuiApplication::applicationDisplayName());
  QPainter p;
  if (!p.begin(&printer)) return 0;
  printing_ = true;
  BeginPrintJob(p, QSize(printer.width(), printer.height()));
  int printed = 0;
  bool ok = true;
  for (int page = 1; page <= printLastPage_; ++page) {
    if (page > 1 && !printer.newPage()) {
      ok = false;
      break;
    }
    printCurrentPage_ = page;
    PrintPage(p, page);
    ++printed;
  }
  EndPrintJob(p);
  printing_ = false;
  if (ok)
    p.end();
  else {
    printer.abort();
    p.end();
  }
  return ok ? printed : 0;
}

void CRejillaCtrl::BeginPrintJob(QPainter& p, const QSize& paper) {
  printLastPage_ = 0;
  if (rowCount_ <= fixedRows_) return;
  printerFont_ = QFont(QStringLiteral("Times New Roman"));
  printerFont_.setPixelSize(9);
  printerFont_.setWeight(QFont::Normal);
  p.save();
  p.setFont(printerFont_);
  const QFontMetrics fm(printerFont_);
  const QString sample = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ");
  charWidth_ = fm.horizontalAdvance(sample) / 52;
  charHeight_ = fm.height();
  paperWidth_ = paper.width();
  paperHeight_ = paper.height();
  logPageWidth_ = GetTotalWidth() + 8 * charWidth_;
  logPageHeight_ = paperWidth_ > 0 ? int((qint64(logPageWidth_) * paperHeight_ + paperWidth_ / 2) / paperWidth_) : 0;
  pageBodyHeight_ = logPageHeight_ - 6 * charHeight_ - GetHeadingRowsHeight();
  int pages = 1, sum = 0;
  for (int r = fixedRows_; r < rowCount_; ++r) {
    sum += rowHeights_[size_t(r)];
    if (sum > pageBodyHeight_) {
      ++pages;
      sum = rowHeights_[size_t(r)];
    }
  }
  printLastPage_ = pages;
  printCurrentPage_ = 1;
  p.restore();
}

void CRejillaCtrl::EndPrintJob(QPainter&) { printerFont_ = QFont(); }

namespace {
// Draws one row of cells from (0, top) with the printed grid-line rule.
template <typename PaintFn>
void PrintRow(QPainter& p, const std::vector<int>& widths, int height, int top, bool firstOnPage, int gridLines,
              const QColor& lineColour, PaintFn paint) {
  int left = 0;
  for (size_t c = 0; c < widths.size(); ++c) {
    const int w = widths[c];
    const QRect rect(left, top, w, height);
    paint(int(c), rect);
    p.save();
    p.setPen(QPen(lineColour, 0));
    const int right = left + w - 1, bottom = top + height - 1;
    if (gridLines == 1 || gridLines == 3) {
      p.drawLine(c == 0 ? left : left - 1, bottom, right, bottom);
      if (firstOnPage) p.drawLine(c == 0 ? left : left - 1, top, right, top);
    }
    if (gridLines == 2 || gridLines == 3) {
      p.drawLine(right, firstOnPage ? top : top - 1, right, bottom);
      if (c == 0) p.drawLine(left, firstOnPage ? top : top - 1, left, bottom);
    }
    p.restore();
    left += w;
  }
}
}  // namespace

void CRejillaCtrl::PrintPage(QPainter& p, int page) {
  p.save();
  p.setFont(printerFont_);
  p.setWindow(-4 * charWidth_, 0, logPageWidth_, logPageHeight_);
  p.setViewport(0, 0, paperWidth_, paperHeight_);
  PrintPageHeader(p, QRect(0, 0, logPageWidth_ - 8 * charWidth_, 2 * charHeight_));
  p.translate(0, 3 * charHeight_);
  PrintHeadingRows(p);
  p.translate(0, GetHeadingRowsHeight());

  // The page's first body row, by the same walk as the page count.
  int start = fixedRows_;
  {
    int pg = 1, sum = 0;
    for (int r = fixedRows_; r < rowCount_ && pg < page; ++r) {
      sum += rowHeights_[size_t(r)];
      if (sum > pageBodyHeight_) {
        ++pg;
        sum = rowHeights_[size_t(r)];
        start = r;
      }
    }
  }
  int top = 0;
  for (int r = start; r < rowCount_; ++r) {
    const int h = rowHeights_[size_t(r)];
    if (top + h - 1 >= pageBodyHeight_) break;
    PrintRow(p, colWidths_, h, top, r == start, gridLines_, gridLineColour_,
             [&](int c, const QRect& rect) { PaintCell(p, r, c, rect, false); });
    top += h;
  }

  p.setWorldTransform(QTransform());
  p.setWindow(-4 * charWidth_, 2 * charHeight_ - logPageHeight_, logPageWidth_, logPageHeight_);
  PrintPageFooter(p, QRect(0, 0, logPageWidth_ - 8 * charWidth_, 2 * charHeight_));
  p.restore();
}

void CRejillaCtrl::PrintHeadingRows(QPainter& p) {
  int top = 0;
  for (int r = 0; r < fixedRows_; ++r) {
    const int h = rowHeights_[size_t(r)];
    PrintRow(p, colWidths_, h, top, r == 0, gridLines_, gridLineColour_,
             [&](int c, const QRect& rect) { PaintHeadingCell(p, r, c, rect, false); });
    top += h;
  }
}

void CRejillaCtrl::PrintPageHeader(QPainter& p, const QRect& rect) {
  p.save();
  QFont bold = printerFont_;
  bold.setWeight(QFont::Bold);
  p.setFont(bold);
  p.setPen(Qt::black);
  const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
  p.drawText(rect, flags | Qt::AlignRight, QGuiApplication::applicationDisplayName());
  // The caption of the nearest window up the chain that has one (the dialog's).
  QString caption;
  for (const QWidget* w = this; w && caption.isEmpty(); w = w->parentWidget()) caption = w->windowTitle();
  p.drawText(rect, flags | Qt::AlignHCenter, caption);
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  p.restore();
}

void CRejillaCtrl::PrintPageFooter(QPainter& p, const QRect& rect) {
  p.save();
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(rect.left(), rect.top(), rect.right(), rect.top());
  QFont bold = printerFont_;
  bold.setWeight(QFont::Bold);
  p.setFont(bold);
  const QRect r = rect.translated(0, charHeight_ / 2);
  const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
  p.drawText(r, flags | Qt::AlignLeft,
             platform::LoadString(kStrPageOfPages).arg(printCurrentPage_).arg(printLastPage_));
  p.drawText(r, flags | Qt::AlignRight, QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yy HH:mm:ss")));
  p.restore();
}

}  // namespace qx::grid
