// The store's dialogs: the declarations index (IDD 91) on the program's grid, the search
// dialog (IDD 109), the save-as dialog (IDD 258) and the two dialogs that settle a taken name
// (IDD 256 for last year's import, IDD 174 for transfer files). Their rules live in
// data/store; these windows show them. Each is a table of controls built by the dialog base;
// every caption comes from the string tables.
#pragma once


#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/store/import_plan.h"
#include "data/store/index_controller.h"
#include "ui/grid/rejilla_ctrl.h"
#include "ui/template_dlg.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui::store_dlg {

// A name field: upper case, 50 characters, no apostrophe.
QLineEdit* MakeNameEdit(QWidget* parent, int id);

class CBuscarDeclaracionDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  CBuscarDeclaracionDlg(::store::DeclarationStore& store, bool renta, bool patrimonio, QWidget* parent = nullptr);
  QString Name() const;
  void OnBuscar();
  QLineEdit* NameEdit() const;
  QPushButton* AcceptButton() const;
  QLabel* Result() const;

 protected:
  void OnInitDialog() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  bool OnButton(int id) override;

 private:
  ::store::DeclarationStore& store_;
  bool renta_, patrimonio_;
};

class CIndiceDeclaracionesDlg : public CTemplateDlg, public ::store::IIndexView {
  Q_OBJECT
 public:
  // `localCopies`: the folder of the remote mode's local copies, loaded at the first showing
  // in a run (empty outside remote mode).
  CIndiceDeclaracionesDlg(::store::DeclarationStore& store, QWidget* parent = nullptr, std::string localCopies = {});
  ~CIndiceDeclaracionesDlg() override;

  ::store::IndexController& Controller() { return controller_; }
  CRejillaCtrl* Grid() const;
  QWidget* Control(int id) const { return GetDlgItem(id); }
  static void ResetLocalCopiesLoaded();

  // IIndexView
  void SetCell(int row, int col, const std::string& text) override;
  std::string Cell(int row, int col) const override;
  void Enable(int id, bool on) override;
  bool IsEnabled(int id) const override;
  void SetDefaultButton(int id) override;
  void SetText(int id, const std::string& text) override;
  std::string Text(int id) const override;
  void SelectCell(int row, int col) override;
  int FocusedRow() const override;
  int FocusedColumn() const override;
  void Focus(int id) override;
  void ShowFormChoice(int choice) override;
  void EndDialog(bool ok) override;
  std::optional<std::string> RunSearch() override;

  void OnOK() override { controller_.OnSeleccionar(); }
  void OnCancel() override { controller_.OnCancelar(); }

 protected:
  void OnInitDialog() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  bool OnButton(int id) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void SetColumnWidths();

  ::store::DeclarationStore& store_;
  ::store::IndexController controller_;
  bool settingText_ = false;
  bool inNotify_ = false;
  static bool localLoaded_;
};

class CGuardarComoDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  explicit CGuardarComoDlg(QWidget* parent = nullptr);
  void SetName(const QString& name);
  QString Name() const { return name_; }
  QLineEdit* NameEdit() const;
  void accept() override { OnOK(); }
  void OnOK() override;

 protected:
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;

 private:
  QString name_;
};

// "Declaración ya existente", rename or skip.
class CDeclaracionExistenteDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  CDeclaracionExistenteDlg(::store::DeclarationStore& store, const QString& takenName, QWidget* parent = nullptr);
  int Choice() const { return choice_; }  // 0 rename, 1 do not import
  QString NewName() const { return newName_; }
  QLineEdit* NameEdit() const;
  void SetChoice(int choice);
  void accept() override { OnOK(); }
  void OnOK() override;

 protected:
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  bool OnButton(int id) override;

 private:
  ::store::DeclarationStore& store_;
  int choice_ = 0;
  QString newName_;
};

// "Declaración ya existente" of transfer-file imports: overwrite, overwrite all, rename, skip.
class CDeclaracionExistenteImportDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  CDeclaracionExistenteImportDlg(::store::DeclarationStore& store, const QString& takenName,
                                 std::vector<std::string> chosenNames, QWidget* parent = nullptr);
  ::store::ClashAnswer Answer() const;
  void SetChoice(int choice);  // 0 overwrite, 1 overwrite all, 2 rename, 3 do not import
  QLineEdit* NameEdit() const;
  QPushButton* AcceptButton() const;
  bool Cancelled() const { return cancelled_; }
  void accept() override { OnOK(); }
  void reject() override { OnCancel(); }
  void OnOK() override;
  void OnCancel() override;

 protected:
  void OnInitDialog() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  bool OnButton(int id) override;

 private:
  ::store::DeclarationStore& store_;
  std::vector<std::string> chosen_;
  int choice_ = -1;
  bool cancelled_ = false;
  QString newName_;
};

}  // namespace ui::store_dlg
