// Income from life or disability insurance and capitalisation operations: six rows, each a holder,
// the income, withholdings and the reductions of art. 76 bis and of transitional provision 6 of
// Ley 40/1998. The block is a 40-byte row group of section B.
#pragma once

#include "blocks/form100_b.h"
#include "ui/annex_dlg.h"

namespace annex::ingrere {
inline constexpr int kRows = f100::sec_b::kRows;
inline constexpr std::size_t kRowSize = f100::sec_b::kRowSize;
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Income{8};
inline constexpr blocks::F64 Withholding{16};
inline constexpr blocks::F64 Reduction76{24};
inline constexpr blocks::F64 ReductionDt6{32};
static_assert(ReductionDt6.off + 8 == kRowSize && kBlockSize == 240);
inline constexpr f100::sec_b::Group40 kGroup = f100::sec_b::G5;
static_assert(kGroup.expenses.off - kGroup.holder.off == Reduction76.off &&
              kGroup.reduction.off - kGroup.holder.off == ReductionDt6.off);
}  // namespace annex::ingrere

class CIngrereDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 232;
  static constexpr int kLegend = 1296;
  explicit CIngrereDlg(const ui::AnnexArgs& args);
  // 1 accept; 0 when a warning was to be corrected.
  int ValidateRows();

 protected:
  bool ValidateOK() override { return ValidateRows() == 1; }
  int OnEditSetFocus(int id) override;
};
