#include "annex/ingrere_dlg.h"

#include <QLabel>

#include <cmath>

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/box_field.h"
#include "ui/message_dlg.h"

namespace {
using ui::Ctl;
namespace f = annex::ingrere;
using D = CIngrereDlg;

constexpr int kCells[] = {1303, 1322, 1342, 1382, 1401, 1408,   // holder
                          1471, 1475, 1481, 1488, 1497, 1502,   // income
                          1432, 1439, 1446, 1455, 1464, 1508,   // withholdings
                          1436, 1443, 1450, 1460, 1468, 1515,   // reduction art. 76 bis
                          1437, 1444, 1451, 1461, 1469, 1516};  // reduction D.T. 6
constexpr int kReduction76Column = 3;
constexpr int Cell(int column, int row) { return kCells[column * f::kRows + row]; }
#define QX_MONEY(c, r, fld, opt) \
  {.id = Cell(c, r), .kind = Ctl::Money, .row = (r) + 2, .col = (c), .width = 8, .decimals = 2, .field = (fld), .options = (opt)}
#define QX_ROW(r)                                                                                 \
  {.id = Cell(0, r), .kind = Ctl::Titular, .row = (r) + 2, .col = 0, .field = f::Holder},         \
  QX_MONEY(1, r, f::Income, ui::kOptNegatives), QX_MONEY(2, r, f::Withholding, 0u),                \
  QX_MONEY(3, r, f::Reduction76, ui::kOptNegatives), QX_MONEY(4, r, f::ReductionDt6, 0u)
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
struct Check {
  const char* code;
  bool (*fails)(double i, double w, double r1, double r2);
};
constexpr Check kChecks[] = {
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
  auto* legend = Item<QLabel>(kLegend);
  if (!legend) return 1;
  legend->setText(GetColumnOfControl(id) == kReduction76Column ? platform::LoadString(60) : QString());
  if (GetColumnOfControl(id) == 0) legend->setText(GetHolderLegend());
  return 1;
}

int CIngrereDlg::ValidateRows() {
  for (int r = 0; r < f::kRows; ++r) {
    const std::uint8_t* row = Row(r);
    const double i = f::Income.get(row), w = f::Withholding.get(row), r1 = f::Reduction76.get(row),
                 r2 = f::ReductionDt6.get(row);
    for (const Check& c : kChecks)
      if (c.fails(i, w, r1, r2) &&
          CMessageDlg(this).Show(QString::fromLatin1(c.code), platform::kIconAsterisk) == kAnsCorregir)
        return 0;
  }
  return 1;
}
