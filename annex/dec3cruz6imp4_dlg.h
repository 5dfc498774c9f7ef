// Regional deduction for beneficiaries of family aid: children under 3 at a new birth (group 1)
// and children of a multiple birth (group 2) per holder, with the persons who share the
// declarant's and the spouse's deduction in each group.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::dec3cruz6imp4 {
inline constexpr std::size_t kBlockSize = 80;
// [group]: 0 children under 3 at a new birth, 1 multiple birth.
inline constexpr blocks::F64 Common[] = {blocks::F64{0}, blocks::F64{8}};
inline constexpr blocks::F64 Declarant[] = {blocks::F64{16}, blocks::F64{24}};
inline constexpr blocks::F64 Spouse[] = {blocks::F64{32}, blocks::F64{40}};
inline constexpr blocks::F64 PersonsDeclarant[] = {blocks::F64{48}, blocks::F64{64}};
inline constexpr blocks::F64 PersonsSpouse[] = {blocks::F64{56}, blocks::F64{72}};
static_assert(PersonsSpouse[1].off + 8 == kBlockSize);
}  // namespace annex::dec3cruz6imp4

class CDec3cruz6imp4Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 36;
  explicit CDec3cruz6imp4Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;
};
