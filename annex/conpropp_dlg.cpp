#include "annex/conpropp_dlg.h"

#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::conpropp;
using D = CConproppDlg;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95290, .row = 0, .col = 0},
    {.id = D::kAmount, .kind = Ctl::Money, .row = 0, .col = 1, .width = 8, .decimals = 2, .field = f::Amount},
    {.kind = Ctl::Static, .textId = 95291, .row = 1, .col = 0},
    {.id = D::kRegime, .kind = Ctl::Lista, .row = 1, .col = 1, .width = 1, .field = f::Regime, .table = "CONPROPE.TAB"},
    {.id = 30001, .kind = Ctl::GroupBox, .textId = 95292, .row = 2, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 95293, .row = 0, .col = 0, .group = 30001},
    {.kind = Ctl::Static, .textId = 95294, .row = 1, .col = 0, .group = 30001},
    {.kind = Ctl::Static, .textId = 95295, .row = 2, .col = 0, .group = 30001},
    {.kind = Ctl::Static, .textId = 95296, .row = 3, .col = 0, .group = 30001},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 3, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 3, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95289, .controls = kControls};

bool NoRegime(unsigned char k) { return k == ' ' || k == 0; }
int Ask(QWidget* parent, const char* code, int icon) { return ui::ShowMessage(parent, QString::fromLatin1(code), icon); }
}  // namespace

CConproppDlg::CConproppDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

int CConproppDlg::OnEditValueChanged(int id) {
  if (id != kRegime) return 0;
  const std::uint8_t* declaration = doc::Form100Block();
  if (!declaration || f::Regime.get(Data()) != f::kSpouse) return 0;
  const std::uint8_t* spouse = declaration + f::kSpouseRecord;
  // The spouse-contribution record already names this holder with contributions of its own.
  if (f::Holder.get(spouse) != f::Holder.get(Data()) || blocks::F64{8}.get(spouse) == 0.0) return 0;
  Ask(this, "100R094", platform::kIconHand);
  f::Regime.set(Data(), ' ');
  UpdateAll(false);
  return 0;
}

int CConproppDlg::ValidateBlock() {
  const std::uint8_t* declaration = doc::Form100Block();
  const unsigned char k = f::Regime.get(Data());
  const int h = f::Holder.get(Data());
  const double amount = f::Amount.get(Data());
  if (declaration) {
    const unsigned char civil = f::CivilStatus.get(declaration);
    const bool joint = doc::Form100Joint();
    if (k == f::kSpouse && (civil == f::kSingle || civil == f::kSeparated)) {
      Ask(this, "100R150", platform::kIconHand);
      return 0;
    }
    if (k == f::kSpouse && (!joint || civil == f::kWidowed) && Ask(this, "100P087", platform::kIconAsterisk) == kAnsCorregir)
      return 0;
    for (int holder : {doc::kDeclarant, doc::kSpouse})
      if (h == holder && k == f::kDisabled && f100::personal::DisabilityCode(holder - 1).get(declaration) != '3' &&
          Ask(this, "100P057", platform::kIconAsterisk) == kAnsCorregir)
        return 0;
  }
  if (amount != 0.0 && NoRegime(k)) {
    Ask(this, "100R028", platform::kIconHand);
    return 0;
  }
  if (amount == 0.0 && !NoRegime(k)) f::Regime.set(Data(), 0);
  return 1;
}

bool CConproppDlg::ValidateOK() {
  if (ValidateBlock() == 1) return true;
  UpdateAll(false);
  return false;
}
