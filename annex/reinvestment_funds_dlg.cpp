#include "annex/reinvestment_funds_dlg.h"

#include <cstring>

#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace ex = annex::exencion;
namespace fo = annex::fondos;
using E = CExencionDlg;
using F = CFondosDlg;

constexpr ui::ControlDef Label(int textId, int row, int group = 0) {
  return {.kind = Ctl::Static, .textId = textId, .row = row, .col = 0, .group = group};
}
constexpr ui::ControlDef Money(int id, int row, ui::FieldRef f, int group = 0) {
  return {.id = id, .kind = Ctl::Money, .row = row, .col = 1, .group = group, .width = 8, .decimals = 2, .field = f};
}

constexpr ui::ControlDef kExemption[] = {
    Label(97471, 0), {.id = E::kHolder, .kind = Ctl::Titular, .row = 0, .col = 1, .field = ex::Holder},
    Label(97472, 1), Money(E::kAmounts[0], 1, ex::Amount(0)),
    Label(97473, 2), Money(E::kAmounts[1], 2, ex::Amount(1)),
    Label(97474, 3), Money(E::kAmounts[2], 3, ex::Amount(2)),
    Label(97475, 4), Money(E::kAmounts[3], 4, ex::Amount(3)),
    Label(97476, 5), Money(E::kAmounts[4], 5, ex::Amount(4)),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 1},
};
constexpr ui::DialogTemplate kExemptionTemplate{.id = E::kId, .captionId = 97470, .controls = kExemption};

constexpr int kShortBox = 30001, kLongBox = 30002;
constexpr ui::ControlDef kFunds[] = {
    {.id = kShortBox, .kind = Ctl::GroupBox, .textId = 97481, .row = 0, .col = 0, .colSpan = 2},
    Label(97482, 0, kShortBox), Money(F::kShortGains, 0, fo::ShortGains, kShortBox),
    Label(97483, 1, kShortBox), Money(F::kShortLosses, 1, fo::ShortLosses, kShortBox),
    {.id = kLongBox, .kind = Ctl::GroupBox, .textId = 97484, .row = 1, .col = 0, .colSpan = 2},
    Label(97482, 0, kLongBox), Money(F::kLongGains, 0, fo::LongGains, kLongBox),
    Label(97483, 1, kLongBox), Money(F::kLongLosses, 1, fo::LongLosses, kLongBox),
    Label(97485, 2), Money(F::kWithholdings, 2, fo::Withholdings),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 3, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 3, .col = 1},
};
constexpr ui::DialogTemplate kFundsTemplate{.id = F::kId, .captionId = 97480, .controls = kFunds};
}  // namespace

// ============================================================================= exemption

CExencionDlg::CExencionDlg(const ui::AnnexArgs& args) : CAnnexDlg(kExemptionTemplate, ex::kBlockSize, args) {}

void CExencionDlg::EnableAmounts() {
  const bool on = ex::Holder.get(Data()) != 0 && !ReadOnlyView();
  for (int id : kAmounts)
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
}

int CExencionDlg::OnEditValueCleared(int id) {
  if (id != kHolder) return 0;
  std::memset(Data(), 0, ex::kBlockSize);
  UpdateAll(false);
  EnableAmounts();
  return 1;
}

int CExencionDlg::OnEditValueChanged(int id) {
  UpdateAll(true);
  int result = 0;
  if (id == kHolder && ex::Holder.get(Data()) == 0) {
    std::memset(Data(), 0, ex::kBlockSize);
    UpdateAll(false);
    result = 1;
  }
  EnableAmounts();
  return result;
}

// ============================================================================= investment funds

CFondosDlg::CFondosDlg(const ui::AnnexArgs& args) : CAnnexDlg(kFundsTemplate, fo::kBlockSize, args) {}

bool CFondosDlg::ValidateOK() {
  const std::uint8_t* d = Data();
  const double limit = (fo::ShortGains.get(d) + fo::LongGains.get(d)) * fo::kWithholdingRate + 0.5;
  if (limit < fo::Withholdings.get(d) &&
      ui::ShowMessage(this, QStringLiteral("100P045"), platform::kIconAsterisk) == kAnsCorregir)
    return false;
  return true;
}
