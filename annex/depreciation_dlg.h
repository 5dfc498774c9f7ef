// The depreciation of a transferred element year by year, each year's amount shown updated by the
// calculation library: 1996 to 2003 with the 2002 allowance date, 1994 and 1995 of business
// assets, and 1983 and before to 1993 of business assets. They open on the working copy of the
// acquisition value dialog that holds their launcher.
#pragma once

#include <array>
#include <span>

#include "annex/capital_items.h"

// One row per year: the amount entered and the amount updated.
struct DepreciationYear {
  int year;  // a row of an element acquired after this year is closed
  int amountId, updatedId;
  blocks::F64 amount, updated;
};

class CDepreciationDlg : public CG4ItemDlg {
  Q_OBJECT
 protected:
  CDepreciationDlg(const ui::DialogTemplate& tmpl, std::span<const DepreciationYear> years, const ui::AnnexArgs& args)
      : CG4ItemDlg(tmpl, args), years_(years) {}
  // Every change shows the updated amounts again.
  int OnEditKillFocus(int id) override;
  virtual void OnKillFocusOwn(int) {}
  // Closes the rows of the years for which `closed` answers true.
  template <class Pred>
  void CloseYears(Pred closed) {
    for (const DepreciationYear& y : years_)
      if (closed(y.year)) Enable(y.amountId, false);
  }
  std::span<const DepreciationYear> years_;
};

class CValadq96Dlg : public CDepreciationDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 276;
  static constexpr int kAllowance2002 = 24634, k2002 = 2011;
  static constexpr std::array<DepreciationYear, 8> kYears{{
      {1996, 1995, 1988, {512}, {520}}, {1997, 1091, 1100, {528}, {536}}, {1998, 1063, 1070, {544}, {552}},
      {1999, 1078, 1083, {560}, {568}}, {2000, 2006, 2008, {576}, {584}}, {2001, 2009, 2010, {592}, {600}},
      {2002, 2011, 2012, {616}, {624}}, {2003, 2013, 2015, {632}, {640}}}};
  explicit CValadq96Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  void OnKillFocusOwn(int id) override;
};

class CValadquiabaDlg : public CDepreciationDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1839;
  static constexpr std::array<DepreciationYear, 2> kYears{{{1994, 1982, 1983, {400}, {408}},
                                                           {1995, 1991, 1986, {416}, {424}}}};
  explicit CValadquiabaDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
};

class CValadquiaba2Dlg : public CDepreciationDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1837;
  static constexpr std::array<DepreciationYear, 11> kYears{{
      {1983, 1999, 2002, {192}, {200}}, {1984, 1982, 1983, {208}, {216}}, {1985, 1991, 1986, {224}, {232}},
      {1986, 1995, 1988, {240}, {248}}, {1987, 1091, 1100, {256}, {264}}, {1988, 1063, 1070, {272}, {280}},
      {1989, 1078, 1083, {288}, {296}}, {1990, 2006, 2008, {304}, {312}}, {1991, 2009, 2010, {320}, {328}},
      {1992, 2011, 2012, {344}, {352}}, {1993, 2013, 2015, {360}, {368}}}};
  explicit CValadquiaba2Dlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
};
