// Cession of image rights: the amount to impute, the deduction for double taxation and the payment
// on account, neither of the last two above the first.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::cesderima {
inline constexpr std::size_t kBlockSize = 24;
inline constexpr blocks::F64 Imputed{0};
inline constexpr blocks::F64 DoubleTaxation{8};
inline constexpr blocks::F64 PaymentOnAccount{16};
static_assert(PaymentOnAccount.off + 8 == kBlockSize);
}  // namespace annex::cesderima

class CCesderimaDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 238;
  enum : int { kImputed = 1169, kDoubleTaxation = 1182, kPaymentOnAccount = 1192 };
  explicit CCesderimaDlg(const ui::AnnexArgs& args);

 protected:
  bool ValidateOK() override;
};
