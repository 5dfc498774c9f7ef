// CRejillaCtrl: the program's grid of text cells, with heading rows and columns that stay in
// place while the body scrolls. Painted by itself on a scroll area; rows are located through
// prefix sums of their heights, so a paint touches only the visible rows.
#pragma once

#include "ui/grid/grid_types.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <unordered_map>
#include <vector>

class QMimeData;
class QPainter;
class QPrinter;

namespace qx::grid {

class CGridCellEditor;

// One cell; owned by the grid.
struct CGridCellData {
  unsigned state = 0;
  unsigned format = 0;
  QString text;
  int image = -1;
  QColor background;  // invalid: the grid's
  QColor foreground;  // invalid: the grid's
  quint32 data = 0;
  QFont font;
};

// The images that cells may show; index i is images[i]. Not owned by the grid.
struct GridImageList {
  std::vector<QPixmap> images;
  QSize size() const { return images.empty() ? QSize() : images.front().size(); }
};

class CRejillaCtrl : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CRejillaCtrl(QWidget* parent = nullptr, int rows = 0, int cols = 0, int fixedRows = 0,
                        int fixedCols = 0);
  ~CRejillaCtrl() override;

  // ---- size and structure
  bool SetRowCount(int n);
  bool SetColumnCount(int n);
  bool SetFixedRowCount(int n);
  bool SetFixedColumnCount(int n);
  int GetRowCount() const { return rowCount_; }
  int GetColumnCount() const { return colCount_; }
  int GetFixedRowCount() const { return fixedRows_; }
  int GetFixedColumnCount() const { return fixedCols_; }
  int InsertRow(const QString& heading, int position = -1);
  void ClearAll();

  // ---- cells
  bool SetItem(const GridItemInfo& info);
  bool GetItem(GridItemInfo& info) const;
  bool SetItemText(int row, int col, const QString& text);
  virtual QString GetItemText(int row, int col) const;
  bool SetItemImage(int row, int col, int image);
  int GetItemImage(int row, int col) const;
  bool SetItemFormat(int row, int col, unsigned format);
  unsigned GetItemFormat(int row, int col) const;
  bool SetItemState(int row, int col, unsigned state);
  unsigned GetItemState(int row, int col) const;
  bool SetItemFont(int row, int col, const QFont& font);
  const QFont* GetItemFont(int row, int col) const;
  bool SetItemBkColour(int row, int col, const QColor& c);
  bool SetItemFgColour(int row, int col, const QColor& c);
  bool SetItemData(int row, int col, quint32 data);
  quint32 GetItemData(int row, int col) const;
  bool IsValid(int row, int col) const { return row >= 0 && row < rowCount_ && col >= 0 && col < colCount_; }
  bool IsValid(const GridCellId& c) const { return IsValid(c.row, c.col); }
  bool IsValid(const GridCellSpan& s) const;
  bool IsCellEditable(int row, int col) const;

  // ---- rows and columns
  int GetRowHeight(int row) const;
  int GetColumnWidth(int col) const;
  bool SetRowHeight(int row, int height);
  bool SetColumnWidth(int col, int width);
  int GetHeadingRowsHeight() const;
  int GetHeadingColumnsWidth() const;
  int GetTotalHeight() const;
  int GetTotalWidth() const;
  virtual QSize MeasureCell(int row, int col) const;
  QSize MeasureText(const QString& text, bool bold) const;
  bool FitColumnToCells(int col);
  bool FitRowToCells(int row);
  void StretchToWindow();
  void StretchColumnsToWindow();
  void StretchRowsToWindow();
  bool SortRowsByText(int col, bool ascending);

  // ---- switches and settings
  void SetEditable(bool on) { editable_ = on; }
  bool IsEditable() const { return editable_; }
  void SetRowMode(bool on);
  bool GetRowMode() const { return rowMode_; }
  void SetSelectable(bool on);
  bool IsSelectable() const { return selectable_; }
  void SetDragDrop(bool on);
  bool GetDragDrop() const { return dragDrop_; }
  void SetCellBackground(const QColor& c);
  QColor GetCellBackground() const { return textBk_; }
  void SetImages(const GridImageList* images);
  const GridImageList* GetImages() const { return images_; }
  void SetGridLines(int mode) { gridLines_ = mode; viewport()->update(); }
  int GetGridLines() const { return gridLines_; }
  void SetRedraw(bool on);
  void SetHandleTab(bool on) { handleTab_ = on; }
  void SetDoubleBuffering(bool on) { doubleBuffer_ = on; }
  void SetSortOnHeadingClick(bool on) { sortOnHeading_ = on; }
  void SetRowResize(bool on) { rowResize_ = on; }
  void SetColumnResize(bool on) { colResize_ = on; }
  void SetWheelLines(int lines) { wheelLines_ = lines; }
  int GetWheelLines() const { return wheelLines_; }
  bool IsModified() const { return modified_; }
  void SetModified(bool on = true) { modified_ = on; }
  GridCellId GetFocusCell() const { return focus_; }
  MouseMode GetMouseMode() const { return mouseMode_; }
  int GetMargin() const { return margin_; }
  int GetDefaultRowHeight() const { return defRowHeight_; }
  int GetDefaultColumnWidth() const { return defColWidth_; }
  QColor GetTextColour() const { return textColour_; }
  QColor GetFixedBackground() const { return fixedBk_; }
  void SetFixedBackground(const QColor& c) { fixedBk_ = c; viewport()->update(); }
  void SetTextColour(const QColor& c) { textColour_ = c; viewport()->update(); }
  // The grid's own font for cells; point sizes become pixel sizes so that printing scales them.
  void SetGridFont(const QFont& font);
  QFont GetGridFont() const { return gridFont_; }
  // The application's remote mode restricts the print dialog; the main frame sets it at start.
  static void SetRemotePrintMode(bool on);

  // ---- geometry (client pixels of the viewport)
  GridCellId GetFirstScrolledCell() const;
  GridCellSpan GetVisibleBodyRange(QRect* rect = nullptr) const;
  GridCellSpan GetWhollyVisibleBodyRange() const;
  bool GetCellTopLeft(int row, int col, QPoint& p) const;
  bool GetCellRect(int row, int col, QRect& r) const;
  GridCellId HitTestCell(const QPoint& p, bool allowHeadings = true) const;
  bool IsCellShown(int row, int col) const;
  void UpdateScrollBars();
  int GetScrollOffset(Qt::Orientation o) const;
  void SetScrollOffset(Qt::Orientation o, int pos);
  int GetScrollMaximum(Qt::Orientation o) const;
  // One scroll request as the scroll bars would send it.
  void Scroll(Qt::Orientation o, ScrollCode code, int trackPos = 0);
  void EnsureVisible(int row, int col);

  // ---- focus and selection
  GridCellId SetFocusCell(int row, int col);
  GridCellId SetFocusCell(const GridCellId& c) { return SetFocusCell(c.row, c.col); }
  void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint = false);
  void ResetSelectedRange();
  GridCellSpan GetSelectedSpan() const;
  int GetSelectedCount() const { return int(selected_.size()); }
  void SelectAllBodyCells();
  void SelectColumnSpan(const GridCellId& c);
  void SelectRowSpan(const GridCellId& c);
  void SelectCellSpan(const GridCellId& c);
  void ExtendSelection(const GridCellId& c);

  // ---- painting and printing
  bool RedrawCell(int row, int col, QPainter* p = nullptr);
  void InvalidateCell(int row, int col);
  // Shows the print dialog and prints the whole table; false when cancelled or failed.
  bool Print();
  // Prints onto an already set-up printer (PDF in tests); returns the number of pages printed.
  int PrintTo(QPrinter& printer);
  int GetPrintPageCount() const { return printLastPage_; }
  int GetPrintCurrentPage() const { return printCurrentPage_; }
  int GetPageBodyHeight() const { return pageBodyHeight_; }
  // Paints the whole client area into an image (used by previews and the benchmark).
  void RenderTo(QImage& img);

  // ---- clipboard and drag and drop
  virtual void ClearSelectedCells();
  virtual QMimeData* CopySelectionToData() const;
  virtual bool PasteDataIntoCells(const GridCellId& cell, const QMimeData* data);
  virtual void CutToClipboard();
  virtual void CopyToClipboard();
  virtual void PasteFromClipboard();
  virtual void SelectAll();
  // The text form of the selection (rows by "\n", columns by tab), empty without a valid span.
  QString SelectionText() const;
  bool CanCopy() const;
  bool CanCut() const;
  bool CanPaste() const;
  bool CanSelectAll() const { return selectable_; }
  virtual QPixmap MakeDragImage(QSize* cellSize = nullptr);

  // ---- in-place editing
  virtual void FinishCellEdit(int row, int col, const QString& text);
  virtual void StartCellEdit(int row, int col, int key);
  virtual QWidget* CreateCellEditor(const QRect& rect, unsigned format, int id, int row, int col,
                                    const QString& text, int key);
  QWidget* GetCellEditor() const { return editor_; }
  // The report of an editor that ended (the editor's notification).
  void OnCellEditEnded(const GridEditInfo& info);

 signals:
  // A notification for the owner: kNotifyFocusSet ... kNotifyBeginDrag, with the cell.
  void gridNotify(int code, int row, int col);
  // Left double-click on a cell (heading cells included).
  void cellDoubleClicked(int row, int col);
  // Left-button release of a click that began on a valid cell.
  void clicked();

 protected:
  virtual void OnHeadingColumnClick(const GridCellId& c);
  virtual void OnHeadingRowClick(const GridCellId& c);
  virtual void NewCell(CGridCellData& cell, int row, int col);
  virtual void ClearCell(CGridCellData& cell, int row, int col);
  virtual void PaintGrid(QPainter& p, const QRect& clip);
  virtual bool PaintHeadingCell(QPainter& p, int row, int col, QRect rect, bool erase);
  virtual bool PaintCell(QPainter& p, int row, int col, QRect rect, bool erase);
  virtual void BeginPrintJob(QPainter& p, const QSize& paper);
  virtual void PrintPage(QPainter& p, int page);
  virtual void EndPrintJob(QPainter& p);
  virtual void PrintHeadingRows(QPainter& p);
  virtual void PrintPageHeader(QPainter& p, const QRect& rect);
  virtual void PrintPageFooter(QPainter& p, const QRect& rect);

  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* e) override;
  bool event(QEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dragLeaveEvent(QDragLeaveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  using Row = std::vector<std::unique_ptr<CGridCellData>>;

  CGridCellData* Cell(int row, int col) const;
  std::unique_ptr<CGridCellData> MakeCell(int row, int col);
  void Notify(int code, int row, int col);
  void OnTimer();
  void OnScrollAction(Qt::Orientation o, int action);
  // Handles one key as the keyboard handler does; false when the key was left to the owner.
  bool HandleKey(int key, Qt::KeyboardModifiers mods);
  void StartDrag();
  void TakeSystemColours();
  static quint64 SelKey(int row, int col) { return (quint64(quint32(col)) << 32) | quint32(row); }
  void RedrawHeadingsOf(int row, int col);
  void ApplyFontToCells();
  void DrawMarginsAndImage(QPainter& p, QRect& rect, int image) const;
  void DrawCellText(QPainter& p, const QRect& r, const QString& text, unsigned format) const;

  // Prefix sums of the row heights and column widths, rebuilt lazily after a change.
  const std::vector<int>& RowTops() const;
  const std::vector<int>& ColLefts() const;
  void DirtyRows() { rowTopsDirty_ = true; }
  void DirtyCols() { colLeftsDirty_ = true; }
  int RowY(int row, int firstRow) const;
  int ColX(int col, int firstCol) const;
  int RowAtY(int y, int firstRow) const;
  int ColAtX(int x, int firstCol) const;

  QColor textColour_, textBk_, gridBk_, fixedText_, fixedBk_, gridLineColour_{0, 0, 0};
  QColor sysText_, sysWindow_, sysFace_, sysShadow_;
  int gridLines_ = 3;
  bool editable_ = true;
  bool modified_ = false;
  bool dragDrop_ = false;
  bool rowMode_ = false;
  bool redraw_ = true;
  bool selectable_ = true;
  bool sortOnHeading_ = true;
  bool handleTab_ = true;
  bool doubleBuffer_ = true;
  int rowCount_ = 0, fixedRows_ = 0, colCount_ = 0, fixedCols_ = 0;
  std::vector<int> rowHeights_, colWidths_;
  mutable std::vector<int> rowTops_, colLefts_;
  mutable bool rowTopsDirty_ = true, colLeftsDirty_ = true;
  int margin_ = 0;
  int defColWidth_ = 0;
  int defRowHeight_ = 30;
  int vMax_ = 0, hMax_ = 0;
  QFont gridFont_;
  const GridImageList* images_ = nullptr;
  std::vector<Row> rows_;
  GridCellId focus_, leftClickCell_, selStart_;
  QPoint leftClickPos_, lastMousePos_;
  MouseMode mouseMode_ = MouseMode::None;
  QTimer autoScroll_;
  int resizeCaptureRange_ = 3;
  bool rowResize_ = true, colResize_ = true;
  int wheelLines_ = 3;
  std::unordered_map<quint64, GridCellId> selected_, prevSelected_;
  GridCellId dragOver_;
  bool sortAscending_ = true;
  int sortColumn_ = -1;
  int resizeIndex_ = -1;  // row or column being resized
  int bandPos_ = -1;      // x or y of the inverted resize band, -1 when none
  QPointer<QWidget> editor_;
  bool mouseMoved_ = false;
  bool destroying_ = false;

  // Printing state.
  QFont printerFont_;
  int charWidth_ = 0, charHeight_ = 0;
  int paperWidth_ = 0, paperHeight_ = 0;
  int logPageWidth_ = 0, logPageHeight_ = 0;
  int pageBodyHeight_ = 0;
  int printLastPage_ = 0, printCurrentPage_ = 0;
  bool printing_ = false;
  static bool remotePrintMode_;

  friend class CGridCellEditor;
};

}  // namespace qx::grid

using qx::grid::CRejillaCtrl;
