#include "annex/aragon1_dlg.h"

#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::aragon1;
namespace hc = annex::holder_counts;
using D = CAragon1Dlg;

constexpr ui::ControlDef kControls[] = {
    QX_HOLDER_COUNTS(1, 97941, 2),
    {.kind = Ctl::Static, .textId = 95661, .row = 2, .col = 0},
    {.id = D::kPersonsDeclarant, .kind = Ctl::Money, .row = 2, .col = 2, .width = 1, .decimals = 0,
     .field = f::PersonsDeclarant},
    {.id = D::kPersonsSpouse, .kind = Ctl::Money, .row = 2, .col = 3, .width = 1, .decimals = 0,
     .field = f::PersonsSpouse, .options = ui::kOptSpouse},
    {.kind = Ctl::Static, .textId = 97942, .row = 3, .col = 0, .colSpan = 3},
    {.id = D::kFamilyBase, .kind = Ctl::Box, .row = 3, .col = 3, .width = 1, .field = f::FamilyBase},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 4, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 4, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 4, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97943, .controls = kControls, .helpTopic = 548};
}  // namespace

D::CAragon1Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void D::OnInitAnnex() {
  const bool joint = doc::Form100Joint();
  if (joint)
    if (QWidget* w = GetDlgItem(kFamilyBase)) w->setEnabled(false);
  hc::ApplyPersonsRule(*this, hc::Declarant, f::PersonsDeclarant, kPersonsDeclarant);
  hc::ApplyPersonsRule(*this, hc::Spouse, f::PersonsSpouse, kPersonsSpouse);
}

int D::OnEditKillFocus(int id) {
  if (id != hc::kDeclarant && id != hc::kSpouse) return 0;
  UpdateAll(true);
  if (id == hc::kDeclarant) hc::ApplyPersonsRule(*this, hc::Declarant, f::PersonsDeclarant, kPersonsDeclarant);
  else hc::ApplyPersonsRule(*this, hc::Spouse, f::PersonsSpouse, kPersonsSpouse);
  UpdateAll(false);
  return 1;
}

int D::OnEditValueChanged(int id) {
  if (id != kFamilyBase) return 0;
  if (QWidget* w = GetDlgItem(kFamilyBase)) w->setFocus();
  UpdateAll(false);
  return 1;
}

bool D::ValidateOK() {
  const std::uint8_t* b = Data();
  if ((hc::Declarant.get(b) > 0 && f::PersonsDeclarant.get(b) == 0) || (hc::Spouse.get(b) > 0 && f::PersonsSpouse.get(b) == 0)) {
    ui::ShowMessage(this, QStringLiteral("100R084"), platform::kIconHand);
    return false;
  }
  return true;
}
