#include "annex/transparencia_fiscal_dlg.h"

namespace {
using ui::Ctl;
namespace f = annex::transparencia;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 97005, .row = 0, .col = 0, .colSpan = 3},
    {.id = CTransparenciaFiscalDlg::kPartnersActive, .kind = Ctl::Box, .row = 0, .col = 3, .width = 1,
     .field = f::PartnersActive},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 1, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 1, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = CTransparenciaFiscalDlg::kId, .captionId = 97004, .controls = kControls};
}  // namespace

CTransparenciaFiscalDlg::CTransparenciaFiscalDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}
