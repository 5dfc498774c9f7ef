// Fiscal transparency of an imputing company: one mark, whether its partners carry on its activity.
// The imputation page opens it on a copy of the row's mark byte.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::transparencia {
inline constexpr std::size_t kBlockSize = 1;
inline constexpr blocks::U8 PartnersActive{0};  // 1 marked
}  // namespace annex::transparencia

class CTransparenciaFiscalDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1844;
  enum : int { kPartnersActive = 24900 };
  explicit CTransparenciaFiscalDlg(const ui::AnnexArgs& args);
};
