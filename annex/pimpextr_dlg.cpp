#include "annex/pimpextr_dlg.h"

#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::pimpextr;
using D = CPimpextrDlg;
constexpr int kBoxes[] = {30331, 30332, 30333};

#define QX_ELEMENT(e)                                                                                        \
  {.id = kBoxes[e], .kind = Ctl::GroupBox, .textId = 97221 + (e), .row = (e), .col = 0, .colSpan = 2},        \
  {.kind = Ctl::Static, .textId = 97224, .row = 0, .col = 0, .group = kBoxes[e]},                             \
  {.id = D::kTaxPaid[e], .kind = Ctl::Money, .row = 0, .col = 1, .group = kBoxes[e], .width = 10, .decimals = 2, \
   .field = f::TaxPaid(e)},                                                                                   \
  {.kind = Ctl::Static, .textId = 97225, .row = 1, .col = 0, .group = kBoxes[e]},                             \
  {.id = D::kNetValue[e], .kind = Ctl::Money, .row = 1, .col = 1, .group = kBoxes[e], .width = 10,            \
   .decimals = 2, .field = f::NetValue(e)}
constexpr ui::ControlDef kControls[] = {
    QX_ELEMENT(0), QX_ELEMENT(1), QX_ELEMENT(2),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 3, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 3, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 3, .col = 2},
};
#undef QX_ELEMENT
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97220, .controls = kControls, .helpTopic = 728};
}  // namespace

CPimpextrDlg::CPimpextrDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CPimpextrDlg::SetListItems(const ui::AnnexPointerList& list) {
  if (list.item1) base_ = blocks::F64{0}.get(list.item1);
}

bool CPimpextrDlg::ValidateOK() {
  // Element 3 is looked at first, then 2, then 1; the sum last.
  int focus = 0;
  double sum = 0.0;
  for (int e = f::kElements - 1; e >= 0; --e) {
    const double value = f::NetValue(e).get(Data());
    sum += value;
    if (!focus && value != 0.0 && value > base_) focus = kNetValue[e];
  }
  if (!focus && sum != 0.0 && sum > base_) focus = kNetValue[0];
  if (!focus) return true;
  ui::ShowMessage(this, QStringLiteral("100P001"), platform::kIconHand);
  if (QWidget* w = GetDlgItem(focus)) w->setFocus();
  return false;
}
