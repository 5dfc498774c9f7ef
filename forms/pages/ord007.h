// Form 100, page 7 (207): capital gains and losses. Four row areas: the two amounts still to be
// offset (one per holder), funds and shares (with the entity's NIF), the gains and losses that do
// not come from a transfer, and the transfers, whose value boxes open the valuation annex that the
// row's class names. The last three scroll three rows at a time and go on continuation sheets.
#pragma once

#include <array>
#include <string>

#include "forms/pages/page100.h"
#include "forms/pages/row_table_buttons.h"
#include "ui/annex_dlg.h"

namespace forms {

class CBoxesORD007 : public CBindingTableList {
 public:
  static constexpr int kOffsets = 996, kFunds = 997, kOther = 998, kTransfers = 999;
  explicit CBoxesORD007(std::span<std::uint8_t> block, int memberIndex = -1);
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  void ApplyHolderMode() override;
  int OnRowTableEvent(int table, int row, int event, int extra) override;
  bool SelectSheet(int sheet, int printing) override;
  // Each visible transfer row's value boxes name the annex of its class ('1', '2': listed assets).
  void ChooseValueDialogs();
  // The record a visible row of a scrolled table shows.
  int Record(int table, int row) const;
  const ui::AnnexPointerList& ValueLink(int row, int kind) const { return links_[static_cast<std::size_t>(2 * row + (kind == 7 ? 0 : 1))]; }

 private:
  void LinkAndEnable();
  void CountContinuationSheets();
  int Event(int table, int row, int event) { return CBindingTableList::OnRowTableEvent(table, row, event, 0); }
  // Two per visible transfer row: the class box's and the value boxes'.
  std::array<ui::AnnexPointerList, 6> links_{};
  std::array<char, 3> sheetDigit_{' ', ' ', '\0'};
};

class ORD007 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 207;
  static constexpr int kDefaultHelp = 363;
  explicit ORD007(IPageHost& host, QWidget* parent = nullptr);
  CBoxesORD007* List() const { return static_cast<CBoxesORD007*>(BoxList()); }
  CRowTableButtons& RowButtons() { return buttons_; }

  int OnBoxEdited(int position) override;
  int OnBoxSubDialogValue(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxValueChanged(int position) override;
  int OnBoxSetFocus(int position) override;
  bool InitPageControls() override;
  void RepositionPageControls() override { buttons_.Reposition(); }
  bool HandleNavigationKey(int key, Qt::KeyboardModifiers mods) override;
  void RecalculateAndRefresh() override;

 private:
  // A class chosen for a transfer: values that the new class cannot keep are dropped on consent.
  void ClassChanged(int row, std::uint8_t before);
  void ReloadAllRows();
  void Calculate();
  int Ask(const char* code, MessageIcon icon);
  CRowTableButtons buttons_;
};

}  // namespace forms
