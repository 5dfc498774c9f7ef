// Form 100, page 10 (210): the reductions of the tax base. Four row areas: the two holders'
// contributions to social-provision schemes (their amounts open the contribution annexes with the
// row's holder), the schemes in favour of disabled persons (four rows shown two at a time, with row
// buttons and a continuation sheet for the third and fourth), the compensatory pensions and the
// contributions carried forward. Two rows of the first area never share a holder.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "forms/pages/page100.h"
#include "forms/pages/row_table_buttons.h"
#include "ui/annex_dlg.h"

namespace forms {

class CBoxesORD010 : public CBindingTableList {
 public:
  static constexpr int kPensions = 996, kDisabled = 997, kCompensatory = 998, kCarried = 999;
  explicit CBoxesORD010(std::span<std::uint8_t> block, int memberIndex = -1);
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  void ApplyHolderMode() override;
  int OnRowTableEvent(int table, int row, int event, int extra) override;
  bool SelectSheet(int sheet, int printing) override;
  // The stored holder byte of record `record` of a table's area.
  std::uint8_t StoredHolder(int table, int record) const;

 private:
  void LinkAndEnable();
  void CountContinuationSheets();
  int Event(int table, int row, int event);
  // Row links of the contribution boxes: own and promoter's per pension row, one per disabled row.
  std::array<ui::AnnexPointerList, 6> links_{};
  std::array<char, 2> sheetDigit_{' ', '\0'};
};

class ORD010 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 210;
  static constexpr int kDefaultHelp = 445;
  static constexpr int kPensionHoldersCheck = 203, kDisabledHoldersCheck = 204, kNifCheck = 21;
  explicit ORD010(IPageHost& host, QWidget* parent = nullptr);
  CBoxesORD010* List() const { return static_cast<CBoxesORD010*>(BoxList()); }
  CRowTableButtons& RowButtons() { return buttons_; }

  int OnBoxEdited(int position) override;
  int OnBoxSubDialogValue(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxValueChanged(int position) override;
  bool InitPageControls() override;
  void RepositionPageControls() override { buttons_.Reposition(); }
  bool HandleNavigationKey(int key, Qt::KeyboardModifiers mods) override;
  void RecalculateAndRefresh() override;

 private:
  void Calculate();
  void Reload(int table, int rows, int event);
  CRowTableButtons buttons_;
};

}  // namespace forms
