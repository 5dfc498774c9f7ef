#include "annex/asignacion_tributaria_dlg.h"

#include <QAbstractButton>

#include "data/doc/active_declaration.h"
#include "ui/box_edit.h"
#include "ui/sub_dialog_edit.h"

namespace {
using ui::Ctl;
using Dlg = CAsignacionTributariaDlg;
constexpr int kChooseOneString = 137;
constexpr unsigned kOpt = ui::kOptMemberEditable;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95803, .row = 0, .col = 0, .colSpan = 2},
    {.id = Dlg::kMarkNowId, .kind = Ctl::Box, .row = 1, .col = 0, .width = 1, .field = blocks::U8{0}, .options = kOpt},
    {.kind = Ctl::Static, .textId = 95800, .row = 1, .col = 1},
    {.id = Dlg::kMarkNoneId, .kind = Ctl::Box, .row = 2, .col = 0, .width = 1, .field = blocks::U8{1}, .options = kOpt},
    {.kind = Ctl::Static, .textId = 95801, .row = 2, .col = 1},
    {.id = Dlg::kByHandId, .kind = Ctl::Box, .row = 3, .col = 0, .width = 1, .field = blocks::U8{2}, .options = kOpt},
    {.kind = Ctl::Static, .textId = 95802, .row = 3, .col = 1},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 4, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = Dlg::kId, .controls = kControls};
constexpr int kOptions[] = {Dlg::kMarkNowId, Dlg::kMarkNoneId, Dlg::kByHandId};

bool IsX(const QString& text) { return text == QLatin1String("x") || text == QLatin1String("X"); }
}  // namespace

CAsignacionTributariaDlg::CAsignacionTributariaDlg(QWidget* parent)
    : CTemplateDlg(kTemplate, parent), binder_(this, kTemplate) {}

void CAsignacionTributariaDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  if (const doc::DeclarationModel* m = doc::ActiveDeclaration()) savedEdited_ = m->EditedSincePrinted();
  binder_.Bind(marks_.data());
  if (QWidget* byHand = GetDlgItem(kByHandId)) byHand->setEnabled(!byHandDisabled_);
  binder_.Exchange(false);
  RefreshOk();
}

int CAsignacionTributariaDlg::MarkedOption() const {
  for (std::size_t i = 0; i < std::size(kOptions); ++i)
    if (const CEditEx* e = Edit(kOptions[i]); e && IsX(e->text())) return static_cast<int>(i) + 1;
  return kNone;
}

void CAsignacionTributariaDlg::RefreshOk() {
  if (QWidget* ok = GetDlgItem(ui::IDOK)) ok->setEnabled(MarkedOption() != kNone);
}

int CAsignacionTributariaDlg::OnEditValueChanged(int id) {
  if (auto* marked = Item<CBoxEdit>(id); marked && IsX(marked->text())) {
    for (int other : kOptions)
      if (other != id)
        if (CEditEx* e = Edit(other)) e->clear();
    marked->setFocus();
  }
  binder_.Exchange(true);
  RefreshOk();
  return 0;
}

void CAsignacionTributariaDlg::OnOK() {
  answer_ = MarkedOption();
  if (answer_ == kNone) {
    ui::ShowPlainMessage(this, kChooseOneString);
    return;
  }
  // Choosing an option is no change of the declaration.
  if (doc::DeclarationModel* m = doc::ActiveDeclaration()) m->SetEditedSincePrinted(savedEdited_);
  CTemplateDlg::OnOK();
}
