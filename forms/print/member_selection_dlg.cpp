#include "forms/print/member_selection_dlg.h"

#include <QAbstractButton>

#include "blocks/form100.h"
#include "platform/strings.h"

namespace forms {

namespace {
using ui::Ctl;
using D = CSeleccionDeclaracionImprimirDlg;
constexpr int kKindGroup = 1, kMemberGroup = 2;

constexpr ui::ControlDef kControls[] = {
    {.id = D::kJoint, .kind = Ctl::Radio, .textId = 96200, .row = 0, .col = 0, .radioGroup = kKindGroup},
    {.id = D::kIndividual, .kind = Ctl::Radio, .textId = 96201, .row = 0, .col = 1, .radioGroup = kKindGroup},
    {.id = D::kDeclarant, .kind = Ctl::Radio, .textId = 96202, .row = 1, .col = 0, .radioGroup = kMemberGroup},
    {.id = D::kSpouse, .kind = Ctl::Radio, .textId = 96203, .row = 1, .col = 1, .radioGroup = kMemberGroup},
    {.id = D::kChild1, .kind = Ctl::Radio, .textId = 96204, .row = 2, .col = 0, .radioGroup = kMemberGroup},
    {.id = D::kChild2, .kind = Ctl::Radio, .textId = 96205, .row = 2, .col = 1, .radioGroup = kMemberGroup},
    {.id = D::kExtraCopy, .kind = Ctl::CheckBox, .textId = 96206, .row = 3, .col = 0, .colSpan = 2},
    {.id = D::kPrinterLabel, .kind = Ctl::Static, .textId = 96207, .row = 4, .col = 0},
    {.id = D::kPrinterName, .kind = Ctl::Legend, .row = 4, .col = 1},
    {.id = D::kErrorsText, .kind = Ctl::Static, .textId = 2254, .row = 5, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 96208, .controls = kControls};
constexpr int kFilingCaption = 138;
constexpr int kDeclarantAndSpouse = 306;
}  // namespace

D::CSeleccionDeclaracionImprimirDlg(Declaration declaration, int mode, QWidget* parent)
    : CTemplateDlg(kTemplate, parent), declaration_(std::move(declaration)), mode_(mode) {}

bool D::Checked(int id) const {
  auto* b = Item<QAbstractButton>(id);
  return b && b->isChecked();
}

void D::Check(int id, bool on) {
  if (auto* b = Item<QAbstractButton>(id)) {
    b->setAutoExclusive(false);
    b->setChecked(on);
    b->setAutoExclusive(true);
  }
}

void D::Enable(int id, bool on) {
  if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
}

// The declarant's request to compensate the spouses' results (Form100Summary +9881).
bool D::Compensated() const {
  return declaration_.block.size() > f100::Summary.offset + 9881 && declaration_.block[f100::Summary.offset + 9881] == 1;
}

bool D::DeclarantPrinted() const {
  return declaration_.block.size() > f100::Family.offset + 1 && declaration_.block[f100::Family.offset + 1] == 1;
}

void D::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  const std::span<const std::uint8_t> b = declaration_.block;
  const bool blockOk = b.size() >= f100::Family.offset + 2071;
  const std::uint8_t mode = blockOk ? b[f100::Personal.offset] : 0;
  const bool excluded = blockOk && b[f100::Family.offset + 2070] != 0;
  const auto& h = declaration_.household;
  if (mode_ == 1) {
    for (int id : {kPrinterButton, kPrinterName, kPrinterLabel, kPrinterFrame, kExtraCopy})
      if (QWidget* w = GetDlgItem(id)) w->hide();
    caption = platform::LoadString(kFilingCaption);
    setWindowTitle(caption);
  }
  member = mode_ == 0 || mode_ == 1 ? declaration_.shownMember : declaration_.printMember;
  jointSelection = member == 1 ? 1 : 0;
  if (member != 1 || excluded) {
    Check(kIndividual, true);
    const int radio = member == 3 ? kSpouse : member == 4 ? kChild1 : member == 5 ? kChild2 : kDeclarant;
    Check(radio, true);
  } else {
    Check(kJoint, true);
  }
  const bool compensated = Compensated() && !((mode_ == 0 || mode_ == 2) && DeclarantPrinted());
  if (!compensated) {
    const bool none = !h[0] && !h[2] && !h[3] && !h[4];
    if (none || excluded || (!h[3] && !h[4] && !h[0] && mode != 1)) {
      for (int id : {kJoint, kSpouse, kChild1, kChild2}) {
        Enable(id, false);
        Check(id, false);
      }
      Check(kIndividual, true);
    } else if (mode != 1) {
      Enable(kSpouse, false);
      Check(kSpouse, false);
    } else if (!h[3] && !h[4]) {
      for (int id : {kChild1, kChild2}) {
        Enable(id, false);
        Check(id, false);
      }
    }
  } else {
    if (member == 3) Check(kDeclarant, true);
    if (QWidget* w = GetDlgItem(kSpouse)) w->hide();
    if (auto* d = Item<QAbstractButton>(kDeclarant)) d->setText(platform::LoadString(kDeclarantAndSpouse));
  }
  if (mode_ == 2 || mode_ == 3)
    for (int id : {kJoint, kIndividual, kDeclarant, kSpouse, kChild1, kChild2}) Enable(id, false);
  if (mode_ == 1 || mode_ == 3)
    if (QWidget* w = GetDlgItem(kExtraCopy)) w->hide();
  UpdateAvailability();
}

void D::ReadRadios() {
  jointSelection = Checked(kJoint) ? 1 : Checked(kIndividual) ? 0 : -1;
  if (Checked(kDeclarant)) member = Compensated() && !((mode_ == 0 || mode_ == 2) && DeclarantPrinted()) ? 6 : 2;
  else if (Checked(kSpouse)) member = 3;
  else if (Checked(kChild1)) member = 4;
  else if (Checked(kChild2)) member = 5;
  else if (Checked(kJoint)) member = 1;
  else member = -1;
}

// A choice of joint or individual, and of the member: which members can be chosen, whether the
// declaration can be printed (errors lead to the corrections panel).
void D::UpdateAvailability() {
  if (mode_ != 2 && mode_ != 3) {
    ReadRadios();
    const std::span<const std::uint8_t> b = declaration_.block;
    const bool blockOk = b.size() >= f100::Family.offset + 2071;
    const bool excluded = blockOk && b[f100::Family.offset + 2070] != 0;
    const std::uint8_t mode = blockOk ? b[f100::Personal.offset] : 0;
    const auto& h = declaration_.household;
    if (jointSelection == 1) {
      for (int id : {kDeclarant, kSpouse, kChild1, kChild2}) {
        Check(id, false);
        Enable(id, false);
      }
    } else {
      Enable(kDeclarant, true);
      Enable(kSpouse, mode == 1 && !excluded && h[2]);
      Enable(kChild1, h[3] != 0);
      Enable(kChild2, h[4] != 0);
    }
  }
  ReadRadios();
  const bool chosen = jointSelection != -1 && member != -1;
  Enable(ui::IDOK, chosen);
  if (!chosen) return;
  const bool errors = mode_ != 2 && mode_ != 3 && declaration_.hasErrors && declaration_.hasErrors(member);
  if (QWidget* t = GetDlgItem(kErrorsText)) t->setVisible(errors);
  Enable(kPrinterButton, !errors && mode_ != 1);
}

bool D::OnButton(int id) {
  if (id == kJoint || id == kIndividual || id == kDeclarant || id == kSpouse || id == kChild1 || id == kChild2) {
    UpdateAvailability();
    return true;
  }
  return false;
}

void D::OnOK() {
  ReadRadios();
  const bool printerChoice = mode_ == 1 || (GetDlgItem(kPrinterButton) && GetDlgItem(kPrinterButton)->isEnabled()) ||
                             DeclarantPrinted();
  copiesMode = printerChoice ? (Checked(kExtraCopy) ? 2 : 1) : 0;
  CTemplateDlg::OnOK();
}

void D::OnCancel() {
  member = -1;
  jointSelection = -1;
  CTemplateDlg::OnCancel();
}

}  // namespace forms
