// The transmission value of a transferred element: amount and expenses, instalment sale and what
// was collected in 2003, and the marks and amounts that change the gain (main-home reinvestment for
// non-business assets, the taxi licence for business assets, no imputation of losses on repurchase).
#pragma once

#include <array>

#include "annex/capital_items.h"

namespace annex::transmission {
// Where one item record keeps the transmission fields.
struct Fields {
  blocks::U8 taxi;
  blocks::F64 amount, expenses;
  blocks::U8 instalments;
  blocks::F64 collected, reinvested, loan;
  blocks::U8 noLoss;
};
namespace g4 = f100::sec_g4::item;
namespace g3 = f100::sec_g3;
inline constexpr Fields kLongTerm{g4::TaxiLicence, g4::TransferAmount, g4::TransferExpenses, g4::Instalments,
                                  g4::CollectedInYear, g4::Reinvested, g4::PendingLoan, g4::NoLossImputation};
// The table with reductions keeps the taxi-licence mark at +32.
inline constexpr Fields kReductions{g3::FourPerCentMarker, g3::TransferAmount, g3::TransferExpenses, g3::Instalments,
                                    g3::CollectedInYear, g3::Reinvested, g3::OutstandingLoan, g3::LossNotComputable};
static_assert(kReductions.taxi.off == 32 && kReductions.instalments.off == 89 && kReductions.noLoss.off == 88);
static_assert(kLongTerm.taxi.off == 48 && kLongTerm.instalments.off == 72 && kLongTerm.noLoss.off == 104);
}  // namespace annex::transmission

class CValtransDlg : public CItemValueDlg {
  Q_OBJECT
 public:
  enum : int { kTaxi = 1363, kAmount = 1117, kExpenses = 1125, kInstalments = 1364, kCollected = 1139,
               kReinvested = 1133, kLoan = 1136 };
  // The checks of OK, in each dialog's order; the first that fails keeps the dialog open.
  bool ValidateAmounts();

 protected:
  CValtransDlg(const ui::DialogTemplate& tmpl, std::size_t itemBytes, const annex::transmission::Fields& fields,
               std::array<const char*, 5> checks, const ui::AnnexArgs& args)
      : CItemValueDlg(tmpl, itemBytes, args), f_(fields), checks_(checks) {}
  bool ValidateOK() override { return ValidateAmounts(); }
  // The amount collected in 2003 is open only for an instalment sale.
  void EnableCollected() { Enable(kCollected, f_.instalments.get(Data()) != 0); }
  // A cleared instalment mark with amounts collected asks "100P048": Corregir sets it back.
  void AskCollectedWithoutInstalments();
  // No amount reinvested, no loan.
  void ClearLoanWithoutReinvestment();

  const annex::transmission::Fields& f_;

 private:
  std::array<const char*, 5> checks_;
};

class CValtransena2Dlg : public CValtransDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 305;
  static constexpr int kNoLoss = 1372;
  explicit CValtransena2Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
  int OnEditKillFocus(int id) override;
};

class CValtransenaDlg : public CValtransDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 303;
  static constexpr int kNoLoss = 1369;
  explicit CValtransenaDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
  int OnEditKillFocus(int id) override;
};

class CValtransea2Dlg : public CValtransDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 254;
  static constexpr int kNoLoss = 1372;
  explicit CValtransea2Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
};

class CValtranseaDlg : public CValtransDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 250;
  static constexpr int kNoLoss = 1369;
  explicit CValtranseaDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
};
