// Balances of deductions of earlier years still pending, per holder: two rows (side by side on
// screen), each a holder and one amount per year. CSalpen95Dlg 1998-1999, CSalpenempleoDlg
// 1998-2000 (variant 2: 2000-2002 in the same fields), CAnexoc1Dlg 1998-2002. The blocks are the
// row pairs of the pending groups of section Q.
#pragma once

#include "blocks/form100_q.h"
#include "ui/annex_dlg.h"

namespace annex::salpen {
inline constexpr blocks::U8 Holder{0};
// The amount of the row's y-th year (0 the first).
constexpr blocks::F64 Year(int y) { return {8u + 8u * static_cast<std::size_t>(y)}; }
namespace q = f100::sec_q;
// One dialog's rows: the stride and the years of a pending group, the two rows adjacent.
constexpr bool Matches(const q::PendingGroup& g, std::size_t rowSize, int years) {
  return g.rowSize == rowSize && g.years == years && g.row1 == g.row0 + rowSize && g.amount(0, g.firstYear).off == g.row0 + Year(0).off;
}
static_assert(Matches(q::PendingGroup2, 24, 2) && Matches(q::PendingGroup3, 32, 3) &&
              Matches(q::PendingGroup4, 32, 3) && Matches(q::PendingGroup1, 48, 5));
inline constexpr int kRows = 2;
}  // namespace annex::salpen

namespace annex {
// The family's holder legend (1296): a holder cell shows it; another cell empties it or, where
// the dialog keeps it, leaves it.
class CPendingRowsDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kLegend = 1296;
  CPendingRowsDlg(const ui::DialogTemplate& tmpl, std::size_t rowSize, const ui::RowLayout& layout,
                  const ui::AnnexArgs& args, bool keepLegend)
      : CAnnexRowsDlg(tmpl, rowSize * salpen::kRows, layout, args), keepLegend_(keepLegend) {}

 protected:
  int OnEditSetFocus(int id) override;

 private:
  bool keepLegend_;
};
}  // namespace annex

class CSalpen95Dlg : public annex::CPendingRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 85;
  explicit CSalpen95Dlg(const ui::AnnexArgs& args);
};

class CSalpenempleoDlg : public annex::CPendingRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 314;
  explicit CSalpenempleoDlg(const ui::AnnexArgs& args);

 protected:
  // Variant 2 labels its years 2000 to 2002.
  void OnInitAnnex() override;
};

class CAnexoc1Dlg : public annex::CPendingRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 61;
  explicit CAnexoc1Dlg(const ui::AnnexArgs& args);
};
