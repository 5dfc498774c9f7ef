// Form 714, page 10 (310): the liquidation. Two amounts cannot be typed while the declarant has no
// exempt minimum; the amounts that feed the liquidation run it again as they are left, and the
// amount of the assets in Ceuta and Melilla may not exceed the taxable base.
#pragma once

#include "forms/view/form_views.h"
#include "ui/annex_dlg.h"

namespace forms {

// The two amounts that open a dialog on the exempt minimum carry the amount the dialog fills and
// the net base it is measured against.
class CBoxesPAT010 : public CBindingTableList {
 public:
  using CBindingTableList::CBindingTableList;
  void BindPageData(int rebind) override;
  void ReleasePageData() override;

 private:
  ui::AnnexPointerList records_[2];
};

class PAT010 : public CGenericPage714 {
  Q_OBJECT
 public:
  static constexpr int kCode = 310;
  explicit PAT010(IPageHost& host, QWidget* parent = nullptr);
  std::string GetPageClassName() const override { return "PAT010"; }
  void RepaintBoxes() override;
  void RecalculateAndRefresh() override;
  int OnBoxEdited(int position) override;
  int OnBoxSubDialogValue(int position) override;

 private:
  // The liquidation and the declaration's calculation, then the page repainted.
  void Liquidate(int pass);
};

void RegisterPat010();

}  // namespace forms
