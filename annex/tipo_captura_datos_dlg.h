// The capture-type question of a new income-tax declaration: one "X" mark for the special cases
// whose data are captured for one member only (a taxpayer who died before 31 December, a spouse
// who is not resident, a member who enters only his own data). Unmarked, the declaration is joint.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::tipo_captura {
inline constexpr std::size_t kBlockSize = 1;
inline constexpr blocks::U8 SpecialCase{0};  // 1 marked
static_assert(SpecialCase.off + 1 == kBlockSize);
// What the document keeps of the answer.
inline constexpr std::uint8_t kIndividual = 0, kJoint = 1, kCancelled = 255;
}  // namespace annex::tipo_captura

class CTipoCapturaDatosDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 82;
  static constexpr int kMark = 24655;
  explicit CTipoCapturaDatosDlg(QWidget* parent);
  bool Marked() const { return annex::tipo_captura::SpecialCase.get(block_.data()) == 1; }
  // The answer of a run: individual when marked, joint when not, cancelled when not ended with OK.
  std::uint8_t Answer(int result) const;

 protected:
  bool ValidateOK() override;
  int OnEditValueChanged(int) override { return 1; }
};
