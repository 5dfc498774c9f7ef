#include "annex/divid6_dlg.h"

#include <QLabel>

#include "annex/capital_rows.h"

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/box_field.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::divid6;
using D = CDivid6Dlg;

// Cells of each column, rows 1 to 6.
constexpr int kCells[] = {1303, 1322, 1342, 1382, 1401, 1408,   // holder
                          1525, 1532, 1535, 1537, 1539, 1541,   // gross
                          1543, 1545, 1547, 1549, 1551, 1601,   // amount to compute
                          1432, 1439, 1446, 1455, 1464, 1508,   // withholdings
                          1555, 1567, 1576, 1585, 1594, 1605,   // expenses
                          1553, 1565, 1574, 1583, 1592, 1603,   // deduction
                          1436, 1443, 1450, 1460, 1468, 1515};  // reduction
constexpr int kColumns = 7;
constexpr int kReductionColumn = 6;
constexpr int Cell(int column, int row) { return kCells[column * f::kRows + row]; }

#define QX_MONEY(c, r, fld) \
  {.id = Cell(c, r), .kind = Ctl::Money, .row = (r) + 1, .col = (c), .width = 8, .decimals = 2, .field = (fld)}
#define QX_ROW(r)                                                                               \
  {.id = Cell(0, r), .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::Holder},       \
  QX_MONEY(1, r, f::Gross), QX_MONEY(2, r, f::Computable), QX_MONEY(3, r, f::Withholding),       \
  QX_MONEY(4, r, f::Expenses), QX_MONEY(5, r, f::Deduction), QX_MONEY(6, r, f::Reduction)
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95202, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 95271, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95272, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 95273, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 95274, .row = 0, .col = 4},
    {.kind = Ctl::Static, .textId = 95275, .row = 0, .col = 5},
    {.kind = Ctl::Static, .textId = 95276, .row = 0, .col = 6},
    QX_ROW(0), QX_ROW(1), QX_ROW(2), QX_ROW(3), QX_ROW(4), QX_ROW(5),
    {.id = D::kLegend, .kind = Ctl::Legend, .row = 7, .col = 0, .colSpan = kColumns},
    {.id = D::kNote, .kind = Ctl::Legend, .row = 8, .col = 0, .colSpan = kColumns},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 9, .col = 4},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 9, .col = 5},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 9, .col = 6},
};
#undef QX_ROW
#undef QX_MONEY
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95270, .controls = kControls, .helpTopic = 130};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = kColumns, .first = 0, .stride = f::kRowSize,
                                .holder = f::Holder.off, .cells = kCells};

enum class Kind { Error, Warning };
struct Check {
  const char* code;
  Kind kind;
  bool (*fails)(double g, double a, double w, double d, double r);
};
double Round2(double x) { return ui::RoundToDecimals(x, 2); }
// The limits of the dividend regime, in the order they are reported.
constexpr Check kChecks[] = {
    {"100R112", Kind::Error, [](double g, double a, double, double, double) { return g == 0.0 && a != 0.0; }},
    {"100R037", Kind::Error, [](double g, double a, double, double, double) { return g > a; }},
    {"100R107", Kind::Error, [](double g, double a, double, double, double) { return Round2(1.4 * g) + 0.5 < a; }},
    {"100R108", Kind::Error, [](double g, double, double, double d, double) { return Round2(0.4 * g) + 0.5 < d; }},
    {"100R142", Kind::Error, [](double g, double, double, double, double r) { return Round2(0.4 * g + 0.5) < r; }},
    {"100R046", Kind::Error, [](double g, double a, double, double d, double r) { return r > 0.0 && (a > g || d > 0.0); }},
    {"100P033", Kind::Warning,
     [](double g, double a, double, double d, double) { return d > a - g + 0.5 || (g < a && d == 0.0); }},
    {"100P032", Kind::Warning, [](double g, double, double w, double, double) { return g > 0.5 && w == 0.0; }},
    {"100P044", Kind::Warning, [](double g, double, double w, double, double) { return Round2(0.15 * g + 0.5) < w; }},
};
}  // namespace

CDivid6Dlg::CDivid6Dlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

void CDivid6Dlg::OnInitAnnex() {
  if (auto* note = Item<QLabel>(kNote))
    note->setText(QStringLiteral("(*) %1 %2").arg(platform::LoadString(331), platform::LoadString(332)));
}

int CDivid6Dlg::OnEditSetFocus(int id) {
  annex::ShowHolderLegend(*this, id, kLegend);
  return 1;
}

int CDivid6Dlg::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  if (GetColumnOfControl(id) != kReductionColumn) return 1;
  const int row = GetRowOfControl(id);
  if (row < 0 || f::Reduction.get(Row(row)) <= 0.0) return 1;
  if (ui::ShowMessage(this, QStringLiteral("100P009"), platform::kIconAsterisk) == kAnsCorregir)
    if (QWidget* w = GetDlgItem(id)) w->setFocus();
  return 1;
}

int CDivid6Dlg::ValidateRows() {
  for (int r = 0; r < f::kRows; ++r) {
    const std::uint8_t* row = Row(r);
    const double g = f::Gross.get(row), a = f::Computable.get(row), w = f::Withholding.get(row),
                 d = f::Deduction.get(row), red = f::Reduction.get(row);
    for (const Check& c : kChecks) {
      if (!c.fails(g, a, w, d, red)) continue;
      const QString code = QString::fromLatin1(c.code);
      if (c.kind == Kind::Error) {
        ui::ShowMessage(this, code, platform::kIconHand);
        return 0;
      }
      if (ui::ShowMessage(this, code, platform::kIconAsterisk) == kAnsCorregir) return 0;
    }
  }
  return 1;
}
