// Refunds the administration agreed, one amount per member of the household.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::devol104 {
inline constexpr std::size_t kBlockSize = 32;
inline constexpr blocks::F64 Declarant{0};
inline constexpr blocks::F64 Spouse{8};
inline constexpr blocks::F64 Child1{16};
inline constexpr blocks::F64 Child2{24};
static_assert(Child2.off + 8 == kBlockSize);
}  // namespace annex::devol104

class CDevol104Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 35;
  enum : int { kDeclarant = 1169, kSpouse = 1182, kChild1 = 1192, kChild2 = 1207 };
  explicit CDevol104Dlg(const ui::AnnexArgs& args);
};
