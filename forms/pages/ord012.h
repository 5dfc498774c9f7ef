// Form 100, page 12 (212): the deductions from the net quota, the withholdings and payments on
// account, and the result. Every accepted edit and every value an annex dialog stores recalculate
// the declaration and mark it modified.
#pragma once

#include "forms/pages/page100.h"

namespace forms {

class ORD012 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 212;
  explicit ORD012(IPageHost& host, QWidget* parent = nullptr) : CPage100(host, kCode, {}, parent) {}
  int OnBoxEdited(int /*position*/) override {
    RecalculateDeclaration(true);
    return 1;
  }
  int OnBoxSubDialogValue(int /*position*/) override {
    RecalculateDeclaration(true);
    if (CPageBoxList* list = BoxList()) list->RefreshBoxStates(0);
    return 0;
  }
};

}  // namespace forms
