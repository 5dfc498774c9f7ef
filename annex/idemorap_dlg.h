// The late-payment interest annexes: per holder, the interest added for deductions wrongly applied
// in earlier years, typed or computed case by case ("Prop.") on the row's own breakdown record.
// CIdemorap2Dlg has two interests per row (1997 to 2001, and 2002); CIdemorapDlg one, whose year
// mode is the launcher's index.
#pragma once

#include <span>

#include "annex/interest_breakdown.h"
#include "ui/annex_dlg.h"

namespace annex::idemorap {
inline constexpr int kRows = 3;
// An interest of a row and its breakdown record, with the button that opens it and its year mode
// (0: the dialog's launcher index).
struct Amount {
  blocks::F64 interest;
  std::size_t breakdown;
  int buttons[kRows];
  int yearMode;
};
}  // namespace annex::idemorap

class CLateInterestRowsDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kHolders[] = {1303, 1322, 1342};
  static constexpr int kPrompt = 1296;
  CLateInterestRowsDlg(const ui::DialogTemplate& tmpl, std::size_t rowSize, const ui::RowLayout& layout,
                       std::span<const annex::idemorap::Amount> amounts, const ui::AnnexArgs& args);
  // The breakdown dialog on the row's record of `button`: OK puts its total in the row's interest.
  // Does nothing on a row without holder. Returns the breakdown dialog's result (0 when not opened).
  int OpenBreakdown(int button, const std::function<int(QDialog&)>& run = {});
  void ClearRowControls(int row) override;
  void MoveRow(int destination, int source) override;

 protected:
  void OnInitAnnex() override;
  bool OnButton(int id) override;
  int OnEditSetFocus(int id) override;

 private:
  std::size_t rowSize_;
  std::span<const annex::idemorap::Amount> amounts_;
};

class CIdemorap2Dlg : public CLateInterestRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 97;
  static constexpr std::size_t kRowSize = 824;
  static constexpr int kEarlier[] = {1169, 1182, 1192};
  static constexpr int k2002[] = {24626, 392, 393};
  explicit CIdemorap2Dlg(const ui::AnnexArgs& args);
};

class CIdemorapDlg : public CLateInterestRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 266;
  static constexpr std::size_t kRowSize = 416;
  static constexpr int kInterest[] = {1169, 1182, 1192};
  explicit CIdemorapDlg(const ui::AnnexArgs& args);
};
