// Withholdings and fractional payments of an activity in direct estimation: the income, own
// consumption and withholdings of the row, and the holder's fractional payments, kept equal in
// every direct-estimation row of the holder.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::aaee_ed {
inline constexpr std::size_t kBlockSize = 48;
inline constexpr blocks::F64 OperatingIncome{0};
inline constexpr blocks::F64 OtherIncome{8};
inline constexpr blocks::F64 OwnConsumption{16};
inline constexpr blocks::F64 Withholdings{24};
inline constexpr blocks::F64 LeasingWithholdings{32};
inline constexpr blocks::F64 FractionalPayments{40};
static_assert(FractionalPayments.off + 8 == kBlockSize);
// The direct-estimation row fields read here.
inline constexpr std::size_t kRowKind = 1;
inline constexpr blocks::Text RowHeading{4, 5};
inline constexpr std::size_t kRowBlock = 24;
}  // namespace annex::aaee_ed

class CAaeeEdDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 74;
  static constexpr int kOperatingIncome = 1556, kOtherIncome = 1568, kOwnConsumption = 1577, kWithholdings = 394,
                       kLeasingWithholdings = 395, kPayments = 396;
  explicit CAaeeEdDlg(const ui::AnnexArgs& args);
  // The opener's list: the block and the absolute index of the activity row.
  void SetListItems(const ui::AnnexPointerList& list) override { row_ = list.value; }
  void SetRow(int row) { row_ = row; }
  bool Validate();

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override { return Validate(); }
  int OnEditKillFocus(int id) override;

 private:
  // Takes into the dialog's copy the payments of another direct-estimation row of the holder.
  void SyncHolderPayments();
  std::uint8_t* DeclarationRow() const;
  int row_ = -1;
  double openedPayments_ = 0;
};
