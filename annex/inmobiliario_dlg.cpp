#include "annex/inmobiliario_dlg.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "blocks/rounding.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::inmobiliario;
using D = CInmobiliarioDlg;

// The cells in column order: holders, types, then the eight amounts in block order.
constexpr const int* kColumns[] = {D::kHolders,      D::kTypes,        D::kIncome,    D::kSublease,  D::kInterest,
                                   D::kAmortisation, D::kCompensation, D::kOther,     D::kReduction, D::kWithholdings};
constexpr auto kCells = [] {
  std::array<int, f::kItems * std::size(kColumns)> cells{};
  for (std::size_t c = 0; c < std::size(kColumns); ++c)
    for (int k = 0; k < f::kItems; ++k) cells[c * f::kItems + static_cast<std::size_t>(k)] = kColumns[c][k];
  return cells;
}();
constexpr ui::RowLayout kLayout{.rows = f::kItems, .columns = static_cast<int>(std::size(kColumns)), .first = 0,
                                .stride = f::kItemSize, .holder = 0, .cells = kCells};

// Each item is a column of the grid; each field a row, its caption in column 0.
#define QX_MONEY(ids, k, r, fld, opt) \
  {.id = ids[k], .kind = Ctl::Money, .row = (r), .col = (k) + 1, .width = 8, .decimals = 2, .field = fld, .options = (opt)}
#define QX_ITEM(k, number)                                                                                       \
  {.kind = Ctl::Static, .text = number, .row = 0, .col = (k) + 1},                                                 \
  {.id = D::kHolders[k], .kind = Ctl::Titular, .row = 1, .col = (k) + 1, .field = f::Holder},                   \
  {.id = D::kTypes[k], .kind = Ctl::Lista, .row = 2, .col = (k) + 1, .width = 1, .field = f::Type,              \
   .table = "TIPPATRE.TAB"},                                                                                   \
  QX_MONEY(D::kIncome, k, 3, f::Income, 0u), QX_MONEY(D::kSublease, k, 4, f::SubleaseShare, 0u),                 \
  QX_MONEY(D::kInterest, k, 5, f::Interest, 0u), QX_MONEY(D::kAmortisation, k, 6, f::Amortisation, 0u),          \
  QX_MONEY(D::kCompensation, k, 7, f::FiscalCompensation, 0u), QX_MONEY(D::kOther, k, 8, f::OtherExpenses, 0u),  \
  QX_MONEY(D::kReduction, k, 9, f::Reduction, ui::kOptNegatives), QX_MONEY(D::kWithholdings, k, 10, f::Withholdings, 0u)
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 97801, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 97802, .row = 2, .col = 0},
    {.kind = Ctl::Static, .textId = 97803, .row = 3, .col = 0},
    {.kind = Ctl::Static, .textId = 97804, .row = 4, .col = 0},
    {.kind = Ctl::Static, .textId = 97805, .row = 5, .col = 0},
    {.kind = Ctl::Static, .textId = 97806, .row = 6, .col = 0},
    {.kind = Ctl::Static, .textId = 97807, .row = 7, .col = 0},
    {.kind = Ctl::Static, .textId = 97808, .row = 8, .col = 0},
    {.kind = Ctl::Static, .textId = 97809, .row = 9, .col = 0},
    {.kind = Ctl::Static, .textId = 97810, .row = 10, .col = 0},
    QX_ITEM(0, "1"), QX_ITEM(1, "2"), QX_ITEM(2, "3"), QX_ITEM(3, "4"), QX_ITEM(4, "5"), QX_ITEM(5, "6"),
    {.kind = Ctl::Static, .textId = 97811, .row = 11, .col = 0, .colSpan = 7},
    {.id = D::kHint, .kind = Ctl::Legend, .row = 12, .col = 0, .colSpan = 7},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 13, .col = 4},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 13, .col = 5},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 13, .col = 6},
};
#undef QX_ITEM
#undef QX_MONEY
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97800, .controls = kControls, .helpTopic = 209};

constexpr int kIrregularIncomeHint = 60;
constexpr blocks::F64 kExpenses[] = {f::Interest, f::Amortisation, f::FiscalCompensation, f::OtherExpenses};

double Round2(double v) { return blocks::RoundToDecimals(v, 2); }
bool NoType(char c) { return c == 0 || c == ' '; }
}  // namespace

CInmobiliarioDlg::CInmobiliarioDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

int CInmobiliarioDlg::ItemOf(int id) const { return GetRowOfControl(id); }

bool CInmobiliarioDlg::IsHolderOrTypeCell(int id) const {
  const int column = GetColumnOfControl(id);
  return column == 0 || column == 1;
}

void CInmobiliarioDlg::TakeSavedTypes() {
  for (int k = 0; k < f::kItems; ++k) savedTypes_[static_cast<std::size_t>(k)] = f::Type.raw(Row(k))[0];
}

void CInmobiliarioDlg::ClearItem(int item) { ClearRowControls(item); }

// A cleared item has no type (0, as an item never used), whatever the row base writes into texts.
void CInmobiliarioDlg::ClearRowControls(int row) {
  CAnnexRowsDlg::ClearRowControls(row);
  Row(row)[f::Type.off] = 0;
}

void CInmobiliarioDlg::ClearItemExpenses(int item) {
  std::uint8_t* row = Row(item);
  for (const blocks::F64 amount : kExpenses) amount.set(row, 0.0);
  f::Reduction.set(row, 0.0);
}

bool CInmobiliarioDlg::HasExpensesOrReduction(int item) {
  const std::uint8_t* row = Row(item);
  return std::any_of(std::begin(kExpenses), std::end(kExpenses), [&](blocks::F64 a) { return a.get(row) != 0.0; }) ||
         f::Reduction.get(row) != 0.0;
}

void CInmobiliarioDlg::UpdateItemCells() {
  const bool editable = IsEditable();
  auto enable = [this](int id, bool on) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
  };
  for (int k = 0; k < f::kItems; ++k) {
    const std::uint8_t* row = Row(k);
    const bool held = f::Holder.get(row) != 0;
    const char type = f::Type.raw(row)[0];
    enable(kTypes[k], editable && held);
    const bool any = editable && held && !NoType(type);
    const bool incomeOnly = type == f::kIncomeOnlyType;
    for (const int* column : {kIncome, kSublease, kWithholdings}) enable(column[k], any);
    for (const int* column : {kInterest, kAmortisation, kCompensation, kOther, kReduction})
      enable(column[k], any && !incomeOnly);
  }
}

void CInmobiliarioDlg::OnInitAnnex() { TakeSavedTypes(); }

// Every cell stores its value as it loses the focus (the one still typed in is stored here, as
// Enter can end the dialog without leaving it); an item with a holder stays even without amounts.
// A member view changes nothing.
void CInmobiliarioDlg::OnOK() {
  if (auto* typed = dynamic_cast<CEditEx*>(QApplication::focusWidget()); typed && isAncestorOf(typed) && typed->IsModifiedEx())
    typed->StoreToData();
  if (!ValidateItems()) return;
  if (IsEditable()) block_ = working_;
  CTemplateDlg::OnOK();
}

void CInmobiliarioDlg::RefreshEnabledRows() {
  CAnnexRowsDlg::RefreshEnabledRows();
  UpdateItemCells();
}

int CInmobiliarioDlg::OnEditSetFocus(int id) {
  auto* hint = Item<QLabel>(kHint);
  if (!hint) return 1;
  if (GetColumnOfControl(id) == 0) hint->setText(GetHolderLegend());
  else if (std::find(std::begin(kReduction), std::end(kReduction), id) != std::end(kReduction))
    hint->setText(platform::LoadString(kIrregularIncomeHint));
  else hint->clear();
  return 1;
}

int CInmobiliarioDlg::OnEditValueCleared(int id) {
  const int item = ItemOf(id);
  if (item < 0) return 0;
  if (IsHolderOrTypeCell(id)) ClearItem(item);
  TakeSavedTypes();
  CompactRows();
  UpdateItemCells();
  UpdateAll(false);
  return 1;
}

int CInmobiliarioDlg::OnEditValueChanged(int id) {
  const int item = ItemOf(id);
  if (item < 0) return 0;
  bool putBack = false;
  if (IsHolderOrTypeCell(id)) {
    std::uint8_t* row = Row(item);
    if (f::Type.raw(row)[0] == f::kIncomeOnlyType && HasExpensesOrReduction(item)) {
      if (ui::ShowMessage(this, QStringLiteral("100P080"), platform::kIconAsterisk) == kAnsCorregir) {
        row[f::Type.off] = static_cast<std::uint8_t>(savedTypes_[static_cast<std::size_t>(item)]);
        putBack = true;
      } else {
        ClearItemExpenses(item);
      }
    }
    if (NoType(f::Type.raw(row)[0]) || f::Holder.get(row) == 0) ClearItem(item);
  }
  CompactRows();
  if (!putBack) {
    UpdateItemCells();
    TakeSavedTypes();
  }
  UpdateAll(false);
  if (putBack)
    if (QWidget* type = GetDlgItem(kTypes[item])) type->setFocus();
  return 1;
}

bool CInmobiliarioDlg::ValidateItems() {
  auto warn = [this](const char* code) {
    return ui::ShowMessage(this, QString::fromLatin1(code), platform::kIconAsterisk) != kAnsCorregir;
  };
  for (int k = 0; k < f::kItems; ++k) {
    const std::uint8_t* row = Row(k);
    const double gross = f::Income.get(row) + f::SubleaseShare.get(row);
    double net = gross;
    for (const blocks::F64 expense : kExpenses) net -= expense.get(row);
    const double r = f::Reduction.get(row), w = f::Withholdings.get(row);
    const double amortisation = f::Amortisation.get(row), compensation = f::FiscalCompensation.get(row);
    if (r > 0 && Round2(0.4 * gross + 0.5) < r) {
      ui::ShowMessage(this, QStringLiteral("100R021"), platform::kIconHand);
      return false;
    }
    if (Round2(0.15 * gross + 0.5) < w && !warn("100P044")) return false;
    if (amortisation > 0 && compensation > amortisation && !warn("100P068")) return false;
    if (std::abs(Round2(0.4 * net)) + 0.5 < std::abs(r) && !warn("100P069")) return false;
    if (((r < 0 && net > 0) || (r > 0 && net < 0)) && !warn("100P014")) return false;
  }
  return true;
}
