#include "data/store/index_controller.h"

#include <algorithm>
#include <cstdio>

namespace store {

namespace id = index_id;

std::string KindText(int kind) {
  switch (kind) {
    case 2: return "IRPF";
    case 3: return "714";
    case 4: return "390";
    case 0:
    case 1: return "101";
  }
  return std::to_string(kind);
}

SearchResult SearchDeclaration(DeclarationStore& store, std::string_view name, bool renta, bool patrimonio) {
  SearchResult r;
  const std::string padded = PadKey(FirstChars(name));
  db::CAdoRecordset rs;
  bool any = rs.Open("DATOSDEC", &store.Connection(), db::Filter::Eq("CLAVE", padded), {}, "CLAVE, TIPODEC");
  r.found = any;
  if (!any) any = rs.Open("DATOSDEC", &store.Connection(), db::Filter::Ge("CLAVE", padded), "CLAVE", "CLAVE, TIPODEC");
  if (any) {
    std::int32_t kind = 0;
    rs.MoveFirst();
    rs.GetInt("TIPODEC", kind);
    bool hidden = (patrimonio && !renta && kind < 3) || (renta && !patrimonio && kind == 3);
    r.acceptEnabled = !hidden;
  }
  return r;
}

void IndexController::OnInit() {
  RefreshList();
  view_.Enable(id::kKeyField, true);
  closing_ = false;
  newDeclaration_ = false;
  view_.Enable(id::kRecordNumber, false);
}

void IndexController::ClearGrid() {
  for (int r = 1; r <= kIndexRows; ++r)
    for (int c = 0; c < 4; ++c) view_.SetCell(r, c, {});
  view_.SetText(id::kKeyField, {});
}

int IndexController::FillGrid() {
  ClearGrid();
  std::vector<IndexRow> rows = store_.List({renta_, patrimonio_});
  int r = 0;
  for (const IndexRow& row : rows) {
    if (++r > kIndexRows) break;
    char number[16];
    std::snprintf(number, sizeof number, "%5d", r);
    // The legend's (I): a declaration printed and not changed since.
    view_.SetCell(r, 0, row.printed ? std::string(number) + " I" : std::string(number));
    view_.SetCell(r, 1, row.key);
    view_.SetCell(r, 2, KindText(row.kind));
    std::string m = TrimKey(row.modality);
    view_.SetCell(r, 3, (m == "I" || m == "i") ? "X" : "");
  }
  listed_ = static_cast<int>(rows.size());
  view_.SetText(id::kTotal, std::to_string(listed_));
  return listed_;
}

void IndexController::RefreshList() {
  const int n = FillGrid();
  if (n == 0) {
    view_.Enable(id::kBaja, false);
    view_.Enable(id::kDuplicar, false);
    EnableNewControls(false);
    view_.Enable(id::kSeleccionar, false);
    view_.Focus(id::kKeyField);
  } else if (newDeclaration_) {
    SetButtonStates(false, true, false, true);
    view_.Focus(id::kKeyField);
  } else {
    SelectCell(1, 1);
    chosenKey_ = TrimKey(RowKey(1));
    view_.SetText(id::kKeyField, chosenKey_);
    SetButtonStates(false, true, false, true);
    view_.Focus(id::kGrid);
  }
}

void IndexController::SetButtonStates(bool alta, bool duplicar, bool renombrar, bool baja) {
  const int c = store_.Count();
  if (c >= kMaxDeclarations) alta = duplicar = false;
  if (c == 0) duplicar = renombrar = baja = false;
  view_.SetDefaultButton(alta ? id::kAlta : id::kSeleccionar);
  view_.Enable(id::kBaja, baja);
  view_.Enable(id::kDuplicar, duplicar);
  view_.Enable(id::kSeleccionar, !alta && !renombrar);
  view_.Enable(id::kAlta, alta);
  view_.Enable(id::kFormRenta, alta);
  view_.Enable(id::kFormPatrimonio, alta);
  view_.Enable(id::kRenombrar, renombrar);
}

void IndexController::EnableNewControls(bool on) {
  view_.Enable(id::kAlta, on);
  view_.Enable(id::kFormRenta, on);
  view_.Enable(id::kFormPatrimonio, on);
  view_.Enable(id::kRenombrar, store_.Count() == kMaxDeclarations ? true : on);
}

void IndexController::SelectCell(int row, int col) {
  view_.SelectCell(row, col);
  OnGridNotify(row);
  recordNumber_ = row;
  view_.SetText(id::kRecordNumber, std::to_string(row));
}

void IndexController::OnKeyChanged() {
  if (closing_) return;
  const std::string text = TrimKey(view_.Text(id::kKeyField));
  const int n = std::min(store_.Count(), kIndexRows);
  for (int r = 1; r <= n; ++r) {
    const std::string key = TrimKey(RowKey(r));
    if (key.empty() && text.empty()) return;
    if (key == text) {
      newDeclaration_ = false;
      SetButtonStates(false, true, false, true);
      return;
    }
  }
  newDeclaration_ = true;
  SetButtonStates(true, false, true, false);
}

void IndexController::OnGridNotify(int row) {
  if (row < 1 || row > kIndexRows || RowKey(row).empty()) return;
  chosenKey_ = TrimKey(RowKey(row));
  formChoice_ = view_.Cell(row, 2) == "714" ? 1 : 0;
  view_.ShowFormChoice(formChoice_);
  view_.SetText(id::kKeyField, chosenKey_);
  if (!view_.IsEnabled(id::kBaja)) {
    SetButtonStates(false, true, false, true);
    view_.SetDefaultButton(id::kSeleccionar);
  }
  if (store_.Count() == kMaxDeclarations) {
    view_.Enable(id::kAlta, false);
    view_.Enable(id::kRenombrar, true);
  }
  recordNumber_ = row;
  view_.SetText(id::kRecordNumber, std::to_string(row));
}

void IndexController::OnCellDoubleClick(int row, int) {
  if (row >= 1 && row <= kIndexRows && !RowKey(row).empty()) OnSeleccionar();
}

void IndexController::OnNavigate(int which) {
  int row = view_.FocusedRow();
  int col = view_.FocusedColumn() < 0 ? 1 : view_.FocusedColumn();
  if (row < 1) row = 1;
  switch (which) {
    case id::kBack10: row = std::max(row - 10, 1); break;
    case id::kForward10: row = std::min(row + 10, kIndexRows); break;
    case id::kBack1:
      if (row <= 1) return;
      --row;
      break;
    case id::kForward1:
      if (row >= kIndexRows) return;
      ++row;
      break;
    default: return;
  }
  SelectCell(row, col);
}

void IndexController::OnSeleccionar() {
  const int row = view_.FocusedRow();
  const bool hasRow = row >= 1 && row <= kIndexRows;
  const std::string text = TrimKey(view_.Text(id::kKeyField));
  const bool altaOff = !view_.IsEnabled(id::kAlta);
  if (!hasRow && altaOff) {
    if (!text.empty()) store_.Messages().Coded(msg::kNameMismatch);
    return;
  }
  if (altaOff) {
    const std::string rowKey = TrimKey(RowKey(row));
    if (rowKey.empty()) {
      store_.Messages().Coded(text.empty() ? msg::kNoName : msg::kNameMismatch);
      return;
    }
    if (text != rowKey) {
      store_.Messages().Coded(msg::kNameMismatch);
      return;
    }
  }
  if (!store_.Exists(text) || text.empty()) {
    store_.Messages().Coded(msg::kNoSuchName);
    return;
  }
  if (altaOff) newDeclaration_ = false;
  if (hasRow && !newDeclaration_) formChoice_ = view_.Cell(row, 2) == "714" ? 1 : 0;
  chosenKey_ = text;
  view_.EndDialog(true);
}

void IndexController::OnAlta() {
  const std::string key = NewKeyFromTyped(view_.Text(id::kKeyField));
  if (TrimKey(key).empty()) {
    store_.Messages().Coded(msg::kNoName);
    return;
  }
  if (store_.Exists(key)) {
    store_.Messages().Coded(msg::kNameTaken);
    view_.SetText(id::kKeyField, {});
    return;
  }
  if (!store_.Create(key, Kind())) return;
  chosenKey_ = PadKey(key);
  newDeclaration_ = true;
  // The field shows the name as stored ("'" became "´"), so that the selection finds it.
  view_.SetText(id::kKeyField, TrimKey(key));
  OnSeleccionar();
}

void IndexController::OnDuplicar() {
  const int row = view_.FocusedRow();
  if (row < 1 || row > kIndexRows || TrimKey(RowKey(row)).empty()) return;
  store_.Duplicate(RowKey(row));
  RefreshList();
}

void IndexController::OnRenombrar() {
  const int row = view_.FocusedRow();
  if (row < 1 || row > kIndexRows) return;
  const std::string oldKey = RowKey(row);
  const std::string name = FirstChars(view_.Text(id::kKeyField));
  if (TrimKey(oldKey).empty() || TrimKey(name).empty()) return;
  if (store_.Count() == 0) {
    RefreshList();
    return;
  }
  if (store_.Rename(oldKey, name)) newDeclaration_ = false;
  RefreshList();
}

void IndexController::OnBaja() {
  const int row = view_.FocusedRow();
  if (row < 1 || row > kIndexRows || TrimKey(RowKey(row)).empty()) return;
  store_.Delete(RowKey(row));
  RefreshList();
}

void IndexController::OnBuscar() {
  auto name = view_.RunSearch();
  if (!name) return;
  newDeclaration_ = false;
  for (int r = 1; r <= kIndexRows; ++r) {
    const std::string key = RowKey(r);
    if (key.empty()) continue;
    if (key.compare(0, name->size(), *name) == 0) {
      SelectCell(r, 1);
      return;
    }
  }
}

void IndexController::OnListFilters(bool renta, bool patrimonio) {
  renta_ = renta;
  patrimonio_ = patrimonio;
  ClearGrid();
  RefreshList();
}

void IndexController::OnCancelar() {
  view_.EndDialog(false);
  closing_ = true;
  newDeclaration_ = false;
}

}  // namespace store
