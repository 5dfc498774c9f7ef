#include "annex/autonom7v2_dlg.h"

#include "platform/icons.h"
#include "ui/messages.h"
#include "data/doc/active_declaration.h"

namespace {
using ui::Ctl;
namespace f = annex::autonom7v2;
constexpr unsigned char kBlank = 255;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95605, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 91022, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 91023, .row = 0, .col = 2},
    {.id = CAutonom7V2Dlg::kCommon, .kind = Ctl::Box, .row = 1, .col = 0, .field = f::Common, .options = ui::kOptSpouse},
    {.id = CAutonom7V2Dlg::kDeclarant, .kind = Ctl::Box, .row = 1, .col = 1, .field = f::Declarant},
    {.id = CAutonom7V2Dlg::kSpouse, .kind = Ctl::Box, .row = 1, .col = 2, .field = f::Spouse, .options = ui::kOptSpouse},
    {.kind = Ctl::Static, .textId = 95654, .row = 2, .col = 0, .colSpan = 2},
    {.id = CAutonom7V2Dlg::kLivesWithBoth, .kind = Ctl::YesNo, .row = 2, .col = 2, .field = f::LivesWithBoth},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 3, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 3, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 3, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = CAutonom7V2Dlg::kId, .captionId = 95658, .controls = kControls,
                                       .helpTopic = 961};
}  // namespace

CAutonom7V2Dlg::CAutonom7V2Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CAutonom7V2Dlg::Enable(int id, bool on) {
  if (QWidget* w = GetDlgItem(id)) w->setEnabled(on && !ReadOnlyView());
}

void CAutonom7V2Dlg::OnInitAnnex() {
  const std::uint8_t* b = Data();
  if (f::Common.get(b)) {
    Enable(kDeclarant, false);
    Enable(kSpouse, false);
  } else if (f::Declarant.get(b)) {
    Enable(kCommon, false);
    Enable(kSpouse, false);
  } else if (f::Spouse.get(b)) {
    Enable(kCommon, false);
    Enable(kDeclarant, false);
  }
  const bool asked = f::Declarant.get(b) || f::Spouse.get(b);
  if (!asked) f::LivesWithBoth.set(Data(), kBlank);
  Enable(kLivesWithBoth, asked);
}

int CAutonom7V2Dlg::OnEditValueChanged(int id) {
  if (id != kCommon && id != kDeclarant && id != kSpouse) return 0;
  UpdateAll(true);
  std::uint8_t* b = Data();
  const bool spouse = doc::HouseholdHas(doc::kSpouse);
  if (id == kCommon) {
    const bool set = f::Common.get(b) != 0;
    Enable(kDeclarant, !set);
    Enable(kSpouse, !set && spouse);
    if (set) f::LivesWithBoth.set(b, kBlank);
    Enable(kLivesWithBoth, false);
  } else {
    const bool set = (id == kDeclarant ? f::Declarant : f::Spouse).get(b) != 0;
    const int other = id == kDeclarant ? kSpouse : kDeclarant;
    Enable(kCommon, !set && spouse);
    Enable(other, !set && (other == kDeclarant || spouse));
    Enable(kLivesWithBoth, set);
    if (!set) f::LivesWithBoth.set(b, kBlank);
  }
  if (!f::Declarant.get(b) && !f::Spouse.get(b)) f::LivesWithBoth.set(b, kBlank);
  UpdateAll(false);
  return 1;
}

bool CAutonom7V2Dlg::ValidateOK() {
  const std::uint8_t* b = Data();
  if ((f::Declarant.get(b) || f::Spouse.get(b)) && f::LivesWithBoth.get(b) == kBlank) {
    ui::ShowMessage(this, QStringLiteral("100R085"), platform::kIconHand);
    if (QWidget* w = GetDlgItem(kLivesWithBoth)) w->setFocus();
    return false;
  }
  return true;
}
