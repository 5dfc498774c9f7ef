// Real-estate capital income: up to six leased properties or rights side by side, each with its
// holder, its type of income (which decides the amounts that may be entered), the income, the
// deductible expenses, the reduction for irregular income and the withholdings.
#pragma once

#include <array>

#include "ui/annex_dlg.h"

namespace annex::inmobiliario {
inline constexpr std::size_t kItemSize = 72;
inline constexpr int kItems = 6;
inline constexpr std::size_t kBlockSize = kItemSize * kItems;
// Fields of an item; bytes +2 to +7 are unused.
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::Text Type{1, 1};  // a code of the lookup "TIPPATRE.TAB"; 0 or blank: none
inline constexpr blocks::F64 Income{8};
inline constexpr blocks::F64 SubleaseShare{16};
inline constexpr blocks::F64 Interest{24};
inline constexpr blocks::F64 Amortisation{32};
inline constexpr blocks::F64 FiscalCompensation{40};
inline constexpr blocks::F64 OtherExpenses{48};
inline constexpr blocks::F64 Reduction{56};  // may be negative
inline constexpr blocks::F64 Withholdings{64};
static_assert(Withholdings.off + 8 == kItemSize);
// The type whose items take no expenses and no reduction.
inline constexpr char kIncomeOnlyType = '2';
}  // namespace annex::inmobiliario

class CInmobiliarioDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1762;
  static constexpr int kHint = 1294;
  static constexpr int kHolders[] = {1135, 1138, 1140, 1142, 1144, 1146};
  static constexpr int kTypes[] = {1136, 1139, 1141, 1143, 1145, 1147};
  static constexpr int kIncome[] = {1148, 1150, 1151, 1154, 1155, 1157};
  static constexpr int kSublease[] = {1158, 1160, 1161, 1162, 1163, 1164};
  static constexpr int kInterest[] = {479, 1933, 1166, 1178, 1187, 1202};
  static constexpr int kAmortisation[] = {531, 1943, 1170, 1193, 1195, 1211};
  static constexpr int kCompensation[] = {539, 1946, 1173, 1213, 1216, 1219};
  static constexpr int kOther[] = {547, 1948, 1171, 1221, 1222, 1225};
  static constexpr int kReduction[] = {555, 1949, 1177, 1228, 1232, 1234};
  static constexpr int kWithholdings[] = {565, 1951, 1180, 1236, 1237, 1239};
  explicit CInmobiliarioDlg(const ui::AnnexArgs& args);

  // The item operations: a cleared item keeps its holder; clearing the expenses leaves the
  // income, the sublease share and the withholdings.
  void ClearItem(int item);
  void ClearItemExpenses(int item);
  bool HasExpensesOrReduction(int item);
  // The type cell with a holder; the amounts by the item's type.
  void UpdateItemCells();
  // The checks of OK, item by item: false refuses.
  bool ValidateItems();

 protected:
  void OnInitAnnex() override;
  void RefreshEnabledRows() override;
  void OnOK() override;
  void ClearRowControls(int row) override;
  int OnEditSetFocus(int id) override;
  int OnEditValueCleared(int id) override;
  int OnEditValueChanged(int id) override;

 private:
  int ItemOf(int id) const;
  bool IsHolderOrTypeCell(int id) const;
  void TakeSavedTypes();
  std::array<char, annex::inmobiliario::kItems> savedTypes_{};
};
