// The reduction that one spouse applies for the other spouse's contributions to social-provision
// schemes: who applies it, the other spouse's personal contributions and the promoter's (carried
// over by the declaration from the work-income entries of regime 4). The block is the spouse
// contribution record of section J.
#pragma once

#include "blocks/form100_j.h"
#include "ui/annex_dlg.h"

namespace annex::redapooc {
inline constexpr std::size_t kBlockSize = 24;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Personal{8};
inline constexpr blocks::F64 Promoter{16};
static_assert(Promoter.off + 8 == kBlockSize);
namespace j = f100::sec_j;
static_assert(j::SpouseContribution[0].off - j::SpouseContributor.off == Personal.off &&
              j::SpouseContribution[1].off - j::SpouseContributor.off == Promoter.off);
inline constexpr double kLimit = 2000.0;
}  // namespace annex::redapooc

class CRedapoocDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 237;
  enum : int { kHolder = 2157, kPersonal = 2158, kPromoter = 2159 };
  explicit CRedapoocDlg(const ui::AnnexArgs& args);
  // 1 accept; 0 when the amounts above the limit were to be corrected.
  int ValidateBlock();
  // The promoter amount is never typed; with one the holder stays.
  void RefreshEnabledRows() override;

 protected:
  bool ValidateOK() override { return ValidateBlock() == 1; }
  int OnEditSetFocus(int) override { return 1; }
};
