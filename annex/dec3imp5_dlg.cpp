#include "annex/dec3imp5_dlg.h"

#include <QLabel>

#include "platform/help.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::dec3imp5;
namespace hc = annex::holder_counts;

constexpr ui::ControlDef kControls[] = {
    QX_HOLDER_HEADINGS,
    {.id = CDec3imp5Dlg::kLabel, .kind = Ctl::Static, .textId = 95660, .row = 1, .col = 0},
    {.id = hc::kCommon, .kind = Ctl::Money, .row = 1, .col = 1, .width = 1, .decimals = 2, .field = hc::Common,
     .options = ui::kOptSpouse},
    {.id = hc::kDeclarant, .kind = Ctl::Money, .row = 1, .col = 2, .width = 1, .decimals = 2, .field = hc::Declarant},
    {.id = hc::kSpouse, .kind = Ctl::Money, .row = 1, .col = 3, .width = 1, .decimals = 2, .field = hc::Spouse,
     .options = ui::kOptSpouse},
    {.kind = Ctl::Static, .textId = 95661, .row = 2, .col = 0},
    {.id = CDec3imp5Dlg::kPersonsDeclarant, .kind = Ctl::Money, .row = 2, .col = 2, .width = 1, .decimals = 0,
     .field = f::PersonsDeclarant},
    {.id = CDec3imp5Dlg::kPersonsSpouse, .kind = Ctl::Money, .row = 2, .col = 3, .width = 1, .decimals = 0,
     .field = f::PersonsSpouse, .options = ui::kOptSpouse},
    {.id = CDec3imp5Dlg::kFootnote, .kind = Ctl::Static, .textId = 95662, .row = 3, .col = 0, .colSpan = 4},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 4, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 4, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 4, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = CDec3imp5Dlg::kId, .captionId = 95663, .controls = kControls};

// The label's string by variant (0: the template's) and whether the footnote stays.
struct Wording {
  int variant, label;
  bool footnote;
};
constexpr Wording kWordings[] = {{1, 228, false}, {2, 224, true},  {3, 223, true},  {4, 222, false},
                                 {7, 222, false}, {8, 226, false}, {9, 236, false}};
}  // namespace

CDec3imp5Dlg::CDec3imp5Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

int CDec3imp5Dlg::HelpTopic(int variant) {
  switch (variant) {
    case 1: return 915;
    case 2: return 558;
    case 3: return 559;
    case 4: return 560;
    case 7: return 949;
    case 9: return 960;
    default: return 1;
  }
}

void CDec3imp5Dlg::OnInitAnnex() {
  for (const Wording& w : kWordings) {
    if (w.variant != index) continue;
    if (auto* l = Item<QLabel>(kLabel)) l->setText(platform::LoadString(w.label));
    if (!w.footnote)
      if (auto* l = Item<QLabel>(kFootnote)) l->clear();
  }
  hc::ApplyPersonsRule(*this, hc::Declarant, f::PersonsDeclarant, kPersonsDeclarant);
  hc::ApplyPersonsRule(*this, hc::Spouse, f::PersonsSpouse, kPersonsSpouse);
}

int CDec3imp5Dlg::OnCommand(int id, int code) {
  if (id == ui::kHelpButtonId && code == ui::kBnClicked) {
    platform::ShowHelp(HelpTopic(index));
    return 1;
  }
  return CAnnexDlg::OnCommand(id, code);
}

int CDec3imp5Dlg::OnEditKillFocus(int id) {
  if (id != hc::kDeclarant && id != hc::kSpouse) return 0;
  UpdateAll(true);
  if (id == hc::kDeclarant) hc::ApplyPersonsRule(*this, hc::Declarant, f::PersonsDeclarant, kPersonsDeclarant);
  else hc::ApplyPersonsRule(*this, hc::Spouse, f::PersonsSpouse, kPersonsSpouse);
  UpdateAll(false);
  return 1;
}

bool CDec3imp5Dlg::ValidateOK() {
  const std::uint8_t* b = Data();
  const bool declarant = hc::Declarant.get(b) > 0.0 && f::PersonsDeclarant.get(b) == 0.0;
  const bool spouse = hc::Spouse.get(b) > 0.0 && f::PersonsSpouse.get(b) == 0.0;
  if (!declarant && !spouse) return true;
  ui::ShowMessage(this, QStringLiteral("100R084"), platform::kIconHand);
  if (QWidget* w = GetDlgItem(declarant ? kPersonsDeclarant : kPersonsSpouse)) w->setFocus();
  return false;
}
