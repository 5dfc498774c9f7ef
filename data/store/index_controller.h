// The rules of the declarations index: the list of the store filtered by form, the button
// states that follow what is typed or selected, and the store commands (create, duplicate,
// rename, delete, search). The window is reached through IIndexView, so the rules run without
// widgets in tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/store/store.h"

namespace store {

// Control ids of the index.
namespace index_id {
inline constexpr int kKeyField = 1072, kGrid = 972, kAlta = 355, kDuplicar = 2190, kRenombrar = 2189,
                     kBaja = 1226, kBuscar = 6, kSeleccionar = 1, kCancelar = 2, kBack10 = 984, kBack1 = 898,
                     kForward1 = 902, kForward10 = 989, kRecordNumber = 410, kTotal = 391, kViewRenta = 976,
                     kViewPatrimonio = 981, kFormRenta = 767, kFormPatrimonio = 772;
}
inline constexpr int kIndexRows = 50;  // declaration rows of the grid (after its heading row)

class IIndexView {
 public:
  virtual ~IIndexView() = default;
  virtual void SetCell(int row, int col, const std::string& text) = 0;
  virtual std::string Cell(int row, int col) const = 0;
  virtual void Enable(int id, bool on) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void SetDefaultButton(int id) = 0;
  virtual void SetText(int id, const std::string& text) = 0;  // key field, total, record number
  virtual std::string Text(int id) const = 0;
  // Selects one cell, makes it the focus cell and scrolls it into view (without notifying).
  virtual void SelectCell(int row, int col) = 0;
  virtual int FocusedRow() const = 0;  // -1 when none
  virtual int FocusedColumn() const = 0;
  virtual void Focus(int id) = 0;
  virtual void ShowFormChoice(int choice) = 0;
  virtual void EndDialog(bool ok) = 0;
  // The search dialog: the name typed, nullopt when cancelled.
  virtual std::optional<std::string> RunSearch() = 0;
};

// The search dialog's look-up: the name exactly, else the first key at or after it. The accept
// button is enabled when either look-up found a row whose form the index lists.
struct SearchResult {
  bool found = false;          // "Declaración encontrada" / "Declaración no encontrada"
  bool acceptEnabled = false;
};
SearchResult SearchDeclaration(DeclarationStore& store, std::string_view name, bool renta, bool patrimonio);

// Form text of the index's "Modelo" column.
std::string KindText(int kind);

class IndexController {
 public:
  IndexController(DeclarationStore& store, IIndexView& view) : store_(store), view_(view) {}

  // Dialog initialisation (after the view's controls exist).
  void OnInit();

  int FillGrid();
  void ClearGrid();
  void RefreshList();
  void SetButtonStates(bool alta, bool duplicar, bool renombrar, bool baja);
  void EnableNewControls(bool on);
  void SelectCell(int row, int col);

  void OnKeyChanged();
  void OnGridNotify(int row);
  void OnCellDoubleClick(int row, int col);
  void OnNavigate(int id);
  void OnSeleccionar();
  void OnAlta();
  void OnDuplicar();
  void OnRenombrar();
  void OnBaja();
  void OnBuscar();
  void OnListFilters(bool renta, bool patrimonio);
  void OnFormChoice(int choice) { formChoice_ = choice; }
  void OnCancelar();

  // What the caller reads after the dialog ends.
  const std::string& ChosenKey() const { return chosenKey_; }
  bool NewDeclaration() const { return newDeclaration_; }
  int Kind() const { return formChoice_ == 1 ? kKindForm714 : kKindForm100; }
  bool Renta() const { return renta_; }
  bool Patrimonio() const { return patrimonio_; }

 private:
  std::string RowKey(int row) const { return view_.Cell(row, 1); }

  DeclarationStore& store_;
  IIndexView& view_;
  std::string chosenKey_;
  bool newDeclaration_ = false;
  bool closing_ = false;
  int recordNumber_ = 1;
  bool renta_ = true, patrimonio_ = true;
  int formChoice_ = 0;
  int listed_ = 0;
};

}  // namespace store
