// The application object: start-up and shutdown, the three database connections, the settings
// read at start-up, and the commands that belong to no open declaration.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "app/doc_template.h"
#include "app/seams.h"
#include "data/db/databases.h"
#include "data/settings/profile.h"

namespace app {

class CMainFrame;
class CIntroDlg;
class SingleInstance;

struct AppOptions {
  QString instanceName;              // the single-instance socket
  std::string profilePath;           // QUILDXAN.INI
  settings::FolderDefaults folders;  // defaults of DirBDRed and DirBase/DirBDLocal
  std::string machine;               // this machine's name (empty: the host's), for its local copies
  bool embedding = false;            // started with /Embedding or /Automation
  int handOverMs = 3000;             // how long a later start waits for the running copy's answer
  // Runs the introduction dialog; answers whether it ended with Continue. Default: modal.
  std::function<bool(CIntroDlg&)> runIntroduction;
  // An unattended run (start-up timing, screenshots): `atIndex` is called from the event loop
  // `atIndexDelayMs` after start-up has reached the declarations index, once the index has been
  // painted, and then every modal window is closed so that start-up ends. The introduction is
  // only run when `runIntroduction` scripts it.
  std::function<void()> atIndex;
  int atIndexDelayMs = 0;
  // An embedded start with no client ends after this wait.
  static constexpr int kEmbeddingWaitMs = 5000;
  int embeddingWaitMs = kEmbeddingWaitMs;
  // Ends the program's event loop with a code. Default: QCoreApplication::exit.
  std::function<void(int)> quit;

  // Defaults from the environment: QX_CONFIG_DIR (profile folder), QX_DATA_DIR (declarations
  // folder), QX_RESOURCES_DIR (shipped data), QX_INSTANCE_NAME.
  static AppOptions FromEnvironment();
};

class CRentaApp : public QObject {
  Q_OBJECT
 public:
  explicit CRentaApp(AppOptions options);
  ~CRentaApp() override;

  enum class Start { Running, HandedOver, Failed, Embedded };
  Start InitInstance();
  // Shutdown in order: remote export, release of the instance name, the main frame (which saves
  // the settings), the local, modules and declarations connections.
  int ExitInstance(int exitCode);

  // Running, HandedOver (the running copy answered), or Failed (a running copy holds the store
  // but does not answer; said to the user).
  Start CheckSingleInstance();
  bool OpenDatabases();

  // New (true) and Open (false): the declarations index, then the chosen declaration.
  void RunOpenCommand(bool newFlag);
  // 2 form 100, 3 form 714, -2 cancelled, -1 refused to close or not run.
  int SelectDeclaration(bool& newFlag, std::string& key, std::string& text);
  void OpenDeclaration(const std::string& key, int kind, const std::string& text, bool newFlag);
  bool CloseAllDeclarations();
  IDeclarationDocument* GetCurrentDocument() const;
  // Runs `action` from the event loop once the open declaration is between operations (closing
  // or reopening a declaration from inside one of its own operations would pull it from under
  // that operation).
  void WhenDocumentIdle(std::function<void()> action, int delayMs = 0);

  void SwitchLanguage(char letter);
  // The texts of `letter`, else (a letter without texts) the program's own, said so.
  void LoadLanguageLibrary(char letter);
  void OnReorganizeData();
  void OnAbout();
  // The calculator, with its result offered for copying.
  void OnCalculator();
  // Help topic `helpId`: 0, 1000 or more, or no open declaration give topic 1.
  int HelpTopicFor(int helpId) const;
  void WinHelp(int helpId);

  // Seams connected by the program's assembly.
  void SetDeclarationsIndex(IDeclarationsIndex* index) { index_ = index; }
  void SetDocumentFactory(int templateId, DocumentFactory factory);
  using HelpViewer = std::function<void(const QString& helpFile, int topic)>;
  void SetHelpViewer(HelpViewer viewer) { helpViewer_ = std::move(viewer); }
  bool HasHelpViewer() const { return static_cast<bool>(helpViewer_); }
  // Remote mode's export of the declarations to the local copies, run at shutdown.
  void SetRemoteExport(std::function<void()> exporter) { remoteExport_ = std::move(exporter); }
  // The update service: whether it is reachable, and the update itself.
  using UpdateAvailable = std::function<int()>;
  using UpdateRun = std::function<void(const QString& form, const QString& year, const QString& version,
                                       const QString& service, const QString& spDir)>;
  void SetUpdateService(UpdateAvailable available, UpdateRun run);
  void RunVersionUpdate();

  const AppOptions& Options() const { return options_; }
  settings::SettingsProfile& Profile() { return *profile_; }
  db::AppDatabases& Databases() { return databases_; }
  CMainFrame* MainFrame() const { return frame_.get(); }
  SingleInstance* Instance() const { return instance_.get(); }

  char InterfaceLanguage() const;
  char PrintingLanguage() const { return printingLetter_; }
  bool RemoteMode() const { return remote_ != 0; }
  bool Accessibility() const { return accessibility_ != 0; }
  // The zoom text the pages of a newly opened declaration start from ("1.00" ... "2.00").
  const QString& ZoomText() const { return zoom_; }
  void SetZoomText(const QString& text);
  void SetAccessibility(bool on);
  const QString& HelpFile() const { return helpFile_; }
  const QString& StartDirectory() const { return startDir_; }
  const std::string& KeyToReopen() const { return keyToReopen_; }
  void ClearKeyToReopen() { keyToReopen_.clear(); }
  QString& LastTransferPath() { return lastTransferPath_; }
  QString& FiscalDataMark() { return fiscalDataMark_; }
  static constexpr int kTaxYear = 2003;

  // Runs the introduction as the start-up and the Introduction command do.
  void RunIntroduction();
  // The profile's folders without trailing blanks, ending with "/" even when the profile's
  // text lacks it (empty: the current folder).
  std::string DeclarationsDbPath() const;
  std::string LocalDbPath() const;

 signals:
  void languageChanged(char letter);
  // The three databases are open (start-up step 14).
  void databasesOpened();

 private:
  class Reporter;
  CDeclarTemplate* TemplateByType(const QString& typeName);
  void CreateTemplates();
  void BuildHelpPath();
  // Step 16 of an unattended run: the index, the run's action from inside it, the index closed.
  void RunOpenCommandUnattended();
  void Quit(int code);

  AppOptions options_;
  std::unique_ptr<settings::SettingsProfile> profile_;
  db::AppDatabases databases_;
  std::unique_ptr<Reporter> reporter_;
  std::unique_ptr<SingleInstance> instance_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<CDeclarTemplate> templates_[2];
  DocumentFactory factories_[2];
  IDeclarationsIndex* index_ = nullptr;
  HelpViewer helpViewer_;
  std::function<void()> remoteExport_;
  UpdateAvailable updateAvailable_;
  UpdateRun updateRun_;

  int remote_ = 0;
  int accessibility_ = 0;
  char printingLetter_ = 'e';
  QString zoom_ = QStringLiteral("1.0");
  QString startDir_;
  QString helpFile_;
  QString lastTransferPath_;
  QString fiscalDataMark_ = QStringLiteral(" ");
  std::string keyToReopen_;
  bool databasesOpened_ = false;
  QTimer embeddingWait_;
};

}  // namespace app
