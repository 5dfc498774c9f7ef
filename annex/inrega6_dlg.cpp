#include "annex/inrega6_dlg.h"

#include <QLabel>

#include <cmath>
#include <span>

#include "platform/strings.h"
#include "ui/box_field.h"

namespace {
using ui::Ctl;
namespace f = annex::inrega6;
using D = CInrega6Dlg;

constexpr int kExpensesCells[] = {1434, 1441, 1448, 1457, 1466, 1511};
constexpr int kReductionCells[] = {1436, 1443, 1450, 1460, 1468, 1515};
constexpr int kCells[] = {
#define QX_COLUMN(cells) cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]
    QX_COLUMN(f::kHolderCells), QX_COLUMN(f::kIncomeCells), QX_COLUMN(f::kWithholdingCells),
    QX_COLUMN(kExpensesCells), QX_COLUMN(kReductionCells)
#undef QX_COLUMN
};
enum Column : int { kHolderColumn, kIncomeColumn, kWithholdingColumn, kExpensesColumn, kReductionColumn };
constexpr int Cell(int column, int row) { return kCells[column * f::kRows + row]; }
#define QX_MONEY(c, r, fld) \
  {.id = Cell(c, r), .kind = Ctl::Money, .row = (r) + 1, .col = (c), .width = 8, .decimals = 2, .field = (fld)}
#define QX_ROW(r)                                                                          \
  {.id = Cell(0, r), .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::Holder},  \
  QX_MONEY(1, r, f::Income), QX_MONEY(2, r, f::Withholding), QX_MONEY(3, r, f::Expenses),   \
  QX_MONEY(4, r, f::Reduction)
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95202, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 95282, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95273, .row = 0, .col = 2},
    {.id = D::kExpensesHeader, .kind = Ctl::Static, .textId = 95286, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 95287, .row = 0, .col = 4},
    QX_ROW(0), QX_ROW(1), QX_ROW(2), QX_ROW(3), QX_ROW(4), QX_ROW(5),
    {.id = D::kHint, .kind = Ctl::Legend, .row = 7, .col = 0, .colSpan = 5},
    {.id = D::kLegend, .kind = Ctl::Legend, .row = 8, .col = 0, .colSpan = 5},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 9, .col = 3},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 9, .col = 4},
};
#undef QX_ROW
#undef QX_MONEY
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95288, .controls = kControls, .helpTopic = 124};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 5, .first = 0, .stride = f::kRowSize,
                                .holder = f::Holder.off, .cells = kCells};

double Round2(double x) { return ui::RoundToDecimals(x, 2); }
using Check = annex::RowWarning;  // income i, withholdings w, expenses e, reduction r
constexpr Check kVariant1[] = {
    {"100P011", [](double i, double, double, double r) { return std::fabs(Round2(0.4 * i)) + 0.5 < std::fabs(r); }},
    {"100R109", [](double i, double, double, double r) { return (i < 0 && r > 0) || (i > 0 && r < 0); }},
    // 40 % of the income without tolerance, not the 15 % of the other variants.
    {"100P044", [](double i, double w, double, double) {
       return (i >= 0 && Round2(0.4 * i) < w) || (i < 0 && w > 0) || (i > 0 && w < 0);
     }},
};
constexpr Check kVariant2[] = {
    {"100P044", [](double i, double w, double, double) { return (i >= 0 && Round2(0.15 * i + 0.5) < w) || (i < 0 && w > 0); }},
    {"100P066", [](double i, double, double e, double) { return i <= 0 && e > 0; }},
    {"100P065", [](double i, double, double e, double r) { return std::fabs(Round2(0.4 * (i - e))) + 0.5 < std::fabs(r); }},
    {"100P067", [](double i, double, double e, double r) { return (i - e > 0 && r < 0) || (i - e < 0 && r > 0); }},
};
constexpr Check kVariant3[] = {
    {"100P044", [](double i, double w, double, double) { return (i > 0 && Round2(0.15 * i + 0.5) < w) || (i < 0 && w > 0); }},
    {"100P032", [](double i, double w, double, double) { return i > 0.5 && w == 0.0; }},
    {"100P060", [](double i, double, double, double r) { return std::fabs(Round2(0.4 * i)) + 0.5 < std::fabs(r); }},
    {"100P010", [](double i, double, double, double r) { return (i > 0 && r < 0) || (i < 0 && r > 0); }},
};
std::span<const Check> ChecksOf(int variant) {
  switch (variant) {
    case 1: return kVariant1;
    case 2: return kVariant2;
    case 3: return kVariant3;
    default: return {};
  }
}
// The hint of a cell by variant: string ids of the expenses and reduction columns (0 none).
int HintOf(int variant, int column) {
  if (column == kReductionColumn) return 60;
  if (column == kExpensesColumn) return variant == 2 ? 2186 : variant == 3 ? 2183 : 0;
  return 0;
}
}  // namespace

CInrega6Dlg::CInrega6Dlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

void CInrega6Dlg::OnInitAnnex() {
  if (index < 1 || index > 3) return;
  for (int r = 0; r < f::kRows; ++r)
    for (int c : {kIncomeColumn, kReductionColumn}) ui::ApplyOptions(GetDlgItem(Cell(c, r)), ui::kOptNegatives);
  if (index == 2)
    if (auto* header = Item<QLabel>(kExpensesHeader)) header->setText(platform::LoadString(2189));
}

int CInrega6Dlg::OnEditSetFocus(int id) {
  const int column = GetColumnOfControl(id);
  if (index >= 1 && index <= 3)
    if (auto* hint = Item<QLabel>(kHint)) {
      const int text = HintOf(index, column);
      hint->setText(text ? platform::LoadString(text) : QString());
    }
  if (!annex::ShowHolderLegend(*this, id))
    if (auto* legend = Item<QLabel>(kLegend)) legend->clear();
  return 1;
}

int CInrega6Dlg::ValidateRows() { return annex::RunRowWarnings(*this, ChecksOf(index)); }
