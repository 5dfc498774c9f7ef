// The change of address since the last return and the first tax return, one mark per member in
// each row: a member has at most one of the two, and each row's family-unit mark follows the
// declarant's. The box edit hands in the two groups of marks side by side.
#pragma once

#include <array>

#include "ui/annex_dlg.h"

namespace annex::cambpdf {
inline constexpr std::size_t kBlockSize = 10;
inline constexpr blocks::U8 AddressFamily{0};
inline constexpr blocks::U8 FirstReturnFamily{5};
// k: 0 declarant, 1 spouse, 2 child 1, 3 child 2.
constexpr blocks::U8 Address(int k) { return {1 + static_cast<std::size_t>(k)}; }
constexpr blocks::U8 FirstReturn(int k) { return {6 + static_cast<std::size_t>(k)}; }
static_assert(FirstReturn(3).off + 1 == kBlockSize);
}  // namespace annex::cambpdf

class CCambpdfDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 29;
  static constexpr std::array<int, 4> kAddress{400, 401, 402, 403};
  static constexpr std::array<int, 4> kFirstReturn{24597, 24598, 24599, 24600};
  explicit CCambpdfDlg(const ui::AnnexArgs& args);

 protected:
  int OnEditValueChanged(int id) override;
  bool ValidateOK() override;
};
