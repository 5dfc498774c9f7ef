// The selection edit: shows a value that is chosen or composed in a dialog (an activity heading,
// a child's data, an address, the kind of a wealth item); F7, a typed character, a double click or
// its "..." button opens the dialog the box names and takes its data back when the user confirms.
#pragma once

#include <QPointer>

#include <functional>
#include <string>

#include "ui/companion_button.h"
#include "ui/edit_ex.h"

namespace db {
class CAdoConnection;
}

class CSelStrEdit;

namespace ui {
// Opens a selection dialog for the edit and answers its result (1 OK, 2 cancelled). Folders that
// build the dialogs register them by dialog name at start-up.
using SelectionOpener = std::function<int(CSelStrEdit& edit)>;
void RegisterSelectionOpener(std::string_view dialogName, SelectionOpener opener);
bool IsSelectionOpenerRegistered(std::string_view dialogName);
// Runs the opener of a dialog name (2 when none is registered).
int RunSelectionOpener(std::string_view dialogName, CSelStrEdit& edit);
}  // namespace ui

class CSelStrEdit : public CEditEx {
  Q_OBJECT
 public:
  CSelStrEdit(CBoxField* box, db::CAdoConnection* connection = nullptr, QWidget* parent = nullptr);
  CSelStrEdit(int width, const std::string& dialogName, int rowIndex, QWidget* parent = nullptr);
  ~CSelStrEdit() override;

  // 1 when the dialog ended with OK (or after a message), 2 otherwise.
  virtual int OpenSelection(int unused);
  // 1 refused (the value cannot be cleared from the keyboard), 2 cleared.
  virtual int ClearSelection() { return 1; }
  int OpenAndNotify();
  void CreateDropButton();

  const std::string& DialogName() const { return name_; }
  const std::string& Title() const { return title_; }
  int VariantIndex() const { return n_; }
  int RowIndex() const { return row_; }
  void SetNoOpen(bool on) { noOpen_ = on; }
  db::CAdoConnection* Connection() const { return connection_; }

  void SetLookupTable(const std::string&) override {}
  void Paste() override {}
  int CheckText(const QString&) override { return kTextValid; }
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void ButtonClicked();
  int Clear(bool fromDelete);

  std::string name_;
  std::string title_;
  int n_ = 0;
  int m_ = 0;
  int row_ = 0;
  bool noOpen_ = false;
  db::CAdoConnection* connection_ = nullptr;
  QPointer<ui::CCompanionButton> button_;
};

// Shows and clears an activity heading; opens nothing.
class CSelEpigraf : public CSelStrEdit {
  Q_OBJECT
 public:
  explicit CSelEpigraf(CBoxField* box, QWidget* parent = nullptr) : CSelStrEdit(box, nullptr, parent) {}
  int OpenSelection(int) override { return 2; }
  int ClearSelection() override;
};
