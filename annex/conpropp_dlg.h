// The promoter's contributions of one work-income entry to pension schemes and mutual societies,
// with the reduction regime that applies to them. The 24-byte block lies inside the entry of the
// work-income block that opens it.
#pragma once

#include "blocks/form100.h"
#include "blocks/form100_j.h"
#include "ui/annex_dlg.h"

namespace annex::conpropp {
inline constexpr std::size_t kBlockSize = 24;
inline constexpr blocks::U8 Holder{0};  // the entry's holder, written by the work-income dialog
inline constexpr blocks::F64 Amount{8};
inline constexpr blocks::U8 Regime{16};  // '1' general .. '4' the spouse's contributions; ' ' or 0 none
static_assert(Regime.off + 8 == kBlockSize);
inline constexpr unsigned char kGeneral = '1', kDisabled = '2', kSportsmen = '3', kSpouse = '4';
// Personal data: the civil status shares its byte with the declaration mode (1 married).
inline constexpr blocks::U8 CivilStatus = f100::personal::DeclarationMode;
enum Civil : unsigned char { kSingle = 0, kMarried = 1, kWidowed = 2, kSeparated = 3 };
// The record of the reduction for the other spouse's contributions, in the declaration.
inline constexpr std::size_t kSpouseRecord = 63624 + f100::sec_j::SpouseContributor.off;
static_assert(kSpouseRecord == f100::SectionJ.offset + f100::sec_j::SpouseContributor.off && kSpouseRecord == 64320);
}  // namespace annex::conpropp

class CConproppDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 11;
  enum : int { kAmount = 24578, kRegime = 420 };
  explicit CConproppDlg(const ui::AnnexArgs& args);
  // 1 accept; 0 on a refused regime, or a warning that was to be corrected.
  int ValidateBlock();

 protected:
  bool ValidateOK() override;
  int OnEditValueChanged(int id) override;
};
