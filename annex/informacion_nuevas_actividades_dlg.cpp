#include "annex/informacion_nuevas_actividades_dlg.h"

namespace {
using ui::Ctl;
// "Corregir" is the dialog's Cancel: it ends the notice with IDCANCEL.
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95451, .row = 0, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 95452, .row = 1, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 95453, .row = 2, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 95454, .row = 3, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 95455, .row = 4, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 5, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 208, .row = 5, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = CInformacionNuevasActividadesDlg::kId, .captionId = 95450,
                                       .controls = kControls};
}  // namespace

CInformacionNuevasActividadesDlg::CInformacionNuevasActividadesDlg(QWidget* parent) : CTemplateDlg(kTemplate, parent) {}
