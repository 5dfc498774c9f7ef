#include "annex/autonom3ct_dlg.h"

namespace {
using ui::Ctl;
namespace f = annex::autonom3ct;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95620, .row = 0, .col = 0},
    {.id = CAutonom3CtDlg::kHolder, .kind = Ctl::Titular, .row = 0, .col = 1, .field = f::Holder},
    {.kind = Ctl::Static, .textId = 95646, .row = 1, .col = 0},
    {.id = CAutonom3CtDlg::kAmount, .kind = Ctl::Money, .row = 1, .col = 1, .width = 8, .decimals = 2,
     .field = f::Amount},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 3, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 3, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 3, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = CAutonom3CtDlg::kId, .captionId = 95645, .controls = kControls,
                                       .helpTopic = 935};
}  // namespace

CAutonom3CtDlg::CAutonom3CtDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

int CAutonom3CtDlg::OnEditValueCleared(int id) {
  if (id != kHolder) return 0;
  f::Holder.set(Data(), 0);
  f::Amount.set(Data(), 0.0);
  UpdateAll(false);
  return 1;
}

bool CAutonom3CtDlg::ValidateOK() {
  // An amount without a holder belongs to nobody: it is dropped.
  if (f::Holder.get(Data()) == 0) f::Amount.set(Data(), 0.0);
  UpdateAll(false);
  return true;
}
