#include "app/application.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QStatusBar>
#include <QTimer>

#include <filesystem>

#include "app/about_dialog.h"
#include "app/app_texts.h"
#include "app/intro_dialog.h"
#include "app/main_frame.h"
#include "app/sections_bar.h"
#include "app/single_instance.h"
#include "app/version_info.h"
#include "data/store/store.h"
#include "platform/help.h"
#include "platform/strings.h"
#include "ui/controls/calculator_dlg.h"
#include "ui/session.h"

namespace app {

namespace {

std::string WithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

bool IsLanguageLetter(char c) { return c == 'e' || c == 'c' || c == 'g' || c == 'v'; }

// Rejects the dialogs (and closes the other windows) that run modally, innermost first.
void CloseModalWindows() {
  while (QWidget* w = QApplication::activeModalWidget()) {
    if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    else w->close();
    if (QApplication::activeModalWidget() == w) break;  // it refused to close
  }
}

// Runs `painted` once a window has been painted: at once for one painted already or for none,
// otherwise after its first paint has ended.
class PaintWatch : public QObject {
 public:
  std::function<void()> painted;
  void Await(QWidget* window) {
    if (!window || seen_.contains(window)) painted();
    else awaited_ = window;
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow()) {
      seen_.insert(o);
      if (o == awaited_) {
        awaited_ = nullptr;
        QTimer::singleShot(0, this, [this] { painted(); });
      }
    }
    return false;
  }

 private:
  QSet<QObject*> seen_;
  QPointer<QObject> awaited_;
};

bool SameFolder(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  auto normal = [](const std::string& d) { return fs::path(WithSlash(d)).lexically_normal(); };
  return normal(a) == normal(b);
}

}  // namespace

// Database errors reach the user one message box each.
class CRentaApp::Reporter : public db::ErrorReporter {
 public:
  explicit Reporter(CRentaApp& app) : app_(app) {}
  void Report(const db::DbError& error) override {
    ShowMessage(app_.MainFrame(), {QString(), QString::fromStdString(error.Text()), kIconStop});
  }

 private:
  CRentaApp& app_;
};

AppOptions AppOptions::FromEnvironment() {
  AppOptions o;
  o.instanceName = DefaultInstanceName();
  const QByteArray config = qgetenv("QX_CONFIG_DIR");
  const std::string configDir = config.isEmpty() ? db::UserConfigDir() : WithSlash(config.toStdString());
  if (!config.isEmpty()) QDir().mkpath(QString::fromStdString(configDir));
  o.profilePath = configDir + settings::kProfileName;
  const QByteArray data = qgetenv("QX_DATA_DIR");
  o.folders.userData = data.isEmpty() ? db::UserDataDir() : WithSlash(data.toStdString());
  o.folders.shipped = db::ShippedDataDir();
  return o;
}

CRentaApp::CRentaApp(AppOptions options) : options_(std::move(options)), reporter_(std::make_unique<Reporter>(*this)) {
  profile_ = std::make_unique<settings::SettingsProfile>(options_.profilePath, options_.folders);
  profile_->SetProblemHandler([this](settings::ProfileProblem problem) {
    const int id = problem == settings::ProfileProblem::Unreadable ? kStrProfileUnreadable : kStrProfileUnwritable;
    ShowMessage(frame_.get(), {QString(), Text(id), kIconWarning});
  });
  databases_.SetReporter(reporter_.get());
  helpViewer_ = [](const QString&, int topic) { platform::ShowHelp(topic); };
}

CRentaApp::~CRentaApp() {
  if (ui::CurrentSession().mainWindow == frame_.get()) ui::CurrentSession().mainWindow = nullptr;
  frame_.reset();
  databases_.Close();
}

CRentaApp::Start CRentaApp::CheckSingleInstance() {
  // One writer per store, whichever profile, user or machine opens it: the lock lies beside the
  // store. A folder that is not there yet (and that the start-up may not make) keeps the lock in
  // the user's data folder; the store then does not open anyway.
  profile_->ReadStartup();
  const std::string store = DeclarationsDbPath();
  const bool mayCreate = profile_->values.remota != 0 || SameFolder(store, options_.folders.userData);
  if (mayCreate && !store.empty()) QDir().mkpath(QString::fromStdString(store));
  const bool beside = !store.empty() && QFileInfo(QString::fromStdString(store)).isDir();
  const std::string lockFolder = beside ? store : WithSlash(options_.folders.userData);
  const QString lockPath = QString::fromStdString(lockFolder) + QLatin1String(SingleInstance::kLockFileName);
  // Copies of one user on different stores answer on different names.
  QString name = options_.instanceName;
  if (beside && !SameFolder(store, options_.folders.userData))
    name += QLatin1Char('-') +
            QString::number(qHash(QFileInfo(QString::fromStdString(store)).canonicalFilePath()), 16);
  instance_ = std::make_unique<SingleInstance>(name, lockPath, options_.handOverMs);
  switch (instance_->TryClaim()) {
    case SingleInstance::Claim::Running: break;
    case SingleInstance::Claim::HandedOver: return Start::HandedOver;
    case SingleInstance::Claim::Refused: {
      // Said in the user's language, read from the profile without writing it.
      const std::string& letter = profile_->values.idiomaV;
      SetTextLanguage(!letter.empty() && IsLanguageLetter(letter[0]) ? letter[0] : 'e');
      ShowMessage(nullptr, {QString(), Text(kStrNoHandOver), kIconStop});
      return Start::Failed;
    }
  }
  connect(instance_.get(), &SingleInstance::activationRequested, this, [this] { BringToFront(frame_.get()); });
  return Start::Running;
}

CRentaApp::Start CRentaApp::InitInstance() {
  // 1. One running copy.
  if (const Start claim = CheckSingleInstance(); claim != Start::Running) return claim;
  // 2. The start directory.
  startDir_ = QDir::currentPath() + QLatin1Char('/');
  // 5. Settings read before anything is shown.
  profile_->ReadStartup();
  const settings::ProfileValues& v = profile_->values;
  remote_ = v.remota;
  accessibility_ = v.accesibilidad;
  printingLetter_ = v.idiomaI.empty() ? 'e' : v.idiomaI[0];
  zoom_ = QString::fromStdString(v.zoom);
  // 6. The texts of the interface language.
  LoadLanguageLibrary(v.idiomaV.empty() ? 'e' : v.idiomaV[0]);
  // 7. The introduction (an unattended run has no one to answer it).
  if (profile_->ShowIntroduction() && (!options_.atIndex || options_.runIntroduction)) RunIntroduction();
  // 8. The two document templates.
  CreateTemplates();
  // 10. The main frame.
  frame_ = std::make_unique<CMainFrame>(*this);
  ui::CurrentSession().mainWindow = frame_.get();
  ui::CurrentSession().plainColours = accessibility_ != 0;
  // 12. An embedded start leaves the frame hidden, with no database and no index. Only a client
  // could end it: with none, it ends by itself instead of staying as an invisible process.
  if (options_.embedding) {
    embeddingWait_.setSingleShot(true);
    connect(&embeddingWait_, &QTimer::timeout, this, [this] { Quit(0); });
    embeddingWait_.start(options_.embeddingWaitMs);
    return Start::Embedded;
  }
  // 13. Title and show state.
  frame_->setWindowTitle(Text(kStrProductTitle));
  if (profile_->values.showState == settings::ShowState::Normal) frame_->showNormal();
  else frame_->showMaximized();
  // 14. The databases.
  if (!OpenDatabases()) return Start::Failed;
  // 15. The help file of the interface language.
  BuildHelpPath();
  // 16. The declarations index.
  if (options_.atIndex) RunOpenCommandUnattended();
  else RunOpenCommand(false);
  return Start::Running;
}

void CRentaApp::RunOpenCommandUnattended() {
  // The index is modal: the run's action comes from the index's own event loop, once the index
  // has been painted (before that the user would see nothing of it).
  bool reached = false;
  QEventLoop waitForAction;
  PaintWatch watch;
  watch.painted = [&] {
    if (reached) return;
    reached = true;
    options_.atIndex();
    CloseModalWindows();
    waitForAction.quit();
  };
  qApp->installEventFilter(&watch);
  QTimer at;
  at.setSingleShot(true);
  connect(&at, &QTimer::timeout, &watch, [&watch] { watch.Await(QApplication::activeModalWidget()); });
  at.start(options_.atIndexDelayMs);
  RunOpenCommand(false);
  // An index that was not modal has ended already; the action still runs at its time.
  if (!reached) waitForAction.exec();
  qApp->removeEventFilter(&watch);
}

void CRentaApp::Quit(int code) {
  if (options_.quit) options_.quit(code);
  else QCoreApplication::exit(code);
}

int CRentaApp::ExitInstance(int exitCode) {
  // The remote export only runs over databases that were opened.
  if (remote_ && databasesOpened_ && remoteExport_) remoteExport_();
  if (instance_) instance_->Release();
  if (ui::CurrentSession().mainWindow == frame_.get()) ui::CurrentSession().mainWindow = nullptr;
  frame_.reset();
  databases_.Close();
  databasesOpened_ = false;
  return exitCode;
}

std::string CRentaApp::DeclarationsDbPath() const { return WithSlash(TrimRight(profile_->values.dirBDRed)); }
std::string CRentaApp::LocalDbPath() const { return WithSlash(TrimRight(profile_->values.dirBDLocal)); }

bool CRentaApp::OpenDatabases() {
  // The declarations database is made on the first run in the default folder only. A folder
  // set in the profile holds the user's declarations: when the file is not there, making an
  // empty one would hide them, so the start-up stops instead. Remote mode is the exception:
  // its store is refilled from the local copies at the first index of every run.
  const std::string declarations = DeclarationsDbPath();
  const bool mayCreate = remote_ != 0 || SameFolder(declarations, options_.folders.userData);
  switch (databases_.Open(declarations, LocalDbPath(), mayCreate)) {
    case db::OpenFailure::None:
      // A declarations file cut short reads zeros where its lost pages were: say so at once.
      if (!databases_.Declarations().FileMatchesPageCount())
        ShowMessage(frame_.get(), {QString::fromUtf8(store::msg::kDatabaseCut.data(), store::msg::kDatabaseCut.size()),
                                   QString(), kIconWarning,
                                   QString::fromStdString(databases_.Declarations().Path())});
      // Nothing could be saved: said once, before the user starts typing.
      if (databases_.Declarations().ReadOnly())
        ShowMessage(frame_.get(), {QString(), Text(kStrStoreReadOnly), kIconWarning});
      databasesOpened_ = true;
      emit databasesOpened();
      return true;
    case db::OpenFailure::Declarations:
      ShowMessage(frame_.get(), {QString(), Text(kStrDbRed), kIconStop});
      break;
    case db::OpenFailure::NotAStore:
      ShowMessage(frame_.get(), {QString(), Text(kStrStoreNotOurs).arg(QString::fromStdString(declarations + db::kDeclarationsFile)),
                                 kIconStop});
      break;
    case db::OpenFailure::Local:
      ShowMessage(frame_.get(), {QString(), Text(kStrDbLocal), kIconStop});
      break;
    case db::OpenFailure::Modules:
      ShowMessage(frame_.get(), {QString(), Text(kStrDbModules), kIconStop});
      break;
  }
  return false;
}

void CRentaApp::BuildHelpPath() {
  QString name = QStringLiteral("quildxae.hlp");
  name[7] = QChar::fromLatin1(InterfaceLanguage());
  helpFile_ = QString::fromStdString(profile_->values.dirBase) + name;
}

void CRentaApp::RunIntroduction() {
  CIntroDlg dlg(nullptr, QString::fromStdString(profile_->values.dirBase), InterfaceLanguage(), accessibility_ != 0);
  const bool continued = options_.runIntroduction ? options_.runIntroduction(dlg) : dlg.exec() == QDialog::Accepted;
  if (continued && dlg.DontShowAgain()) profile_->DisableIntroduction();
}

void CRentaApp::CreateTemplates() {
  templates_[0] = std::make_unique<CDeclarTemplate>(kForm100Template, QString::fromLatin1(kForm100TypeName), factories_[0]);
  templates_[1] = std::make_unique<CDeclarTemplate>(kForm714Template, QString::fromLatin1(kForm714TypeName), factories_[1]);
  for (auto& t : templates_)
    t->SetBeforeClose([this] {
      if (frame_) frame_->HideSectionsBar();
    });
}

void CRentaApp::SetDocumentFactory(int templateId, DocumentFactory factory) {
  const int i = templateId == kForm714Template ? 1 : 0;
  factories_[i] = factory;
  if (templates_[i]) templates_[i]->SetFactory(std::move(factory));
}

CDeclarTemplate* CRentaApp::TemplateByType(const QString& typeName) {
  for (auto& t : templates_)
    if (t && t->TypeName() == typeName) return t.get();
  return nullptr;
}

IDeclarationDocument* CRentaApp::GetCurrentDocument() const {
  for (const auto& t : templates_)
    if (t && t->FirstDocument()) return t->FirstDocument();
  return nullptr;
}

bool CRentaApp::CloseAllDeclarations() {
  for (auto& t : templates_)
    if (t && !t->CloseAllDocuments()) return false;
  if (frame_) frame_->UpdateCommandStates();
  return true;
}

void CRentaApp::WhenDocumentIdle(std::function<void()> action, int delayMs) {
  QTimer::singleShot(delayMs, this, [this, action = std::move(action)]() mutable {
    // A declaration still busy has a message box of its own up: look again a little later.
    IDeclarationDocument* d = GetCurrentDocument();
    if (d && d->Busy()) {
      WhenDocumentIdle(std::move(action), 50);
      return;
    }
    action();
  });
}

void CRentaApp::RunOpenCommand(bool newFlag) {
  std::string key, text;
  const int kind = SelectDeclaration(newFlag, key, text);
  if (kind >= 0) OpenDeclaration(key, kind, text, newFlag);
}

int CRentaApp::SelectDeclaration(bool& newFlag, std::string& key, std::string& text) {
  if (frame_) {
    frame_->SetPaneText(1, QString());
    frame_->SetPaneText(2, QString());
  }
  if (!CloseAllDeclarations()) return -1;
  if (!index_) return -1;
  const IndexChoice choice = index_->Run(frame_.get(), newFlag);
  if (choice.result == IndexChoice::Ok || choice.newFlag) {
    key = choice.key;
    text.clear();
    newFlag = choice.newFlag;
    return choice.wealthTax ? 3 : 2;
  }
  return choice.result == IndexChoice::Cancel ? -2 : -1;
}

void CRentaApp::OpenDeclaration(const std::string& key, int kind, const std::string& text, bool newFlag) {
  CDeclarTemplate* t = TemplateByType(QString::fromLatin1(kind == 2 ? kForm100TypeName : kForm714TypeName));
  if (!t) return;
  IDeclarationDocument* doc = t->OpenDocumentFile(frame_.get());
  if (!doc) return;
  if (!doc->OpenDeclaration(key, text, newFlag)) {
    // Closed as any other, so that a new declaration that never opened leaves no row behind.
    if (!t->CloseAllDocuments()) t->RemoveDocument(doc);
    if (frame_) frame_->UpdateCommandStates();
    return;
  }
  if (frame_) frame_->setWindowTitle(Text(kStrProductTitle));
  doc->SetTitle(QString::fromStdString(key));
  const int kindByte = doc->KindByte();
  if (kindByte != 2 && kindByte != 3) return;
  if (frame_) {
    frame_->ShowSectionsForDeclaration(kindByte == 2 ? 200 : 300);
    frame_->UpdateCommandStates();
  }
}

char CRentaApp::InterfaceLanguage() const { return platform::Language(); }

void CRentaApp::LoadLanguageLibrary(char letter) {
  if (IsLanguageLetter(letter)) {
    SetTextLanguage(letter);
    return;
  }
  // No texts for that letter: the program's own (Castellano) stay.
  SetTextLanguage('e');
  ShowMessage(frame_.get(), {QString(), Text(kStrLanguageLib).replace(QStringLiteral("%d"), QStringLiteral("2")), kIconWarning});
}

void CRentaApp::SwitchLanguage(char letter) {
  if (letter == InterfaceLanguage()) return;
  IDeclarationDocument* doc = GetCurrentDocument();
  IDeclarationDocument::Place place;
  std::string key;
  int kind = 0;
  if (doc) {
    place = doc->CurrentPlace();
    kind = doc->KindByte();
    key = doc->Key();
    keyToReopen_ = key;
    if (!CloseAllDeclarations()) return;
  }
  printingLetter_ = letter;
  profile_->values.idiomaV = std::string(1, letter);
  profile_->values.idiomaI = std::string(1, letter);
  templates_[0].reset();
  templates_[1].reset();
  LoadLanguageLibrary(letter);
  CreateTemplates();
  if (frame_) frame_->ReloadMenus();
  BuildHelpPath();
  if (doc) {
    if (!key.empty()) {
      OpenDeclaration(key, kind, "01", false);
      if (IDeclarationDocument* reopened = GetCurrentDocument()) reopened->RestorePlace(place);
    } else if (frame_) {
      frame_->SetPaneText(1, QString());
      frame_->SetPaneText(2, QString());
    }
  }
  emit languageChanged(letter);
}

void CRentaApp::OnReorganizeData() {
  db::CAdoConnection& c = databases_.Declarations();
  if (!c.IsOpen()) {
    ShowMessage(frame_.get(), {QStringLiteral("WIN024"), QString(), kIconWarning});
    return;
  }
  // The compaction rewrites the file and reopens it; a failure leaves the original open.
  if (c.Compact()) ShowMessage(frame_.get(), {QStringLiteral("WIN033"), QString(), kIconWarning});
  else ShowMessage(frame_.get(), {QStringLiteral("WIN024"), QString(), kIconWarning});
}

void CRentaApp::SetZoomText(const QString& text) {
  zoom_ = text;
  profile_->values.zoom = text.toStdString();
}

void CRentaApp::SetAccessibility(bool on) {
  accessibility_ = on ? 1 : 0;
  ui::CurrentSession().plainColours = on;
}

void CRentaApp::OnCalculator() {
  CCalculadoraDlg dlg(nullptr);
  dlg.SetResultUsable(1);
  dlg.DoModal();
}

void CRentaApp::OnAbout() {
  CAboutDlg dlg(frame_.get(), InterfaceLanguage(), accessibility_ != 0, remote_ != 0);
  dlg.exec();
}

int CRentaApp::HelpTopicFor(int helpId) const {
  if (helpId == 0 || helpId >= 1000 || !GetCurrentDocument()) return 1;
  return helpId;
}

void CRentaApp::WinHelp(int helpId) {
  if (helpViewer_) helpViewer_(helpFile_, HelpTopicFor(helpId));
}

void CRentaApp::RunVersionUpdate() {
  if (IDeclarationDocument* doc = GetCurrentDocument()) doc->Save();
  if (!updateAvailable_ || updateAvailable_() == 0) {
    ShowMessage(frame_.get(), {QString(), Text(kStrUpdateUnavailable), kIconInfo});
    return;
  }
  if (updateRun_)
    updateRun_(QStringLiteral("100"), QString::number(kTaxYear), GetProductVersion(), QString::fromLatin1(kUpdateService),
               startDir_ + QStringLiteral("SP/"));
}

void CRentaApp::SetUpdateService(UpdateAvailable available, UpdateRun run) {
  updateAvailable_ = std::move(available);
  updateRun_ = std::move(run);
}

}  // namespace app
