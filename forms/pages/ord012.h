// Form 100, page 12 (212): the deductions from the net quota, the withholdings and payments on
// account, and the result. Every accepted edit and every value an annex dialog stores recalculate
// the declaration and mark it modified.
#pragma once

#include "blocks/form100.h"
#include "forms/pages/page100.h"

namespace forms {

class ORD012 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 212;
  static constexpr int kCarryOverCheck = 207;
  explicit ORD012(IPageHost& host, QWidget* parent = nullptr) : CPage100(host, kCode, std::span<const RowArea>(), parent) {
    BindCopyLabel(40);
  }
  int OnBoxEdited(int /*position*/) override {
    RecalculateDeclaration(true);
    return 1;
  }
  // Section O's carry-over of the housing accounts follows the amounts the annex stored.
  int OnBoxSubDialogValue(int /*position*/) override {
    RecalculateAndCheck({kCarryOverCheck}, f100::SectionO.offset, f100::SectionO.size);
    return 0;
  }
};

}  // namespace forms
