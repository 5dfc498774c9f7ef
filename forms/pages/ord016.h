// Form 100, page 16 (216): annex C, the deductions for business investment incentives and the
// Canary Islands investment reserve. The claimed amounts come from the annex dialogs their boxes
// open; a value stored recalculates the declaration. The page has no continuation sheet.
#pragma once

#include "forms/pages/page100.h"

namespace forms {

class CBoxesORD016 : public CBindingTableList {
 public:
  using CBindingTableList::CBindingTableList;
  // Printing and filing take the page as bound: no sheet is selected.
  bool SelectSheet(int /*sheet*/, int /*printing*/) override { return false; }
};

class ORD016 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 216;
  explicit ORD016(IPageHost& host, QWidget* parent = nullptr);
  void RecalculateAndRefresh() override;
  int OnBoxSubDialogValue(int position) override;
  // A cleared box repaints every view.
  int OnBoxValueCleared(int /*position*/) override { return 1; }
  bool InitPageControls() override;
};

}  // namespace forms
