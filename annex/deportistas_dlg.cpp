#include "annex/deportistas_dlg.h"

#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::deportistas;
using D = CDeportistasDlg;

// The two rows stand side by side, their fields stacked under one label each.
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95251, .row = 0, .col = 0},
    {.id = D::kHolder1, .kind = Ctl::Titular, .row = 0, .col = 1, .field = f::Holder},
    {.id = D::kHolder2, .kind = Ctl::Titular, .row = 0, .col = 2, .field = f::Holder},
    {.kind = Ctl::Static, .textId = 95252, .row = 1, .col = 0},
    {.id = D::kOwn1, .kind = Ctl::Money, .row = 1, .col = 1, .width = 8, .decimals = 2, .field = f::Own},
    {.id = D::kOwn2, .kind = Ctl::Money, .row = 1, .col = 2, .width = 8, .decimals = 2, .field = f::Own},
    {.kind = Ctl::Static, .textId = 95253, .row = 2, .col = 0},
    {.id = D::kPromoter1, .kind = Ctl::Money, .row = 2, .col = 1, .width = 8, .decimals = 2, .field = f::Promoter,
     .options = ui::kOptDisabled},
    {.id = D::kPromoter2, .kind = Ctl::Money, .row = 2, .col = 2, .width = 8, .decimals = 2, .field = f::Promoter,
     .options = ui::kOptDisabled},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 3, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 3, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95250, .controls = kControls};
constexpr int kCells[] = {D::kHolder1, D::kHolder2, D::kOwn1, D::kOwn2, D::kPromoter1, D::kPromoter2};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 3, .first = 0, .stride = f::kRowSize,
                                .holder = f::Holder.off, .cells = kCells};
constexpr int kHolders[] = {D::kHolder1, D::kHolder2};
}  // namespace

CDeportistasDlg::CDeportistasDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

void CDeportistasDlg::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  for (int id : {kPromoter1, kPromoter2})
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
  for (int r = 0; r < f::kRows; ++r)
    if (QWidget* w = GetDlgItem(kHolders[r])) w->setEnabled(IsEditable() && f::Promoter.get(Row(r)) == 0.0);
  if (binder_.BoundBlock()) UpdateAll(false);
}

int CDeportistasDlg::OnEditValueChanged(int id) {
  CAnnexRowsDlg::OnEditValueChanged(id);
  const int row = id == kHolder1 ? 0 : id == kHolder2 ? 1 : -1;
  // The two rows never share a holder: the row just given the other's holder is freed.
  if (row >= 0 && f::Holder.get(Row(0)) != 0 && f::Holder.get(Row(0)) == f::Holder.get(Row(1))) {
    f::Holder.set(Row(row), 0);
    f::Own.set(Row(row), 0.0);
    UpdateAll(false);
    RefreshEnabledRows();
  }
  return 1;
}

int CDeportistasDlg::ValidateRows() {
  for (int r = 0; r < f::kRows; ++r) {
    if (f::Own.get(Row(r)) + f::Promoter.get(Row(r)) <= f::kLimit) continue;
    return ui::ShowMessage(this, QStringLiteral("100P074"), platform::kIconAsterisk) == kAnsCorregir ? 0 : 1;
  }
  return 1;
}

// Rows with a holder and no amounts keep their holder. A read-only view's working copy (other
// members' rows dropped) never replaces the block.
void CDeportistasDlg::OnOK() {
  UpdateAll(true);
  if (ValidateRows() != 1) return;
  if (IsEditable()) block_ = working_;
  CTemplateDlg::OnOK();
}
