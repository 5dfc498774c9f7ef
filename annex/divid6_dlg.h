// Dividends and similar income from holdings in the equity of entities: up to six rows, each a
// holder, the gross received, the amount to compute, withholdings, administration and custody
// expenses, the deduction in the tax and the reduction of art. 24.2. The block is the dividend
// rows of section B.
#pragma once

#include "blocks/form100_b.h"
#include "ui/annex_dlg.h"

namespace annex::divid6 {
namespace g2 = f100::sec_b::g2;
inline constexpr int kRows = f100::sec_b::kRows;
inline constexpr std::size_t kRowSize = g2::kRowSize;
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Gross{8};
inline constexpr blocks::F64 Computable{16};
inline constexpr blocks::F64 Withholding{24};
inline constexpr blocks::F64 Expenses{32};
inline constexpr blocks::F64 Deduction{40};
inline constexpr blocks::F64 Reduction{48};
static_assert(Reduction.off + 8 == kRowSize && kBlockSize == 336);
static_assert(g2::GrossReceived.off - g2::Holder.off == Gross.off && g2::Reduction.off - g2::Holder.off == Reduction.off &&
              g2::Withholding.off - g2::Holder.off == Withholding.off &&
              g2::QuotaDeduction.off - g2::Holder.off == Deduction.off);
}  // namespace annex::divid6

class CDivid6Dlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1752;
  static constexpr int kLegend = 1296, kNote = 24615;
  explicit CDivid6Dlg(const ui::AnnexArgs& args);
  // 1 accept; 0 on the first refused check, or a warning that was to be corrected.
  int ValidateRows();

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override { return ValidateRows() == 1; }
  int OnEditSetFocus(int id) override;
  int OnEditKillFocus(int id) override;
};
