// Other income from lending capital to third parties: six rows, each a holder, the income,
// withholdings, expenses and the reduction of art. 24.2. The launcher's variant (1, 2 or 3) picks
// the hints, the signs admitted and the checks; variant 2 takes deductible expenses. The block is
// a 40-byte row group of section B.
#pragma once

#include "blocks/form100_b.h"
#include "ui/annex_dlg.h"

namespace annex::inrega6 {
inline constexpr int kRows = f100::sec_b::kRows;
inline constexpr std::size_t kRowSize = f100::sec_b::kRowSize;
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Income{8};
inline constexpr blocks::F64 Withholding{16};
inline constexpr blocks::F64 Expenses{24};
inline constexpr blocks::F64 Reduction{32};
static_assert(Reduction.off + 8 == kRowSize && kBlockSize == 240);
inline constexpr f100::sec_b::Group40 kGroup = f100::sec_b::G1;
static_assert(kGroup.amount.off - kGroup.holder.off == Income.off &&
              kGroup.withholding.off - kGroup.holder.off == Withholding.off &&
              kGroup.expenses.off - kGroup.holder.off == Expenses.off &&
              kGroup.reduction.off - kGroup.holder.off == Reduction.off);
}  // namespace annex::inrega6

class CInrega6Dlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1755;
  static constexpr int kLegend = 1296, kHint = 1298, kExpensesHeader = 1132;
  explicit CInrega6Dlg(const ui::AnnexArgs& args);
  // 1 accept; 0 when a warning of the variant's checks was to be corrected.
  int ValidateRows();

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override { return ValidateRows() == 1; }
  int OnEditSetFocus(int id) override;
};
