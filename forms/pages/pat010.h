// Form 714, page 10 (310): the liquidation. Two amounts cannot be typed while the declarant has no
// exempt minimum; the amounts that feed the liquidation run it again as they are left, and the
// amount of the assets in Ceuta and Melilla may not exceed the taxable base.
#pragma once

#include "forms/view/form_views.h"
#include "ui/annex_dlg.h"

namespace forms {

// The liquidation's box list: box 21 (the tax paid abroad) opens its dialog on the three pairs of
// tax paid and value, handing the net wealth along as the base; box 11 (the income-tax base) opens
// the quota limit on the liquidation's income-tax inputs (+296 .. +367), with the net wealth too.
class CBoxesPAT010 : public CBindingTableList {
 public:
  static constexpr int kQuotaLimit = 11;
  static constexpr int kTaxPaidAbroad = 21;
  explicit CBoxesPAT010(std::span<std::uint8_t> block);
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  const ui::AnnexPointerList& TaxPaidLink() const { return taxPaid_; }

 private:
  ui::AnnexPointerList taxPaid_{};
  ui::AnnexPointerList quotaLimit_{};
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
