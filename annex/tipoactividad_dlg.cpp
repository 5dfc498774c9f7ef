#include "annex/tipoactividad_dlg.h"

#include "annex/activity_rows.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::tipoactividad;
namespace rows = annex::activity_rows;
using D = CTipoactividadDlg;
constexpr int kRegimeBox = 30080;

constexpr ui::ControlDef kControls[] = {
    {.id = kRegimeBox, .kind = Ctl::GroupBox, .textId = 97841, .row = 0, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 97842, .row = 0, .col = 0, .group = kRegimeBox},
    {.id = D::kDirect, .kind = Ctl::Box, .row = 0, .col = 1, .group = kRegimeBox, .width = 1, .field = f::Direct},
    {.kind = Ctl::Static, .textId = 97843, .row = 1, .col = 0, .group = kRegimeBox},
    {.id = D::kObjective, .kind = Ctl::Box, .row = 1, .col = 1, .group = kRegimeBox, .width = 1, .field = f::Objective},
    {.kind = Ctl::Static, .textId = 97844, .row = 1, .col = 0},
    {.id = D::kNetYield, .kind = Ctl::Money, .row = 1, .col = 1, .width = 8, .decimals = 2, .field = f::NetYield,
     .options = ui::kOptNegatives},
    {.kind = Ctl::Static, .textId = 97845, .row = 2, .col = 0},
    {.id = D::kPayments, .kind = Ctl::Money, .row = 2, .col = 1, .width = 8, .decimals = 2, .field = f::FractionalPayments},
    {.kind = Ctl::Static, .textId = 97846, .row = 3, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97840, .controls = kControls};
}  // namespace

CTipoactividadDlg::CTipoactividadDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CTipoactividadDlg::OtherMark(int id, bool set) {
  const blocks::U8 other = id == kObjective ? f::Direct : f::Objective;
  other.set(Data(), set ? 0 : 1);
  UpdateAll(false);
  if (QWidget* mark = GetDlgItem(id)) mark->setFocus();
}

int CTipoactividadDlg::OnEditValueChanged(int id) {
  if (id != kDirect && id != kObjective) return 0;
  const blocks::U8 touched = id == kObjective ? f::Objective : f::Direct;
  OtherMark(id, touched.get(Data()) != 0);
  return 1;
}

int CTipoactividadDlg::OnEditValueCleared(int id) {
  if (id != kDirect && id != kObjective) return 0;
  OtherMark(id, false);
  return 1;
}

int CTipoactividadDlg::OnEditKillFocus(int id) {
  if (id != kNetYield) return 0;
  UpdateAll(true);
  if (f::NetYield.get(Data()) == 0.0) {
    f::Direct.set(Data(), 0);
    f::Objective.set(Data(), 0);
  }
  UpdateAll(false);
  return 1;
}

bool CTipoactividadDlg::ValidateOK() {
  const std::uint8_t* b = Data();
  if (f::NetYield.get(b) != 0.0 && f::Direct.get(b) == 0 && f::Objective.get(b) == 0) {
    ui::ShowMessage(this, QStringLiteral("100R138"), platform::kIconHand);
    return false;
  }
  return true;
}

// The opener's step after OK, done here as the dialog ends: the payments go to every
// attributed-income row of the same holder (the edited row gets them with the block).
void CTipoactividadDlg::OnOK() {
  UpdateAll(true);
  if (!ValidateOK()) return;
  if (std::uint8_t* declaration = doc::Form100Block(); declaration && holder_ != 0 && !ReadOnlyView())
    rows::SetHolderPayments(declaration, rows::kAttributed, holder_, f::FractionalPayments.get(Data()));
  CTemplateDlg::OnOK();
}
