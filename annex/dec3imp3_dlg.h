// Regional deduction for the birth or adoption of children: whole children per holder.
#pragma once

#include "annex/holder_counts.h"

namespace annex::dec3imp3 {
inline constexpr std::size_t kBlockSize = 24;
static_assert(holder_counts::Spouse.off + 8 == kBlockSize);
}  // namespace annex::dec3imp3

class CDec3imp3Dlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 20;
  explicit CDec3imp3Dlg(const ui::AnnexArgs& args);
};
