// International fiscal transparency and the other amounts of two holders: each row a holder and an
// amount (16 bytes). CTit2dat1Dlg serves several boxes (the variant index picks its help topic, the
// heading of the amount column and one notice); CTranfisintDlg carries the deduction of the
// individual returns per row and, below them, that of the joint return, which follows the rows'
// sum in the family unit's view until it is typed over.
#pragma once

#include "annex/holder_amount_dlg.h"

namespace annex::tit2dat1 {
inline constexpr int kRows = 2;
inline constexpr std::size_t kRowSize = holder_amount::kRowBytes;
inline constexpr blocks::U8 Holder = holder_amount::Holder;
inline constexpr blocks::F64 Amount = holder_amount::Amount;
inline constexpr std::size_t kBlockSize = kRows * kRowSize;
// CTranfisintDlg: the joint-return deduction after the two rows.
inline constexpr blocks::F64 JointDeduction{kBlockSize};
inline constexpr std::size_t kTranfisintSize = JointDeduction.off + 8;
static_assert(kBlockSize == 32 && kTranfisintSize == 40);
}  // namespace annex::tit2dat1

class CTit2dat1Dlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 172;
  static constexpr int kHolders[] = {1394, 1328};
  static constexpr int kAmounts[] = {1318, 1336};
  enum : int { kAmountHeading = 1120, kLegend = 1296 };
  explicit CTit2dat1Dlg(const ui::AnnexArgs& args);
  static int HelpTopic(int variant);

 protected:
  void OnInitAnnex() override;
  bool ValidateOK() override;
};

class CTranfisintDlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1833;
  static constexpr int kHolders[] = {1394, 1328};
  static constexpr int kAmounts[] = {1318, 1336};
  enum : int { kJoint = 1378, kLegend = 1296 };
  explicit CTranfisintDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;

 private:
  double RowAmount(int row) { return annex::tit2dat1::Amount.get(Row(row)); }
  // The row amounts as last taken into the joint deduction.
  double seen_[annex::tit2dat1::kRows] = {};
  bool familyView_ = false;
};
