#include "annex/premios_dlg.h"

#include <QLabel>

#include "annex/capital_rows.h"

#include "platform/icons.h"
#include "ui/box_field.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace m = annex::premmet;
namespace k = annex::premesp;

// Ids of the cells, column by column, rows 1 to 4.
constexpr int kCashCells[] = {1167, 1188, 1214, 1238, 1869, 1871, 1870, 1872, 1873, 1875, 1874, 1876};
constexpr int kKindCells[] = {1297, 1299, 24556, 24557, 1618, 1621, 1619, 1622,
                              1990, 1994, 1991, 1995, 1997, 2000, 1998, 2001};

#define QX_CASH_ROW(r)                                                                                           \
  {.id = kCashCells[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = m::Holder},                     \
  {.id = kCashCells[4 + (r)], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2,           \
   .field = m::Gross},                                                                                           \
  {.id = kCashCells[8 + (r)], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,           \
   .field = m::Withholding}
constexpr ui::ControlDef kCashControls[] = {
    {.kind = Ctl::Static, .textId = 95202, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 95203, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95204, .row = 0, .col = 2},
    QX_CASH_ROW(0), QX_CASH_ROW(1), QX_CASH_ROW(2), QX_CASH_ROW(3),
    {.id = annex::CPrizeRowsDlg::kLegend, .kind = Ctl::Legend, .row = 5, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 2},
};
#undef QX_CASH_ROW

#define QX_KIND_ROW(r)                                                                                           \
  {.id = kKindCells[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = k::Holder},                     \
  {.id = kKindCells[4 + (r)], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2,           \
   .field = k::Valuation},                                                                                       \
  {.id = kKindCells[8 + (r)], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,           \
   .field = k::PaymentOnAccount},                                                                                \
  {.id = kKindCells[12 + (r)], .kind = Ctl::Money, .row = (r) + 1, .col = 3, .width = 8, .decimals = 2,          \
   .field = k::PassedOn}
constexpr ui::ControlDef kKindControls[] = {
    {.kind = Ctl::Static, .textId = 95202, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 95205, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 95206, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 95207, .row = 0, .col = 3},
    QX_KIND_ROW(0), QX_KIND_ROW(1), QX_KIND_ROW(2), QX_KIND_ROW(3),
    {.id = annex::CPrizeRowsDlg::kLegend, .kind = Ctl::Legend, .row = 5, .col = 0, .colSpan = 4},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 2},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 3},
};
#undef QX_KIND_ROW

constexpr ui::DialogTemplate kCashTemplate{.id = CPremmetDlg::kId, .captionId = 95200, .controls = kCashControls};
constexpr ui::DialogTemplate kKindTemplate{.id = CPremespDlg::kId, .captionId = 95201, .controls = kKindControls};
constexpr ui::RowLayout kCashLayout{.rows = m::kRows, .columns = 3, .first = 0, .stride = m::kRowSize,
                                    .holder = m::Holder.off, .cells = kCashCells};
constexpr ui::RowLayout kKindLayout{.rows = k::kRows, .columns = 4, .first = 0, .stride = k::kRowSize,
                                    .holder = k::Holder.off, .cells = kKindCells};

// Button 8 ("Corregir") of an information message keeps the dialog open.
bool Corrected(QWidget* parent, const char* code) {
  return ui::ShowMessage(parent, QString::fromLatin1(code), platform::kIconAsterisk) == kAnsCorregir;
}
}  // namespace

namespace annex {

bool AboveFifteenPerCent(double base, double charged) { return ui::RoundToDecimals(base * 0.15, 2) + 0.5 < charged; }

int CPrizeRowsDlg::OnEditSetFocus(int id) {
  annex::ShowHolderLegend(*this, id, kLegend);
  return 1;
}

int CPrizeRowsDlg::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  if (GetColumnOfControl(id) == 0) {
    if (auto* legend = Item<QLabel>(kLegend)) legend->clear();
  } else {
    UpdateAll(false);
  }
  return 1;
}

}  // namespace annex

CPremmetDlg::CPremmetDlg(const ui::AnnexArgs& args) : CPrizeRowsDlg(kCashTemplate, m::kBlockSize, kCashLayout, args) {}

int CPremmetDlg::CheckWithholdings() {
  for (int r = 0; r < m::kRows; ++r) {
    const std::uint8_t* row = Row(r);
    if (annex::AboveFifteenPerCent(m::Gross.get(row), m::Withholding.get(row)) && Corrected(this, "100P046")) return 0;
  }
  return 1;
}

CPremespDlg::CPremespDlg(const ui::AnnexArgs& args) : CPrizeRowsDlg(kKindTemplate, k::kBlockSize, kKindLayout, args) {}

int CPremespDlg::ValidateRows() {
  for (int r = 0; r < k::kRows; ++r) {
    if (k::PassedOn.get(Row(r)) > k::PaymentOnAccount.get(Row(r))) {
      ui::ShowMessage(this, QStringLiteral("100R052"), platform::kIconHand);
      return 0;
    }
  }
  for (int r = 0; r < k::kRows; ++r) {
    const std::uint8_t* row = Row(r);
    if (annex::AboveFifteenPerCent(k::Valuation.get(row), k::PaymentOnAccount.get(row)) && Corrected(this, "100P047"))
      return 0;
  }
  return 1;
}
