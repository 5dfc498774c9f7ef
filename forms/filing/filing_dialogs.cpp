#include "forms/filing/filing_dialogs.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "platform/help.h"
#include "platform/strings.h"
#include "platform/web_address.h"
#include "ui/controls/link_label.h"
#include "ui/edit_host.h"

namespace forms {

namespace {

using ui::Ctl;

FilingMessageHook& MessageHook() {
  static FilingMessageHook hook;
  return hook;
}

// The extension of the save dialog: template 274, and template 1 (remote mode) without the
// paragraph on immediate filing.
constexpr ui::ControlDef kFilingControls[] = {
    {.kind = Ctl::Static, .textId = kStrFilingExplanation, .row = 0, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = kStrImmediateExplanation, .row = 1, .col = 0, .colSpan = 2},
    {.id = kPrintCopyCheck, .kind = Ctl::CheckBox, .textId = kStrPrintCopy, .row = 2, .col = 0, .colSpan = 2},
    {.id = kImmediateCheck, .kind = Ctl::CheckBox, .textId = kStrImmediate, .row = 3, .col = 0, .colSpan = 2},
    {.id = kSpouseLabel, .kind = Ctl::Static, .textId = kStrSpouseName, .row = 4, .col = 0, .hidden = true},
    {.id = kSpouseEdit, .kind = Ctl::Custom, .row = 4, .col = 1, .hidden = true},
};
constexpr ui::DialogTemplate kFilingTemplate{274, nullptr, kStrFilingDialogCaption, kFilingControls};
constexpr ui::ControlDef kRemoteFilingControls[] = {
    {.kind = Ctl::Static, .textId = kStrFilingExplanation, .row = 0, .col = 0, .colSpan = 2},
    {.id = kPrintCopyCheck, .kind = Ctl::CheckBox, .textId = kStrPrintCopy, .row = 1, .col = 0, .colSpan = 2},
    {.id = kImmediateCheck, .kind = Ctl::CheckBox, .textId = kStrImmediate, .row = 2, .col = 0, .colSpan = 2},
    {.id = kSpouseLabel, .kind = Ctl::Static, .textId = kStrSpouseName, .row = 3, .col = 0, .hidden = true},
    {.id = kSpouseEdit, .kind = Ctl::Custom, .row = 3, .col = 1, .hidden = true},
};
constexpr ui::DialogTemplate kRemoteFilingTemplate{1, nullptr, kStrFilingDialogCaption, kRemoteFilingControls};

constexpr ui::ControlDef kPresentationControls[] = {
    {.kind = Ctl::Static, .textId = kStrPresentationText, .row = 0, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = kStrContinue, .row = 1, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 1, .col = 1},
};
constexpr ui::DialogTemplate kPresentationTemplate{283, nullptr, kStrPresentationCaption, kPresentationControls};

// The file dialog inside CDlgInternet: its owner checks every accepted name first.
class FilingFileDialog : public QFileDialog {
 public:
  FilingFileDialog(CDlgInternet* owner) : QFileDialog(owner, Qt::Widget), owner_(owner) {}
  void accept() override {
    const QStringList files = selectedFiles();
    if (files.isEmpty() || owner_->OnFileNameOK(files.first())) return;
    QFileDialog::accept();
  }

 private:
  CDlgInternet* owner_;
};

}  // namespace

void SetFilingMessageHook(FilingMessageHook hook) { MessageHook() = std::move(hook); }

int ShowFilingMessage(QWidget* parent, const QString& text, bool yesNo) {
  if (MessageHook()) return MessageHook()(parent, text, yesNo);
  if (!yesNo) {
    QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
    return 1;
  }
  return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
             ? kAnswerYes
             : kAnswerNo;
}

CDlgInternet::CDlgInternet(const QString& defaultExtension, const QString& proposedName, const QString& baseFolder,
                           bool remote, QWidget* parent)
    : QDialog(parent), proposedName_(proposedName), baseFolder_(baseFolder), remote_(remote) {
  setWindowTitle(platform::LoadString(kStrFilingDialogCaption));
  auto* layout = new QVBoxLayout(this);
  files_ = new FilingFileDialog(this);
  files_->setOption(QFileDialog::DontUseNativeDialog);
  files_->setAcceptMode(QFileDialog::AcceptSave);
  files_->setFileMode(QFileDialog::AnyFile);
  files_->setDefaultSuffix(defaultExtension);
  files_->setNameFilter(platform::LoadString(defaultExtension == QLatin1String("714") ? kStrFilter714 : kStrFilter100));
  files_->setDirectory(baseFolder);
  files_->selectFile(proposedName);
  layout->addWidget(files_);
  extension_ = new QWidget(this);
  const auto spouseEdit = [](const ui::ControlDef& def, QWidget* p) -> QWidget* {
    auto* e = new QLineEdit(p);
    ui::SetControlId(e, def.id);
    return e;
  };
  ui::BuildTemplate(extension_, remote ? kRemoteFilingTemplate : kFilingTemplate, spouseEdit);
  layout->addWidget(extension_);
  connect(files_, &QFileDialog::finished, this, [this](int r) { done(r == QDialog::Accepted ? ui::IDOK : ui::IDCANCEL); });
  if (auto* print = qobject_cast<QCheckBox*>(GetDlgItem(kPrintCopyCheck)))
    connect(print, &QCheckBox::toggled, this, [this](bool on) { printCopy = on ? 1 : 0; });
}

QWidget* CDlgInternet::GetDlgItem(int id) const { return ui::FindControl(extension_, id); }

void CDlgInternet::SetSpouseFileName(const QString& name) {
  spouseFileName_ = name;
  spouseMode_ = 1;
}

void CDlgInternet::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1) {
    platform::ShowHelp(kFilingHelpTopic);
    return;
  }
  QDialog::keyPressEvent(e);
}

void CDlgInternet::showEvent(QShowEvent* e) {
  OnInitDialog();
  QDialog::showEvent(e);
}

void CDlgInternet::OnInitDialog() {
  if (initialised_) return;
  initialised_ = true;
  if (auto* print = qobject_cast<QCheckBox*>(GetDlgItem(kPrintCopyCheck))) {
    print->setEnabled(true);
    print->setChecked(printCopy != 0);
  }
  if (spouseMode_) {
    GetDlgItem(kSpouseLabel)->show();
    GetDlgItem(kSpouseEdit)->show();
    if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(kSpouseEdit))) edit->setText(spouseFileName_);
  }
  if (remote_) {
    // The file goes to the remote folder under the proposed name: nothing to choose there.
    if (QWidget* w = GetDlgItem(kImmediateCheck)) w->hide();
    for (QWidget* w : files_->findChildren<QWidget*>())
      if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QDialogButtonBox*>(w)) w->setEnabled(false);
    if (QWidget* edit = GetDlgItem(kSpouseEdit)) edit->setEnabled(false);
  }
}

int CDlgInternet::DoModal() { return exec() == ui::IDOK ? ui::IDOK : ui::IDCANCEL; }

QString CDlgInternet::WithExtension(const QString& path) {
  return QFileInfo(path).fileName().contains(u'.') ? path : path + QStringLiteral(".100");
}

bool CDlgInternet::OnFileNameOK(const QString& path) {
  const auto* immediate = qobject_cast<QCheckBox*>(GetDlgItem(kImmediateCheck));
  const auto takeImmediate = [&] { immediateFiling = immediate && !immediate->isHidden() && immediate->isChecked() ? 1 : 0; };
  if (!spouseMode_) {
    chosenPath_ = WithExtension(path);
    takeImmediate();
    return false;
  }
  QString s;
  if (const auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(kSpouseEdit))) s = edit->text();
  if (s.isEmpty()) return true;
  if (s.size() > 3 && !s.endsWith(QStringLiteral(".100"))) s += QStringLiteral(".100");
  const QFileInfo chosen(path);
  if (s == chosen.fileName()) {
    ShowFilingMessage(this, platform::LoadString(kStrSameFileNames), false);
    return true;
  }
  chosenPath_ = WithExtension(path);
  spouseFileName_ = chosen.dir().filePath(s);
  if (QFileInfo::exists(spouseFileName_)) {
    QString text = platform::LoadString(kStrSpouseFileExists);
    text.replace(QStringLiteral("%%f%%"), spouseFileName_);
    if (ShowFilingMessage(this, text, true) != kAnswerYes) return true;
  }
  takeImmediate();
  return false;
}

bool CDlgInternet::TakeSpouseFile() {
  if (!spouseMode_) return false;
  spouseMode_ = 0;
  chosenPath_ = spouseFileName_;
  return true;
}

CPresentacionTelematicaDeclaracionDlg::CPresentacionTelematicaDeclaracionDlg(int documentKind, const QString& version,
                                                                             QWidget* parent)
    : CTemplateDlg(kPresentationTemplate, parent), documentKind_(documentKind), version_(version) {
  EnsureCreated();
}

QString CPresentacionTelematicaDeclaracionDlg::FilingAddress() const {
  const QString model = documentKind_ == 3 ? QStringLiteral("714") : platform::LoadString(kStrModel100);
  return platform::FilingWebAddress(model, platform::LoadString(kStrExercise), version_, fileName);
}

void CPresentacionTelematicaDeclaracionDlg::OnOK() {
  if (CLinkLabel::OpenURL(FilingAddress(), CLinkLabel::kShowCommand, QStringLiteral("new")) <=
      CLinkLabel::kOpenFailedLimit)
    ShowFilingMessage(this, platform::LoadString(kStrImmediateFailed), false);
  CTemplateDlg::OnOK();
}

void CPresentacionTelematicaDeclaracionDlg::OnCancel() {
  if (ShowFilingMessage(this, platform::LoadString(kStrImmediateCancelled) + fileName, true) == kAnswerYes)
    QFile::remove(fileName);
  CTemplateDlg::OnCancel();
}

}  // namespace forms
