#include "annex/family_counts_dlg.h"

#include <QLabel>

#include "data/doc/active_declaration.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace hc = annex::holder_counts;

bool Refuse(QWidget* parent, const char* code) {
  ui::ShowMessage(parent, QString::fromLatin1(code), platform::kIconHand);
  return false;
}

// ---------------------------------------------------------------- children with a disability
namespace d2 = annex::dec3cruz6imp2;
using D2 = CDec3cruz6imp2Dlg;
constexpr ui::ControlDef kDisabled[] = {
    QX_HOLDER_HEADINGS,
    QX_HOLDER_ROW(1, 97933, 2, d2::First[0], d2::First[1], d2::First[2], 24617, 392, 393),
    QX_HOLDER_ROW(2, 97934, 2, d2::Later[0], d2::Later[1], d2::Later[2], 394, 395, 396),
    {.kind = Ctl::Static, .textId = 95661, .row = 3, .col = 0},
    {.id = D2::kPersonsDeclarant, .kind = Ctl::Money, .row = 3, .col = 2, .width = 1, .decimals = 0,
     .field = d2::PersonsDeclarant},
    {.id = D2::kPersonsSpouse, .kind = Ctl::Money, .row = 3, .col = 3, .width = 1, .decimals = 0,
     .field = d2::PersonsSpouse, .options = ui::kOptSpouse},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 4, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 4, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 4, .col = 3},
};
constexpr ui::DialogTemplate kDisabledTemplate{.id = D2::kId, .captionId = 97930, .controls = kDisabled,
                                               .helpTopic = 962};

// ---------------------------------------------------------------- foster care
namespace d9 = annex::dec3imp9;
using D9 = CDec3imp9Dlg;
constexpr ui::ControlDef kFoster[] = {
    {.id = D9::kHeading, .kind = Ctl::Static, .textId = 97935, .row = 0, .col = 0, .colSpan = 4},
    {.id = D9::kCommonHeading, .kind = Ctl::Static, .textId = 95605, .row = 1, .col = 1},
    {.kind = Ctl::Static, .textId = 91022, .row = 1, .col = 2},
    {.kind = Ctl::Static, .textId = 91023, .row = 1, .col = 3},
#define QX_FOSTER(r_, labelId_, label_, k_, idc_, idd_, ids_)                                                   \
  {.id = (labelId_), .kind = Ctl::Static, .textId = (label_), .row = (r_), .col = 0},                             \
  {.id = (idc_), .kind = Ctl::Money, .row = (r_), .col = 1, .width = 1, .decimals = 2, .field = d9::Common[k_],   \
   .options = ui::kOptSpouse},                                                                                    \
  {.id = (idd_), .kind = Ctl::Money, .row = (r_), .col = 2, .width = 1, .decimals = 2, .field = d9::Declarant[k_]}, \
  {.id = (ids_), .kind = Ctl::Money, .row = (r_), .col = 3, .width = 1, .decimals = 2, .field = d9::Spouse[k_],   \
   .options = ui::kOptSpouse}
    QX_FOSTER(2, D9::kFirst, 97936, 0, 24581, 1527, 397),
    QX_FOSTER(3, D9::kSecond, 97937, 1, 24582, 1356, 398),
    QX_FOSTER(4, D9::kThird, 97938, 2, 24583, 396, 399),
#undef QX_FOSTER
    {.id = D9::kQuestion, .kind = Ctl::Static, .textId = 97939, .row = 5, .col = 0, .colSpan = 3},
    {.id = D9::kAnswer, .kind = Ctl::YesNo, .row = 5, .col = 3, .field = d9::Answer},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 6, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 6, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 6, .col = 3},
};
constexpr ui::DialogTemplate kFosterTemplate{.id = D9::kId, .captionId = 97931, .controls = kFoster};
// The labels of variant 1 (birth order) in place of the template's rows.
struct Label {
  int id, text;
};
constexpr Label kBirthOrder[] = {{D9::kHeading, 213}, {D9::kCommonHeading, 214}, {D9::kFirst, 215},
                                 {D9::kSecond, 216},  {D9::kThird, 217}};

// ---------------------------------------------------------------- care of children of three or fewer years
namespace dn = annex::dec3num2;
using DN = CDec3num2Dlg;
constexpr ui::ControlDef kCare[] = {
    QX_HOLDER_HEADINGS,
    {.kind = Ctl::Static, .textId = 97940, .row = 1, .col = 0},
    {.id = DN::kCommonMark, .kind = Ctl::Box, .row = 1, .col = 1, .width = 1, .field = dn::CommonMark, .options = ui::kOptSpouse},
    {.id = DN::kDeclarantMark, .kind = Ctl::Box, .row = 1, .col = 2, .width = 1, .field = dn::DeclarantMark},
    {.id = DN::kSpouseMark, .kind = Ctl::Box, .row = 1, .col = 3, .width = 1, .field = dn::SpouseMark, .options = ui::kOptSpouse},
    {.kind = Ctl::Static, .textId = 95661, .row = 2, .col = 0},
    {.id = DN::kPersonsDeclarant, .kind = Ctl::Money, .row = 2, .col = 2, .width = 1, .decimals = 0,
     .field = dn::PersonsDeclarant},
    {.id = DN::kPersonsSpouse, .kind = Ctl::Money, .row = 2, .col = 3, .width = 1, .decimals = 0,
     .field = dn::PersonsSpouse, .options = ui::kOptSpouse},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 3, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 3, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 3, .col = 3},
};
constexpr ui::DialogTemplate kCareTemplate{.id = DN::kId, .captionId = 97932, .controls = kCare, .helpTopic = 581};
}  // namespace

// ---------------------------------------------------------------- CDec3cruz6imp2Dlg

D2::CDec3cruz6imp2Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kDisabledTemplate, d2::kBlockSize, args) {}

void D2::RefreshPersons() {
  const std::uint8_t* b = Data();
  auto rule = [this](double count, blocks::F64 persons, int id) {
    const bool asked = count > 0.0;
    if (!asked) persons.set(Data(), 0.0);
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(asked && !ReadOnlyView());
  };
  rule(d2::First[1].get(b) + d2::Later[1].get(b), d2::PersonsDeclarant, kPersonsDeclarant);
  rule(d2::First[2].get(b) + d2::Later[2].get(b), d2::PersonsSpouse, kPersonsSpouse);
}

int D2::OnEditKillFocus(int id) {
  if (id != 392 && id != 393 && id != 395 && id != 396) return 0;
  UpdateAll(true);
  RefreshPersons();
  UpdateAll(false);
  return 1;
}

bool D2::ValidateOK() {
  const std::uint8_t* b = Data();
  if ((d2::First[1].get(b) + d2::Later[1].get(b) > 0 && d2::PersonsDeclarant.get(b) == 0) ||
      (d2::First[2].get(b) + d2::Later[2].get(b) > 0 && d2::PersonsSpouse.get(b) == 0))
    return Refuse(this, "100R084");
  if (d2::First[0].get(b) + d2::First[1].get(b) + d2::First[2].get(b) > 1) return Refuse(this, "100R148");
  UpdateAll(false);
  return true;
}

// ---------------------------------------------------------------- CDec3imp9Dlg

D9::CDec3imp9Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kFosterTemplate, d9::kBlockSize, args) {}

bool D9::ApplyAnswerRule() {
  double sum = 0.0;
  for (int k = 0; k < 3; ++k) sum += d9::Declarant[k].get(Data()) + d9::Spouse[k].get(Data());
  const bool asked = sum > 0.0;
  if (!asked) d9::Answer.set(Data(), 255);
  if (QWidget* w = GetDlgItem(kAnswer)) w->setEnabled(asked && !ReadOnlyView());
  return asked;
}

void D9::OnInitAnnex() {
  if (index == 1)
    for (const Label& l : kBirthOrder)
      if (auto* label = Item<QLabel>(l.id)) label->setText(platform::LoadString(l.text));
  if (index == 2)
    if (auto* label = Item<QLabel>(kQuestion)) label->setText(platform::LoadString(342));
  ApplyAnswerRule();
}

int D9::OnCommand(int id, int code) {
  if (id == ui::kHelpButtonId && code == ui::kBnClicked) {
    platform::ShowHelp(HelpTopic(index));
    return 1;
  }
  return CAnnexDlg::OnCommand(id, code);
}

int D9::OnEditKillFocus(int id) {
  UpdateAll(true);
  ApplyAnswerRule();
  UpdateAll(false);
  return 1;
}

int D9::OnEditValueChanged(int id) {
  UpdateAll(true);
  if (ApplyAnswerRule()) UpdateAll(false);
  return 1;
}

bool D9::ValidateOK() {
  const std::uint8_t* b = Data();
  bool accept = true;
  double holders = 0.0;
  for (int k = 0; k < 3; ++k) holders += d9::Declarant[k].get(b) + d9::Spouse[k].get(b);
  if (holders > 0 && d9::Answer.get(b) == 255) accept = Refuse(this, index == 2 ? "100R105" : "100R085");
  for (int k = 0; k < 2; ++k)
    if (d9::Common[k].get(b) + d9::Declarant[k].get(b) + d9::Spouse[k].get(b) > 1) return Refuse(this, "100R086");
  return accept;
}

// ---------------------------------------------------------------- CDec3num2Dlg

DN::CDec3num2Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kCareTemplate, dn::kBlockSize, args) {}

void DN::Enable(int id, bool on) {
  if (QWidget* w = GetDlgItem(id)) w->setEnabled(on && !ReadOnlyView());
}

void DN::OnInitAnnex() {
  const std::uint8_t* b = Data();
  Enable(kPersonsDeclarant, false);
  Enable(kPersonsSpouse, false);
  if (dn::CommonMark.get(b)) {
    Enable(kDeclarantMark, false);
    Enable(kSpouseMark, false);
  } else if (dn::DeclarantMark.get(b)) {
    Enable(kCommonMark, false);
    Enable(kSpouseMark, false);
    Enable(kPersonsDeclarant, true);
  } else if (dn::SpouseMark.get(b)) {
    Enable(kCommonMark, false);
    Enable(kDeclarantMark, false);
    Enable(kPersonsSpouse, true);
  }
}

int DN::OnEditValueChanged(int id) {
  if (id != kCommonMark && id != kDeclarantMark && id != kSpouseMark) return 0;
  UpdateAll(true);
  std::uint8_t* b = Data();
  const bool spouse = doc::HouseholdHas(doc::kSpouse);
  auto noPersons = [&](blocks::F64 persons, int personsId) {
    persons.set(b, 0.0);
    Enable(personsId, false);
  };
  if (id == kCommonMark) {
    const bool set = dn::CommonMark.get(b) != 0;
    Enable(kDeclarantMark, !set);
    Enable(kSpouseMark, !set && spouse);
    if (set) {
      noPersons(dn::PersonsDeclarant, kPersonsDeclarant);
      noPersons(dn::PersonsSpouse, kPersonsSpouse);
    }
  } else if (id == kDeclarantMark) {
    const bool set = dn::DeclarantMark.get(b) != 0;
    Enable(kCommonMark, !set && spouse);
    Enable(kSpouseMark, !set && spouse);
    if (set) {
      noPersons(dn::PersonsSpouse, kPersonsSpouse);
      Enable(kPersonsDeclarant, true);
    } else {
      noPersons(dn::PersonsDeclarant, kPersonsDeclarant);
      noPersons(dn::PersonsSpouse, kPersonsSpouse);
    }
  } else {
    const bool set = dn::SpouseMark.get(b) != 0;
    Enable(kCommonMark, !set && spouse);
    Enable(kDeclarantMark, !set);
    if (set) {
      noPersons(dn::PersonsDeclarant, kPersonsDeclarant);
      Enable(kPersonsSpouse, true);
    } else {
      noPersons(dn::PersonsDeclarant, kPersonsDeclarant);
      noPersons(dn::PersonsSpouse, kPersonsSpouse);
    }
  }
  UpdateAll(false);
  return 1;
}

bool DN::ValidateOK() {
  const std::uint8_t* b = Data();
  if ((dn::DeclarantMark.get(b) && dn::PersonsDeclarant.get(b) == 0) ||
      (dn::SpouseMark.get(b) && dn::PersonsSpouse.get(b) == 0))
    return Refuse(this, "100R084");
  return true;
}
