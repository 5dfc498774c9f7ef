// Income from work: up to six entries, one per payer, side by side, each a recipient and its
// amounts (money pay and withholding, pay in kind with its payment on account and the part passed
// on, the promoter's contributions entered in a nested dialog with their reduction regime, the
// reduction for irregular income and the deductible expenses). The block is the first 720 bytes
// of section A.
#pragma once

#include "annex/conpropp_dlg.h"
#include "blocks/form100_a.h"
#include "ui/annex_dlg.h"

namespace annex::rdto_trabajo {
inline constexpr int kEntries = 6;
inline constexpr std::size_t kEntrySize = 120;
inline constexpr std::size_t kBlockSize = kEntries * kEntrySize;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 MoneyPay{8};
inline constexpr blocks::F64 Withholding{16};
inline constexpr blocks::F64 InKind{24};
inline constexpr blocks::F64 PaymentOnAccount{32};
inline constexpr blocks::F64 PassedOn{40};
inline constexpr blocks::F64 Contribution{48};  // the nested block's amount, as shown
inline constexpr std::size_t kNested = 56;       // the promoter-contribution block of the entry
inline constexpr blocks::F64 Irregular{80};
inline constexpr blocks::F64 SocialSecurity{88};
inline constexpr blocks::F64 UnionDues{96};
inline constexpr blocks::F64 AssociationDues{104};
inline constexpr blocks::F64 LegalDefence{112};
static_assert(kNested + conpropp::kBlockSize == Irregular.off && LegalDefence.off + 8 == kEntrySize);
static_assert(kBlockSize == 720);
// The nested block's fields as seen from the entry.
inline constexpr blocks::U8 NestedHolder{kNested + conpropp::Holder.off};
inline constexpr blocks::F64 NestedAmount{kNested + conpropp::Amount.off};
inline constexpr blocks::U8 NestedRegime{kNested + conpropp::Regime.off};
}  // namespace annex::rdto_trabajo

class CRdtoTrabajoDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1748;
  static constexpr int kPrompt = 1294;
  explicit CRdtoTrabajoDlg(const ui::AnnexArgs& args);
  // The control of matrix column `column` of entry `entry`.
  static int CellId(int column, int entry);
  // Launchers of entries without a holder who may contribute are disabled and their nested blocks
  // emptied; every nested block learns its entry's holder.
  void EnableContributionLaunchers();
  // 1 accept; 0 when a check refused or a warning was to be corrected.
  int ValidateEntries();

  void ClearRowControls(int row) override;
  // The refresh enables the cells of used entries; the launchers then follow their holders.
  void RefreshEnabledRows() override {
    CAnnexRowsDlg::RefreshEnabledRows();
    EnableContributionLaunchers();
  }
  void MoveRow(int destination, int source) override;
  // A common entry keeps its amounts in a member view.
  void HandleCommonRow(int) override {}

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override { return ValidateEntries() == 1; }
  int OnEditSetFocus(int id) override;
  int OnEditKillFocus(int id) override;
  int OnSubDialogValue(int id) override;
  int OnEditValueChanged(int id) override;
};
