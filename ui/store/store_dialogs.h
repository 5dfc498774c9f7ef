// The store's dialogs: the declarations index (IDD 91) on the program's grid, the search
// dialog (IDD 109), the save-as dialog (IDD 258) and the two dialogs that settle a taken name
// (IDD 256 for last year's import, IDD 174 for transfer files). Their rules live in
// data/store; these windows show them.
#pragma once

#include <QDialog>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/store/import_plan.h"
#include "data/store/index_controller.h"
#include "ui/grid/rejilla_ctrl.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui::store_dlg {

// A name field: upper case, 50 characters, no apostrophe.
QLineEdit* MakeNameEdit(QWidget* parent, int id);

class CBuscarDeclaracionDlg : public QDialog {
  Q_OBJECT
 public:
  CBuscarDeclaracionDlg(::store::DeclarationStore& store, bool renta, bool patrimonio, QWidget* parent = nullptr);
  QString Name() const;
  void OnBuscar();
  QLineEdit* NameEdit() const { return name_; }
  QPushButton* AcceptButton() const { return accept_; }
  QLabel* Result() const { return result_; }

 private:
  ::store::DeclarationStore& store_;
  bool renta_, patrimonio_;
  QLineEdit* name_;
  QLabel* result_;
  QPushButton* search_;
  QPushButton* accept_;
};

class CIndiceDeclaracionesDlg : public QDialog, public ::store::IIndexView {
  Q_OBJECT
 public:
  // `localCopies`: the folder of the remote mode's local copies, loaded at the first showing
  // in a run (empty outside remote mode).
  CIndiceDeclaracionesDlg(::store::DeclarationStore& store, QWidget* parent = nullptr, std::string localCopies = {});
  ~CIndiceDeclaracionesDlg() override;

  ::store::IndexController& Controller() { return controller_; }
  CRejillaCtrl* Grid() const { return grid_; }
  QWidget* Control(int id) const;
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

 protected:
  void reject() override { controller_.OnCancelar(); }
  void accept() override { controller_.OnSeleccionar(); }
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void SetColumnWidths();

  ::store::DeclarationStore& store_;
  ::store::IndexController controller_;
  CRejillaCtrl* grid_ = nullptr;
  std::map<int, QWidget*> controls_;
  bool settingText_ = false;
  bool inNotify_ = false;
  static bool localLoaded_;
};

class CGuardarComoDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CGuardarComoDlg(QWidget* parent = nullptr);
  void SetName(const QString& name);
  QString Name() const { return name_; }
  QLineEdit* NameEdit() const { return edit_; }
  void accept() override;

 private:
  QLineEdit* edit_;
  QString name_;
};

// "Declaración ya existente", rename or skip.
class CDeclaracionExistenteDlg : public QDialog {
  Q_OBJECT
 public:
  CDeclaracionExistenteDlg(::store::DeclarationStore& store, const QString& takenName, QWidget* parent = nullptr);
  int Choice() const { return choice_; }  // 0 rename, 1 do not import
  QString NewName() const { return newName_; }
  QLineEdit* NameEdit() const { return edit_; }
  void SetChoice(int choice);
  void accept() override;

 private:
  ::store::DeclarationStore& store_;
  QLineEdit* edit_;
  int choice_ = 0;
  QString newName_;
};

// "Declaración ya existente" of transfer-file imports: overwrite, overwrite all, rename, skip.
class CDeclaracionExistenteImportDlg : public QDialog {
  Q_OBJECT
 public:
  CDeclaracionExistenteImportDlg(::store::DeclarationStore& store, const QString& takenName,
                                 std::vector<std::string> chosenNames, QWidget* parent = nullptr);
  ::store::ClashAnswer Answer() const;
  void SetChoice(int choice);  // 0 overwrite, 1 overwrite all, 2 rename, 3 do not import
  QLineEdit* NameEdit() const { return edit_; }
  QPushButton* AcceptButton() const { return accept_; }
  bool Cancelled() const { return cancelled_; }
  void accept() override;
  void reject() override;

 private:
  ::store::DeclarationStore& store_;
  std::vector<std::string> chosen_;
  QLineEdit* edit_;
  QPushButton* accept_;
  int choice_ = -1;
  bool cancelled_ = false;
  QString newName_;
};

}  // namespace ui::store_dlg
