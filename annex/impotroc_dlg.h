// Company imputation: CTransparenciaFiscalDlg asks whether the company's taxable base is imputed
// wholly to the individuals linked to its professional, artistic or sports activities (one mark of
// the imputation row); CImpotrocDlg takes the payments on account and corporate-tax quotas imputed
// to the partner and the data that limit the deductible payments, and shows the effective taxation
// of the imputed base that the library computes on a copy of the declaration holding the block.
#pragma once

#include "blocks/form100_f2.h"
#include "ui/annex_dlg.h"

namespace annex::impotroc {
namespace row = f100::sec_f2::row;
// The block of a section-F2 row.
inline constexpr std::size_t kRowBlock = 88;
inline constexpr std::size_t kBlockSize = 88;
inline constexpr blocks::U8 WhollyMark{0};  // copy of the row's mark
inline constexpr blocks::F64 PaymentsOnAccount{8};
inline constexpr blocks::F64 CorporateQuotas{16};
inline constexpr blocks::F64 CorporateTaxation{24};
inline constexpr blocks::F64 Excess{32};
inline constexpr blocks::F64 HolderRate{40};
inline constexpr blocks::F64 HolderShare{48};
inline constexpr blocks::F64 HolderTax{56};
inline constexpr blocks::F64 UnitRate{64};
inline constexpr blocks::F64 UnitShare{72};
inline constexpr blocks::F64 UnitTax{80};
inline constexpr std::size_t kComputed = HolderRate.off;
static_assert(UnitTax.off + 8 == kBlockSize && kRowBlock + kBlockSize <= f100::sec_f2::kRowSize);
static_assert(kRowBlock + PaymentsOnAccount.off == row::SecondAmount.off &&
              kRowBlock + CorporateQuotas.off == row::ThirdAmount.off &&
              kRowBlock + CorporateTaxation.off == row::Threshold.off &&
              kRowBlock + Excess.off == row::CarriedWhenLimited.off && kRowBlock + HolderRate.off == row::HolderRate.off &&
              kRowBlock + HolderShare.off == row::HolderShare.off && kRowBlock + HolderTax.off == row::HolderTax.off &&
              kRowBlock + UnitRate.off == row::UnitRate.off && kRowBlock + UnitShare.off == row::UnitShare.off &&
              kRowBlock + UnitTax.off == row::UnitTax.off);
// The row's mark and the amount whose being non-zero makes a change of it worth a notice.
inline constexpr blocks::U8 RowMark = row::Qualifier;
inline constexpr blocks::F64 RowNoticeAmount = row::SecondAmountCopy;
}  // namespace annex::impotroc

class CTransparenciaFiscalDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1844;
  enum : int { kMark = 1262 };
  explicit CTransparenciaFiscalDlg(const ui::AnnexArgs& args);
  // Asks for the mark of a section-F2 row (216 bytes) and keeps the row's block consistent with it.
  // 0 without opening anything for a row without holder; 1 after OK, 0 after Cancel.
  static int OpenForRow(std::uint8_t* row, QWidget* parent = nullptr);

 protected:
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;
};

class CImpotrocDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1831;
  enum : int { kPayments = 1556, kQuotas = 1568, kCorporateTaxation = 1577, kExcess = 1586, kHolderRate = 1569,
               kHolderShare = 1570, kHolderTax = 1571, kUnitRate = 1572, kUnitShare = 1573, kUnitTax = 1574 };
  explicit CImpotrocDlg(const ui::AnnexArgs& args);
  // The row's kind and imputed base; the row's place among the section's rows, from where the block
  // lies in the open declaration (else the list's index).
  void SetListItems(const ui::AnnexPointerList& list) override;
  void Recalculate();
  int RowIndex() const { return row_; }

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override;
  int OnEditKillFocus(int id) override;

 private:
  void EnableCorporateTaxFields();
  void LockCorporateTaxFields();
  unsigned char kind_ = 0;
  double imputedBase_ = 0.0;
  int row_ = 0;
};
