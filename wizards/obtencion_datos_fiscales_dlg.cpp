#include "wizards/obtencion_datos_fiscales_dlg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRadioButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/controls/file_dialog_ex.h"
#include "ui/controls/profile_store.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"
#include "ui/owner_draw_button.h"
#include "wizards/fiscal_file.h"
#include "wizards/fiscal_helpers.h"

namespace {

using ui::Ctl;

constexpr int kGroupStep1 = 10, kGroupStep2 = 11;
constexpr int kStrContinueStep1 = 71, kStrContinueStep2 = 144, kStrModel = 2255, kStrYear = 2256;
constexpr int kStrDownloadFailed = 98043, kStrFileFilter = 98044;
constexpr int kHelpTopic = 780;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 98031, .row = 0, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 98032, .row = 1, .col = 0},
    {.id = CObtencionDatosFiscalesDlg::kIdMemberLabel, .kind = Ctl::Legend, .row = 1, .col = 1, .colSpan = 2},
    {.id = 24605, .kind = Ctl::Static, .textId = 98033, .row = 2, .col = 0},
    {.id = CObtencionDatosFiscalesDlg::kIdNif, .kind = Ctl::Legend, .row = 2, .col = 1, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 98034, .row = 3, .col = 0},
    {.id = CObtencionDatosFiscalesDlg::kIdSurnameEdit, .kind = Ctl::Alfa, .row = 3, .col = 1, .width = 15},
    {.id = kGroupStep1, .kind = Ctl::GroupBox, .textId = 98035, .row = 4, .col = 0, .colSpan = 3},
    {.id = CObtencionDatosFiscalesDlg::kIdCertificate, .kind = Ctl::Custom, .textId = 98036, .row = 0, .col = 0,
     .colSpan = 2, .group = kGroupStep1},
    {.id = CObtencionDatosFiscalesDlg::kIdReference, .kind = Ctl::Custom, .textId = 98037, .row = 1, .col = 0,
     .colSpan = 2, .group = kGroupStep1},
    {.id = CObtencionDatosFiscalesDlg::kIdReferenceLabel, .kind = Ctl::Static, .textId = 98038, .row = 2, .col = 0,
     .group = kGroupStep1},
    {.id = CObtencionDatosFiscalesDlg::kIdReferenceEdit, .kind = Ctl::Edit, .row = 2, .col = 1, .group = kGroupStep1,
     .width = 19},
    {.id = kGroupStep2, .kind = Ctl::GroupBox, .textId = 98039, .row = 5, .col = 0, .colSpan = 3},
    {.id = CObtencionDatosFiscalesDlg::kIdFile, .kind = Ctl::Custom, .textId = 98040, .row = 0, .col = 0,
     .group = kGroupStep2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 98042, .row = 6, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 6, .col = 1},
    {.id = CObtencionDatosFiscalesDlg::kIdContinue, .kind = Ctl::Button, .textId = 98041, .row = 6, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = CObtencionDatosFiscalesDlg::IDD, .captionId = 98030, .controls = kControls};

// The declarant's name of role by interface language.
int MemberLabelId(char language) {
  switch (language) {
    case 'e': return 77;
    case 'c': return 80;
    case 'g': return 83;
    case 'v': return 84;
    default: return 0;
  }
}

QString FieldText(const char* field, std::size_t size) {
  std::string s(field, size);
  if (const auto end = s.find('\0'); end != std::string::npos) s.resize(end);
  return QString::fromStdString(platform::Cp1252ToUtf8(s));
}

}  // namespace

CObtencionDatosFiscalesDlg::CObtencionDatosFiscalesDlg(QWidget* parent)
    : CTemplateDlg(kTemplate, parent), productVersion(QCoreApplication::applicationVersion()) {}

CObtencionDatosFiscalesDlg::~CObtencionDatosFiscalesDlg() {
  if (reply_) {
    reply_->disconnect(this);
    reply_->abort();
  }
}

QWidget* CObtencionDatosFiscalesDlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  auto* radio = new QRadioButton(ui::ControlText(def), parent);
  radio->setAutoExclusive(false);  // the three choices sit in two group boxes
  return radio;
}

void CObtencionDatosFiscalesDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  Edit(kIdSurnameEdit)->BindData(surname_);
  Edit(kIdReferenceEdit)->BindData(reference_);
  if (auto* next = Item<COwnerDrawButton>(kIdContinue)) {
    next->SetIcon(151, 0, 32, 32);
    next->SetFlat(false);
    next->setEnabled(false);
  }
  for (int id : {ui::kHelpButtonId, static_cast<int>(ui::IDCANCEL)})
    if (auto* b = Item<COwnerDrawButton>(id)) b->SetFlat(false);
  // Room for the icon beside the longest caption the Continue button takes.
  for (int id : {ui::kHelpButtonId, static_cast<int>(ui::IDCANCEL), kIdContinue}) {
    auto* b = Item<COwnerDrawButton>(id);
    if (!b) continue;
    int text = b->fontMetrics().horizontalAdvance(b->text());
    if (id == kIdContinue)
      for (int caption : {kStrContinueStep1, kStrContinueStep2})
        text = std::max(text, b->fontMetrics().horizontalAdvance(platform::LoadString(caption)));
    b->setMinimumSize(text + 32 + 28, 40);
  }
  ShowDownloadOptions(false);
  GetDlgItem(kIdFile)->setVisible(true);
  if (nif.isEmpty() && declarantNif) nif = declarantNif();
  if (memberLabel.isEmpty())
    if (const int id = MemberLabelId(platform::Language())) memberLabel = platform::LoadString(id);
  Item<QLabel>(kIdNif)->setText(nif);
  Item<QLabel>(kIdMemberLabel)->setText(memberLabel.toUpper());
  ReloadControls();
}

void CObtencionDatosFiscalesDlg::ReloadControls() { CTemplatePropPg::UpdateChildControls(this, false); }

void CObtencionDatosFiscalesDlg::ShowReference(bool shown) {
  GetDlgItem(kIdReferenceEdit)->setVisible(shown);
  GetDlgItem(kIdReferenceLabel)->setVisible(shown);
}

void CObtencionDatosFiscalesDlg::ShowDownloadOptions(bool shown) {
  GetDlgItem(kIdCertificate)->setVisible(shown);
  GetDlgItem(kIdReference)->setVisible(shown);
  if (!shown) ShowReference(false);
}

void CObtencionDatosFiscalesDlg::SetContinueCaption(int stringId) {
  GetDlgItem(kIdContinue)->setProperty("text", platform::LoadString(stringId));
}

int CObtencionDatosFiscalesDlg::OnCommand(int id, int code) {
  if (code == ui::kBnClicked && id == ui::kHelpButtonId) {
    platform::ShowHelp(kHelpTopic);
    return 1;
  }
  return CTemplateDlg::OnCommand(id, code);
}

bool CObtencionDatosFiscalesDlg::OnButton(int id) {
  switch (id) {
    case kIdCertificate: OnCertificateChosen(); return true;
    case kIdReference: OnReferenceChosen(); return true;
    case kIdFile: OnFileChosen(); return true;
    case kIdContinue: OnContinuar(); return true;
    default: return false;
  }
}

int CObtencionDatosFiscalesDlg::OnEditChange(int id) {
  if (id == kIdSurnameEdit) ShowDownloadOptions(!Edit(kIdSurnameEdit)->text().trimmed().isEmpty());
  return 1;
}

int CObtencionDatosFiscalesDlg::OnEditKillFocus(int) {
  ReloadControls();
  return 1;
}

void CObtencionDatosFiscalesDlg::Choose(int choice, int radio, bool referenceShown, int captionId) {
  SetContinueCaption(captionId);
  for (int id : {kIdCertificate, kIdReference, kIdFile})
    if (auto* b = Item<QRadioButton>(id)) b->setChecked(id == radio);
  ShowReference(referenceShown);
  if (!referenceShown) {
    std::fill(std::begin(reference_), std::end(reference_), '\0');
    ReloadControls();
  }
  choice_ = choice;
  GetDlgItem(kIdContinue)->setEnabled(true);
}

void CObtencionDatosFiscalesDlg::OnCertificateChosen() { Choose(kByCertificate, kIdCertificate, false, kStrContinueStep1); }
void CObtencionDatosFiscalesDlg::OnReferenceChosen() { Choose(kByReference, kIdReference, true, kStrContinueStep1); }
void CObtencionDatosFiscalesDlg::OnFileChosen() { Choose(kChooseFile, kIdFile, false, kStrContinueStep2); }

void CObtencionDatosFiscalesDlg::OnContinuar() {
  switch (choice_) {
    case kByCertificate:
    case kByReference:
      if (choice_ == kByReference && (reference_[0] == '\0' || reference_[0] == ' ')) {
        // Only what the user typed since the edit last stored counts.
        CTemplatePropPg::UpdateChildControls(this, true);
        if (reference_[0] == '\0' || reference_[0] == ' ') break;
      }
      Download(choice_);
      SetContinueCaption(kStrContinueStep2);
      GetDlgItem(kIdFile)->setFocus();
      break;
    case kChooseFile:
      ChooseFile();
      if (!isVisible()) return;
      SetContinueCaption(kStrContinueStep2);
      break;
    default: break;
  }
  ReloadControls();
}

QString CObtencionDatosFiscalesDlg::Server() {
  QString server = ui::controls::ActiveProfile().GetString(QLatin1String(kServerSection), QLatin1String(kServerKey),
                                                           QLatin1String(kDefaultServer));
  while (server.endsWith(QLatin1Char('/'))) server.chop(1);
  return server;
}

QString CObtencionDatosFiscalesDlg::DownloadAddress(int choice) const {
  QString address = Server() + QStringLiteral("/vornes/acceso/servurl.htm?PRG=modelo&EJE=ejercicio&VER=version&URL=") +
                    (choice == kByReference ? QStringLiteral("DFR") : QStringLiteral("DFC")) + QStringLiteral("&EXT=NADA");
  address.replace(QStringLiteral("version"), productVersion);
  address.replace(QStringLiteral("modelo"), platform::LoadString(kStrModel));
  address.replace(QStringLiteral("ejercicio"), platform::LoadString(kStrYear));
  const QString surname = FieldText(surname_, sizeof surname_);
  QString query = QStringLiteral("?nif=%1&ape=%2").arg(nif, surname);
  if (choice == kByReference) query += QStringLiteral("&ref=") + FieldText(reference_, sizeof reference_);
  address.replace(QStringLiteral("NADA"), query);
  return address;
}

QString CObtencionDatosFiscalesDlg::BaseFolder() const {
  const QString base = ui::controls::ActiveProfile().GetString(QStringLiteral("Directorios"), QStringLiteral("DirBase"));
  if (!base.isEmpty() && QFileInfo(base).isDir()) return base;
  return QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
}

void CObtencionDatosFiscalesDlg::Download(int choice) {
  CTemplatePropPg::UpdateChildControls(this, true);
  if (reply_) return;  // one download at a time
  if (!network_) network_ = new QNetworkAccessManager(this);
  QNetworkRequest request(QUrl(DownloadAddress(choice), QUrl::TolerantMode));
  reply_ = network_->get(request);
  // A year's file of one taxpayer holds a few kilobytes: a larger answer is no such file.
  connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
    if (received > static_cast<qint64>(fiscal::ReadOptions().maxBytes) && reply_) reply_->abort();
  });
  connect(reply_, &QNetworkReply::finished, this, [this] { DownloadDone(reply_); });
}

void CObtencionDatosFiscalesDlg::DownloadDone(QNetworkReply* reply) {
  reply_ = nullptr;
  reply->deleteLater();
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
  bool ok = false;
  int message = kStrDownloadFailed;
  if (body.size() > static_cast<qint64>(fiscal::ReadOptions().maxBytes) ||
      reply->error() == QNetworkReply::OperationCanceledError) {
    message = fiscal::kMsgTooLarge;
  } else if (reply->error() == QNetworkReply::NoError && (status == 0 || status == 200) && !body.isEmpty()) {
    const QString name = (nif.trimmed().isEmpty() ? QStringLiteral("datos_fiscales") : nif.trimmed()) + QStringLiteral(".df");
    QSaveFile out(QDir(BaseFolder()).filePath(name));
    if (out.open(QIODevice::WriteOnly) && out.write(body) == body.size() && out.commit()) {
      downloaded_ = out.fileName();
      ok = true;
    }
  }
  if (!ok) fiscal::ShowStringMessage(message, this);
  emit downloadFinished(ok);
}

QString CObtencionDatosFiscalesDlg::AskForFile() {
  CFileDialogEx dlg(true, QStringLiteral("df"), downloaded_.isEmpty() ? QString() : QFileInfo(downloaded_).fileName(),
                    0, platform::LoadString(kStrFileFilter), this);
  dlg.setDirectory(BaseFolder());
  return dlg.DoModal() == CFileDialogEx::kIdOk ? dlg.GetPathName() : QString();
}

void CObtencionDatosFiscalesDlg::ChooseFile() {
  const QString path = AskForFile();
  if (path.isEmpty()) return;
  filePath_ = path;
  QFile f(path);
  if (!path.right(3).toUpper().endsWith(QStringLiteral(".DF")) || !QFileInfo(path).isFile() ||
      !f.open(QIODevice::ReadOnly)) {
    fiscal::ShowStringMessage(fiscal::kMsgUnreadable, this);
    return;
  }
  constexpr qint64 kLongestLine = 4096;
  f.readLine(kLongestLine);
  QByteArray second = f.readLine(kLongestLine);
  f.close();
  while (second.endsWith('\n') || second.endsWith('\r')) second.chop(1);
  const QByteArray member = platform::Utf8ToCp1252(nif.toStdString()).c_str();
  if (second.isEmpty() || second.mid(1, 9) != member.left(9)) {
    ui::ShowMessage(this, QStringLiteral("WIN048"), platform::kIconExclamation);
    done(kOtherNif);
    return;
  }
  done(kFileChosen);
}
