// Per-holder amounts of the reductions of the transitional provision of Ley 40/1998: six rows of a
// holder and an amount. Variants 0, 1 and 9 of the launcher admit negative amounts. The block is
// group 3 of section B.
#pragma once

#include "blocks/form100_b.h"
#include "ui/annex_dlg.h"

namespace annex::tit6dat1 {
namespace g3 = f100::sec_b::g3;
inline constexpr int kRows = f100::sec_b::kRows;
inline constexpr std::size_t kRowSize = g3::kRowSize;
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Amount{8};
static_assert(Amount.off + 8 == kRowSize && kBlockSize == 96 && g3::Amount.off - g3::Holder.off == Amount.off);
}  // namespace annex::tit6dat1

class CTit6dat1Dlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 255;
  static constexpr int kLegend = 1296;
  explicit CTit6dat1Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditSetFocus(int id) override;
};
