// Deductions for investments, per holder, at the rates of the launcher's index: film and
// audiovisual production (producer and financial co-producer) and a single-rate deduction base.
// Their captions are the launcher's titles.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::invcinaud {
inline constexpr std::size_t kRowSize = 40;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Producer{8};      // P
inline constexpr blocks::F64 CoProducer{16};   // F
inline constexpr blocks::F64 Income{24};       // R
inline constexpr blocks::F64 Deduction{32};
}  // namespace annex::invcinaud

namespace annex::invprotmed {
inline constexpr std::size_t kRowSize = 24;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Base{8};
inline constexpr blocks::F64 Deduction{16};
}  // namespace annex::invprotmed

// The two rows, their holder legend in 1296. Where the variant gives rates the deductions are
// computed as a field is left and never typed; a variant without rates leaves them to the user.
class CInvestmentDeductionDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kHolders[] = {1303, 1322};
  static constexpr int kDeductions[] = {1217, 1385};
  static constexpr int kLegend = 1296;
  CInvestmentDeductionDlg(const ui::DialogTemplate& tmpl, std::size_t rowSize, const ui::RowLayout& layout,
                          const ui::AnnexArgs& args);
  virtual void CalculateDeduction() = 0;
  // The variant gives rates: the deduction column is computed, never typed.
  virtual bool ComputesDeduction() const = 0;

 protected:
  void RefreshEnabledRows() override;
  int OnEditSetFocus(int id) override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  void DisableDeductions();
};

class CInvcinaudDlg : public CInvestmentDeductionDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1842;
  static constexpr int kProducer[] = {1204, 1210};
  static constexpr int kCoProducer[] = {1492, 1493};
  static constexpr int kIncome[] = {1206, 1212};
  explicit CInvcinaudDlg(const ui::AnnexArgs& args);
  void CalculateDeduction() override;
  bool ComputesDeduction() const override { return index == 1 || index == 2; }
};

class CInvprotmedDlg : public CInvestmentDeductionDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 89;
  static constexpr int kBase[] = {1204, 1210};
  explicit CInvprotmedDlg(const ui::AnnexArgs& args);
  // The rate of index n (1 to 7); 0 for an index without rate, whose deduction the user types.
  static double Rate(int n);
  void CalculateDeduction() override;
  bool ComputesDeduction() const override { return Rate(index) != 0.0; }
};
