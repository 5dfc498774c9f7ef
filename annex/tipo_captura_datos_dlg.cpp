#include "annex/tipo_captura_datos_dlg.h"

#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::tipo_captura;
constexpr int kCases = 30021;

constexpr ui::ControlDef kControls[] = {
    {.id = kCases, .kind = Ctl::GroupBox, .textId = 95401, .row = 0, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 95402, .row = 0, .col = 0, .group = kCases},
    {.id = CTipoCapturaDatosDlg::kMark, .kind = Ctl::Box, .row = 0, .col = 1, .rowSpan = 3, .group = kCases,
     .field = f::SpecialCase},
    {.kind = Ctl::Static, .textId = 95403, .row = 1, .col = 0, .group = kCases},
    {.kind = Ctl::Static, .textId = 95404, .row = 2, .col = 0, .group = kCases},
    {.kind = Ctl::Static, .textId = 95405, .row = 1, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 95406, .row = 2, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 95407, .row = 3, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 95408, .row = 4, .col = 0},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 4, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = CTipoCapturaDatosDlg::kId, .captionId = 95400, .controls = kControls,
                                       .helpTopic = 37};
}  // namespace

CTipoCapturaDatosDlg::CTipoCapturaDatosDlg(QWidget* parent) : CAnnexDlg(kTemplate, f::kBlockSize, {.parent = parent}) {}

std::uint8_t CTipoCapturaDatosDlg::Answer(int result) const {
  if (result != ui::IDOK) return f::kCancelled;
  return Marked() ? f::kIndividual : f::kJoint;
}

bool CTipoCapturaDatosDlg::ValidateOK() {
  if (!Marked()) return true;
  // Only "Continuar" confirms the special case; any other answer keeps the mark for a second look.
  return ui::ShowMessage(this, QStringLiteral("100P002"), platform::kIconQuestion) == kAnsContinuar;
}
