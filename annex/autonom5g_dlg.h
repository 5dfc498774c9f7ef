// Regional deduction for the birth or adoption of children in two periods: 2003 and 2001/2002,
// per holder, with children of multiple births and, per period, whether they live with both
// parents.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::autonom5g {
inline constexpr std::size_t kBlockSize = 80;
inline constexpr blocks::F64 Common2003{0}, Declarant2003{8}, Spouse2003{16};
inline constexpr blocks::F64 CommonEarlier{24}, DeclarantEarlier{32}, SpouseEarlier{40};
inline constexpr blocks::U8 LivesWithBoth2003{48}, LivesWithBothEarlier{49};  // 1, 0 or 255 blank
inline constexpr blocks::F64 MultipleCommon{56}, MultipleDeclarant{64}, MultipleSpouse{72};
static_assert(MultipleSpouse.off + 8 == kBlockSize);
}  // namespace annex::autonom5g

class CAutonom5GDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 54;
  enum : int { kLivesWithBoth2003 = 24662, kLivesWithBothEarlier = 24664 };
  explicit CAutonom5GDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;
};
