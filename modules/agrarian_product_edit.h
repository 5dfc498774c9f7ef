// The box of a product of an agricultural activity (page 5): it takes no typing; any key, a double
// click or its "..." button opens the product's yield dialog on a copy of the product's detail,
// which comes back after OK. While it is open a popup beside it names the product.
#pragma once

#include <QPointer>

#include "modules/module_value_edit.h"
#include "ui/double_edit.h"

namespace db {
class CAdoConnection;
}

class CAgrarianProductEdit : public CDoubleEdit {
  Q_OBJECT
 public:
  CAgrarianProductEdit(CBoxField* box, db::CAdoConnection* connection, QWidget* parent = nullptr);
  ~CAgrarianProductEdit() override;

  // 2 when the dialog ended with OK, 1 otherwise (also for a product outside 1 to 13).
  int OpenProductDialog();
  // The product's net-yield index in the activity; 0 when the database has none.
  double GetNetYieldIndex() const;
  void ShowProductDescription(int product);
  void PrepareDialog(CTemplateDlg& dlg) const;
  CDescriptionPopupDlg* Popup() const { return popup_; }
  ui::CCompanionButton* Button() const { return button_; }

  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  // The activity row of section E5 that the binding names, in the open declaration.
  const std::uint8_t* ActivityRow() const;
  void PlacePopup();
  void DropPopup();
  template <class Dialog>
  int Run(std::size_t bytes, bool withProduct);

  modules::ModuleBoxBinding binding_;
  db::CAdoConnection* connection_ = nullptr;
  QPointer<ui::CCompanionButton> button_;
  QPointer<CDescriptionPopupDlg> popup_;
};
