#include "annex/plpengen_dlg.h"

#include "tallyvex.h"

#include <QPushButton>

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::plpengen;

constexpr ui::ControlDef kOwnControls[] = {
    {.kind = Ctl::Static, .textId = 95213, .row = 0, .col = 0},
    {.id = CPlpengenDlg::kExcess, .kind = Ctl::Money, .row = 0, .col = 1, .width = 8, .decimals = 2, .field = f::Excess},
    {.kind = Ctl::Static, .textId = 95214, .row = 1, .col = 0},
    {.id = CPlpengenDlg::kYear, .kind = Ctl::Money, .row = 1, .col = 1, .width = 8, .decimals = 2, .field = f::Year},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 2, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 2, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 2, .col = 2},
};
constexpr ui::ControlDef kPromoterControls[] = {
    {.kind = Ctl::Static, .textId = 95215, .row = 0, .col = 0},
    {.id = CPlpengen2Dlg::kExcess, .kind = Ctl::Money, .row = 0, .col = 1, .width = 8, .decimals = 2,
     .field = f::Excess},
    {.kind = Ctl::Static, .textId = 95216, .row = 1, .col = 0},
    // Carried over by the declaration from the work-income entries of regime 1.
    {.id = CPlpengen2Dlg::kYear, .kind = Ctl::Money, .row = 1, .col = 1, .width = 8, .decimals = 2, .field = f::Year,
     .options = ui::kOptDisabled},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 2, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 2, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 2, .col = 2},
};
constexpr ui::DialogTemplate kOwnTemplate{.id = CPlpengenDlg::kId, .captionId = 95210, .controls = kOwnControls,
                                          .helpTopic = 890};
constexpr ui::DialogTemplate kPromoterTemplate{.id = CPlpengen2Dlg::kId, .captionId = 95211,
                                               .controls = kPromoterControls, .helpTopic = 890};
}  // namespace

double annex::plpengen::LimitForHolder(int holder) {
  const std::uint8_t* declaration = doc::Form100Block();
  if (!declaration || holder < doc::kDeclarant || holder > doc::kChild2) return 0.0;
  return DameCuantiaMaximaPlanPensiones(f100::personal::Age(holder - 1).get(declaration));
}

namespace annex {

CPensionLimitDlg::CPensionLimitDlg(const ui::DialogTemplate& tmpl, const ui::AnnexArgs& args)
    : CAnnexDlg(tmpl, f::kBlockSize, args) {}

void CPensionLimitDlg::SetListItems(const ui::AnnexPointerList& list) {
  if (list.item1) holder_ = *static_cast<const std::uint8_t*>(list.item1);
}

void CPensionLimitDlg::OnInitAnnex() {
  if (QWidget* ok = GetDlgItem(ui::IDOK)) ok->setEnabled(true);
}

int CPensionLimitDlg::ValidateLimit() {
  // A row without a holder has no limit to compare with.
  const double limit = f::LimitForHolder(holder_);
  if (limit == 0.0 || limit >= f::Year.get(Data())) return 1;
  return ui::ShowMessage(this, QStringLiteral("100P050"), platform::kIconAsterisk) == kAnsCorregir ? 0 : 1;
}

}  // namespace annex

CPlpengenDlg::CPlpengenDlg(const ui::AnnexArgs& args) : CPensionLimitDlg(kOwnTemplate, args) {}
CPlpengen2Dlg::CPlpengen2Dlg(const ui::AnnexArgs& args) : CPensionLimitDlg(kPromoterTemplate, args) {}
