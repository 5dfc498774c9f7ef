// The list dialogs of the export and import commands (IDD 1749, IDD 1751) and of the import of
// last year's wealth-tax declarations (IDD 253). The rules are data/store's; these windows let
// the user choose.
#pragma once


#include <functional>
#include <string>
#include <vector>

#include "data/store/import_plan.h"
#include "data/store/previous_year.h"
#include "ui/template_dlg.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace ui::store_dlg {

// A list of declarations with "Seleccionar todas" and "&Aceptar" enabled by the selection;
// `caption`, `prompt` and `heading` are string ids.
class CDeclarationListDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  CDeclarationListDlg(int caption, int prompt, int heading, QWidget* parent = nullptr);
  void SetItems(const std::vector<std::string>& items);
  void SelectAll(bool on);
  void SelectRow(int row, bool on);
  // Selected rows in list order (at most 50).
  std::vector<int> SelectedRows() const;
  QListWidget* List() const { return list_; }
  QPushButton* AcceptButton() const { return accept_; }
  void accept() override { OnOK(); }

 protected:
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  void UpdateAccept();
  QListWidget* list_ = nullptr;
  QCheckBox* all_ = nullptr;
  QPushButton* accept_ = nullptr;
};

// "Exportación de declaraciones": the stored keys, as stored.
class CExportacionDlg : public CDeclarationListDlg {
  Q_OBJECT
 public:
  CExportacionDlg(::store::DeclarationStore& store, QWidget* parent = nullptr);
  std::vector<std::string> ChosenKeys() const { return chosen_; }
  void OnOK() override;

 private:
  std::vector<std::string> keys_;
  std::vector<std::string> chosen_;
};

// "Importación de declaraciones": the file's keys; on OK the plan of what to import.
class CImportacionDlg : public CDeclarationListDlg {
  Q_OBJECT
 public:
  CImportacionDlg(::store::DeclarationStore& store, std::vector<std::string> fileKeys, QWidget* parent = nullptr);
  const ::store::ImportPlan& Plan() const { return plan_; }
  void OnOK() override;

 private:
  ::store::DeclarationStore& store_;
  std::vector<std::string> keys_;
  ::store::ImportPlan plan_;
};

// "Seleccionar ": last year's wealth-tax declarations.
class CImportacionPatrimonioDlg : public CDeclarationListDlg {
  Q_OBJECT
 public:
  // `limit`: the profile's Parametros/MaxDeclar.
  CImportacionPatrimonioDlg(::store::DeclarationStore& store, const std::string& lastYearPath, int limit,
                            QWidget* parent = nullptr);
  bool Opened() const { return opened_; }
  void OnOK() override;

 private:
  ::store::DeclarationStore& store_;
  ::store::previous::PreviousYearImport import_;
  std::vector<std::string> names_;
  int limit_;
  bool opened_ = false;
};

// The export command after its dialogs: writes the chosen keys into `path`.
bool ExportDeclarations(::store::DeclarationStore& store, const std::string& path, const std::vector<std::string>& keys);
// The import command after its file dialog: the index, the choice, the import. `runModal` runs
// the list dialog (exec when empty).
bool ImportDeclarations(::store::DeclarationStore& store, const std::string& path, QWidget* parent = nullptr,
                        const std::function<int(QDialog&)>& runModal = {});

}  // namespace ui::store_dlg
