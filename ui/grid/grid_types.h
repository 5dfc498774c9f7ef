// Small value types and codes shared by the grid control, its cells and its editors.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

namespace qx::grid {

// A cell position; (-1, -1) names no cell.
struct GridCellId {
  int row = -1;
  int col = -1;
  constexpr GridCellId() = default;
  constexpr GridCellId(int r, int c) : row(r), col(c) {}
  friend constexpr bool operator==(const GridCellId&, const GridCellId&) = default;
};

// An inclusive rectangle of cells.
struct GridCellSpan {
  int minRow = -1, minCol = -1, maxRow = -1, maxCol = -1;
  constexpr GridCellSpan() = default;
  constexpr GridCellSpan(int r0, int c0, int r1, int c1) : minRow(r0), minCol(c0), maxRow(r1), maxCol(c1) {}
  constexpr bool contains(int r, int c) const { return r >= minRow && r <= maxRow && c >= minCol && c <= maxCol; }
  friend constexpr bool operator==(const GridCellSpan&, const GridCellSpan&) = default;
};

// Cell state bits.
inline constexpr unsigned kStateFocused = 0x01;
inline constexpr unsigned kStateSelected = 0x02;
inline constexpr unsigned kStateDropHighlighted = 0x04;
inline constexpr unsigned kStateReadOnly = 0x08;

// Cell text formats keep the classic text-drawing flag values, so owners can pass the same
// numbers (0x8020, 0x8024 ...) that their layouts were designed with.
inline constexpr unsigned kFmtLeft = 0x0000;
inline constexpr unsigned kFmtCenter = 0x0001;
inline constexpr unsigned kFmtRight = 0x0002;
inline constexpr unsigned kFmtVCenter = 0x0004;
inline constexpr unsigned kFmtBottom = 0x0008;
inline constexpr unsigned kFmtWordBreak = 0x0010;
inline constexpr unsigned kFmtSingleLine = 0x0020;
inline constexpr unsigned kFmtNoClip = 0x0100;
inline constexpr unsigned kFmtNoPrefix = 0x0800;
inline constexpr unsigned kFmtEndEllipsis = 0x8000;

// Mask bits of GridItemInfo.
inline constexpr unsigned kMaskText = 0x01;
inline constexpr unsigned kMaskImage = 0x02;
inline constexpr unsigned kMaskData = 0x04;
inline constexpr unsigned kMaskState = 0x08;
inline constexpr unsigned kMaskBackground = 0x10;
inline constexpr unsigned kMaskForeground = 0x20;
inline constexpr unsigned kMaskFormat = 0x40;
inline constexpr unsigned kMaskFont = 0x80;

// Notification codes sent to the owner (signal CRejillaCtrl::gridNotify).
inline constexpr int kNotifyFocusSet = -103;    // a cell has become the focus cell
inline constexpr int kNotifyFocusLeft = -104;   // the focus has left a cell
inline constexpr int kNotifyBeginEdit = -105;   // an in-place edit is about to start
inline constexpr int kNotifyEndEdit = -106;     // an in-place edit has ended
inline constexpr int kNotifyBeginDrag = -109;   // a drag of the selected cells starts

// The owner's double-click message number, kept for owners that route by message number.
inline constexpr int kMsgCellDoubleClick = 0x0400 + 12;
// Identifier of the auto-scroll timer while selecting, and its period in milliseconds.
inline constexpr int kAutoScrollTimerId = 513;
inline constexpr int kAutoScrollIntervalMs = 25;
// Control id the grid gives its in-place editors.
inline constexpr int kEditorControlId = 8;

// Keys that start or end an in-place edit: Qt::Key values for keys, the character's code point
// for typed characters, and this value for the left mouse button.
inline constexpr int kKeyLeftButton = 0x01;

// Mouse modes.
enum class MouseMode : int {
  None = 0,
  SelectAll = 1,
  SelectColumns = 2,
  SelectRows = 3,
  SelectCells = 4,
  OverRowDivider = 6,
  SizingRow = 7,
  OverColumnDivider = 8,
  SizingColumn = 9,
  PrepareEdit = 10,
  PrepareDrag = 11,
  Dragging = 12,
};

// Scroll requests, numbered like the classic scroll-bar codes.
enum class ScrollCode : int {
  LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3,
  ThumbPosition = 4, ThumbTrack = 5, Top = 6, Bottom = 7,
};

// The record of SetItem / GetItem; the mask names the members that are copied.
struct GridItemInfo {
  int row = -1;
  int col = -1;
  unsigned mask = 0;
  unsigned state = 0;
  unsigned format = 0;
  QString text;
  int image = -1;
  QColor background;  // invalid: use the grid's colour
  QColor foreground;  // invalid: use the grid's colour
  quint32 data = 0;
  QFont font;
};

// What an in-place editor reports when it ends.
struct GridEditInfo {
  int row = -1;
  int col = -1;
  unsigned mask = kMaskText | kMaskData;
  QString text;
  int lastKey = 0;  // 0 when the edit ended by a loss of focus
};

}  // namespace qx::grid
