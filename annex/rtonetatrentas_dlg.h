// Attributed net yield (entities under the income-attribution regime): the yield except
// dividends (may be negative), the dividend yield and the dividend deduction attributed with it.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::rtonetatrentas {
inline constexpr std::size_t kBlockSize = 24;
inline constexpr blocks::F64 YieldExceptDividends{0};
inline constexpr blocks::F64 DividendYield{8};
inline constexpr blocks::F64 DividendDeduction{16};
static_assert(DividendDeduction.off + 8 == kBlockSize);
}  // namespace annex::rtonetatrentas

class CRtonetatrentasDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 111;
  explicit CRtonetatrentasDlg(const ui::AnnexArgs& args);
  // 1 accept; 0 when the deduction is not below 40 % of the dividends and the user chose to correct.
  int ValidateDeduction();

 protected:
  bool ValidateOK() override { return ValidateDeduction() == 1; }
};
