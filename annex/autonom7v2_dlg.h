// Regional deduction for multiple births or adoptions: one "X" mark for the holder (common,
// declarant or spouse; at most one) and whether the children live with both parents.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::autonom7v2 {
inline constexpr std::size_t kBlockSize = 4;
inline constexpr blocks::U8 Common{0}, Declarant{1}, Spouse{2};
inline constexpr blocks::U8 LivesWithBoth{3};  // 1, 0 or 255 blank
static_assert(LivesWithBoth.off + 1 == kBlockSize);
}  // namespace annex::autonom7v2

class CAutonom7V2Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 84;
  enum : int { kCommon = 24581, kDeclarant = 1527, kSpouse = 397, kLivesWithBoth = 24661 };
  explicit CAutonom7V2Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
  bool ValidateOK() override;

 private:
  void Enable(int id, bool on);
};
