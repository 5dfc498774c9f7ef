// Row-matrix dialogs and pages: up to a dozen rows of the same fields, column 0 the row's holder.
// Used rows stay together at the top, empty rows are cleared, only used rows can be edited, and in
// a member view only the rows of that member are shown (common rows as the member's share).
#pragma once

#include <QApplication>
#include <QLabel>

#include <vector>

#include "ui/edit_ex.h"
#include "ui/session.h"
#include "ui/template_dlg.h"

// TRUE when one of the characters at position-1 down to 1 is a letter or a digit.
bool HasAlnumBefore(const char* text, int position);

// The control ids of a row matrix in column order (column c, row r at r + c * rows).
struct CellMatrix {
  int rows = 0, columns = 0;
  std::vector<int> ids;
  int RowOf(int id) const {
    const int i = IndexOf(id);
    return i < 0 || rows <= 0 ? -1 : i % rows;
  }
  int ColumnOf(int id) const {
    const int i = IndexOf(id);
    return i < 0 || rows <= 0 ? -1 : i / rows;
  }
  int IdAt(int column, int row) const {
    if (column < 0 || column >= columns || row < 0 || row >= rows) return 0;
    const std::size_t i = static_cast<std::size_t>(row + column * rows);
    return i < ids.size() ? ids[i] : 0;
  }

 private:
  int IndexOf(int id) const {
    for (std::size_t i = 0; i < ids.size(); ++i)
      if (ids[i] == id) return static_cast<int>(i);
    return -1;
  }
};

// The row behaviour shared by the dialog and the page base.
template <class Base, int MaxRows>
class RowMatrixBase : public Base {
 public:
  static constexpr int kMaxRows = MaxRows;

  RowMatrixBase(const ui::DialogTemplate& tmpl, QWidget* parent)
      : Base(tmpl, parent), holderModeByte_(static_cast<unsigned char>(doc::ShownMember())) {}

  // The matrix: ids in column order (column c, row r at r + c * rows).
  void SetMatrix(int rows, int columns, std::vector<int> ids) {
    rows_ = std::min(rows, MaxRows);
    columns_ = columns;
    cells_ = {rows_, columns, std::move(ids)};
  }
  int Rows() const { return rows_; }
  int Columns() const { return columns_; }
  bool IsEditable() const { return editable_; }
  int HolderModeByte() const { return holderModeByte_; }

  int GetRowOfControl(int id) const { return cells_.RowOf(id); }
  int GetColumnOfControl(int id) const { return cells_.ColumnOf(id); }

  virtual int GetControlId(int column, int row) const { return cells_.IdAt(column, row); }
  virtual void ClearRowControls(int row) {}
  virtual void CompactRows() {
    std::vector<int> used;
    for (int r = 0; r < rows_; ++r)
      if (GetRowOwner(r) != 0) used.push_back(r);
    for (std::size_t k = 0; k < used.size(); ++k) MoveRow(static_cast<int>(k), used[k]);
    for (int r = static_cast<int>(used.size()); r < rows_; ++r) {
      ClearRowData(r);
      ClearRowControls(r);
    }
  }
  virtual void RefreshEnabledRows() {
    for (int r = 0; r < rows_; ++r) {
      const bool used = GetRowOwner(r) != 0;
      if (!used) ClearRowControls(r);
      for (int c = GetFirstDataColumn(); c < columns_; ++c)
        if (QWidget* w = this->GetDlgItem(GetControlId(c, r))) w->setEnabled(used && editable_);
    }
  }
  virtual void MoveRow(int destination, int source) {}
  virtual void ClearRowData(int row) {}
  virtual int ApplyHolderMode() {
    const int mode = holderModeByte_;
    editable_ = mode == ui::kFamilyUnit ||
                (mode == ui::kDeclarant && !ui::HouseholdHas(ui::kSpouse) && !ui::HouseholdHas(ui::kChild1) &&
                 !ui::HouseholdHas(ui::kChild2));
    if (editable_) return 1;
    for (int r = 0; r < rows_; ++r) {
      const int owner = GetRowOwner(r);
      if (owner == 1 && (mode == ui::kDeclarant || mode == ui::kSpouse)) {
        HandleCommonRow(r);
        HandleOwnRow(r);
      } else if (owner == mode) {
        HandleOwnRow(r);
      } else {
        ClearRowControls(r);
        ClearRowData(r);
      }
    }
    return 0;
  }
  virtual int GetRowOwner(int row) const { return 0; }
  virtual void HandleCommonRow(int row) {}
  virtual void HandleOwnRow(int row) {}
  virtual int GetFirstDataColumn() const { return 1; }

  // Called by the OK of row dialogs: a used row whose data columns all read "" or " " is freed.
  void ClearRowsWithoutData() {
    for (int r = 0; r < rows_; ++r) {
      if (GetRowOwner(r) == 0) continue;
      bool empty = true;
      for (int c = 1; c < columns_ && empty; ++c) {
        const QString t = ControlText(GetControlId(c, r));
        empty = t.isEmpty() || t == QLatin1String(" ");
      }
      if (empty) ClearRowData(r);
    }
  }

  // Pressing Cancel never runs a field check: FALSE when the focus is gone or on Cancel.
  int OnEditKillFocus(int id) override {
    QWidget* f = QApplication::focusWidget();
    return f && ui::ControlId(f) != ui::IDCANCEL ? 1 : 0;
  }
  int OnEditSetFocus(int id) override {
    if (GetColumnOfControl(id) == 0)
      if (auto* legend = dynamic_cast<QLabel*>(this->GetDlgItem(ui::kHolderLegendId)))
        legend->setText(this->GetHolderLegend());
    return 1;
  }
  int OnEditValueChanged(int id) override {
    const int row = GetRowOfControl(id);
    if (row < 0) return 0;
    CTemplatePropPg::UpdateChildControls(this, true);
    if (GetRowOwner(row) == 0) ClearRowControls(row);
    CompactRows();
    CTemplatePropPg::UpdateChildControls(this, false);
    RefreshEnabledRows();
    return 1;
  }

 protected:
  QString ControlText(int id) const {
    if (auto* e = dynamic_cast<QLineEdit*>(this->GetDlgItem(id))) return e->text();
    return {};
  }

  int rows_ = 0;
  int columns_ = 0;
  CellMatrix cells_;
  bool editable_ = true;
  unsigned char holderModeByte_;
};

class CGestorDlg : public RowMatrixBase<CTemplateDlg, 12> {
  Q_OBJECT
 public:
  CGestorDlg(const ui::DialogTemplate& tmpl, QWidget* parent = nullptr) : RowMatrixBase(tmpl, parent) {}
};

class CGestorPg : public RowMatrixBase<CTemplatePropPg, 10> {
  Q_OBJECT
 public:
  CGestorPg(const ui::DialogTemplate& tmpl, QWidget* parent = nullptr) : RowMatrixBase(tmpl, parent) {}
};

// A page whose rows open one after the other as the user fills them.
class CRowMatrixPage : public CTemplatePropPg {
  Q_OBJECT
 public:
  CRowMatrixPage(const ui::DialogTemplate& tmpl, QWidget* parent = nullptr) : CTemplatePropPg(tmpl, parent) {}

  void SetMatrix(int rows, int columns, std::vector<int> ids);
  int GetRowOfControl(int id) const { return cells_.RowOf(id); }
  int GetColumnOfControl(int id) const { return cells_.ColumnOf(id); }
  bool IsEditable() const { return editable_; }
  int LastEnabledRow() const { return lastEnabled_; }
  // A row is used when the text of any of its controls is neither "", " " nor an empty date.
  bool IsRowUsed(int row) const;

  virtual int GetControlId(int column, int row) const { return cells_.IdAt(column, row); }
  virtual void ClearRow(int row) {}
  virtual void CompactRows();
  virtual void RefreshEnabledRows();
  virtual void MoveRow(int destination, int source) {}
  virtual void ReservedHook() {}
  virtual int ReservedQuery() const { return 0; }

  int OnEditKillFocus(int id) override;

 protected:
  void OnInitDialog() override;

 private:
  void EnableRow(int row, bool enable);
  int rows_ = 0, columns_ = 0;
  CellMatrix cells_;
  bool editable_ = true;
  int lastEnabled_ = 0;
  bool busy_ = false;
};
