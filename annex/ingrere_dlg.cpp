#include "annex/ingrere_dlg.h"

#include <QLabel>

#include <cmath>

#include "platform/strings.h"
#include "ui/box_field.h"

namespace {
using ui::Ctl;
namespace f = annex::ingrere;
using D = CIngrereDlg;

constexpr int kReduction76Cells[] = {1436, 1443, 1450, 1460, 1468, 1515};
constexpr int kDt6Cells[] = {1437, 1444, 1451, 1461, 1469, 1516};
constexpr int kCells[] = {
#define QX_COLUMN(cells) cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]
    QX_COLUMN(f::kHolderCells), QX_COLUMN(f::kIncomeCells), QX_COLUMN(f::kWithholdingCells),
    QX_COLUMN(kReduction76Cells), QX_COLUMN(kDt6Cells)
#undef QX_COLUMN
};
constexpr int kReduction76Column = 3;
#define QX_MONEY(cells, c, r, fld, opt) \
  {.id = cells[r], .kind = Ctl::Money, .row = (r) + 2, .col = (c), .width = 8, .decimals = 2, .field = (fld), .options = (opt)}
#define QX_ROW(r)                                                                                      \
  {.id = f::kHolderCells[r], .kind = Ctl::Titular, .row = (r) + 2, .col = 0, .field = f::Holder},      \
  QX_MONEY(f::kIncomeCells, 1, r, f::Income, ui::kOptNegatives),                                        \
  QX_MONEY(f::kWithholdingCells, 2, r, f::Withholding, 0u),                                             \
  QX_MONEY(kReduction76Cells, 3, r, f::Reduction76, ui::kOptNegatives), QX_MONEY(kDt6Cells, 4, r, f::ReductionDt6, 0u)
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95285, .row = 0, .col = 3, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 95202, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 95282, .row = 1, .col = 1},
    {.kind = Ctl::Static, .textId = 95273, .row = 1, .col = 2},
    {.kind = Ctl::Static, .textId = 95283, .row = 1, .col = 3},
    {.kind = Ctl::Static, .textId = 95284, .row = 1, .col = 4},
    QX_ROW(0), QX_ROW(1), QX_ROW(2), QX_ROW(3), QX_ROW(4), QX_ROW(5),
    {.id = D::kLegend, .kind = Ctl::Legend, .row = 8, .col = 0, .colSpan = 5},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 9, .col = 3},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 9, .col = 4},
};
#undef QX_ROW
#undef QX_MONEY
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95281, .controls = kControls, .helpTopic = 125};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 5, .first = 0, .stride = f::kRowSize,
                                .holder = f::Holder.off, .cells = kCells};

double Round2(double x) { return ui::RoundToDecimals(x, 2); }
// Income i, withholdings w, art. 76 bis reduction r1, D.T. 6 reduction r2.
constexpr annex::RowWarning kWarnings[] = {
    {"100P044", [](double i, double w, double, double) { return (i >= 0 && Round2(0.15 * i + 0.5) < w) || (i < 0 && w > 0); }},
    {"100P032", [](double i, double w, double, double) { return i > 0.5 && w == 0.0; }},
    {"100P012", [](double i, double, double r1, double) { return std::fabs(Round2(0.75 * i)) + 0.5 < std::fabs(r1); }},
    {"100P063", [](double i, double, double, double r2) { return i < 0 && r2 > 0; }},
    {"100P064", [](double i, double, double, double r2) { return i >= 0 && r2 > i; }},
    {"100P013", [](double i, double, double r1, double) { return (i > 0 && r1 < 0) || (i < 0 && r1 > 0); }},
};
}  // namespace

CIngrereDlg::CIngrereDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

int CIngrereDlg::OnEditSetFocus(int id) {
  if (annex::ShowHolderLegend(*this, id)) return 1;
  if (auto* legend = Item<QLabel>(kLegend))
    legend->setText(GetColumnOfControl(id) == kReduction76Column ? platform::LoadString(60) : QString());
  return 1;
}

int CIngrereDlg::ValidateRows() { return annex::RunRowWarnings(*this, kWarnings); }
