// Regional deduction for certain aids received: who received the aid and how much.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::autonom3ct {
inline constexpr std::size_t kBlockSize = 16;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Amount{8};
static_assert(Amount.off + 8 == kBlockSize);
}  // namespace annex::autonom3ct

class CAutonom3CtDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 49;
  enum : int { kHolder = 2157, kAmount = 24624 };
  explicit CAutonom3CtDlg(const ui::AnnexArgs& args);

 protected:
  int OnEditValueCleared(int id) override;
  bool ValidateOK() override;
};
