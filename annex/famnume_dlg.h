// Large family (regional deduction): whether the household is one, who is entitled to the
// deduction and how many persons apply it.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::famnume {
inline constexpr std::size_t kBlockSize = 16;
inline constexpr blocks::U8 LargeFamily{0};  // 1 "SI", 0 "NO", 255 blank
inline constexpr blocks::U8 Holder{1};
inline constexpr blocks::F64 Persons{8};     // bytes 2..7 padding
static_assert(Persons.off + 8 == kBlockSize);
}  // namespace annex::famnume

class CFamnumeDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 277;
  static constexpr int kLargeFamily = 1952, kHolder = 1951, kPersons = 405, kLegend = 1296;
  explicit CFamnumeDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;
  bool ValidateOK() override;

 private:
  // Persons only count for a holder other than none or common.
  void ApplyPersonsRule();
};
