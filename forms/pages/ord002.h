// Form 100, page 2 (202): income from work, from movable capital, imputed income from real estate
// with the holders of the property and their shares, and income from real estate. The amounts come
// from the annex dialogs their boxes open; a value stored by one recalculates its section and the
// declaration. The three rows of holders fill from the top: a row's share and amount open once its
// holder is typed.
#pragma once

#include "forms/pages/page100.h"

namespace forms {

class CBoxesORD002 : public CBindingTableList {
 public:
  static constexpr int kTable = 999;
  static constexpr int kFirstRowBox = 57, kRows = 3;
  // Row events of the page: store the row, delete it, a holder was typed.
  enum RowEvent : int { kCommit = 3, kDelete = 4, kHolderTyped = 5 };
  CBoxesORD002(int pageCode, std::span<std::uint8_t> block, int memberIndex = -1);
  void BindPageData(int rebind) override;
  void ApplyHolderMode() override;
  int OnRowTableEvent(int table, int row, int event, int extra) override;
  // A row's share and amount, and the next row's holder, open only once the row has a holder.
  void RefreshRowStates();
};

class ORD002 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 202;
  // Field checks of the work income after its annex stored a value.
  static constexpr int kWorkChecks[] = {203, 204, 209, 205};
  explicit ORD002(IPageHost& host, QWidget* parent = nullptr);
  void RecalculateAndRefresh() override;
  int OnBoxSubDialogValue(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxValueChanged(int position) override;
  int OnBoxEdited(int position) override;
  bool InitPageControls() override;

 private:
  CBoxesORD002* List() const { return static_cast<CBoxesORD002*>(BoxList()); }
  // The row of a row box, -1 for another box.
  static int RowOf(int position, int cell);
  void RepaintAll();
};

}  // namespace forms
