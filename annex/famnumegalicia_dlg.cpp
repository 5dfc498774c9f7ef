#include "annex/famnumegalicia_dlg.h"

#include <QLabel>

#include "platform/help.h"
#include "platform/icons.h"
#include "ui/edit_host.h"
#include "ui/messages.h"
#include "ui/titular_edit.h"

namespace {
using ui::Ctl;
namespace f = annex::famnumegalicia;
using Dlg = CFamnumegaliciaDlg;

constexpr ui::ControlDef kControls[] = {
    {.id = Dlg::kFirst, .kind = Ctl::Box, .row = 0, .col = 0, .width = 1, .field = f::FirstCategory},
    {.kind = Ctl::Static, .textId = 95814, .row = 0, .col = 1},
    {.id = Dlg::kSecond, .kind = Ctl::Box, .row = 1, .col = 0, .width = 1, .field = f::SecondCategory},
    {.kind = Ctl::Static, .textId = 95815, .row = 1, .col = 1},
    {.id = Dlg::kHonour, .kind = Ctl::Box, .row = 2, .col = 0, .width = 1, .field = f::HonourCategory},
    {.kind = Ctl::Static, .textId = 95816, .row = 2, .col = 1},
    {.kind = Ctl::Static, .textId = 95812, .row = 3, .col = 1},
    {.id = Dlg::kHolder, .kind = Ctl::Titular, .row = 3, .col = 2, .field = f::Holder},
    {.id = Dlg::kLegend, .kind = Ctl::Legend, .row = 4, .col = 1, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 95813, .row = 5, .col = 1},
    {.id = Dlg::kPersons, .kind = Ctl::Money, .row = 5, .col = 2, .width = 1, .decimals = 0, .field = f::Persons},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 6, .col = 0, .colSpan = 2},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 6, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 6, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = Dlg::kId, .captionId = 95810, .controls = kControls};
constexpr int kCategories[] = {Dlg::kFirst, Dlg::kSecond, Dlg::kHonour};
constexpr blocks::U8 kCategoryFields[] = {f::FirstCategory, f::SecondCategory, f::HonourCategory};
}  // namespace

CFamnumegaliciaDlg::CFamnumegaliciaDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

int CFamnumegaliciaDlg::HelpTopic() const { return index == 1 ? 944 : index == 2 ? 963 : 0; }

void CFamnumegaliciaDlg::ApplyPersonsRule() {
  const bool common = f::Holder.get(Data()) == ui::kHolderCommon;
  if (common) f::Persons.set(Data(), 0.0);
  if (QWidget* persons = GetDlgItem(kPersons)) persons->setEnabled(!common && !ReadOnlyView());
}

void CFamnumegaliciaDlg::OnInitAnnex() {
  if (auto* legend = Item<QLabel>(kLegend)) legend->setText(GetHolderLegend());
  if (QWidget* help = GetDlgItem(ui::kHelpButtonId)) help->setEnabled(HelpTopic() != 0);
  ApplyPersonsRule();
}

int CFamnumegaliciaDlg::OnEditValueChanged(int id) {
  if (id == kPersons) {
    UpdateAll(false);
    return 0;
  }
  UpdateAll(true);
  for (std::size_t i = 0; i < std::size(kCategories); ++i)
    if (kCategories[i] == id && kCategoryFields[i].get(Data()) != 0)
      for (std::size_t j = 0; j < std::size(kCategories); ++j)
        if (j != i) kCategoryFields[j].set(Data(), 0);
  ApplyPersonsRule();
  UpdateAll(false);
  return 0;
}

int CFamnumegaliciaDlg::OnEditValueCleared(int) {
  UpdateAll(true);
  for (const blocks::U8& category : kCategoryFields) category.set(Data(), 0);
  f::Persons.set(Data(), 0.0);
  UpdateAll(false);
  return 1;
}

int CFamnumegaliciaDlg::OnCommand(int id, int code) {
  if (id == ui::kHelpButtonId && code == ui::kBnClicked) {
    if (HelpTopic() != 0) platform::ShowHelp(HelpTopic());
    return 1;
  }
  return CAnnexDlg::OnCommand(id, code);
}

bool CFamnumegaliciaDlg::ValidateOK() {
  bool marked = false;
  for (const blocks::U8& category : kCategoryFields) marked = marked || category.get(Data()) != 0;
  if (!marked || f::Persons.get(Data()) != 0.0 || f::Holder.get(Data()) == ui::kHolderCommon) return true;
  ui::ShowMessage(this, QStringLiteral("100R084"), platform::kIconHand);
  if (QWidget* persons = GetDlgItem(kPersons)) persons->setFocus();
  return false;
}
