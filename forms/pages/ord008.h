// Form 100, page 8 (208): capital gains and losses of transfers. Six row areas scrolled three rows
// at a time and continued on further sheets: five lists of amounts by holder (the computable amount
// never above the total) and the dated asset items, whose values open the valuation annex of the
// item's kind and whose two dates are kept consistent with each other, with the year and with the
// dated entries of the acquisition valuation.
#pragma once

#include <array>
#include <string>

#include "forms/pages/page100.h"
#include "forms/pages/row_table_buttons.h"
#include "ui/annex_dlg.h"

namespace forms {

class CBoxesORD008 : public CBindingTableList {
 public:
  static constexpr int kShortGains = 984, kShortLosses = 985, kOtherShort = 986, kItems = 987, kLongGains = 988,
                       kLongLosses = 989;
  static constexpr std::size_t kItemSize = 760;
  explicit CBoxesORD008(std::span<std::uint8_t> block, int memberIndex = -1);
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  void ApplyHolderMode() override;
  int OnRowTableEvent(int table, int row, int event, int extra) override;
  bool SelectSheet(int sheet, int printing) override;
  void ChooseValueDialogs();
  // The stored asset item a visible row of the items' table shows; null without a document.
  std::uint8_t* Item(int row);

 private:
  void LinkAndEnable();
  void CountContinuationSheets();
  // The computable amount of a list's row above its total: said, zeroed, the editor sent there.
  void ValidateRow(int table, int row, int reload);
  int Event(int table, int row, int event) { return CBindingTableList::OnRowTableEvent(table, row, event, 0); }
  std::array<ui::AnnexPointerList, 6> links_{};
  std::array<char, 3> sheetDigit_{' ', ' ', '\0'};
};

class ORD008 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 208;
  static constexpr int kDefaultHelp = 363;
  static constexpr int kDateCheck = 5;
  explicit ORD008(IPageHost& host, QWidget* parent = nullptr);
  CBoxesORD008* List() const { return static_cast<CBoxesORD008*>(BoxList()); }
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

  // The rules of an item's two dates after one was typed into visible row `row`.
  void TransmissionDateRules(int row);
  void AcquisitionDateRules(int row);

 private:
  void Calculate(int mode = 1);
  int Ask(const char* code, MessageIcon icon);
  bool CheckDate(std::uint8_t* date);
  CRowTableButtons buttons_;
};

}  // namespace forms
