// The grid's data model, geometry and the operations that fill and size the table.
#include "ui/grid/rejilla_ctrl.h"

#include "ui/grid/grid_cell_editor.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <numeric>

namespace qx::grid {

bool CRejillaCtrl::remotePrintMode_ = false;

void CRejillaCtrl::SetRemotePrintMode(bool on) { remotePrintMode_ = on; }

CRejillaCtrl::CRejillaCtrl(QWidget* parent, int rows, int cols, int fixedRows, int fixedCols)
    : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_KeyCompression, false);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);  // PaintGrid fills every pixel
  viewport()->setAutoFillBackground(false);
  setFrameShape(QFrame::StyledPanel);

  TakeSystemColours();
  textColour_ = sysText_;
  textBk_ = sysWindow_;
  gridBk_ = sysShadow_;
  fixedText_ = sysText_;
  fixedBk_ = sysFace_;
  wheelLines_ = QApplication::wheelScrollLines();

  autoScroll_.setInterval(kAutoScrollIntervalMs);
  connect(&autoScroll_, &QTimer::timeout, this, &CRejillaCtrl::OnTimer);
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
          [this](int a) { OnScrollAction(Qt::Vertical, a); });
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
          [this](int a) { OnScrollAction(Qt::Horizontal, a); });

  SetGridFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));

  SetRowCount(rows);
  SetColumnCount(cols);
  SetFixedRowCount(fixedRows);
  SetFixedColumnCount(fixedCols);
}

CRejillaCtrl::~CRejillaCtrl() {
  destroying_ = true;
  autoScroll_.stop();
  if (auto* ed = qobject_cast<CGridCellEditor*>(editor_.data())) ed->Detach();
  delete editor_.data();
}

void CRejillaCtrl::TakeSystemColours() {
  const QPalette pal = palette();
  sysText_ = pal.color(QPalette::Active, QPalette::Text);
  sysWindow_ = pal.color(QPalette::Active, QPalette::Base);
  sysFace_ = pal.color(QPalette::Active, QPalette::Button);
  sysShadow_ = pal.color(QPalette::Active, QPalette::Dark);
}

void CRejillaCtrl::changeEvent(QEvent* e) {
  if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) {
    // Colours still equal to the system colour they were taken from follow the system; colours
    // the owner set (such as a light-yellow cell background) stay.
    const QColor oldText = sysText_, oldWindow = sysWindow_, oldFace = sysFace_, oldShadow = sysShadow_;
    TakeSystemColours();
    if (textColour_ == oldText) textColour_ = sysText_;
    if (textBk_ == oldWindow) textBk_ = sysWindow_;
    if (gridBk_ == oldShadow) gridBk_ = sysShadow_;
    if (fixedText_ == oldText) fixedText_ = sysText_;
    if (fixedBk_ == oldFace) fixedBk_ = sysFace_;
    if (e->type() == QEvent::StyleChange) wheelLines_ = QApplication::wheelScrollLines();
    viewport()->update();
  } else if (e->type() == QEvent::FontChange) {
    SetGridFont(font());
  }
  QAbstractScrollArea::changeEvent(e);
}

void CRejillaCtrl::SetGridFont(const QFont& f) {
  QFont font = f;
  // Pixel sizes keep cells and their text in proportion when printing rescales the page.
  if (font.pixelSize() <= 0) {
    const double pt = font.pointSizeF() > 0 ? font.pointSizeF() : 8.0;
    font.setPixelSize(std::max(1, int(pt * logicalDpiY() / 72.0 + 0.5)));
  }
  gridFont_ = font;
  ApplyFontToCells();
  const QFontMetrics fm(gridFont_);
  margin_ = fm.horizontalAdvance(QLatin1Char(' '));
  defRowHeight_ = fm.leading() + 2 * margin_ + fm.height();
  defColWidth_ = (margin_ + 6 * fm.averageCharWidth()) * 2;
  viewport()->update();
}

void CRejillaCtrl::ApplyFontToCells() {
  for (auto& row : rows_)
    for (auto& c : row)
      if (c) c->font = gridFont_;
}

// ---------------------------------------------------------------- structure

void CRejillaCtrl::NewCell(CGridCellData& cell, int row, int col) {
  cell.font = gridFont_;
  if (row > 0 && col > 0) {
    if (const CGridCellData* above = Cell(row - 1, col)) cell.format = above->format;
  }
}

void CRejillaCtrl::ClearCell(CGridCellData& cell, int, int) {
  cell.state = 0;
  cell.text.clear();
}

std::unique_ptr<CGridCellData> CRejillaCtrl::MakeCell(int row, int col) {
  auto c = std::make_unique<CGridCellData>();
  NewCell(*c, row, col);
  return c;
}

CGridCellData* CRejillaCtrl::Cell(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  const Row& r = rows_[size_t(row)];
  return size_t(col) < r.size() ? r[size_t(col)].get() : nullptr;
}

bool CRejillaCtrl::IsValid(const GridCellSpan& s) const {
  return s.minRow >= 0 && s.minCol >= 0 && s.maxRow >= 0 && s.maxCol >= 0 && s.maxRow < rowCount_ &&
         s.maxCol < colCount_ && s.minRow <= s.maxRow && s.minCol <= s.maxCol;
}

bool CRejillaCtrl::SetRowCount(int n) {
  if (n < 0) return false;
  if (n == rowCount_) return true;
  if (fixedRows_ > n) fixedRows_ = n;
  if (focus_.row >= n) focus_ = GridCellId();
  if (n < rowCount_) {
    for (int r = n; r < rowCount_; ++r)
      for (int c = 0; c < int(rows_[size_t(r)].size()); ++c)
        if (auto& cell = rows_[size_t(r)][size_t(c)]) ClearCell(*cell, r, c);
    rows_.resize(size_t(n));
    rowHeights_.resize(size_t(n));
    // Selected cells of removed rows leave the maps, so no span can name a missing row.
    std::erase_if(selected_, [n](const auto& kv) { return kv.second.row >= n; });
    std::erase_if(prevSelected_, [n](const auto& kv) { return kv.second.row >= n; });
    rowCount_ = n;
  } else {
    const int old = rowCount_;
    rows_.resize(size_t(n));
    rowHeights_.resize(size_t(n), defRowHeight_);
    rowCount_ = n;
    for (int r = old; r < n; ++r) {
      Row& row = rows_[size_t(r)];
      row.reserve(size_t(colCount_));
      for (int c = 0; c < colCount_; ++c) row.push_back(MakeCell(r, c));
    }
  }
  DirtyRows();
  UpdateScrollBars();
  if (redraw_) viewport()->update();
  return true;
}

bool CRejillaCtrl::SetColumnCount(int n) {
  if (n < 0) return false;
  if (n == colCount_) return true;
  if (fixedCols_ > n) fixedCols_ = n;
  if (focus_.col >= n) focus_ = GridCellId();
  const int old = colCount_;
  if (n < old) {
    for (int r = 0; r < rowCount_; ++r) {
      Row& row = rows_[size_t(r)];
      for (int c = n; c < int(row.size()); ++c)
        if (row[size_t(c)]) ClearCell(*row[size_t(c)], r, c);
      row.resize(size_t(n));
    }
    colWidths_.resize(size_t(n));
    std::erase_if(selected_, [n](const auto& kv) { return kv.second.col >= n; });
    std::erase_if(prevSelected_, [n](const auto& kv) { return kv.second.col >= n; });
    colCount_ = n;
  } else {
    colWidths_.resize(size_t(n), defColWidth_);
    colCount_ = n;
    for (int r = 0; r < rowCount_; ++r) {
      Row& row = rows_[size_t(r)];
      for (int c = old; c < n; ++c) row.push_back(MakeCell(r, c));
    }
  }
  DirtyCols();
  UpdateScrollBars();
  if (redraw_) viewport()->update();
  return true;
}

bool CRejillaCtrl::SetFixedRowCount(int n) {
  if (n < 0) return false;
  if (rowCount_ < n && !SetRowCount(n)) return false;
  if (focus_.row >= 0 && focus_.row < n) focus_ = GridCellId();
  fixedRows_ = n;
  DirtyRows();
  UpdateScrollBars();
  if (redraw_) viewport()->update();
  return true;
}

bool CRejillaCtrl::SetFixedColumnCount(int n) {
  if (n < 0) return false;
  if (colCount_ < n && !SetColumnCount(n)) return false;
  if (focus_.col >= 0 && focus_.col < n) focus_ = GridCellId();
  fixedCols_ = n;
  DirtyCols();
  UpdateScrollBars();
  if (redraw_) viewport()->update();
  return true;
}

int CRejillaCtrl::InsertRow(const QString& heading, int position) {
  if (position != -1 && (position < 0 || position >= rowCount_)) return -1;
  ResetSelectedRange();
  if (colCount_ < 1) SetColumnCount(1);
  const int at = position == -1 ? rowCount_ : position;
  rows_.insert(rows_.begin() + at, Row());
  rowHeights_.insert(rowHeights_.begin() + at, defRowHeight_);
  ++rowCount_;
  Row& row = rows_[size_t(at)];
  row.reserve(size_t(colCount_));
  for (int c = 0; c < colCount_; ++c) row.push_back(MakeCell(at, c));
  row[0]->text = heading;
  rowHeights_[size_t(at)] = MeasureText(heading, true).height();
  DirtyRows();
  UpdateScrollBars();
  if (redraw_) viewport()->update();
  return at;
}

void CRejillaCtrl::ClearAll() {
  ResetSelectedRange();
  rowHeights_.clear();
  colWidths_.clear();
  for (int r = 0; r < rowCount_; ++r)
    for (int c = 0; c < int(rows_[size_t(r)].size()); ++c)
      if (auto& cell = rows_[size_t(r)][size_t(c)]) ClearCell(*cell, r, c);
  rows_.clear();
  focus_ = GridCellId();
  rowCount_ = colCount_ = fixedRows_ = fixedCols_ = 0;
  DirtyRows();
  DirtyCols();
  UpdateScrollBars();
  if (redraw_) viewport()->update();
}

// ---------------------------------------------------------------- cells

bool CRejillaCtrl::SetItem(const GridItemInfo& info) {
  CGridCellData* c = Cell(info.row, info.col);
  if (!c) return false;
  if (info.mask & kMaskText) c->text = info.text;
  if (info.mask & kMaskData) c->data = info.data;
  if (info.mask & kMaskState) c->state = info.state;
  if (info.mask & kMaskFormat) c->format = info.format;
  if (info.mask & kMaskImage) c->image = info.image;
  if (info.mask & kMaskBackground) c->background = info.background;
  if (info.mask & kMaskForeground) c->foreground = info.foreground;
  if (info.mask & kMaskFont) c->font = info.font;
  return true;
}

bool CRejillaCtrl::GetItem(GridItemInfo& info) const {
  const CGridCellData* c = Cell(info.row, info.col);
  if (!c) return false;
  if (info.mask & kMaskText) info.text = GetItemText(info.row, info.col);
  if (info.mask & kMaskData) info.data = c->data;
  if (info.mask & kMaskState) info.state = c->state;
  if (info.mask & kMaskFormat) info.format = c->format;
  if (info.mask & kMaskImage) info.image = c->image;
  if (info.mask & kMaskBackground) info.background = c->background;
  if (info.mask & kMaskForeground) info.foreground = c->foreground;
  if (info.mask & kMaskFont) info.font = c->font;
  return true;
}

bool CRejillaCtrl::SetItemText(int row, int col, const QString& text) {
  CGridCellData* c = Cell(row, col);
  if (!c) return false;
  c->text = text;
  return true;
}

QString CRejillaCtrl::GetItemText(int row, int col) const {
  const CGridCellData* c = Cell(row, col);
  return c ? c->text : QString();
}

bool CRejillaCtrl::SetItemImage(int row, int col, int image) {
  CGridCellData* c = Cell(row, col);
  if (!c) return false;
  c->image = image;
  return true;
}

int CRejillaCtrl::GetItemImage(int row, int col) const {
  const CGridCellData* c = Cell(row, col);
  return c ? c->image : -1;
}

bool CRejillaCtrl::SetItemFormat(int row, int col, unsigned format) {
  CGridCellData* c = Cell(row, col);
  if (!c) return false;
  c->format = format;
  return true;
}

unsigned CRejillaCtrl::GetItemFormat(int row, int col) const {
  const CGridCellData* c = Cell(row, col);
  return c ? c->format : 0;
}

bool CRejillaCtrl::SetItemState(int row, int col, unsigned state) {
  CGridCellData* c = Cell(row, col);
  if (!c) return false;
  c->state = state;
  // The selected-cells map follows the selected bit.
  if (state & kStateSelected)
    selected_[SelKey(row, col)] = GridCellId(row, col);
  else
    selected_.erase(SelKey(row, col));
  return true;
}

unsigned CRejillaCtrl::GetItemState(int row, int col) const {
  const CGridCellData* c = Cell(row, col);
  return c ? c->state : 0;
}

bool CRejillaCtrl::SetItemFont(int row, int col, const QFont& font) {
  CGridCellData* c = Cell(row, col);
  if (!c) return false;
  c->font = font;
  return true;
}

const QFont* CRejillaCtrl::GetItemFont(int row, int col) const {
  const CGridCellData* c = Cell(row, col);
  return c ? &c->font : nullptr;
}

bool CRejillaCtrl::SetItemBkColour(int row, int col, const QColor& colour) {
  CGridCellData* c = Cell(row, col);
  if (!c) return false;
  c->background = colour;
  return true;
}

bool CRejillaCtrl::SetItemFgColour(int row, int col, const QColor& colour) {
  CGridCellData* c = Cell(row, col);
  if (!c) return false;
  c->foreground = colour;
  return true;
}

bool CRejillaCtrl::SetItemData(int row, int col, quint32 data) {
  CGridCellData* c = Cell(row, col);
  if (!c) return false;
  c->data = data;
  return true;
}

quint32 CRejillaCtrl::GetItemData(int row, int col) const {
  const CGridCellData* c = Cell(row, col);
  return c ? c->data : 0;
}

bool CRejillaCtrl::IsCellEditable(int row, int col) const {
  const CGridCellData* c = Cell(row, col);
  return editable_ && c && !(c->state & kStateReadOnly);
}

// ---------------------------------------------------------------- rows and columns

int CRejillaCtrl::GetRowHeight(int row) const {
  return row >= 0 && row < rowCount_ ? rowHeights_[size_t(row)] : -1;
}

int CRejillaCtrl::GetColumnWidth(int col) const {
  return col >= 0 && col < colCount_ ? colWidths_[size_t(col)] : -1;
}

bool CRejillaCtrl::SetRowHeight(int row, int height) {
  if (row < 0 || row >= rowCount_ || height < 0) return false;
  rowHeights_[size_t(row)] = height;
  DirtyRows();
  return true;
}

bool CRejillaCtrl::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= colCount_ || width < 0) return false;
  colWidths_[size_t(col)] = width;
  DirtyCols();
  return true;
}

const std::vector<int>& CRejillaCtrl::RowTops() const {
  if (rowTopsDirty_) {
    rowTops_.resize(rowHeights_.size() + 1);
    rowTops_[0] = 0;
    std::partial_sum(rowHeights_.begin(), rowHeights_.end(), rowTops_.begin() + 1);
    rowTopsDirty_ = false;
  }
  return rowTops_;
}

const std::vector<int>& CRejillaCtrl::ColLefts() const {
  if (colLeftsDirty_) {
    colLefts_.resize(colWidths_.size() + 1);
    colLefts_[0] = 0;
    std::partial_sum(colWidths_.begin(), colWidths_.end(), colLefts_.begin() + 1);
    colLeftsDirty_ = false;
  }
  return colLefts_;
}

int CRejillaCtrl::GetHeadingRowsHeight() const { return RowTops()[size_t(fixedRows_)]; }
int CRejillaCtrl::GetHeadingColumnsWidth() const { return ColLefts()[size_t(fixedCols_)]; }
int CRejillaCtrl::GetTotalHeight() const { return RowTops()[size_t(rowCount_)]; }
int CRejillaCtrl::GetTotalWidth() const { return ColLefts()[size_t(colCount_)]; }

QSize CRejillaCtrl::MeasureCell(int row, int col) const {
  const CGridCellData* c = Cell(row, col);
  if (!c) return QSize(0, 0);
  QFont f = c->font;
  if (row < fixedRows_ || col < fixedCols_) f.setWeight(QFont::DemiBold);
  const QFontMetrics fm(f);
  const QSize text = fm.size(0, c->text.isEmpty() ? QStringLiteral(" ") : c->text);
  QSize img;
  if (images_ && c->image >= 0 && size_t(c->image) < images_->images.size())
    img = images_->images[size_t(c->image)].size();
  return QSize(text.width() + 4 * margin_ + img.width(),
               std::max(text.height() + 2 * margin_, img.height()));
}

QSize CRejillaCtrl::MeasureText(const QString& text, bool bold) const {
  QFont f = gridFont_;
  if (bold) f.setWeight(QFont::DemiBold);
  const QSize s = QFontMetrics(f).size(0, text.isEmpty() ? QStringLiteral(" ") : text);
  return QSize(s.width() + 2 * margin_, s.height() + 2 * margin_);
}

bool CRejillaCtrl::FitColumnToCells(int col) {
  if (col < 0 || col >= colCount_) return false;
  int w = 0;
  for (int r = 0; r < rowCount_; ++r) w = std::max(w, MeasureCell(r, col).width());
  colWidths_[size_t(col)] = w;
  DirtyCols();
  UpdateScrollBars();
  return true;
}

bool CRejillaCtrl::FitRowToCells(int row) {
  if (row < 0 || row >= rowCount_) return false;
  int h = 0;
  for (int c = 0; c < colCount_; ++c) h = std::max(h, MeasureCell(row, c).height());
  rowHeights_[size_t(row)] = h;
  DirtyRows();
  UpdateScrollBars();
  return true;
}

namespace {
// Spreads a difference over sizes: each grows by diff / n (toward zero), then the first
// (diff mod n) grow one more pixel when diff is positive, or the first ((-diff) mod n) shrink
// one pixel otherwise.
void Spread(std::vector<int>& sizes, int diff) {
  const int n = int(sizes.size());
  if (n == 0) return;
  const int each = diff / n;
  for (int& s : sizes) s += each;
  if (diff > 0) {
    for (int i = 0; i < diff % n; ++i) sizes[size_t(i)] += 1;
  } else {
    for (int i = 0; i < (-diff) % n; ++i) sizes[size_t(i)] -= 1;
  }
  for (int& s : sizes) s = std::max(s, 0);
}
}  // namespace

void CRejillaCtrl::StretchColumnsToWindow() {
  if (colCount_ == 0) return;
  Spread(colWidths_, viewport()->width() - GetTotalWidth());
  DirtyCols();
  UpdateScrollBars();
  if (redraw_) viewport()->update();
}

void CRejillaCtrl::StretchRowsToWindow() {
  if (rowCount_ == 0) return;
  Spread(rowHeights_, viewport()->height() - GetTotalHeight());
  DirtyRows();
  UpdateScrollBars();
  if (redraw_) viewport()->update();
}

void CRejillaCtrl::StretchToWindow() {
  StretchColumnsToWindow();
  StretchRowsToWindow();
  StretchColumnsToWindow();
}

bool CRejillaCtrl::SortRowsByText(int col, bool ascending) {
  if (col < 0 || col >= colCount_ || rowCount_ - fixedRows_ <= 1) return false;
  ResetSelectedRange();
  // Rows move with their heights; rows with equal texts keep their order.
  std::vector<int> order(size_t(rowCount_ - fixedRows_));
  std::iota(order.begin(), order.end(), fixedRows_);
  std::vector<QByteArray> keys(static_cast<size_t>(rowCount_));
  for (int r = fixedRows_; r < rowCount_; ++r) keys[size_t(r)] = GetItemText(r, col).toUtf8();
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const int cmp = keys[size_t(a)].compare(keys[size_t(b)]);
    return ascending ? cmp < 0 : cmp > 0;
  });
  std::vector<Row> newRows;
  std::vector<int> newHeights;
  newRows.reserve(rows_.size());
  for (int r = 0; r < fixedRows_; ++r) {
    newRows.push_back(std::move(rows_[size_t(r)]));
    newHeights.push_back(rowHeights_[size_t(r)]);
  }
  for (int r : order) {
    newRows.push_back(std::move(rows_[size_t(r)]));
    newHeights.push_back(rowHeights_[size_t(r)]);
  }
  rows_ = std::move(newRows);
  rowHeights_ = std::move(newHeights);
  DirtyRows();
  return true;
}

// ---------------------------------------------------------------- switches

void CRejillaCtrl::SetRowMode(bool on) {
  rowMode_ = on;
  ResetSelectedRange();
}

void CRejillaCtrl::SetSelectable(bool on) {
  selectable_ = on;
  ResetSelectedRange();
}

void CRejillaCtrl::SetDragDrop(bool on) {
  dragDrop_ = on;
  viewport()->setAcceptDrops(on);
}

void CRejillaCtrl::SetCellBackground(const QColor& c) {
  textBk_ = c;
  viewport()->update();
}

void CRejillaCtrl::SetImages(const GridImageList* images) { images_ = images; }

void CRejillaCtrl::SetRedraw(bool on) {
  redraw_ = on;
  if (on) {
    UpdateScrollBars();
    viewport()->update();
  }
}

// ---------------------------------------------------------------- geometry

GridCellId CRejillaCtrl::GetFirstScrolledCell() const {
  const auto& tops = RowTops();
  const auto& lefts = ColLefts();
  GridCellId id(fixedRows_, fixedCols_);
  // First body row whose top lies at or past the scroll position, never past the last row.
  if (rowCount_ > fixedRows_) {
    const int target = tops[size_t(fixedRows_)] + GetScrollOffset(Qt::Vertical);
    const auto it = std::lower_bound(tops.begin() + fixedRows_, tops.begin() + rowCount_, target);
    id.row = std::min(int(it - tops.begin()), rowCount_ - 1);
  }
  if (colCount_ > fixedCols_) {
    const int target = lefts[size_t(fixedCols_)] + GetScrollOffset(Qt::Horizontal);
    const auto it = std::lower_bound(lefts.begin() + fixedCols_, lefts.begin() + colCount_, target);
    id.col = std::min(int(it - lefts.begin()), colCount_ - 1);
  }
  return id;
}

int CRejillaCtrl::RowY(int row, int firstRow) const {
  const auto& tops = RowTops();
  if (row < fixedRows_) return tops[size_t(row)];
  return tops[size_t(fixedRows_)] + tops[size_t(row)] - tops[size_t(firstRow)];
}

int CRejillaCtrl::ColX(int col, int firstCol) const {
  const auto& lefts = ColLefts();
  if (col < fixedCols_) return lefts[size_t(col)];
  return lefts[size_t(fixedCols_)] + lefts[size_t(col)] - lefts[size_t(firstCol)];
}

// The row under y (client), or -1; rows scrolled out above are not found.
int CRejillaCtrl::RowAtY(int y, int firstRow) const {
  if (y < 0) return -1;
  const auto& tops = RowTops();
  const int headH = tops[size_t(fixedRows_)];
  int target;
  size_t from;
  if (y < headH) {
    target = y;
    from = 0;
  } else {
    target = y - headH + tops[size_t(firstRow)];
    from = size_t(firstRow);
  }
  const auto it = std::upper_bound(tops.begin() + long(from), tops.end(), target);
  const int r = int(it - tops.begin()) - 1;
  return r >= int(from) && r < rowCount_ ? r : -1;
}

int CRejillaCtrl::ColAtX(int x, int firstCol) const {
  if (x < 0) return -1;
  const auto& lefts = ColLefts();
  const int headW = lefts[size_t(fixedCols_)];
  int target;
  size_t from;
  if (x < headW) {
    target = x;
    from = 0;
  } else {
    target = x - headW + lefts[size_t(firstCol)];
    from = size_t(firstCol);
  }
  const auto it = std::upper_bound(lefts.begin() + long(from), lefts.end(), target);
  const int c = int(it - lefts.begin()) - 1;
  return c >= int(from) && c < colCount_ ? c : -1;
}

GridCellSpan CRejillaCtrl::GetVisibleBodyRange(QRect* rect) const {
  const GridCellId first = GetFirstScrolledCell();
  const QSize client = viewport()->size();
  const auto& tops = RowTops();
  const auto& lefts = ColLefts();
  const int headH = tops[size_t(fixedRows_)], headW = lefts[size_t(fixedCols_)];
  int lastRow = first.row - 1, lastCol = first.col - 1;
  if (rowCount_ > fixedRows_) {
    // Last row whose top lies inside the client area.
    const int limit = client.height() - 1 - headH + tops[size_t(first.row)];
    const auto it = std::upper_bound(tops.begin() + first.row, tops.begin() + rowCount_, limit);
    lastRow = std::min(int(it - tops.begin()) - 1, rowCount_ - 1);
  }
  if (colCount_ > fixedCols_) {
    const int limit = client.width() - 1 - headW + lefts[size_t(first.col)];
    const auto it = std::upper_bound(lefts.begin() + first.col, lefts.begin() + colCount_, limit);
    lastCol = std::min(int(it - lefts.begin()) - 1, colCount_ - 1);
  }
  if (rect) {
    const int bottom = lastRow >= first.row ? RowY(lastRow, first.row) + rowHeights_[size_t(lastRow)] : headH;
    const int right = lastCol >= first.col ? ColX(lastCol, first.col) + colWidths_[size_t(lastCol)] : headW;
    *rect = QRect(0, 0, right, bottom);
  }
  return GridCellSpan(first.row, first.col, lastRow, lastCol);
}

GridCellSpan CRejillaCtrl::GetWhollyVisibleBodyRange() const {
  GridCellSpan s = GetVisibleBodyRange();
  const GridCellId first = GetFirstScrolledCell();
  const QSize client = viewport()->size();
  if (s.maxRow >= first.row && RowY(s.maxRow, first.row) + rowHeights_[size_t(s.maxRow)] > client.height())
    --s.maxRow;
  if (s.maxCol >= first.col && ColX(s.maxCol, first.col) + colWidths_[size_t(s.maxCol)] > client.width())
    --s.maxCol;
  return s;
}

bool CRejillaCtrl::GetCellTopLeft(int row, int col, QPoint& p) const {
  if (!IsValid(row, col)) return false;
  const GridCellId first = GetFirstScrolledCell();
  if ((row >= fixedRows_ && row < first.row) || (col >= fixedCols_ && col < first.col)) return false;
  p = QPoint(ColX(col, first.col), RowY(row, first.row));
  return true;
}

bool CRejillaCtrl::GetCellRect(int row, int col, QRect& r) const {
  QPoint p;
  if (!GetCellTopLeft(row, col, p)) return false;
  r = QRect(p, QSize(colWidths_[size_t(col)], rowHeights_[size_t(row)]));
  return true;
}

GridCellId CRejillaCtrl::HitTestCell(const QPoint& p, bool allowHeadings) const {
  const GridCellId first = GetFirstScrolledCell();
  GridCellId id(RowAtY(p.y(), first.row), ColAtX(p.x(), first.col));
  if (!allowHeadings) {
    if (id.row < fixedRows_) id.row = -1;
    if (id.col < fixedCols_) id.col = -1;
  }
  if (id.row < 0 || id.col < 0) return GridCellId(id.row < 0 ? -1 : id.row, id.col < 0 ? -1 : id.col);
  return id;
}

bool CRejillaCtrl::IsCellShown(int row, int col) const {
  QPoint p;
  if (!GetCellTopLeft(row, col, p)) return false;
  const QSize client = viewport()->size();
  return p.x() < client.width() && p.y() < client.height();
}

void CRejillaCtrl::UpdateScrollBars() {
  if (!redraw_) return;
  const QSize client = viewport()->size();
  const int pageW = client.width() - GetHeadingColumnsWidth();
  const int pageH = client.height() - GetHeadingRowsHeight();
  if (pageW <= 0 || pageH <= 0) return;
  const int bodyW = GetTotalWidth() - GetHeadingColumnsWidth();
  const int bodyH = GetTotalHeight() - GetHeadingRowsHeight();
  hMax_ = bodyW > pageW ? bodyW - 1 : 0;
  vMax_ = bodyH > pageH ? bodyH - 1 : 0;
  // A bar of range hMax_ with page pageW reaches at most hMax_ - pageW + 1.
  horizontalScrollBar()->setPageStep(pageW);
  horizontalScrollBar()->setRange(0, hMax_ > 0 ? hMax_ - pageW + 1 : 0);
  verticalScrollBar()->setPageStep(pageH);
  verticalScrollBar()->setRange(0, vMax_ > 0 ? vMax_ - pageH + 1 : 0);
}

int CRejillaCtrl::GetScrollOffset(Qt::Orientation o) const {
  const QScrollBar* sb = o == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
  return sb->isSliderDown() ? sb->sliderPosition() : sb->value();
}

void CRejillaCtrl::SetScrollOffset(Qt::Orientation o, int pos) {
  (o == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar())->setValue(pos);
}

int CRejillaCtrl::GetScrollMaximum(Qt::Orientation o) const {
  return (o == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar())->maximum();
}

void CRejillaCtrl::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBars();
}

void CRejillaCtrl::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace qx::grid
