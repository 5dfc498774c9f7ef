// Regional deduction for the international adoption of children: children per holder and whether
// they live with both adoptive parents, asked only while the declarant or the spouse has some.
#pragma once

#include "annex/holder_counts.h"

namespace annex::dec3sino1 {
inline constexpr std::size_t kBlockSize = 32;
inline constexpr blocks::U8 LivesWithBoth{24};  // 1 yes, 0 no, 255 blank
inline constexpr unsigned char kBlank = 255;
static_assert(LivesWithBoth.off + 8 == kBlockSize);
}  // namespace annex::dec3sino1

class CDec3sino1Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 93;
  enum : int { kLivesWithBoth = 24661 };
  explicit CDec3sino1Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override { ApplyLivesWithBoth(); }
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;

 private:
  bool HasOwnChildren();
  void ApplyLivesWithBoth();
};
