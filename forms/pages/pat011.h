// Form 714, page 11 (311): the payment. The amount to pay follows the result and the partial
// payment already made (when that may be typed); a payment is made in cash or by debit to an
// account, one of the two, and the account opens only for the debit; the date of the declaration
// is today's the first time the page is shown.
#pragma once

#include "forms/view/form_views.h"
#include "ui/annex_dlg.h"

namespace forms {

class CBoxesPAT011 : public CBindingTableList {
 public:
  using CBindingTableList::CBindingTableList;
  void BindPageData(int rebind) override;
  // The partial payment, the amount still to pay and the way of payment re-derived.
  void RefreshBoxStates(int position) override;
  void ReleasePageData() override;
  // The account can be typed exactly when the debit is chosen.
  void ApplyAccountRule();
  // Today, as the date of a declaration that has none ("%d%m%Y").
  std::function<std::string()> today;
  // Set while the taxpayer's paper copy of an internet filing prints: the printed reference code
  // is left unbound.
  const bool* internetCopy = nullptr;

 private:
};

class PAT011 : public CGenericPage714 {
  Q_OBJECT
 public:
  static constexpr int kCode = 311;
  static constexpr int kBankAccountCheck = 10;
  explicit PAT011(IPageHost& host, QWidget* parent = nullptr);
  std::string GetPageClassName() const override { return "PAT011"; }
  void RepaintBoxes() override;
  void RecalculateAndRefresh() override;
  int OnBoxEdited(int position) override;
  int OnBoxValueChanged(int position) override;
  int OnBoxValueCleared(int position) override;
  // The help context of the box under `point` (viewport coordinates), opened for editing: the
  // box's own, 667 when no editor opens.
  int OnHelpHitTest(QPoint point) override;
};

void RegisterPat011();

}  // namespace forms
