// Form 100, page 6 (206): the income attributed by entities, the bases imputed under fiscal
// transparency and three smaller imputation lists. Five row areas: the entity rows (their activity
// income opens the activity-type annex with the row's holder), the transparency rows (their other
// imputations open one annex over the row's block, type and amount), and the three lists; four
// of them scroll three rows at a time and go on continuation sheets.
#pragma once

#include <QPointer>
#include <QToolButton>

#include <array>
#include <string>

#include "forms/pages/page100.h"
#include "forms/pages/row_table_buttons.h"
#include "ui/annex_dlg.h"

namespace forms {

class CBoxesORD006 : public CBindingTableList {
 public:
  static constexpr int kEntities = 167, kTransparency = 168, kInternational = 169, kImage = 170, kFunds = 171;
  explicit CBoxesORD006(std::span<std::uint8_t> block, int memberIndex = -1);
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  void ApplyHolderMode() override;
  int OnRowTableEvent(int table, int row, int event, int extra) override;
  bool SelectSheet(int sheet, int printing) override;
  // The double at the cell of a visible row; 0.0 for another table or an unknown cell.
  double GetTableValue(int table, int row, int cell);
  // Links, member-dependent cells and enabling of a table's visible rows.
  void BindTableRow(int table, int row);
  void EnableRows(int table);

 private:
  void CountContinuationSheets();
  int Event(int table, int row, int event) { return CBindingTableList::OnRowTableEvent(table, row, event, 0); }
  std::array<ui::AnnexPointerList, 3> activityLinks_{};
  std::array<ui::AnnexPointerList, 3> imputationLinks_{};
  std::array<char, 2> sheetDigit_{' ', '\0'};
};

class ORD006 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 206;
  static constexpr int kEntityNifCheck = 23;
  explicit ORD006(IPageHost& host, QWidget* parent = nullptr);
  CBoxesORD006* List() const { return static_cast<CBoxesORD006*>(BoxList()); }
  CRowTableButtons& RowButtons() { return buttons_; }
  // The transparency record that the open editor's imputation box edits (0 with none).
  int GetFocusedTableRow() const;

  int OnBoxEdited(int position) override;
  int OnBoxSubDialogValue(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxValueChanged(int position) override;
  bool InitPageControls() override;
  void RepositionPageControls() override;
  bool HandleNavigationKey(int key, Qt::KeyboardModifiers mods) override;
  void RecalculateAndRefresh() override;
  // The partners' mark of transparency row `row`: the dialog, then the row's amounts; 1 on OK.
  int ShowTransparency(int row);
  void TransparencyCommand(int row);
  QToolButton* TransparencyButton(int row) const { return icons_[static_cast<std::size_t>(row)].data(); }

 private:
  void FullCalculation();
  void ReloadAllRows();
  void SyncHolderAmount(std::uint8_t holder, int record);
  int Ask(const char* code, MessageIcon icon);
  CRowTableButtons buttons_;
  std::array<QPointer<QToolButton>, 3> icons_;
};

}  // namespace forms
