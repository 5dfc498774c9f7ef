// Deductions of the tax on economic activities from a base the user enters, per holder, at the
// rates of the launcher's index (1 general, 2 higher): professional training (expenses of the
// year against the average of the two previous years) and information-technology expenses (a
// direct-estimation base and an objective-estimation base capped by the holder's yields).
#pragma once

#include "ui/annex_dlg.h"

namespace annex::activity_deduction {
inline constexpr std::size_t kRowSize = 32;
inline constexpr int kRows = 2;
inline constexpr std::size_t kBlockSize = kRowSize * kRows;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 First{8};    // training: expenses of the year; IT: direct-estimation base
inline constexpr blocks::F64 Second{16};  // training: average of the two previous years; IT: objective base
inline constexpr blocks::F64 Deduction{24};
static_assert(Deduction.off + 8 == kRowSize);
}  // namespace annex::activity_deduction

class CActivityDeductionDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kHolders[] = {1909, 1910};
  static constexpr int kFirst[] = {1911, 1912};
  static constexpr int kSecond[] = {1913, 1914};
  static constexpr int kDeductions[] = {1905, 1907};
  static constexpr int kPrompt = 1296;
  CActivityDeductionDlg(const ui::DialogTemplate& tmpl, const ui::AnnexArgs& args);
  virtual void CalculateDeduction() = 0;

 protected:
  void OnInitAnnex() override;
  void RefreshEnabledRows() override;
  int OnEditSetFocus(int id) override;
  void DisableDeductions();
};

class CFormprofDlg : public CActivityDeductionDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 316;
  explicit CFormprofDlg(const ui::AnnexArgs& args);
  void CalculateDeduction() override;

 protected:
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
};

class CGtotecinfDlg : public CActivityDeductionDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 6;
  explicit CGtotecinfDlg(const ui::AnnexArgs& args);
  void CalculateDeduction() override;
  // Each base needs yields of its regime in the declaration for its holder: false refuses.
  bool CheckBases();

 protected:
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  bool ValidateOK() override { return CheckBases(); }
};
