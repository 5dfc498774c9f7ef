// Contributions of up to two holders to the mutual society of professional and high-level
// sportsmen under its special regime, with the promoter's contributions to that regime (carried
// over by the declaration from the work-income entries of regime 3). The block is the sportsmen's
// rows of section J.
#pragma once

#include "blocks/form100_j.h"
#include "ui/annex_dlg.h"

namespace annex::deportistas {
inline constexpr int kRows = f100::sec_j::kSportRowCount;
inline constexpr std::size_t kRowSize = 24;
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Own{8};
inline constexpr blocks::F64 Promoter{16};
static_assert(Promoter.off + 8 == kRowSize && kBlockSize == 48);
static_assert(f100::sec_j::SportOwn(1).off - f100::sec_j::SportHolder(0).off == kRowSize + Own.off);
static_assert(f100::sec_j::SportPromoter(0).off - f100::sec_j::SportHolder(0).off == Promoter.off);
inline constexpr double kLimit = 24250.0;
}  // namespace annex::deportistas

class CDeportistasDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 270;
  enum : int { kHolder1 = 1303, kHolder2 = 1322, kOwn1 = 1556, kOwn2 = 1568, kPromoter1 = 1577, kPromoter2 = 1586 };
  explicit CDeportistasDlg(const ui::AnnexArgs& args);
  // 1 accept; 0 when the first row above the limit was to be corrected.
  int ValidateRows();
  // A common row keeps its amounts in a member view.
  void HandleCommonRow(int) override {}
  // The promoter amounts are never typed; a row with one keeps its holder.
  void RefreshEnabledRows() override;

 protected:
  void OnOK() override;
  int OnEditSetFocus(int) override { return 1; }
  int OnEditValueChanged(int id) override;
};
