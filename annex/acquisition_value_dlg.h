// The acquisition value of a transferred element: on an item of the table with reductions, three
// plain amounts; on an item of the long-term table, the dated amounts of the acquisition and its
// expenses with their updated values, and the depreciation, whose years open their own dialogs.
#pragma once

#include <initializer_list>
#include <vector>

#include "annex/capital_items.h"

// The two dialogs on an item of the table with reductions (non-business and business assets).
class CValadquiShortDlg : public CItemValueDlg {
  Q_OBJECT
 public:
  enum : int { kAcquisition = 1976, kExpenses = 1977, kDepreciation = 1982 };
  CValadquiShortDlg(const ui::DialogTemplate& tmpl, const ui::AnnexArgs& args)
      : CItemValueDlg(tmpl, annex::capital::kG3ItemSize, args) {}
  // The depreciation may not exceed the acquisition and its expenses: "100R036".
  bool ValidateAmounts();

 protected:
  bool ValidateOK() override { return ValidateAmounts(); }
};

class CValadquinaDlg : public CValadquiShortDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 304;
  explicit CValadquinaDlg(const ui::AnnexArgs& args);

 protected:
  // Elements of kinds 5 and 6 take no depreciation.
  void OnInitAnnex() override;
};

class CValadquiaDlg : public CValadquiShortDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1773;
  explicit CValadquiaDlg(const ui::AnnexArgs& args);
};

// The two dialogs on an item of the long-term table. Their depreciation launchers work on a
// working copy of the item, which goes into the item only when their dialog ended with OK.
class CValadquiLongDlg : public CG4ItemDlg {
  Q_OBJECT
 public:
  enum : int {
    kAcquisition = 1976, kAcquisitionUpdated = 1977,
    kDate1 = 1866, kExpense1 = 1978, kExpense1Updated = 1979,
    kDate2 = 1867, kExpense2 = 1980, kExpense2Updated = 1981,
    kTo1993 = 1982, kTo1993Updated = 1983, k1994 = 1991, k1994Updated = 1986, k1995 = 1995, k1995Updated = 1988,
  };
  CValadquiLongDlg(const ui::DialogTemplate& tmpl, const ui::AnnexArgs& args) : CG4ItemDlg(tmpl, args) {}
  // The amounts not updated: acquisition and expenses below the depreciation give "100R036".
  bool ValidateAmounts();
  // The working copy that the depreciation dialogs open on.
  const std::vector<std::uint8_t>& WorkingCopy() const { return working_; }

 protected:
  bool ValidateOK() override { return ValidateAmounts(); }
  int OnEditKillFocus(int id) override;
  // Hands the launchers their list and enables by the dates and the acquisition year.
  void InitCommon(std::initializer_list<int> launchers);
  // An expense date outside the holding period, or no date, takes its amount away.
  void CheckExpenseDate(int dateId);
  // The item recalculated and every edit reloaded.
  void Refresh();
  virtual void OnKillFocusOwn(int) {}

  std::vector<std::uint8_t> working_;
  ui::AnnexPointerList list_{};
};

class CValadquina2Dlg : public CValadquiLongDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 306;
  static constexpr int kAllowance1994 = 24635, kFrom1996 = 1091, kFrom1996Updated = 1100;
  explicit CValadquina2Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  void OnKillFocusOwn(int id) override;
  int OnSubDialogValue(int id) override;
};

class CValadquia2Dlg : public CValadquiLongDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 319;
  explicit CValadquia2Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditSetFocus(int id) override;
  int OnSubDialogValue(int id) override;
  void OnKillFocusOwn(int id) override;

 private:
  // The working copy takes the item as it stands, so a depreciation dialog starts from it.
  void SyncWorkingCopy();
};
