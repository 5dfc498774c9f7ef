// Prizes received: four cash prizes (holder, gross amount, withholding) and four prizes in kind
// (holder, valuation, payment on account and the part of it passed on to the winner). The blocks
// are the prize rows of section G1 of the declaration.
#pragma once

#include "blocks/form100_g1.h"
#include "ui/annex_dlg.h"

namespace annex::premmet {
inline constexpr int kRows = f100::sec_g1::cash::kRows;
inline constexpr std::size_t kRowSize = f100::sec_g1::cash::kRowSize;
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
// Row fields at row 0; row r is kRowSize * r further.
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Gross{8};
inline constexpr blocks::F64 Withholding{16};
static_assert(Withholding.off + 8 == kRowSize && kBlockSize == 96);
static_assert(Gross.off == f100::sec_g1::cash::Gross.off - f100::sec_g1::cash::Holder.off);
static_assert(Withholding.off == f100::sec_g1::cash::Withholding.off - f100::sec_g1::cash::Holder.off);
}  // namespace annex::premmet

namespace annex::premesp {
inline constexpr int kRows = f100::sec_g1::kind::kRows;
inline constexpr std::size_t kRowSize = f100::sec_g1::kind::kRowSize;
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Valuation{8};
inline constexpr blocks::F64 PaymentOnAccount{16};
inline constexpr blocks::F64 PassedOn{24};
static_assert(PassedOn.off + 8 == kRowSize && kBlockSize == 128);
static_assert(Valuation.off == f100::sec_g1::kind::Valuation.off - f100::sec_g1::kind::Holder.off);
static_assert(PassedOn.off == f100::sec_g1::kind::PaymentCharged.off - f100::sec_g1::kind::Holder.off);
}  // namespace annex::premesp

namespace annex {
// A withholding or payment on account above 15 % of its base, half a euro of tolerance.
bool AboveFifteenPerCent(double base, double charged);

// The prize dialogs' holder legend stands in its own line (1296).
class CPrizeRowsDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kLegend = 1296;
  using CAnnexRowsDlg::CAnnexRowsDlg;

 protected:
  int OnEditSetFocus(int id) override;
  int OnEditKillFocus(int id) override;
};
}  // namespace annex

class CPremmetDlg : public annex::CPrizeRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1774;
  explicit CPremmetDlg(const ui::AnnexArgs& args);
  // 1 accept; 0 when a withholding above 15 % of its prize was to be corrected.
  int CheckWithholdings();
  // A common cash prize keeps its amounts in a member view.
  void HandleCommonRow(int) override {}

 protected:
  bool ValidateOK() override { return CheckWithholdings() == 1; }
};

class CPremespDlg : public annex::CPrizeRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1777;
  explicit CPremespDlg(const ui::AnnexArgs& args);
  // 1 accept; 0 on a passed-on payment above the payment itself, or a payment above 15 % of the
  // valuation that was to be corrected.
  int ValidateRows();

 protected:
  bool ValidateOK() override { return ValidateRows() == 1; }
};
