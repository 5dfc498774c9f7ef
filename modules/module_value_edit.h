// The units box of a module of a business activity (page 4): typed for the modules counted in
// plain units, worked out in the module's value dialog for the others (any key, F7, a double
// click or the "..." button opens it). The dialog edits a copy of the module's record, which
// comes back after OK; the page then hears 0x402 and recalculates the section.
#pragma once

#include <QPointer>

#include <cstdint>
#include <functional>

#include "ui/companion_button.h"
#include "ui/double_edit.h"

class CTemplateDlg;

namespace modules {

// The second pointer of a units or product box: the record the box stands for (the module, or the
// product's detail), the activity row's index in its section and the product number (0 for
// modules).
struct ModuleBoxBinding {
  std::uint8_t* record = nullptr;
  std::int32_t activity = 0;
  std::int32_t product = 0;
};
// The binding a box carries, or an empty one.
ModuleBoxBinding BindingOf(const CBoxField* box);

// Registers the editors of the 'M' boxes with the page view.
void RegisterModuleEditors();

}  // namespace modules

class CModsEmpreEdit : public CDoubleEdit {
  Q_OBJECT
 public:
  explicit CModsEmpreEdit(CBoxField* box, QWidget* parent = nullptr);
  ~CModsEmpreEdit() override;

  // The module number as a kind: 1 to 29, 56, 57 and 61; -1 for any other.
  static int ValidateKind(int number);
  int Kind() const { return kind_; }
  // FALSE for the staff, distance and square-decimetre kinds, whose units only their dialog gives.
  bool AcceptsTypedUnits() const;
  // The dialog's result (1 OK), or 2 when the kind has none.
  int OpenModuleDialog();
  int OpenStaffDialog();
  int OpenStaffTwoYearsDialog();
  int OpenNonSalariedDialog();
  int OpenUnitsDaysDialog(const QString& unitCaption);
  int OpenSeatsDaysDialog(const QString& unitCaption);
  int OpenTablesDialog(const QString& first, const QString& second);
  int OpenDistanceDialog();
  void PrepareDialog(CTemplateDlg& dlg) const;
  ui::CCompanionButton* Button() const { return button_; }

  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;

 protected:
  void showEvent(QShowEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  void OnButtonClicked();
  // The activity row of section E4 that the binding names, in the open declaration.
  const std::uint8_t* ActivityRow() const;
  void ClearDetail();
  // Copy in, prepare, run, copy back on OK.
  template <class Dialog>
  int Run(Dialog& dlg, bool seasonDays, const std::function<void(Dialog&)>& setUp = {});

  modules::ModuleBoxBinding binding_;
  int kind_ = -1;
  QString caption_;
  QPointer<ui::CCompanionButton> button_;
};
