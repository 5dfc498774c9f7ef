// Form 100, page 14 (214): section O's state deductions and the accounts they rest on. A value an
// annex dialog stores recalculates the declaration and carries the housing accounts and the
// savings accounts over; the one-byte account keys always show the shown member's.
#pragma once

#include "forms/pages/page100.h"

namespace forms {

class CBoxesORD014 : public CBindingTableList {
 public:
  static constexpr int kKeyPositions[] = {29, 35, 55, 61};
  using CBindingTableList::CBindingTableList;
  void ApplyHolderMode() override;
};

class ORD014 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 214;
  static constexpr int kHousingCarryOver = 207;
  static constexpr int kDepositCarryOver = 208;
  explicit ORD014(IPageHost& host, QWidget* parent = nullptr);
  int OnBoxSubDialogValue(int position) override;
};

}  // namespace forms
