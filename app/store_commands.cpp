#include "app/store_commands.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QDir>
#include <QLabel>
#include <QSysInfo>
#include <QVBoxLayout>

#include <cctype>
#include <optional>

#include "app/app_texts.h"
#include "app/application.h"
#include "app/main_frame.h"
#include "ui/controls/file_dialog_ex.h"
#include "ui/store/transfer_dialogs.h"

namespace app {

namespace {

// The file dialog of both transfer commands and of last year's import, starting in the folder of
// the last transfer file of the run.
std::optional<QString> ChooseFile(CRentaApp& app, const std::function<int(QDialog&)>& run, bool open,
                                  const QString& title, const QString& extension, const QString& filter) {
  CFileDialogEx dlg(open, extension, QString(), open ? CFileDialogEx::kFileMustExist : 0u, filter, app.MainFrame());
  dlg.setWindowTitle(title);
  const QString& last = app.LastTransferPath();
  if (!last.isEmpty()) dlg.setDirectory(QFileInfo(last).path());
  if (run(dlg) != QDialog::Accepted) return std::nullopt;
  const QString path = dlg.GetPathName();
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace

CStoreCommands::CStoreCommands(CRentaApp& app, store::DeclarationStore& store, std::function<int(QDialog&)> runModal)
    : app_(app), store_(store), runModal_(std::move(runModal)) {}

void CStoreCommands::Export() {
  ui::store_dlg::CExportacionDlg list(store_, app_.MainFrame());
  if (runModal_(list) != QDialog::Accepted) return;
  const auto path = ChooseFile(app_, runModal_, false, Text(kStrExportTitle), QStringLiteral("ren"),
                               Text(kStrTransferFilterSave));
  if (!path) return;
  app_.LastTransferPath() = *path;
  store_.Export(path->toStdString(), list.ChosenKeys());
}

void CStoreCommands::Import() {
  const auto path = ChooseFile(app_, runModal_, true, Text(kStrImportTitle), QStringLiteral("ren"),
                               Text(kStrTransferFilterOpen));
  if (!path) return;
  app_.LastTransferPath() = *path;
  ui::store_dlg::ImportDeclarations(store_, path->toStdString(), app_.MainFrame(), runModal_);
}

void CStoreCommands::ImportLastYear() {
  // Last year's store is a declarations database of the previous edition.
  const auto path = ChooseFile(app_, runModal_, true, Text(kStrImportTitle), QStringLiteral("db"),
                               Text(kStrLastYearFilter));
  if (!path) return;
  ui::store_dlg::CImportacionPatrimonioDlg dlg(store_, path->toStdString(), app_.Profile().MaxDeclarations(),
                                               app_.MainFrame());
  // A file that is no declarations database has shown its message: the dialog ends at once.
  if (!dlg.Opened()) return;
  runModal_(dlg);
}

std::string MachineCopiesFolder(const std::string& userData, const std::string& machine) {
  std::string name = machine.empty() ? QSysInfo::machineHostName().toStdString() : machine;
  // A folder name of portable characters; nothing else of the name reaches the path.
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') c = '_';
  if (name.empty() || name.find_first_not_of('.') == std::string::npos) name = "local";
  std::string folder = userData;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + "local-copies/" + name + '/';
}

std::string CStoreCommands::LocalCopiesFolder() const {
  return MachineCopiesFolder(app_.Options().folders.userData, app_.Options().machine);
}

void CStoreCommands::ExportLocalCopies() {
  QDialog progress(app_.MainFrame());
  progress.setWindowTitle(Text(kStrLocalExportCaption));
  auto* layout = new QVBoxLayout(&progress);
  layout->addWidget(new QLabel(Text(kStrLocalExportText), &progress));
  progress.show();
  const std::string folder = LocalCopiesFolder();
  QDir().mkpath(QString::fromStdString(folder));
  store_.ExportLocalCopies(folder, [&progress] {
    progress.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
}

}  // namespace app
