// Form 100, page 9 (209): the totals of the tax bases, the personal and family minimum and the
// reductions. No row area and no rules of its own: an amount an annex dialog stores recalculates
// the declaration.
#pragma once

#include "forms/pages/page100.h"

namespace forms {

class ORD009 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 209;
  explicit ORD009(IPageHost& host, QWidget* parent = nullptr) : CPage100(host, kCode, std::span<const RowArea>(), parent) {
    BindCopyLabel(44);
  }
  void RecalculateAndRefresh() override {
    CRentaVista::RecalculateAndRefresh();
    RepaintBoxes();
  }
};

}  // namespace forms
