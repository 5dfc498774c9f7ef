#include "annex/cesderima_dlg.h"

#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::cesderima;
using D = CCesderimaDlg;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 97201, .row = 0, .col = 0},
    {.id = D::kImputed, .kind = Ctl::Money, .row = 0, .col = 1, .width = 8, .decimals = 2, .field = f::Imputed},
    {.kind = Ctl::Static, .textId = 97202, .row = 1, .col = 0},
    {.id = D::kDoubleTaxation, .kind = Ctl::Money, .row = 1, .col = 1, .width = 8, .decimals = 2,
     .field = f::DoubleTaxation},
    {.kind = Ctl::Static, .textId = 97203, .row = 2, .col = 0},
    {.id = D::kPaymentOnAccount, .kind = Ctl::Money, .row = 2, .col = 1, .width = 8, .decimals = 2,
     .field = f::PaymentOnAccount},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 3, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 3, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97200, .controls = kControls};
}  // namespace

CCesderimaDlg::CCesderimaDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

bool CCesderimaDlg::ValidateOK() {
  const double imputed = f::Imputed.get(Data());
  const char* code = f::DoubleTaxation.get(Data()) > imputed     ? "100R043"
                     : f::PaymentOnAccount.get(Data()) > imputed ? "100R044"
                                                                 : nullptr;
  if (!code) return true;
  ui::ShowMessage(this, QString::fromLatin1(code), platform::kIconHand);
  return false;
}
