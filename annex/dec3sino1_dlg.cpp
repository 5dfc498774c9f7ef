#include "annex/dec3sino1_dlg.h"

#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::dec3sino1;
namespace hc = annex::holder_counts;

constexpr ui::ControlDef kControls[] = {
    QX_HOLDER_COUNTS(1, 95607, 2),
    {.kind = Ctl::Static, .textId = 95608, .row = 2, .col = 0},
    {.id = CDec3sino1Dlg::kLivesWithBoth, .kind = Ctl::YesNo, .row = 2, .col = 2, .field = f::LivesWithBoth},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 3, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 3, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 3, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = CDec3sino1Dlg::kId, .captionId = 95604, .controls = kControls,
                                       .helpTopic = 947};
}  // namespace

CDec3sino1Dlg::CDec3sino1Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

bool CDec3sino1Dlg::HasOwnChildren() { return hc::Declarant.get(Data()) + hc::Spouse.get(Data()) > 0.0; }

void CDec3sino1Dlg::ApplyLivesWithBoth() {
  hc::ApplyLivesWithBoth(*this, {hc::Declarant, hc::Spouse}, f::LivesWithBoth, kLivesWithBoth);
}

int CDec3sino1Dlg::OnEditKillFocus(int id) {
  if (id != hc::kDeclarant && id != hc::kSpouse) return 0;
  UpdateAll(true);
  ApplyLivesWithBoth();
  UpdateAll(false);
  return 1;
}

bool CDec3sino1Dlg::ValidateOK() {
  if (HasOwnChildren() && f::LivesWithBoth.get(Data()) == f::kBlank) {
    ui::ShowMessage(this, QStringLiteral("100R104"), platform::kIconHand);
    if (QWidget* w = GetDlgItem(kLivesWithBoth)) w->setFocus();
    return false;
  }
  return true;
}
