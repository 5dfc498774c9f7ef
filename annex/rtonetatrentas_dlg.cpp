#include "annex/rtonetatrentas_dlg.h"

#include "platform/icons.h"
#include "ui/box_field.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::rtonetatrentas;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 91011, .row = 0, .col = 0},
    {.id = 24705, .kind = Ctl::Money, .row = 0, .col = 1, .width = 8, .decimals = 2,
     .field = f::YieldExceptDividends, .options = ui::kOptNegatives},
    {.kind = Ctl::Static, .textId = 91012, .row = 1, .col = 0},
    {.id = 24706, .kind = Ctl::Money, .row = 1, .col = 1, .width = 8, .decimals = 2, .field = f::DividendYield},
    {.kind = Ctl::Static, .textId = 91013, .row = 2, .col = 0},
    {.id = 24707, .kind = Ctl::Money, .row = 2, .col = 1, .width = 8, .decimals = 2, .field = f::DividendDeduction},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 3, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 3, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = CRtonetatrentasDlg::kId, .captionId = 91010, .controls = kControls};
}  // namespace

CRtonetatrentasDlg::CRtonetatrentasDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

int CRtonetatrentasDlg::ValidateDeduction() {
  const double deduction = f::DividendDeduction.get(Data());
  if (deduction == 0.0) return 1;
  const double d = ui::RoundToDecimals(deduction, 2);
  const double y = ui::RoundToDecimals(f::DividendYield.get(Data()) * 0.4, 2);
  if (y > d) return 1;
  return ui::ShowMessage(this, QStringLiteral("100P086"), platform::kIconAsterisk) == kAnsCorregir ? 0 : 1;
}
