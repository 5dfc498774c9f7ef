// Regional deductions for persons cared for (ascendants, descendants, children, by variant): how
// many give right to the deduction per holder and how many persons share the declarant's and the
// spouse's.
#pragma once

#include "annex/holder_counts.h"

namespace annex::dec3imp5 {
inline constexpr std::size_t kBlockSize = 40;
inline constexpr blocks::F64 PersonsDeclarant{24}, PersonsSpouse{32};
static_assert(PersonsSpouse.off + 8 == kBlockSize && holder_counts::Spouse.off + 8 == PersonsDeclarant.off);
}  // namespace annex::dec3imp5

class CDec3imp5Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 88;
  enum : int { kLabel = 24641, kFootnote = 24642, kPersonsDeclarant = 24660, kPersonsSpouse = 24661 };
  explicit CDec3imp5Dlg(const ui::AnnexArgs& args);
  static int HelpTopic(int variant);

 protected:
  void OnInitAnnex() override;
  int OnCommand(int id, int code) override;
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;
};
