#include "annex/devol104_dlg.h"

namespace {
using ui::Ctl;
namespace f = annex::devol104;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 91022, .row = 0, .col = 0},
    {.id = CDevol104Dlg::kDeclarant, .kind = Ctl::Money, .row = 0, .col = 1, .width = 8, .decimals = 2,
     .field = f::Declarant},
    {.kind = Ctl::Static, .textId = 91023, .row = 1, .col = 0},
    {.id = CDevol104Dlg::kSpouse, .kind = Ctl::Money, .row = 1, .col = 1, .width = 8, .decimals = 2,
     .field = f::Spouse, .options = ui::kOptSpouse},
    {.kind = Ctl::Static, .textId = 95601, .row = 2, .col = 0},
    {.id = CDevol104Dlg::kChild1, .kind = Ctl::Money, .row = 2, .col = 1, .width = 8, .decimals = 2,
     .field = f::Child1, .options = ui::kOptChild1},
    {.kind = Ctl::Static, .textId = 95602, .row = 3, .col = 0},
    {.id = CDevol104Dlg::kChild2, .kind = Ctl::Money, .row = 3, .col = 1, .width = 8, .decimals = 2,
     .field = f::Child2, .options = ui::kOptChild2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 4, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = CDevol104Dlg::kId, .captionId = 95600, .controls = kControls};
}  // namespace

CDevol104Dlg::CDevol104Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}
