#include "annex/tipoelempatrim_dlg.h"

namespace {
using ui::Ctl;
namespace f = annex::tipoelempatrim;
constexpr int kKindGroup = 1;
constexpr int kAssigned = 30011, kNotAssigned = 30012;

// One logical radio group over both boxes; each button stands for its code letter.
constexpr ui::ControlDef kControls[] = {
    {.id = kAssigned, .kind = Ctl::GroupBox, .textId = 91061, .row = 0, .col = 0, .colSpan = 2},
    {.id = 765, .kind = Ctl::Radio, .textId = 91063, .row = 0, .col = 0, .group = kAssigned, .field = f::Kind,
     .radioGroup = kKindGroup, .code = '1'},
    {.id = 770, .kind = Ctl::Radio, .textId = 91064, .row = 1, .col = 0, .group = kAssigned, .field = f::Kind,
     .radioGroup = kKindGroup, .code = '2'},
    {.id = kNotAssigned, .kind = Ctl::GroupBox, .textId = 91062, .row = 1, .col = 0, .colSpan = 2},
    {.id = 24601, .kind = Ctl::Radio, .textId = 91065, .row = 0, .col = 0, .group = kNotAssigned, .field = f::Kind,
     .radioGroup = kKindGroup, .code = '3'},
    {.id = 24602, .kind = Ctl::Radio, .textId = 91066, .row = 1, .col = 0, .group = kNotAssigned, .field = f::Kind,
     .radioGroup = kKindGroup, .code = '4'},
    {.id = 24603, .kind = Ctl::Radio, .textId = 91067, .row = 2, .col = 0, .group = kNotAssigned, .field = f::Kind,
     .radioGroup = kKindGroup, .code = '5'},
    {.id = 24647, .kind = Ctl::Radio, .textId = 91068, .row = 3, .col = 0, .group = kNotAssigned, .field = f::Kind,
     .radioGroup = kKindGroup, .code = '6'},
    {.id = 24648, .kind = Ctl::Radio, .textId = 91069, .row = 4, .col = 0, .group = kNotAssigned, .field = f::Kind,
     .radioGroup = kKindGroup, .code = '7'},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 2, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 2, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = CTipoelempatrimDlg::kId, .captionId = 91060, .controls = kControls};
}  // namespace

CTipoelempatrimDlg::CTipoelempatrimDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}
