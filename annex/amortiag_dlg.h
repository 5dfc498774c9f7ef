// The depreciation of an agricultural, livestock or forestry activity in objective estimation,
// split by the use of the elements; one variant takes them as consumption at 35 % of the
// acquisition price into a second group of fields.
#pragma once

#include <array>

#include "blocks/form100_e5.h"
#include "ui/annex_dlg.h"

namespace annex::amortiag {
namespace e5 = f100::sec_e5;
inline constexpr std::size_t kBlockSize = e5::kRowSize;  // one activity row
// Own land, leased land, poultry and intensive pork, other livestock, other work and services.
inline constexpr int kUses = 5;
inline constexpr std::array<blocks::F64, kUses> kConsumption{e5::Deductions1P, e5::Deductions1Q, e5::Deductions1S,
                                                             e5::Deductions1R, e5::Deductions1T};
inline constexpr std::array<blocks::F64, kUses> kDepreciation{e5::Deductions2P, e5::Deductions2Q, e5::Deductions2S,
                                                              e5::Deductions2R, e5::Deductions2T};
static_assert(kConsumption[0].off == 1848 && kDepreciation[0].off == 1896);
}  // namespace annex::amortiag

class CAmortiagDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 289;
  static constexpr int kConsumptionVariant = 1;
  // In the order of the uses.
  static constexpr std::array<int, annex::amortiag::kUses> kAmounts{1993, 1985, 1987, 1989, 1996};
  static constexpr int kAgricultureHeader = 2221, kLivestockHeader = 2222, kOtherWorkHeader = 2223;
  explicit CAmortiagDlg(const ui::AnnexArgs& args);
  // The fields that the amounts go to in the dialog's variant.
  const std::array<blocks::F64, annex::amortiag::kUses>& Fields() const;

 protected:
  void OnInitAnnex() override;
  // A depreciation entered for a use without income asks "100P031"; Corregir keeps the dialog open.
  bool ValidateOK() override;
};
