// Regional deduction for the birth or adoption of children by birth order: first, second, third
// and later children and those of multiple births, per holder, and whether they live with both
// parents.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::autonom6m {
inline constexpr std::size_t kBlockSize = 104;
// Birth order 0 first, 1 second, 2 third and later; holders common, declarant, spouse.
inline constexpr blocks::F64 Common[] = {blocks::F64{0}, blocks::F64{8}, blocks::F64{16}};
inline constexpr blocks::F64 Declarant[] = {blocks::F64{24}, blocks::F64{32}, blocks::F64{40}};
inline constexpr blocks::F64 Spouse[] = {blocks::F64{48}, blocks::F64{56}, blocks::F64{64}};
inline constexpr blocks::U8 LivesWithBoth{72};  // 1 yes, 0 no, 255 blank
inline constexpr blocks::F64 MultipleCommon{80}, MultipleDeclarant{88}, MultipleSpouse{96};
static_assert(MultipleSpouse.off + 8 == kBlockSize && LivesWithBoth.off == Spouse[2].off + 8);
}  // namespace annex::autonom6m

class CAutonom6MDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 55;
  enum : int { kLivesWithBoth = 24661 };
  explicit CAutonom6MDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override { ApplyLivesWithBoth(); }
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;

 private:
  void ApplyLivesWithBoth();
};
