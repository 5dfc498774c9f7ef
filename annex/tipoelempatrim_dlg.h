// The kind of an asset element of a wealth-tax row: a code '1' to '7' (0 for none), chosen with one
// radio group that spans the two group boxes (elements assigned to activities or not).
#pragma once

#include "ui/annex_dlg.h"

namespace annex::tipoelempatrim {
inline constexpr std::size_t kBlockSize = 1;
inline constexpr blocks::U8 Kind{0};
}  // namespace annex::tipoelempatrim

class CTipoelempatrimDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 312;
  explicit CTipoelempatrimDlg(const ui::AnnexArgs& args);
};
