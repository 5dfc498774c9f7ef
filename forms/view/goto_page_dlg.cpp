#include "forms/view/goto_page_dlg.h"

#include <QPushButton>

#include <charconv>

#include "forms/view/page_view.h"
#include "platform/icons.h"
#include "ui/date_edit.h"
#include "ui/dialog_template.h"

namespace forms {

namespace {

enum Texts : int {
  kStrCaption = 94200,
  kStrNext = 94201,
  kStrPrevious = 94202,
  kStrGo = 94203,
  kStrClose = 94204,
  kStrNumberLabel = 94205,
};

using ui::Ctl;
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = kStrNumberLabel, .row = 0, .col = 0},
    {.id = CIrPaginaDlg::kIdNumber, .kind = Ctl::Custom, .row = 0, .col = 1},
    {.id = CIrPaginaDlg::kIdNext, .kind = Ctl::Button, .textId = kStrNext, .row = 1, .col = 0},
    {.id = CIrPaginaDlg::kIdPrevious, .kind = Ctl::Button, .textId = kStrPrevious, .row = 1, .col = 1},
    {.id = CIrPaginaDlg::kIdGo, .kind = Ctl::Button, .textId = kStrGo, .row = 1, .col = 2},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = kStrClose, .row = 1, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{194, nullptr, kStrCaption, kControls};

}  // namespace

CIrPaginaDlg::CIrPaginaDlg(QWidget* parent) : CTemplateDlg(kTemplate, parent) { EnsureCreated(); }

CIrPaginaDlg::~CIrPaginaDlg() = default;

QWidget* CIrPaginaDlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  if (def.id != kIdNumber) return nullptr;
  number_ = new CCountEdit(2, parent);
  number_->SetEditableInMemberView(true);
  return number_;
}

void CIrPaginaDlg::OnInitDialog() {
  SetButtonIcon(kIdNext, platform::kIconForward);
  SetButtonIcon(kIdPrevious, platform::kIconBack);
  SetButtonIcon(kIdGo, platform::kIconLast);
  page_ = 0;
  CTemplateDlg::OnInitDialog();
  if (number_) {
    number_->BindData(&page_);
    number_->LoadFromData(1);
    connect(number_, &QLineEdit::textChanged, this, [this](const QString& t) {
      // An empty or non-numeric text counts as page 0.
      const std::string s = t.trimmed().toStdString();
      int v = 0;
      std::from_chars(s.data(), s.data() + s.size(), v);
      page_ = v;
      for (int id : {kIdNext, kIdPrevious, kIdGo})
        if (QWidget* w = GetDlgItem(id)) w->setEnabled(true);
    });
  }
}

bool CIrPaginaDlg::OnButton(int id) {
  switch (id) {
    case kIdNext: if (target_) target_(kCmdNextPage); return true;
    case kIdPrevious: if (target_) target_(kCmdPreviousPage); return true;
    case kIdGo: Go(); return true;
    default: return false;
  }
}

int CIrPaginaDlg::OnEditEnter(int id) {
  if (id == kIdNumber) Go();
  return 0;
}

// Going to a typed page ends the dialog: the user asked for that page and now reads it. Without
// a number there is nowhere to go and the dialog waits for one.
void CIrPaginaDlg::Go() {
  const bool typed = page_ != 0;
  if (typed && target_) target_(kCmdGoToTypedPage);
  page_ = 0;
  if (number_) {
    number_->LoadFromData(1);
    number_->setFocus();
  }
  if (typed) accept();
}

}  // namespace forms
