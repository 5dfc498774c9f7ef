#include "annex/dec3imp3_dlg.h"

namespace {
using ui::Ctl;

constexpr ui::ControlDef kControls[] = {
    QX_HOLDER_COUNTS(1, 95606, 0),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 2, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 2, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 2, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = CDec3imp3Dlg::kId, .captionId = 95603, .controls = kControls,
                                       .helpTopic = 569};
}  // namespace

CDec3imp3Dlg::CDec3imp3Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, annex::dec3imp3::kBlockSize, args) {}
