// Two small annexes of the capital gains: the exemption for reinvesting the proceeds of the main
// home, and the gains, losses and withholdings of a transfer of investment-fund units by period.
#pragma once

#include "blocks/form100_g1.h"
#include "blocks/form100_g5.h"
#include "ui/annex_dlg.h"

namespace annex::exencion {
namespace g5 = f100::sec_g5;
inline constexpr std::size_t kBlockSize = 48;
inline constexpr blocks::U8 Holder = g5::Holder;
// Obtained that can be reinvested, gain, reinvested up to 31-12-2003, committed, exempt gain.
inline constexpr int kAmounts = g5::kAmounts;
constexpr blocks::F64 Amount(int i) { return g5::Amount(i); }
static_assert(Amount(kAmounts - 1).off + 8 == kBlockSize && kBlockSize == g5::ByHolder(0).off);
}  // namespace annex::exencion

namespace annex::fondos {
namespace g1 = f100::sec_g1;
// Bytes +48 to +87 of a row of the fund-transfers table, whose rows begin at the holder byte.
inline constexpr std::size_t kRowOffset = 48;
inline constexpr std::size_t kBlockSize = 40;
inline constexpr blocks::F64 ShortGains{0};
inline constexpr blocks::F64 ShortLosses{8};
inline constexpr blocks::F64 LongGains{16};
inline constexpr blocks::F64 LongLosses{24};
inline constexpr blocks::F64 Withholdings{32};
static_assert(g1::Holder.off + kRowOffset == g1::ShortTermValue1.off);
static_assert(g1::Holder.off + kRowOffset + Withholdings.off == g1::Withholding.off);
static_assert(kRowOffset + kBlockSize == g1::kRowSize);
// The withholdings on fund transfers: 15 % of the gains, half a euro of tolerance.
inline constexpr double kWithholdingRate = 0.15;
}  // namespace annex::fondos

class CExencionDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 77;
  static constexpr int kHolder = 2157;
  static constexpr int kAmounts[] = {1556, 1568, 1577, 1586, 1596};
  explicit CExencionDlg(const ui::AnnexArgs& args);
  // The amounts are open only with a holder.
  void EnableAmounts();

 protected:
  void OnInitAnnex() override { EnableAmounts(); }
  int OnEditValueCleared(int id) override;
  int OnEditValueChanged(int id) override;
};

class CFondosDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 75;
  enum : int { kShortGains = 24640, kShortLosses = 24641, kLongGains = 24643, kLongLosses = 24644,
               kWithholdings = 24642 };
  explicit CFondosDlg(const ui::AnnexArgs& args);

 protected:
  // Withholdings above their share of the gains ask "100P045"; Corregir keeps the dialog open.
  bool ValidateOK() override;
};
