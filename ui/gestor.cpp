#include "ui/gestor.h"

#include <cctype>
#include <cstring>

bool HasAlnumBefore(const char* text, int position) {
  if (!text || !*text) return false;
  const int len = static_cast<int>(std::strlen(text));
  for (int i = std::min(position - 1, len - 1); i >= 1; --i)
    if (std::isalnum(static_cast<unsigned char>(text[i]))) return true;
  return false;
}

void CRowMatrixPage::SetMatrix(int rows, int columns, std::vector<int> ids) {
  rows_ = rows;
  columns_ = columns;
  cells_ = {rows, columns, std::move(ids)};
}

bool CRowMatrixPage::IsRowUsed(int row) const {
  for (int c = 0; c < columns_; ++c) {
    auto* e = dynamic_cast<QLineEdit*>(GetDlgItem(GetControlId(c, row)));
    if (!e) continue;
    const QString t = e->text();
    if (!t.isEmpty() && t != QLatin1String(" ") && t != QLatin1String("  /  /    ")) return true;
  }
  return false;
}

void CRowMatrixPage::EnableRow(int row, bool enable) {
  for (int c = 0; c < columns_; ++c)
    if (QWidget* w = GetDlgItem(GetControlId(c, row))) w->setEnabled(enable);
}

void CRowMatrixPage::OnInitDialog() {
  CTemplatePropPg::OnInitDialog();
  const int m = shownMember;
  editable_ = m == ui::kFamilyUnit || (m == ui::kDeclarant && !ui::HouseholdHas(ui::kSpouse) &&
                                       !ui::HouseholdHas(ui::kChild1) && !ui::HouseholdHas(ui::kChild2));
}

void CRowMatrixPage::CompactRows() {
  std::vector<int> used;
  for (int r = 0; r < rows_; ++r)
    if (IsRowUsed(r)) used.push_back(r);
  for (std::size_t k = 0; k < used.size(); ++k) MoveRow(static_cast<int>(k), used[k]);
  for (int r = static_cast<int>(used.size()); r < rows_; ++r) ClearRow(r);
}

void CRowMatrixPage::RefreshEnabledRows() {
  if (!editable_) return;
  int used = 0;
  for (int r = 0; r < rows_; ++r) {
    const bool u = IsRowUsed(r);
    EnableRow(r, u);
    used += u ? 1 : 0;
  }
  lastEnabled_ = std::min(used, rows_ - 1);
  if (lastEnabled_ >= 0) EnableRow(lastEnabled_, true);
}

int CRowMatrixPage::OnEditKillFocus(int id) {
  QWidget* f = QApplication::focusWidget();
  if (!f || ui::ControlId(f) == ui::IDCANCEL || !parentWidget()) return 0;
  const int row = GetRowOfControl(id);
  if (row < 0 || busy_) return 1;
  if (IsRowUsed(row)) {
    if (row == lastEnabled_ && row + 1 < rows_) {
      EnableRow(row + 1, true);
      lastEnabled_ = row + 1;
    }
    return 1;
  }
  busy_ = true;
  CompactRows();
  UpdateChildControls(this, false);
  RefreshEnabledRows();
  if (f && f->isEnabled()) f->setFocus();
  busy_ = false;
  return 1;
}
