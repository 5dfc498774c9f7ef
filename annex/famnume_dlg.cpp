#include "annex/famnume_dlg.h"

#include <QLabel>

#include "platform/icons.h"
#include "ui/messages.h"
#include "ui/titular_edit.h"

namespace {
using ui::Ctl;
namespace f = annex::famnume;
using Dlg = CFamnumeDlg;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95811, .row = 0, .col = 0},
    {.id = Dlg::kLargeFamily, .kind = Ctl::YesNo, .row = 0, .col = 1, .field = f::LargeFamily},
    {.kind = Ctl::Static, .textId = 95812, .row = 1, .col = 0},
    {.id = Dlg::kHolder, .kind = Ctl::Titular, .row = 1, .col = 1, .field = f::Holder},
    {.id = Dlg::kLegend, .kind = Ctl::Legend, .row = 2, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 95813, .row = 3, .col = 0},
    {.id = Dlg::kPersons, .kind = Ctl::Money, .row = 3, .col = 1, .width = 1, .decimals = 0, .field = f::Persons},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 4, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 4, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = Dlg::kId, .captionId = 95810, .controls = kControls, .helpTopic = 936};
}  // namespace

CFamnumeDlg::CFamnumeDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CFamnumeDlg::ApplyPersonsRule() {
  const int holder = f::Holder.get(Data());
  const bool counts = holder != 0 && holder != ui::kHolderCommon;
  if (!counts) f::Persons.set(Data(), 0.0);
  if (QWidget* persons = GetDlgItem(kPersons)) persons->setEnabled(counts && !ReadOnlyView());
}

void CFamnumeDlg::OnInitAnnex() {
  if (auto* legend = Item<QLabel>(kLegend)) legend->setText(GetHolderLegend());
  ApplyPersonsRule();
}

int CFamnumeDlg::OnEditValueChanged(int id) {
  if (id != kHolder) return 0;
  UpdateAll(true);
  ApplyPersonsRule();
  UpdateAll(false);
  return 0;
}

int CFamnumeDlg::OnEditValueCleared(int) {
  UpdateAll(true);
  f::LargeFamily.set(Data(), 0);
  UpdateAll(false);
  return 1;
}

bool CFamnumeDlg::ValidateOK() {
  if (f::Holder.get(Data()) < ui::kHolderDeclarant || f::Persons.get(Data()) != 0.0) return true;
  ui::ShowMessage(this, QStringLiteral("100R084"), platform::kIconHand);
  if (QWidget* persons = GetDlgItem(kPersons)) persons->setFocus();
  return false;
}
