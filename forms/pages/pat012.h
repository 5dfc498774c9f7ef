// Form 714, page 12 (312): the second payment sheet, printed only. It shows the amount, the way of
// payment and the account as page 11 left them; nothing on it is typed, derived or checked, except
// the mark of a declaration without payment, which follows the result at every bind.
#pragma once

#include "forms/view/form_views.h"

namespace forms {

class CBoxesPAT012 : public CBindingTableList {
 public:
  static constexpr int kCode = 312;
  explicit CBoxesPAT012(std::span<std::uint8_t> block) : CBindingTableList(kCode, block) {}
  void BindPageData(int rebind) override;
  void ReleasePageData() override {}
  void RefreshBoxStates(int) override {}
};

class PAT012 : public CGenericPage714 {
  Q_OBJECT
 public:
  explicit PAT012(IPageHost& host, QWidget* parent = nullptr);
  std::string GetPageClassName() const override { return "PAT012"; }
  // Nothing on the sheet can be typed: an edit is accepted as it is and nothing is recalculated.
  int OnBoxEdited(int) override { return 1; }
  void RecalculateAndRefresh() override {}
};

void RegisterPat012();

}  // namespace forms
