// Birth of the third or later child in 2003: the children per holder, the persons who share the
// declarant's and the spouse's deduction, and the family-base mark (not for a joint return).
#pragma once

#include "annex/holder_counts.h"

namespace annex::aragon1 {
inline constexpr std::size_t kBlockSize = 48;
inline constexpr blocks::F64 PersonsDeclarant{24}, PersonsSpouse{32};
inline constexpr blocks::U8 FamilyBase{40};  // the family unit's bases add up to more than 32.500 euros
}  // namespace annex::aragon1

class CAragon1Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 102;
  static constexpr int kPersonsDeclarant = 24660, kPersonsSpouse = 24661, kFamilyBase = 24662;
  explicit CAragon1Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  bool ValidateOK() override;
};
