#include "annex/pcuotint_dlg.h"

#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::pcuotint;
constexpr int kFilingGroup = 1;
constexpr int kFilingBox = 30001, kDeclarantBox = 30002, kSpouseBox = 30003;

constexpr ui::ControlDef kControls[] = {
    {.id = kFilingBox, .kind = Ctl::GroupBox, .textId = 91052, .row = 0, .col = 0, .colSpan = 3},
    {.id = CPcuotintDlg::kIndividual, .kind = Ctl::Radio, .textId = 91042, .row = 0, .col = 0, .group = kFilingBox,
     .field = f::Filing, .radioGroup = kFilingGroup, .code = f::kIndividual},
    {.id = CPcuotintDlg::kJoint, .kind = Ctl::Radio, .textId = 91043, .row = 0, .col = 1, .group = kFilingBox,
     .field = f::Filing, .radioGroup = kFilingGroup, .code = f::kJoint},
    {.id = kDeclarantBox, .kind = Ctl::GroupBox, .textId = 91053, .row = 1, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 91044, .row = 0, .col = 0, .group = kDeclarantBox},
    {.id = CPcuotintDlg::kBase, .kind = Ctl::Money, .row = 0, .col = 1, .group = kDeclarantBox, .width = 10,
     .decimals = 2, .field = f::GeneralBase, .options = ui::kOptNegatives},
    {.kind = Ctl::Static, .textId = 91045, .row = 1, .col = 0, .group = kDeclarantBox},
    {.id = CPcuotintDlg::kZeroMark, .kind = Ctl::Box, .row = 1, .col = 1, .group = kDeclarantBox,
     .field = f::GeneralBaseZero},
    {.kind = Ctl::Static, .textId = 91046, .row = 2, .col = 0, .group = kDeclarantBox},
    {.id = CPcuotintDlg::kDividends, .kind = Ctl::Money, .row = 2, .col = 1, .group = kDeclarantBox, .width = 10,
     .decimals = 2, .field = f::DividendsLeftOut},
    {.kind = Ctl::Static, .textId = 91047, .row = 3, .col = 0, .group = kDeclarantBox},
    {.id = CPcuotintDlg::kQuota, .kind = Ctl::Money, .row = 3, .col = 1, .group = kDeclarantBox, .width = 10,
     .decimals = 2, .field = f::GeneralQuota},
    {.kind = Ctl::Static, .textId = 91048, .row = 4, .col = 0, .group = kDeclarantBox},
    {.id = CPcuotintDlg::kUnproductive, .kind = Ctl::Money, .row = 4, .col = 1, .group = kDeclarantBox, .width = 10,
     .decimals = 2, .field = f::Unproductive},
    {.id = kSpouseBox, .kind = Ctl::GroupBox, .textId = 91054, .row = 2, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 91049, .row = 0, .col = 0, .group = kSpouseBox},
    {.id = CPcuotintDlg::kSpouseBase, .kind = Ctl::Money, .row = 0, .col = 1, .group = kSpouseBox, .width = 10,
     .decimals = 2, .field = f::SpouseBase, .options = ui::kOptNegatives},
    {.kind = Ctl::Static, .textId = 91050, .row = 1, .col = 0, .group = kSpouseBox},
    {.id = CPcuotintDlg::kSpouseUnproductive, .kind = Ctl::Money, .row = 1, .col = 1, .group = kSpouseBox, .width = 10,
     .decimals = 2, .field = f::SpouseUnproductive},
    {.kind = Ctl::Static, .textId = 91051, .row = 2, .col = 0, .group = kSpouseBox},
    {.id = CPcuotintDlg::kSpouseQuota, .kind = Ctl::Money, .row = 2, .col = 1, .group = kSpouseBox, .width = 10,
     .decimals = 2, .field = f::SpouseQuota},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 3, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 3, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 3, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = CPcuotintDlg::kId, .captionId = 91040, .controls = kControls,
                                       .helpTopic = 727};
constexpr int kSpouseControls[] = {CPcuotintDlg::kSpouseBase, CPcuotintDlg::kSpouseQuota,
                                   CPcuotintDlg::kSpouseUnproductive};
}  // namespace

CPcuotintDlg::CPcuotintDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CPcuotintDlg::SetListItems(const ui::AnnexPointerList& list) {
  if (list.item1) reference_ = blocks::F64{0}.get(list.item1);
}

void CPcuotintDlg::Enable(int id, bool on) {
  if (QWidget* w = GetDlgItem(id)) w->setEnabled(on && !ReadOnlyView());
}

void CPcuotintDlg::SetJoint(bool joint) {
  joint_ = joint;
  for (int id : kSpouseControls) Enable(id, joint);
  if (!joint) {
    f::SpouseBase.set(Data(), 0.0);
    f::SpouseUnproductive.set(Data(), 0.0);
    f::SpouseQuota.set(Data(), 0.0);
  }
  f::Filing.set(Data(), joint ? f::kJoint : f::kIndividual);
}

void CPcuotintDlg::OnInitAnnex() {
  if (QWidget* ok = GetDlgItem(ui::IDOK)) ok->setEnabled(true);
  const unsigned char filing = f::Filing.get(Data());
  SetJoint(filing != f::kIndividual && filing != 0);
  Enable(kZeroMark, f::GeneralBase.get(Data()) == 0.0);
  Enable(kBase, f::GeneralBaseZero.get(Data()) == 0);
}

bool CPcuotintDlg::OnButton(int id) {
  if (id != kIndividual && id != kJoint) return false;
  auto* joint = Item<QAbstractButton>(kJoint);
  SetJoint(joint && joint->isChecked());
  UpdateAll(false);
  return true;
}

int CPcuotintDlg::OnEditKillFocus(int id) {
  if (id != kBase) return 0;
  UpdateAll(true);
  const bool nonZero = f::GeneralBase.get(Data()) != 0.0;
  Enable(kZeroMark, !nonZero);
  if (nonZero) f::GeneralBaseZero.set(Data(), 0);
  UpdateAll(false);
  return 1;
}

int CPcuotintDlg::OnEditValueChanged(int id) {
  if (id != kZeroMark) return 0;
  UpdateAll(true);
  const bool lock = f::GeneralBaseZero.get(Data()) != 0 && f::GeneralBase.get(Data()) == 0.0;
  Enable(kBase, !lock);
  if (lock) f::GeneralBase.set(Data(), 0.0);
  if (QWidget* mark = GetDlgItem(kZeroMark)) mark->setFocus();
  UpdateAll(false);
  return 1;
}

bool CPcuotintDlg::ValidateOK() {
  bool shown = false;
  const double spouseUnproductive = f::SpouseUnproductive.get(Data());
  if (spouseUnproductive > f::SpouseBase.get(Data()) && spouseUnproductive != 0.0) {
    ui::ShowMessage(this, QStringLiteral("714R002"), platform::kIconHand);
    if (QWidget* w = GetDlgItem(kSpouseUnproductive)) w->setFocus();
    shown = true;
  }
  const double unproductive = f::Unproductive.get(Data());
  if (unproductive > reference_ && unproductive != 0.0) {
    ui::ShowMessage(this, QStringLiteral("714R004"), platform::kIconHand);
    if (QWidget* w = GetDlgItem(kUnproductive)) w->setFocus();
    shown = true;
  }
  if (shown) return false;
  f::Filing.set(Data(), joint_ ? f::kJoint : f::kIndividual);
  return true;
}
