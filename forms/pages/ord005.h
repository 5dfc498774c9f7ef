// Form 100, page 5 (205): the agricultural, livestock and forestry activities in objective
// estimation, two of the six rows of section E5 at a time. The activity's key decides which of
// its product groups and reductions take input; a row's information dialog (icon button or F7)
// recalculates the section and the declaration. A member with more than two activities gets
// continuation sheets.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string_view>

#include "forms/pages/page100.h"
#include "data/message_service.h"
#include "forms/pages/row_buttons.h"

namespace forms {

// The six activity records: commit, reload, delete of a record without key (the emptied records
// keep their unanswered yes/no bytes), and the reset of an activity's data when it changes.
class CRowTableORD005 : public CScrollRowTable {
 public:
  enum : int { kCommit = 77, kDelete = 78, kReload = 80, kReset = 82 };
  explicit CRowTableORD005(std::span<std::uint8_t> block);
  int OnCellChange(int row, int event, int flag) override;
  // `ask`: the change is asked first ("100P001"); declined, the row is reloaded.
  void ResetActivityData(int working, bool ask);
  // Asks a coded question; answers the button (1 when nobody is there to ask).
  std::function<int(std::string_view code)> question;

 protected:
  bool RowCountsAsFilled(int working) const override;
};

class CBoxesORD005 : public CBindingTableList {
 public:
  static constexpr int kCode = 205;
  static constexpr int kTableId = 997;
  static constexpr int kFirstRowBox = 5, kBoxesPerRow = 60, kVisibleRows = 2;
  static constexpr int kSheetBox = 4, kTotals = 125, kNetYields = 126, kSheetTitle = 127;
  static constexpr int kLinkKinds = 13;
  // Page events besides the table's: the information dialog, a changed holder.
  enum : int { kInformation = 79, kHolderChanged = 81 };
  // Row boxes (offset in the row).
  enum : int { kHolderBox = 0, kKeyBox = 1, kDescriptionBox = 2, kDeductions1Box = 44, kDeductions2Box = 45,
               kReducedNetBox = 57, kFirstReductionBox = 55, kSecondReductionBox = 58 };

  // The second pointer of a product-group box.
  struct RowValueLink {
    std::uint8_t* record = nullptr;  // the group's cell in the working copy
    std::int32_t number = 0;         // the document record
    std::int32_t kind = 0;           // 1-13
  };

  explicit CBoxesORD005(std::span<std::uint8_t> block, int memberIndex = -1);
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  void ApplyHolderMode() override;
  int OnRowTableEvent(int table, int row, int event, int extra) override;
  bool SelectSheet(int sheet, int printing) override;

  static int RowOf(int position);
  static int BoxOf(int position);
  static int PositionOf(int row, int box) { return kFirstRowBox + kBoxesPerRow * row + box; }
  // The table cell a row box shows.
  static int CellOf(int box);
  CRowTableORD005* Rows() const { return table_.get(); }
  std::uint8_t* Cell(int row, int cell) const { return table_ ? table_->GetCell(row, cell) : nullptr; }
  double Amount(int row, int cell) const;
  const RowValueLink& Link(int row, int kind) const { return links_[static_cast<std::size_t>(row)][static_cast<std::size_t>(kind)]; }
  // What the list does when a row's information dialog closed with OK (the document marked
  // modified) and how it asks.
  std::function<void()> onModified;
  std::function<int(std::string_view code)> question;

 private:
  void BindRow(int row);
  void EnableRows(int from);
  void CountSheets();
  int ShowActivityInformation(int row);
  void SetReadOnly(int position, bool readOnly);
  int KeyValue(int row) const;

  std::unique_ptr<CRowTableORD005> table_;
  std::array<std::array<RowValueLink, kLinkKinds + 1>, kVisibleRows> links_{};
  std::array<char, 6> sheetDigit_{};
  std::array<char, 32> sheetTitle_{};
  int sheetShown_ = 1;
};

class ORD005 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 205;
  static constexpr int kNextCommand = 998, kPreviousCommand = 999, kInfoRow0 = 1002, kInfoRow1 = 1003;
  explicit ORD005(IPageHost& host, QWidget* parent = nullptr);

  int OnBoxEdited(int position) override;
  int OnBoxValueChanged(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxSubDialogValue(int position) override;
  void RecalculateAndRefresh() override;
  bool InitPageControls() override;
  void RepositionPageControls() override;
  bool HandleNavigationKey(int key, Qt::KeyboardModifiers mods) override;

  void ScrollRows(int direction);
  // The information command of visible row `row` (buttons 1002 / 1003, F7).
  void ShowInformation(int row);
  const CRowButtons& RowButtons() const { return buttons_; }
  const CRowIconButton& InfoButton(int row) const { return row == 0 ? info0_ : info1_; }
  CBoxesORD005* Rows() const { return static_cast<CBoxesORD005*>(BoxList()); }

 private:
  int Event(int row, int event);
  void Reload(int first);
  void Calculate();
  void Ending();
  void UpdateRowButtons();
  int Ask(std::string_view code, MessageIcon icon);

  CRowButtons buttons_;
  CRowIconButton info0_, info1_;
};

}  // namespace forms
