// Form 100, page 3 (203): the activities in direct estimation, three of the six rows of section E1
// at a time. A row opens once it has a holder; its amounts once it has a kind and one of the two
// modalities, which exclude each other. Every change of a row is stored and the declaration
// recalculated; a member with more than three activities gets a continuation sheet.
#pragma once

#include <array>

#include "forms/page_positions.h"
#include "forms/pages/page100.h"
#include "forms/pages/row_table_buttons.h"
#include "ui/annex_dlg.h"
#include "ui/lookup_catalogue.h"

namespace forms {

class CBoxesORD003 : public CBindingTableList {
 public:
  static constexpr int kCode = 203;
  static constexpr int kTableId = 995;
  static constexpr int kFirstRowBox = boxes::ORD003::E1C00R1, kCellsPerRow = boxes::ORD003::E1C00R2 - kFirstRowBox,
                       kVisibleRows = 3;
  static constexpr int kSheetBox = boxes::ORD003::HOJA, kNetYields = boxes::ORD003::E1SUMA,
                       kSheetTitle = boxes::ORD003::HOJACOMP;
  static constexpr int kSheetTitleText = 96800;
  // Row events of the table.
  enum : int { kOwnerChanged = 500, kCommitRow = 501, kReloadRow = 502 };
  // Cells of a row.
  enum : int { kOwner = 0, kKind = 1, kNormal = 2, kSimplified = 3, kHeading = 4, kMark = 5, kIncome1 = 6,
               kIncome3 = 8, kNormalProvisions = 26, kNetYield = 31, kReduction = 32 };

  explicit CBoxesORD003(std::span<std::uint8_t> block, int memberIndex = -1);
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  void ApplyHolderMode() override;
  int OnRowTableEvent(int table, int row, int event, int extra) override;
  bool SelectSheet(int sheet, int printing) override;

  // The visible row (0-2) and cell of a row box; -1 for other positions.
  static int RowOf(int position);
  static int CellOf(int position);
  static constexpr int PositionOf(int row, int cell) { return kFirstRowBox + kCellsPerRow * row + cell; }
  CScrollRowTable* Rows() const { return Table(kTableId); }
  // The cell of a visible row in the working copy; null without table.
  std::uint8_t* Cell(int row, int cell) const;
  double Amount(int row, int cell) const;
  // The document record a visible row shows.
  int RecordOf(int row) const;

 private:
  void BindRowLinks();
  void ApplyRowRules();
  void CountSheets();
  void SetReadOnly(int row, int cell, bool readOnly);

  std::array<ui::LookupLink, kVisibleRows> headingLinks_{};
  std::array<ui::AnnexPointerList, kVisibleRows> incomeLinks_{};
  // The sheet digit, once per member slot so that no member's occurrence reads past it.
  std::array<char, 6> sheetDigit_{};
  int sheetShown_ = 1;
};

class ORD003 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 203;
  explicit ORD003(IPageHost& host, QWidget* parent = nullptr);

  int OnBoxEdited(int position) override;
  int OnBoxValueChanged(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxSubDialogValue(int position) override;
  int OnBoxSetFocus(int) override { return 1; }
  void RecalculateAndRefresh() override;
  bool InitPageControls() override;
  void RepositionPageControls() override;
  bool HandleNavigationKey(int key, Qt::KeyboardModifiers mods) override;

  // The row buttons: 0 next, 1 previous (what a press does, also from F4 / F3).
  void ScrollRows(int direction);
  const CRowButtons& RowButtons() const { return buttons_; }
  CBoxesORD003* Rows() const { return static_cast<CBoxesORD003*>(BoxList()); }

 private:
  int Event(int row, int event);
  void ReloadRows();
  void CalculateAndReload();

  CRowButtons buttons_;
};

}  // namespace forms
