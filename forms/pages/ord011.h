// Form 100, page 11 (211): the settlement (gross quotas, deductions, net quotas and their
// increases). The calculation writes every box; a value an annex dialog or the editor stores
// recalculates the declaration.
#pragma once

#include "forms/pages/page100.h"

namespace forms {

class ORD011 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 211;
  explicit ORD011(IPageHost& host, QWidget* parent = nullptr) : CPage100(host, kCode, std::span<const RowArea>(), parent) {
    BindCopyLabel(55);
  }
  int OnBoxSubDialogValue(int /*position*/) override {
    RecalculateDeclaration(false);
    return 0;
  }
  int OnBoxValueChanged(int /*position*/) override {
    RecalculateDeclaration(false);
    return 0;
  }
};

}  // namespace forms
