// Form 714, page 9 (309): the summary of assets, debts and bases, computed only.
#pragma once

#include "forms/view/form_views.h"

namespace forms {

class PAT009 : public CGenericPage714 {
  Q_OBJECT
 public:
  static constexpr int kCode = 309;
  static constexpr int kEditedHelp = 723;
  explicit PAT009(IPageHost& host, QWidget* parent = nullptr);
  std::string GetPageClassName() const override { return "PAT009"; }
  // Nothing typed here recalculates.
  int OnBoxEdited(int) override { return 1; }
  void RecalculateAndRefresh() override;
  // The box under the point opened for editing: the page's context when an editor opened, the
  // program's first topic otherwise.
  int OnHelpHitTest(QPoint point) override;
};

void RegisterPat009();

}  // namespace forms
