// Form 100, page 13 (213): the payment or refund of the member shown, its suspension or waiver
// against the other spouse's result, the member's bank account and the place and date. The
// account opens only for a spouse whose refund is waived in whole while the waiver is declared;
// the place and date sit on the payment side or the refund side, whichever the result has.
#pragma once

#include "forms/pages/page100.h"

namespace forms {

class CBoxesORD013 : public CBindingTableList {
 public:
  using CBindingTableList::CBindingTableList;
  void BindPageData(int rebind) override;
  void ApplyHolderMode() override;
  void RefreshBoxStates(int position) override;
  // The shown member's account slot (0 .. 4).
  int AccountSlot() const;
};

class ORD013 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 213;
  static constexpr int kBankAccountCheck = 10;
  explicit ORD013(IPageHost& host, QWidget* parent = nullptr);
  // Positions 16-19: the account is checked from the edited part on; a refused part is blanked.
  int OnBoxEdited(int position) override;
};

}  // namespace forms
