// Regional deduction for the children born or adopted in 2003 by their order of birth: the second,
// the third and following, and those of a multiple birth, per holder; and whether they live with
// both parents.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::nachijosrioja {
inline constexpr std::size_t kBlockSize = 80;
// Column c (0 common, 1 declarant, 2 spouse): three counts of 24 bytes each.
constexpr blocks::F64 Second(int c) { return blocks::F64{24 * static_cast<std::size_t>(c)}; }
constexpr blocks::F64 ThirdOn(int c) { return blocks::F64{24 * static_cast<std::size_t>(c) + 8}; }
constexpr blocks::F64 Multiple(int c) { return blocks::F64{24 * static_cast<std::size_t>(c) + 16}; }
inline constexpr blocks::U8 LivesWithBoth{72};  // 1 "SI", 0 "NO", 255 blank
static_assert(Multiple(2).off + 8 == LivesWithBoth.off && LivesWithBoth.off + 8 == kBlockSize);
}  // namespace annex::nachijosrioja

class CNachijosriojaDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 8;
  static constexpr int kLivesWithBoth = 24661;
  // Per row, the controls of the common, the declarant's and the spouse's count.
  static constexpr int kSecond[3] = {2207, 1971, 1972};
  static constexpr int kThirdOn[3] = {1969, 1958, 1959};
  static constexpr int kMultiple[3] = {24663, 24665, 24666};
  explicit CNachijosriojaDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;

 private:
  // The answer is asked only while the declarant's and the spouse's counts add up to more than 0.
  void ApplyLivesWithBoth();
};
