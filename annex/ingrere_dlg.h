// Income from life or disability insurance and capitalisation operations: six rows, each a holder,
// the income, withholdings and the reductions of art. 76 bis and of transitional provision 6 of
// Ley 40/1998. The block is a 40-byte row group of section B.
#pragma once

#include "annex/capital_rows.h"

namespace annex::ingrere {
using namespace capital40;
inline constexpr blocks::F64 Reduction76 = Third;
inline constexpr blocks::F64 ReductionDt6 = Fourth;
inline constexpr f100::sec_b::Group40 kGroup = f100::sec_b::G5;
}  // namespace annex::ingrere

class CIngrereDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 232;
  static constexpr int kLegend = annex::kRowsLegend;
  explicit CIngrereDlg(const ui::AnnexArgs& args);
  // 1 accept; 0 when a warning was to be corrected.
  int ValidateRows();

 protected:
  bool ValidateOK() override { return ValidateRows() == 1; }
  int OnEditSetFocus(int id) override;
};
