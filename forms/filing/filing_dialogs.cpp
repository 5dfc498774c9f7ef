#include "forms/filing/filing_dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QApplication>
#include <QVBoxLayout>

#include "platform/help.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "platform/web_address.h"
#include "ui/controls/file_dialog_ex.h"
#include "ui/controls/link_label.h"
#include "ui/edit_host.h"
#include "ui/messages.h"

namespace forms {

namespace {

using ui::Ctl;

// The filing dialog: template 274, and template 1 (remote mode) without the paragraph on
// immediate filing. The folder and name fields stand where the save dialog's own were.
constexpr ui::ControlDef kFilingControls[] = {
    {.kind = Ctl::Static, .textId = kStrFilingExplanation, .row = 0, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = kStrImmediateExplanation, .row = 1, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = kStrFolder, .row = 2, .col = 0},
    {.id = kFolderEdit, .kind = Ctl::Custom, .row = 2, .col = 1},
    {.id = kBrowseButton, .kind = Ctl::Button, .textId = kStrBrowse, .row = 2, .col = 2},
    {.kind = Ctl::Static, .textId = kStrFileName, .row = 3, .col = 0},
    {.id = kFileNameEdit, .kind = Ctl::Custom, .row = 3, .col = 1},
    {.id = kSpouseLabel, .kind = Ctl::Static, .textId = kStrSpouseName, .row = 4, .col = 0, .hidden = true},
    {.id = kSpouseEdit, .kind = Ctl::Custom, .row = 4, .col = 1, .hidden = true},
    {.id = kPrintCopyCheck, .kind = Ctl::CheckBox, .textId = kStrPrintCopy, .row = 5, .col = 0, .colSpan = 3},
    {.id = kImmediateCheck, .kind = Ctl::CheckBox, .textId = kStrImmediate, .row = 6, .col = 0, .colSpan = 3},
};
constexpr ui::DialogTemplate kFilingTemplate{274, nullptr, kStrFilingDialogCaption, kFilingControls};
constexpr ui::ControlDef kRemoteFilingControls[] = {
    {.kind = Ctl::Static, .textId = kStrFilingExplanation, .row = 0, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = kStrFolder, .row = 1, .col = 0},
    {.id = kFolderEdit, .kind = Ctl::Custom, .row = 1, .col = 1},
    {.id = kBrowseButton, .kind = Ctl::Button, .textId = kStrBrowse, .row = 1, .col = 2},
    {.kind = Ctl::Static, .textId = kStrFileName, .row = 2, .col = 0},
    {.id = kFileNameEdit, .kind = Ctl::Custom, .row = 2, .col = 1},
    {.id = kSpouseLabel, .kind = Ctl::Static, .textId = kStrSpouseName, .row = 3, .col = 0, .hidden = true},
    {.id = kSpouseEdit, .kind = Ctl::Custom, .row = 3, .col = 1, .hidden = true},
    {.id = kPrintCopyCheck, .kind = Ctl::CheckBox, .textId = kStrPrintCopy, .row = 4, .col = 0, .colSpan = 3},
    {.id = kImmediateCheck, .kind = Ctl::CheckBox, .textId = kStrImmediate, .row = 5, .col = 0, .colSpan = 3},
};
constexpr ui::DialogTemplate kRemoteFilingTemplate{1, nullptr, kStrFilingDialogCaption, kRemoteFilingControls};
// Aceptar, Cancelar and Ayuda, in a row of their own at the foot.
constexpr ui::ControlDef kFilingButtons[] = {
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = kStrHelpButtonText},
};

constexpr ui::ControlDef kPresentationControls[] = {
    {.kind = Ctl::Static, .textId = kStrPresentationText, .row = 0, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = kStrContinue, .row = 1, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 1, .col = 1},
};
constexpr ui::DialogTemplate kPresentationTemplate{283, nullptr, kStrPresentationCaption, kPresentationControls};

}  // namespace

int ShowFilingMessage(QWidget* parent, const QString& text, bool yesNo) {
  return ui::ShowPlain(parent, QApplication::applicationDisplayName(), text,
                       yesNo ? platform::kIconQuestion : platform::kIconAsterisk,
                       yesNo ? PlainButtons::YesNo : PlainButtons::Ok);
}

CDlgInternet::CDlgInternet(const QString& defaultExtension, const QString& proposedName, const QString& baseFolder,
                           bool remote, QWidget* parent)
    : QDialog(parent),
      defaultExtension_(defaultExtension),
      proposedName_(proposedName),
      baseFolder_(baseFolder),
      remote_(remote) {
  setWindowTitle(platform::LoadString(kStrFilingDialogCaption));
  auto* layout = new QVBoxLayout(this);
  auto* fields = new QWidget(this);
  const auto lineEdit = [](const ui::ControlDef& def, QWidget* p) -> QWidget* {
    auto* e = new QLineEdit(p);
    ui::SetControlId(e, def.id);
    if (def.id == kFolderEdit || def.id == kFileNameEdit) e->setMinimumWidth(e->fontMetrics().averageCharWidth() * 48);
    return e;
  };
  ui::BuildTemplate(fields, remote ? kRemoteFilingTemplate : kFilingTemplate, lineEdit);
  for (auto* label : fields->findChildren<QLabel*>()) label->setWordWrap(true);
  layout->addWidget(fields);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (const ui::ControlDef& def : kFilingButtons) buttons->addWidget(ui::CreateControl(def, this));
  layout->addLayout(buttons);

  const auto button = [this](int id) { return qobject_cast<QAbstractButton*>(GetDlgItem(id)); };
  if (auto* ok = button(ui::IDOK)) {
    connect(ok, &QAbstractButton::clicked, this, [this] { OnOK(); });
    if (auto* push = qobject_cast<QPushButton*>(ok)) push->setDefault(true);
  }
  if (auto* cancel = button(ui::IDCANCEL)) connect(cancel, &QAbstractButton::clicked, this, [this] { OnCancel(); });
  if (auto* help = button(ui::kHelpButtonId))
    connect(help, &QAbstractButton::clicked, this, [] { platform::ShowHelp(kFilingHelpTopic); });
  if (auto* browse = button(kBrowseButton)) connect(browse, &QAbstractButton::clicked, this, [this] { OnBrowse(); });
  if (auto* print = qobject_cast<QCheckBox*>(GetDlgItem(kPrintCopyCheck)))
    connect(print, &QCheckBox::toggled, this, [this](bool on) { printCopy = on ? 1 : 0; });
  if (auto* folder = qobject_cast<QLineEdit*>(GetDlgItem(kFolderEdit))) folder->setText(QDir::toNativeSeparators(baseFolder));
  if (auto* name = qobject_cast<QLineEdit*>(GetDlgItem(kFileNameEdit))) name->setText(proposedName);
}

QWidget* CDlgInternet::GetDlgItem(int id) const { return ui::FindControl(this, id); }

QString CDlgInternet::Text(int id) const {
  const auto* edit = qobject_cast<const QLineEdit*>(GetDlgItem(id));
  return edit ? edit->text().trimmed() : QString();
}

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
    for (int id : {int(kFolderEdit), int(kFileNameEdit), int(kBrowseButton), int(kSpouseEdit)})
      if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
  }
  if (auto* name = qobject_cast<QLineEdit*>(GetDlgItem(kFileNameEdit)); name && name->isEnabled()) {
    name->setFocus();
    name->selectAll();
  }
}

int CDlgInternet::DoModal() { return exec() == ui::IDOK ? ui::IDOK : ui::IDCANCEL; }

QString CDlgInternet::WithExtension(const QString& path) {
  return QFileInfo(path).fileName().contains(u'.') ? path : path + QStringLiteral(".100");
}

QString CDlgInternet::TypedPath() const {
  const QString name = Text(kFileNameEdit);
  if (name.isEmpty()) return {};
  const QString folder = Text(kFolderEdit);
  QString path = QDir::cleanPath(folder.isEmpty() ? name : QDir(folder).filePath(name));
  // As the save dialog does: a name without an extension takes the form's.
  if (!QFileInfo(path).fileName().contains(u'.') && !defaultExtension_.isEmpty())
    path += QLatin1Char('.') + defaultExtension_;
  return path;
}

void CDlgInternet::OnOK() {
  const QString path = TypedPath();
  if (path.isEmpty()) {
    if (QWidget* name = GetDlgItem(kFileNameEdit)) name->setFocus();
    return;
  }
  if (QFileInfo::exists(path)) {
    QString text = platform::LoadString(kStrSpouseFileExists);
    text.replace(QStringLiteral("%%f%%"), QDir::toNativeSeparators(path));
    if (ShowFilingMessage(this, text, true) != kAnswerYes) return;
  }
  if (OnFileNameOK(path)) return;
  done(ui::IDOK);
}

void CDlgInternet::OnCancel() { done(ui::IDCANCEL); }

void CDlgInternet::OnBrowse() {
  const bool form714 = defaultExtension_ == QLatin1String("714");
  const QString filter = platform::LoadString(form714 ? kStrFilter714 : kStrFilter100) + QStringLiteral("|*.") +
                         defaultExtension_ + QStringLiteral("||");
  const QString folder = Text(kFolderEdit);
  const QString name = Text(kFileNameEdit);
  CFileDialogEx files(false, defaultExtension_, folder.isEmpty() ? name : QDir(folder).filePath(name), 0, filter, this);
  files.setWindowTitle(windowTitle());
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) files.setDirectory(folder);
  if (files.DoModal() != CFileDialogEx::kIdOk) return;
  const QFileInfo chosen(files.GetPathName());
  if (chosen.fileName().isEmpty()) return;
  if (auto* f = qobject_cast<QLineEdit*>(GetDlgItem(kFolderEdit))) f->setText(QDir::toNativeSeparators(chosen.path()));
  if (auto* n = qobject_cast<QLineEdit*>(GetDlgItem(kFileNameEdit))) n->setText(chosen.fileName());
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
