// Payments on account on the rent of urban real estate, per holder: those on real-estate capital
// income (shown, never typed here) and those on economic-activity income (typed).
//
// The block has no stored place in the declaration. Section O +1880, where it is said to lie, is
// the Ceuta and Melilla block (six 24-byte rows, the joint incomes and the parts of the quota,
// +1880 .. +2119), which the section's layout holds. The record's two stretches of page data
// (+1016 .. +1487, +2304 .. +2599) are taken by the housing slots and the four accounts but for
// 16 bytes at +1080, 2 at +1486 and 6 at +2594: nowhere 120 in a row. So no page box opens this
// dialog and no binding hands it +1880; it runs only on a block its opener owns.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::pgacuinm {
inline constexpr std::size_t kRowSize = 24;
inline constexpr int kRows = 5;
inline constexpr std::size_t kBlockSize = kRowSize * kRows;
// Fields of a row; bytes +1 to +7 are never written.
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 OnCapitalIncome{8};
inline constexpr blocks::F64 OnActivityIncome{16};
static_assert(OnActivityIncome.off + 8 == kRowSize);
}  // namespace annex::pgacuinm

class CPgacuinmDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1832;
  static constexpr int kLegend = 1296;
  static constexpr int kHolders[] = {1303, 1322, 1342, 1382, 1401};
  static constexpr int kCapital[] = {1318, 1336, 1378, 1361, 1368};
  static constexpr int kActivity[] = {1321, 1341, 1381, 1371, 1377};
  explicit CPgacuinmDlg(const ui::AnnexArgs& args);

 protected:
  void RefreshEnabledRows() override;
  int OnEditSetFocus(int id) override;
  int OnEditValueChanged(int id) override;

 private:
  // The capital-income column is never typed; a row holding an amount there keeps its holder, and
  // a common one its activity amount too.
  void UpdateEnabledCells();
};
