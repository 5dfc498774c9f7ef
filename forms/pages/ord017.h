// Form 100, page 17 (217): the payment or refund document of the member shown. Every choice lives
// in section Q of the block; the list re-derives marks, amounts and open accounts from the
// member's result after every bind and every change, so a recalculation or another member shown
// brings the choices into line.
#pragma once

#include "forms/pages/page100.h"

namespace forms {

class CBoxesORD017 : public CBindingTableList {
 public:
  using CBindingTableList::CBindingTableList;
  void BindPageData(int rebind) override;
  // While set, the sheet printed is the paper copy of an internet filing: no reference code.
  const bool* internetCopy = nullptr;
  void ApplyHolderMode() override;
  void RefreshBoxStates(int position) override;
  void ReleasePageData() override {}
};

class ORD017 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 217;
  static constexpr int kBankAccountCheck = 10;
  explicit ORD017(IPageHost& host, QWidget* parent = nullptr);
  void RecalculateAndRefresh() override;
  int OnBoxSubDialogValue(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxValueChanged(int position) override;
  // Bank-account parts: the whole account is checked; a refused part is blanked.
  int OnBoxEdited(int position) override;
  bool InitPageControls() override;

 private:
  void AfterChange();
  // The choice of two instalments for member slot h: refused ("100R135") when the member's result
  // comes from the result record; otherwise paying at once follows the opposite of the choice.
  bool ChooseInstalments(std::uint8_t* block, int h);
};

namespace ord017 {
// The payment and refund fields of member slot h (0 family unit .. 4 child 2) in section Q.
enum Mark : int {
  kAtOnce = 22, kTwoInstalments = 23, kFirstNoDebit = 25, kFirstDebit = 26,
  kSecondNoDebit = 31, kSecondDebit = 32, kRefundNoAccount = 38, kRefundToAccount = 39,
};
// The mark byte of `position` for member slot h, inside the block; null for another position.
std::uint8_t* MarkByte(std::uint8_t* block, int position, int h);
// Account 1, 2 or 3 of member slot h: its four parts (entity 4, office 4, control 2, number 10).
struct AccountParts {
  std::uint8_t* part[4];
};
AccountParts Account(std::uint8_t* block, int account, int h);
double FirstPayment(const std::uint8_t* block, int h);
double SecondInstalment(const std::uint8_t* block, int h);
double RefundAmount(const std::uint8_t* block, int h);
// The member's result: section Q's result vector when either result flag of the member is set,
// section N's copy otherwise.
double MemberResult(const std::uint8_t* block, int h, bool* fromResultRecord = nullptr);
}  // namespace ord017

}  // namespace forms
