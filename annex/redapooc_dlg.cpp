#include "annex/redapooc_dlg.h"

#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::redapooc;
using D = CRedapoocDlg;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95259, .row = 0, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 95256, .row = 1, .col = 0},
    {.id = D::kHolder, .kind = Ctl::Titular, .row = 1, .col = 1, .field = f::Holder},
    {.kind = Ctl::Static, .textId = 95257, .row = 2, .col = 0},
    {.id = D::kPersonal, .kind = Ctl::Money, .row = 2, .col = 1, .width = 8, .decimals = 2, .field = f::Personal},
    {.kind = Ctl::Static, .textId = 95258, .row = 3, .col = 0},
    {.id = D::kPromoter, .kind = Ctl::Money, .row = 3, .col = 1, .width = 8, .decimals = 2, .field = f::Promoter,
     .options = ui::kOptDisabled},
    {.kind = Ctl::Static, .textId = 95260, .row = 4, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 95261, .row = 5, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 1},
};
// Help has no button here; the topic serves the help key.
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95255, .controls = kControls, .helpTopic = 452};
constexpr int kCells[] = {D::kHolder, D::kPersonal, D::kPromoter};
constexpr ui::RowLayout kLayout{.rows = 1, .columns = 3, .first = 0, .stride = f::kBlockSize,
                                .holder = f::Holder.off, .cells = kCells};
}  // namespace

CRedapoocDlg::CRedapoocDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

void CRedapoocDlg::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  if (QWidget* w = GetDlgItem(kPromoter)) w->setEnabled(false);
  if (f::Promoter.get(Row(0)) != 0.0)
    if (QWidget* w = GetDlgItem(kHolder)) w->setEnabled(false);
}

int CRedapoocDlg::ValidateBlock() {
  if (f::Personal.get(Row(0)) + f::Promoter.get(Row(0)) <= f::kLimit) return 1;
  return ui::ShowMessage(this, QStringLiteral("100P051"), platform::kIconAsterisk) == kAnsCorregir ? 0 : 1;
}
