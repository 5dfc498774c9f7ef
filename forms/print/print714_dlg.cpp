#include "forms/print/print714_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/print/print_selection_dlg.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/owner_draw_button.h"

namespace forms {

namespace {
enum Text : int {
  kStrExtraCopy = 99311,  // "Copia Adicional para el interesado"
  kStrInstall = 99312,
  kStrHelp = 99313,
  kStrTitle = 99316,      // "Imprimir"
  kStrOk = 99317,         // "&Imprimir"
  kStrCancel = 99318,
  kStrOptions = 99319,    // the tab of the extra copy
};
constexpr int kIconSize = 32;
}  // namespace

CPrint714Dlg::Range CPrint714Dlg::RangeAfterOk(bool rangeChosen, int from, int to) {
  if (!rangeChosen) return {1, kLastPage};
  if (from <= 0) from = 1;
  if (to < from) return {1, kLastPage};
  if (to == 0) to = kLastPage;
  return {from, to};
}

CPrint714Dlg::CPrint714Dlg(QPrinter* printer, bool hideExtraCopy, bool specialMode, QWidget* parent)
    : QPrintDialog(printer, parent), hideExtraCopy_(hideExtraCopy) {
  setWindowTitle(platform::LoadString(kStrTitle));
  setOption(QAbstractPrintDialog::PrintSelection, false);
  setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  printer->setFromTo(1, kLastPage);
  setMinMax(1, kLastPage);

  // The tick stays in sight under the printer; where the dialog has no such place, among its options.
  extraCopy_ = new QCheckBox(platform::LoadString(kStrExtraCopy), this);
  extraCopy_->setObjectName(QStringLiteral("2007"));
  if (auto* top = qobject_cast<QBoxLayout*>(layout()); top && top->count() > 1) {
    top->insertWidget(1, extraCopy_);
  } else {
    auto* tab = new QWidget;
    tab->setWindowTitle(platform::LoadString(kStrOptions));
    auto* options = new QVBoxLayout(tab);
    extraCopy_->setParent(tab);
    options->addWidget(extraCopy_);
    options->addStretch();
    setOptionTabs({tab});
  }
  extraCopy_->setVisible(!hideExtraCopy);

  // OK, Cancel, Install (the printer's properties) and Help as the program's buttons.
  if (auto* box = findChild<QDialogButtonBox*>()) {
    if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) {
      ok->setIcon(platform::ProgramIcon(platform::kIconOk));
      ok->setText(platform::LoadString(kStrOk));
    }
    if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel)) {
      cancel->setIcon(platform::ProgramIcon(platform::kIconCancelDisc));
      cancel->setText(platform::LoadString(kStrCancel));
    }
    help_ = new COwnerDrawButton(platform::LoadString(kStrHelp), this);
    help_->setObjectName(QStringLiteral("1038"));
    box->addButton(help_, QDialogButtonBox::HelpRole);
    connect(help_, &QPushButton::clicked, this, [] { platform::ShowHelp(kPrintHelpTopic); });
  }
  install_ = findChild<QPushButton*>(QStringLiteral("properties"));
  if (install_) {
    install_->setIcon(platform::ProgramIcon(platform::kIconPrint));
    install_->setIconSize(QSize(kIconSize / 2, kIconSize / 2));
    install_->setText(platform::LoadString(kStrInstall));
    if (specialMode) install_->setEnabled(false);
  }
}

bool CPrint714Dlg::ExtraCopy() const { return !hideExtraCopy_ && extraCopy_->isChecked(); }
void CPrint714Dlg::SetExtraCopy(bool on) { extraCopy_->setChecked(on); }

void CPrint714Dlg::accept() {
  QPrintDialog::accept();
  QPrinter* p = printer();
  const bool chosen = p->printRange() == QPrinter::PageRange || p->printRange() == QPrinter::Selection;
  const Range r = RangeAfterOk(chosen, p->fromPage(), p->toPage());
  p->setFromTo(r.from, r.to);
}

}  // namespace forms
