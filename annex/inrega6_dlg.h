// Other income from lending capital to third parties: six rows, each a holder, the income,
// withholdings, expenses and the reduction of art. 24.2. The launcher's variant (1, 2 or 3) picks
// the hints, the signs admitted and the checks; variant 2 takes deductible expenses. The block is
// a 40-byte row group of section B.
#pragma once

#include "annex/capital_rows.h"

namespace annex::inrega6 {
using namespace capital40;
inline constexpr blocks::F64 Expenses = Third;
inline constexpr blocks::F64 Reduction = Fourth;
inline constexpr f100::sec_b::Group40 kGroup = f100::sec_b::G1;
}  // namespace annex::inrega6

class CInrega6Dlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1755;
  static constexpr int kLegend = annex::kRowsLegend, kHint = 1298, kExpensesHeader = 1132;
  explicit CInrega6Dlg(const ui::AnnexArgs& args);
  // 1 accept; 0 when a warning of the variant's checks was to be corrected.
  int ValidateRows();

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override { return ValidateRows() == 1; }
  int OnEditSetFocus(int id) override;
};
