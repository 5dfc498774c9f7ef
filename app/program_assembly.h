// The program's assembly: the parts built in their own folders meet the shell here. It connects
// the declarations index, the two forms' documents, the messages of the layers below the shell,
// the corrections table of the validations, the calculator and its profile, the store's commands
// and remote mode's export to the local copies.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

#include "app/declaration_document.h"
#include "app/declarations_index.h"
#include "app/program_messages.h"
#include "app/store_commands.h"
#include "data/store/store.h"
#include "checks/corrections_store.h"
#include "ui/controls/profile_store.h"

class QDialog;

namespace db {
class CAdoConnection;
}
namespace settings {
class SettingsProfile;
}

namespace app {

class CMainFrame;
class CRentaApp;

// The calculator's profile values in the program's settings profile.
class SettingsProfileStore : public ui::controls::ProfileStore {
 public:
  explicit SettingsProfileStore(settings::SettingsProfile& profile) : profile_(profile) {}
  QString GetString(const QString& section, const QString& key, const QString& fallback = {}) const override;
  void SetString(const QString& section, const QString& key, const QString& value) override;

 private:
  settings::SettingsProfile& profile_;
};

// The open declarations' view of the application and its main window.
class CApplicationShell : public IDeclarationShell {
 public:
  explicit CApplicationShell(CRentaApp& app) : app_(app) {}
  QMdiArea* DocumentArea() override;
  QIcon FrameIcon() const override;
  void SetPaneText(int pane, const QString& text) override;
  void UpdateCommandStates() override;
  void GoToBox(int page, int box) override;
  char InterfaceLanguage() const override;
  char PrintingLanguage() const override;
  void CloseDeclarationsWhenIdle() override;
  void OpenDeclarationWhenIdle(const std::string& key, int kind) override;
  db::CAdoConnection* LocalDatabase() override;
  db::CAdoConnection* ModulesDatabase() override;
  bool Accessibility() const override;
  std::string BaseFolder() const override;
  std::string FilingFolder() const override;
  bool RemoteMode() const override;
  QString ZoomText() const override;
  void SetZoomText(const QString& text) override;
  void ShowPrompt(const QString& text) override;
  void ShowHelpTopic(int topic) override;
  void RunCommand(int id) override;
  bool CommandEnabled(int id) override;
  void RunCalculator() override;
  void SetFiscalDataMark(const QString& mark) override;
  void PageShown(int page) override;

 private:
  CRentaApp& app_;
};

class CProgramAssembly : public QObject {
  Q_OBJECT
 public:
  // `runModal` runs the modal dialogs the assembly opens (exec when empty).
  explicit CProgramAssembly(CRentaApp& app, std::function<int(QDialog&)> runModal = {});
  ~CProgramAssembly() override;

  CProgramMessages& Messages() { return messages_; }
  store::DeclarationStore& Store() { return store_; }
  CStoreCommands& StoreCommands() { return commands_; }
  // The open declaration, if any.
  CDeclarationDocument* CurrentDeclaration() const;

 private:
  void OnDatabasesOpened();
  void ConnectCommands(CMainFrame& frame);
  void ConnectPageCommands(CMainFrame& frame);
  void DisconnectCommands(CMainFrame& frame);

  CRentaApp& app_;
  std::function<int(QDialog&)> runModal_;
  CProgramMessages messages_;
  store::DeclarationStore store_;
  checks::DatabaseCorrectionsStore corrections_;
  CApplicationShell shell_;
  DocumentServices services_;
  CDeclarationsIndex index_;
  CStoreCommands commands_;
  SettingsProfileStore profile_;
};

}  // namespace app
