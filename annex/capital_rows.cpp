#include "annex/capital_rows.h"

#include <QLabel>

#include "platform/icons.h"
#include "ui/messages.h"

namespace annex {

bool ShowHolderLegend(ui::CAnnexRowsDlg& dialog, int id, int legendId) {
  if (dialog.GetColumnOfControl(id) != 0) return false;
  if (auto* legend = dialog.Item<QLabel>(legendId)) legend->setText(dialog.GetHolderLegend());
  return true;
}

int RunRowWarnings(ui::CAnnexRowsDlg& dialog, std::span<const RowWarning> warnings) {
  namespace c = capital40;
  for (int r = 0; r < dialog.Layout().rows; ++r) {
    const std::uint8_t* row = dialog.Row(r);
    for (const RowWarning& w : warnings)
      if (w.fails(c::Income.get(row), c::Withholding.get(row), c::Third.get(row), c::Fourth.get(row)) &&
          ui::ShowMessage(&dialog, QString::fromLatin1(w.code), platform::kIconAsterisk) == kAnsCorregir)
        return 0;
  }
  return 1;
}

}  // namespace annex
